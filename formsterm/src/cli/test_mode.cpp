// test_mode.cpp - running test scripts. The script's top level runs on a
// fresh library and terminal and registers tests with test(name, fn); each
// test then runs on a fresh library and terminal of its own. A script that
// registers no test counts as one test, named after its file.
//
// Observers follow each run: the program's prints and --trace go to the
// output, a failure is told how the last panel ended (PanelEnding), and
// --report and --junit keep every test's timeline (TestReport). A test that
// crashes the process still leaves the report of the steps up to it.
#include "cli/test_mode.h"

#include <csignal>
#include <cstring>
#include <iterator>
#include <ostream>
#include <sstream>

#include "cli/report.h"
#include "driver/library.h"
#include "driver/panel_ending.h"
#include "script/script_host.h"

namespace formsterm {

namespace {

struct Tally {
  int passed = 0, failed = 0, filtered_out = 0;
};

// The output of a test run: the program's prints, and the log with --trace.
class Output : public RunObserver {
 public:
  Output(std::ostream &out, bool trace) : out_(out), trace_(trace) {}
  bool print(const std::string &text) override {
    out_ << text << "\n";
    return true;
  }
  void log_entry(const termrt::LogEntry &entry) override {
    if (trace_) out_ << "  | " << entry.what << "\n";
  }

 private:
  std::ostream &out_;
  bool trace_;
};

// What the report needs to be written when the process dies in a test.
struct Reporting {
  const TestOptions *options = nullptr;
  TestReport *report = nullptr;
};
Reporting g_reporting;

void write_reports(const TestOptions &options, const TestReport &report, std::ostream &err) {
  if (!options.report_dir.empty())
    if (std::optional<std::string> error = write_html_report(report.tests(), options.report_dir))
      err << "formsterm test: --report: " << *error << "\n";
  if (!options.junit_file.empty())
    if (std::optional<std::string> error = write_junit(report.tests(), options.junit_file))
      err << "formsterm test: --junit: " << *error << "\n";
}

// A crash or a kill (a test's time limit) in the middle of a test: the
// report of what ran so far, naming the end, then the signal as before.
extern "C" void on_fatal_signal(int signal_number) {
  std::signal(signal_number, SIG_DFL);
  if (g_reporting.report) {
    g_reporting.report->abandon(std::string("the process got signal ") + std::to_string(signal_number) +
                                " (" + strsignal(signal_number) + ")");
    std::ostringstream ignored;
    write_reports(*g_reporting.options, *g_reporting.report, ignored);
  }
  std::raise(signal_number);
}

const int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTERM, SIGINT, SIGALRM};

std::string indented(const std::string &text) {
  std::string out = "      ";
  for (char c : text) {
    out += c;
    if (c == '\n') out += "      ";
  }
  while (!out.empty() && (out.back() == ' ' || out.back() == '\n')) out.pop_back();
  return out;
}

void report(std::ostream &out, Tally &tally, const std::string &label,
            const std::optional<std::string> &error) {
  if (error) {
    ++tally.failed;
    out << "FAIL  " << label << "\n" << indented(*error) << "\n";
  } else {
    ++tally.passed;
    out << "PASS  " << label << "\n";
  }
  out.flush();
}

// The failure with how the last panel ended, when that explains it.
std::optional<std::string> explained(std::optional<std::string> error, const PanelEnding &ending) {
  if (!error) return error;
  const std::string why = ending.explanation();
  if (!why.empty()) *error += "\n" + why;
  return error;
}

void run_script_tests(const TestOptions &options, const std::string &script, std::ostream &out, Tally &tally,
                      TestReport *timeline) {
  HostOptions host_options;
  host_options.library_path = options.library_path;
  host_options.script = script;
  host_options.snapshot_dir = options.snapshot_dir;
  host_options.update_goldens = options.update_goldens;
  ScriptHost host(host_options);
  host.session().reports_fail = true;
  Output output(out, options.trace);
  PanelEnding ending(host.session());
  host.add_observer(&output);
  host.add_observer(&ending);
  if (timeline) host.add_observer(timeline);
  // A test that ends: its line, and its timeline closed.
  auto finish = [&](const std::string &label, const std::optional<std::string> &error) {
    if (timeline) timeline->end(error);
    report(out, tally, label, error);
  };

  if (timeline) timeline->begin(host.session(), script, script, 1);
  try {
    host.fresh_start();
  } catch (const LoadError &e) {
    finish(script, std::string(e.what()));
    return;
  }
  std::optional<std::string> error = explained(host.run_script(), ending);
  const int count = host.test_count();
  if (error || count == 0) {
    // The top level failed, or it was the test itself.
    if (!error && count == 0) error = host.test_end_failure();
    if (error || options.filter.empty() || script.find(options.filter) != std::string::npos) {
      finish(script, error);
    } else {
      ++tally.filtered_out;
      if (timeline) timeline->drop();
    }
    if (error) return;
  } else if (timeline) {
    timeline->drop();  // the top level only registered the tests
  }
  for (int i = 0; i < count; ++i) {
    const std::string name = host.test_name(i);
    if (!options.filter.empty() && name.find(options.filter) == std::string::npos) {
      ++tally.filtered_out;
      continue;
    }
    const std::string label = script + ": " + name;
    if (options.trace) out << "---- " << label << "\n";
    if (timeline) timeline->begin(host.session(), script, name, host.test_line(i));
    try {
      host.fresh_start();
    } catch (const LoadError &e) {
      finish(label, std::string(e.what()));
      continue;
    }
    finish(label, explained(host.run_test(i), ending));
  }
}

}  // namespace

int run_tests(const TestOptions &options, std::ostream &out, std::ostream &err) {
  TestOptions effective = options;
  if (!options.report_dir.empty())
    if (std::optional<std::string> why = unwritable_folder(options.report_dir)) {
      err << "formsterm test: --report: " << *why << "; the tests run without the report\n";
      effective.report_dir.clear();
    }
  const bool reporting = !effective.report_dir.empty() || !effective.junit_file.empty();
  Tally tally;
  {
    TestReport timeline;
    void (*old_handlers[std::size(kFatalSignals)])(int) = {};
    if (reporting) {
      g_reporting = {&effective, &timeline};
      for (std::size_t i = 0; i < std::size(kFatalSignals); ++i)
        old_handlers[i] = std::signal(kFatalSignals[i], on_fatal_signal);
    }
    for (const std::string &script : options.scripts)
      run_script_tests(effective, script, out, tally, reporting ? &timeline : nullptr);
    if (reporting) {
      for (std::size_t i = 0; i < std::size(kFatalSignals); ++i)
        std::signal(kFatalSignals[i], old_handlers[i]);
      g_reporting = {};
      write_reports(effective, timeline, err);
    }
  }
  if (tally.passed + tally.failed == 0 && tally.filtered_out > 0)
    out << "no test name holds \"" << options.filter << "\" (" << tally.filtered_out
        << " tests left out); --filter matches part of a test's name\n";
  out << tally.passed << " passed, " << tally.failed << " failed" << std::endl;
  return tally.failed == 0 && tally.passed > 0 ? 0 : 1;
}

}  // namespace formsterm
