// terminal_test.cpp - helpers of the test fixture.
#include "support/terminal_test.h"

#include <cstdio>
#include <cstring>
#include <memory>

std::string TerminalTest::command(const std::string &body) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%02zu", body.size() % 100);
  return digits + body;
}

int TerminalTest::run(const std::string &body) {
  // The string in a block of its exact size: a read past its end is caught.
  std::string full = command(body);
  std::unique_ptr<char[]> exact(new char[full.size() + 1]);
  std::memcpy(exact.get(), full.c_str(), full.size() + 1);
  return forms_entry(3, exact.get());
}
