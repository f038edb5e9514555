// fixed_command.h - command bodies for the commands that read their
// arguments at fixed positions, and a fixture that runs them and reads back
// the error report they show.
#ifndef FORMS_TESTS_FIXED_COMMAND_H
#define FORMS_TESTS_FIXED_COMMAND_H

#include <initializer_list>
#include <string>
#include <utility>

#include "support/terminal_test.h"

// The body (what follows the two length digits) of a command of the given
// length: the name, blanks, and each piece at its position. Positions count
// from 0 at the first length digit, as the commands count them; a piece that
// reaches past the length makes the body longer.
inline std::string fixed_command(const std::string &name, std::size_t length,
                                 std::initializer_list<std::pair<int, std::string>> pieces) {
  std::string body = name;
  body.resize(length, ' ');
  for (const auto &[position, text] : pieces) {
    std::size_t at = static_cast<std::size_t>(position - 2);
    if (body.size() < at + text.size()) body.resize(at + text.size(), ' ');
    body.replace(at, text.size(), text);
  }
  return body;
}

class CommandTest : public TerminalTest {
 protected:
  // Runs a command that should fail and acknowledges its error report.
  // Returns the result code the report showed, or "no report".
  std::string report_of(const std::string &body) {
    t.key(13);
    EXPECT_EQ(run(body), 0);
    EXPECT_EQ(t.pending_keys(), 0u) << "the report waits for a key";
    if (cells(0, 0, 9) != "Bad CZEB(") return "no report";
    EXPECT_EQ(cells(0, 13, 18), (command(body) + std::string(18, ' ')).substr(0, 18))
        << "the report shows the command string";
    return cells(0, 9, 2);
  }
};

#endif
