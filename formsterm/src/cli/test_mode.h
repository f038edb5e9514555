// test_mode.h - `formsterm test`: runs test scripts headless on the virtual
// clock, a line per test and a last line "N passed, M failed".
#ifndef FORMSTERM_TEST_MODE_H
#define FORMSTERM_TEST_MODE_H

#include <iosfwd>
#include <string>
#include <vector>

namespace formsterm {

struct TestOptions {
  std::string library_path;
  std::vector<std::string> scripts;
  std::string snapshot_dir;
  std::string filter;  // only tests whose name holds this text
  bool update_goldens = false;
  bool trace = false;      // print the log as the tests run
  std::string report_dir;  // the HTML report's folder, or empty
  std::string junit_file;  // the JUnit XML file, or empty
};

// Returns the exit status: 0 when every test passed, 1 otherwise. A report
// that cannot be written is an error on err; the status stays the tests'.
int run_tests(const TestOptions &options, std::ostream &out, std::ostream &err);

}  // namespace formsterm

#endif
