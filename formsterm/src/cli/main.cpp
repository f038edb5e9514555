// main.cpp - formsterm, the terminal simulator for panel authors:
//
//   formsterm run PROGRAM.lua          the program on an interactive terminal
//   formsterm test SCRIPT.lua...       test scripts, headless, on a virtual clock
//   formsterm check HELPFILE           whether a help file works with the driver
//   formsterm explain CODE             what a result code, a keyword (VERT=), a family (Z)
//                                      or a finding of the check (range-empty) means
//   formsterm lsp                      a language server for help files (stdin/stdout)
//   formsterm help api|keywords        the Lua API; the keywords of definitions and options
//
// libforms.so is loaded with dlopen and called through its exported main,
// over the simulated run-time libtermrt.so.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <optional>

#include "check/check_mode.h"
#include "check/coverage.h"
#include "cli/explain.h"
#include "cli/find_library.h"
#include "cli/interactive.h"
#include "cli/test_mode.h"
#include "driver/library.h"
#include "lsp/lsp_mode.h"

namespace formsterm {
extern const char kApiReference[];  // doc/api.txt, built in
}

namespace {

// `formsterm help TOPIC`: the topics, each a text built into the program.
int print_help(const std::string &topic) {
  if (topic == "api") {
    std::cout << formsterm::kApiReference;
    return 0;
  }
  if (topic == "keywords") {
    formsterm::print_keywords(std::cout);
    return 0;
  }
  std::cerr
      << "formsterm help: no topic \"" << topic
      << "\"; the topics: api (the Lua API reference), keywords (field definitions and panel options)\n";
  return 2;
}

}  // namespace

int main(int argc, char **argv) {
  CLI::App app{"formsterm - runs transaction programs and panel tests on a simulated terminal"};
  app.require_subcommand(1);
  app.fallthrough();  // --library may follow the subcommand too
  std::string library = formsterm::default_library();
  app.add_option("--library", library, "the panel driver library to load (or $FORMSTERM_LIBRARY)")
      ->capture_default_str();
  app.set_version_flag(
      "--version", [&library] { return formsterm::version_text(library); },
      "formsterm's version and the library's");

  formsterm::RunOptions run;
  CLI::App *run_command = app.add_subcommand("run", "run a transaction program on an interactive terminal");
  run_command->add_option("PROGRAM", run.program, "the Lua program")->required();
  run_command->add_option("--record", run.record,
                          "write the session as a test script (F8: a golden screen of the display)");

  formsterm::TestOptions test;
  CLI::App *test_command = app.add_subcommand("test", "run test scripts headless on a virtual clock");
  test_command->add_option("SCRIPTS", test.scripts, "the Lua test scripts")->required();
  test_command->add_flag("--update", test.update_goldens, "rewrite the golden screens that differ");
  test_command->add_option("--filter", test.filter, "run only the tests whose name holds this text");
  test_command->add_flag("--trace", test.trace,
                         "print each call of main, error report and signal as it happens");
  test_command->add_option("--report", test.report_dir,
                           "write an HTML report of every test's steps and screens into this folder");
  test_command->add_option("--junit", test.junit_file, "write the results as JUnit XML into this file");
  test_command->add_option("--snapshots", test.snapshot_dir, "the folder for snapshots with relative paths");
  // A flag that takes its file only after "=": a following word is a script,
  // never the file (the JSON would overwrite it).
  std::string coverage_file;
  CLI::Option *coverage = test_command->add_flag(
      "--coverage{}", coverage_file,
      "also measure which help records the tests read (--coverage=FILE: JSON into FILE)");

  formsterm::CheckOptions check;
  CLI::App *check_command = app.add_subcommand("check", "check a help file against the panel driver");
  check_command->add_option("HELPFILE", check.help_file, "the help file")->required();
  check_command->add_option("--program", check.program, "a transaction program whose panels are checked");
  std::vector<std::string> ignored;
  check_command->add_option("--ignore", ignored,
                            "silence finding NAME for one record: NAME:RECORD, e.g. range-empty:0031");
  std::string format = "text";
  check_command->add_option("--format", format, "text (compiler-style lines) or sarif (SARIF 2.1.0)")
      ->check(CLI::IsMember({"text", "sarif"}))
      ->capture_default_str();

  long long debounce_ms = formsterm::lsp::kDefaultDebounce.count();
  CLI::App *lsp_command =
      app.add_subcommand("lsp", "a language server for help files, on standard input and output");
  lsp_command->add_option("--debounce-ms", debounce_ms, "quiet time after an edit before the file is checked")
      ->capture_default_str()
      ->check(CLI::Range(0LL, 60000LL));

  std::string code;
  CLI::App *explain_command = app.add_subcommand(
      "explain", "what a result code, a keyword, a family of codes or a finding of the check means");
  explain_command
      ->add_option(
          "CODE", code,
          "a two-character result code (Z6), a keyword (VERT=), a family (Z) or a finding (range-empty)")
      ->required();

  std::string topic = "api";
  CLI::App *help_command = app.add_subcommand(
      "help",
      "print a reference: `help api`, the Lua API; `help keywords`, the keywords of definitions and options");
  help_command->add_option("TOPIC", topic, "api or keywords")->capture_default_str();

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &e) {
    return app.exit(e);
  } catch (const formsterm::LoadError &e) {  // --version with a library that is missing or foreign
    std::cerr << "formsterm: " << e.what() << "\n";
    return 2;
  }

  if (*help_command) return print_help(topic);
  if (*explain_command)
    return formsterm::explain_finding(code, std::cout) ? 0 : formsterm::explain_code(code, std::cout);
  try {
    formsterm::check_library(library);
    if (*run_command) {
      run.library_path = library;
      return formsterm::run_interactive(run, std::cerr);
    }
    if (*test_command) {
      test.library_path = library;
      const int status = formsterm::run_tests(test, std::cout, std::cerr);
      if (coverage->count() == 0) return status;
      return std::max(status, formsterm::report_coverage(test, coverage_file, std::cout));
    }
    if (*lsp_command) {
      formsterm::lsp::ServerOptions server;
      server.library_path = library;
      server.debounce = std::chrono::milliseconds(debounce_ms);
      return formsterm::lsp::run_lsp(server);
    }
    check.library_path = library;
    check.format = format == "sarif" ? formsterm::CheckFormat::sarif : formsterm::CheckFormat::text;
    for (const std::string &text : ignored) {
      std::string error;
      const std::optional<formsterm::IgnoredFinding> one = formsterm::parse_ignore(text, error);
      if (!one) {
        std::cerr << "formsterm check: " << error << "\n";
        return 2;
      }
      check.ignored.push_back(*one);
    }
    return formsterm::run_check(check, std::cout);
  } catch (const formsterm::LoadError &e) {
    std::cerr << "formsterm: " << e.what() << "\n";
    return 2;
  } catch (const std::exception &e) {
    std::cerr << "formsterm: " << e.what() << "\n";
    return 2;
  }
}
