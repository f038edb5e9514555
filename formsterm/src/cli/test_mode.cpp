// test_mode.cpp - running test scripts. The script's top level runs on a
// fresh library and terminal and registers tests with test(name, fn); each
// test then runs on a fresh library and terminal of its own. A script that
// registers no test counts as one test, named after its file.
#include "cli/test_mode.h"

#include <ostream>

#include "driver/library.h"
#include "script/script_host.h"

namespace formsterm {

namespace {

struct Tally {
  int passed = 0, failed = 0, filtered_out = 0;
};

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

void run_script_tests(const TestOptions &options, const std::string &script, std::ostream &out,
                      Tally &tally) {
  HostOptions host_options;
  host_options.library_path = options.library_path;
  host_options.script = script;
  host_options.snapshot_dir = options.snapshot_dir;
  host_options.update_goldens = options.update_goldens;
  ScriptHost host(host_options);
  host.print = [&out](const std::string &text) { out << text << "\n"; };
  host.session().reports_fail = true;
  if (options.trace)
    host.session().trace = [&out](const std::string &entry) { out << "  | " << entry << "\n"; };

  try {
    host.fresh_start();
  } catch (const LoadError &e) {
    report(out, tally, script, std::string(e.what()));
    return;
  }
  std::optional<std::string> error = host.run_script();
  const int count = host.test_count();
  if (error || count == 0) {
    // The top level failed, or it was the test itself.
    if (!error && count == 0) error = host.test_end_failure();
    if (error || options.filter.empty() || script.find(options.filter) != std::string::npos)
      report(out, tally, script, error);
    else
      ++tally.filtered_out;
    if (error) return;
  }
  for (int i = 0; i < count; ++i) {
    const std::string name = host.test_name(i);
    if (!options.filter.empty() && name.find(options.filter) == std::string::npos) {
      ++tally.filtered_out;
      continue;
    }
    const std::string label = script + ": " + name;
    if (options.trace) out << "---- " << label << "\n";
    try {
      host.fresh_start();
    } catch (const LoadError &e) {
      report(out, tally, label, std::string(e.what()));
      continue;
    }
    report(out, tally, label, host.run_test(i));
  }
}

}  // namespace

int run_tests(const TestOptions &options, std::ostream &out) {
  Tally tally;
  for (const std::string &script : options.scripts) run_script_tests(options, script, out, tally);
  if (tally.passed + tally.failed == 0 && tally.filtered_out > 0)
    out << "no test name holds \"" << options.filter << "\" (" << tally.filtered_out
        << " tests left out); --filter matches part of a test's name\n";
  out << tally.passed << " passed, " << tally.failed << " failed" << std::endl;
  return tally.failed == 0 && tally.passed > 0 ? 0 : 1;
}

}  // namespace formsterm
