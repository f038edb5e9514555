// terminal_test.h - the fixture of the library's tests: a fresh simulated
// terminal, and helpers that drive the library through its entry point as a
// transaction program does.
#ifndef FORMS_TESTS_TERMINAL_TEST_H
#define FORMS_TESTS_TERMINAL_TEST_H

#include <gtest/gtest.h>

#include <string>

#include "entry/entry.h"
#include "entry/state.h"
#include "terminal.h"

class TerminalTest : public ::testing::Test {
 protected:
  termrt::Terminal &t = termrt::terminal();

  // A new terminal and the library as at load: CTest runs each test in a
  // process of its own, and the whole program also runs in one process
  // (under valgrind), where nothing may carry over from test to test.
  void SetUp() override {
    t.reset();
    reset_library_state();
  }
  void TearDown() override { EXPECT_FALSE(t.starved()) << t.starvation(); }

  // The command string for body: the two length digits, then body.
  static std::string command(const std::string &body);
  // Runs body as a command string (function code 3) and returns main's result.
  int run(const std::string &body);
  // Runs a command string exactly as given.
  int run_raw(const char *parm) { return forms_entry(3, parm); }
  int call(int code, const char *parm = "") { return forms_entry(code, parm); }

  std::string row(int r) const { return t.row_text(r); }
  // The characters of row r from column c, n of them.
  std::string cells(int r, int c, int n) const { return t.row_text(r).substr(c, n); }
  std::string screen() const { return t.screen_text(); }
};

#endif
