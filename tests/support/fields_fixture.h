// fields_fixture.h - a terminal test that starts with the field table as it
// is at load and with the title banner already shown, so that a key queued
// for an error report is not taken by the banner's pause.
#ifndef FORMS_TESTS_FIELDS_FIXTURE_H
#define FORMS_TESTS_FIELDS_FIXTURE_H

#include <cstring>
#include <string>

#include "entry/entry.h"
#include "fields/table.h"
#include "support/terminal_test.h"

class FieldsTest : public TerminalTest {
 protected:
  void SetUp() override {
    TerminalTest::SetUp();
    std::memset(&fields, 0, sizeof fields);
    decimal_style[0] = '\0';
    std::strcpy(help_file_name, "HELP.VAL");
    current_field = 0;
    banner_shown = 1;
  }

  // Runs SET_FIE over a definition text held in user variable 1.
  void define(const std::string &text) {
    t.set_variable(1, text);
    run("SET_FIE VAR=1");
  }

  // Gives the key that acknowledges an error report, runs body and returns
  // row 0 of the screen.
  std::string report_of_command(const std::string &body) {
    t.key(13);
    run(body);
    return row(0);
  }
  std::string report_of(const std::string &definition) {
    t.key(13);
    define(definition);
    return row(0);
  }

  // Row 0 of the error report with code and text.
  static std::string report_row(const std::string &code, const std::string &text) {
    std::string shown = "Bad CZEB(" + code + "):" + text.substr(0, 18);
    return shown + std::string(40 - shown.size(), ' ');
  }
};

#endif
