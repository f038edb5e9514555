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
  bool trace = false;  // print the log as the tests run
};

// Returns the exit status: 0 when every test passed, 1 otherwise.
int run_tests(const TestOptions &options, std::ostream &out);

}  // namespace formsterm

#endif
