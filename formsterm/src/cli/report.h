// report.h - what `formsterm test --report DIR` and `--junit FILE` write:
// an HTML report that opens offline in a browser (an index of the tests,
// failures first, and for each test a timeline of its steps with the screen
// after each), and JUnit XML for CI. Every byte of a test's output is shown
// as text: bytes outside printable ASCII appear as \xNN, never as markup.
#ifndef FORMSTERM_REPORT_H
#define FORMSTERM_REPORT_H

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "driver/session.h"
#include "terminal.h"

namespace formsterm {

// One step of a test's timeline and the display after it.
struct Step {
  std::string kind;  // action, call, return, report, popup, beep, led, log, failure, end
  std::string text;
  long long at_ms = 0;  // virtual time since the test began
  std::size_t screen = 0;
  std::vector<std::pair<int, std::string>> variables;  // the user variables it changed
};

struct ScreenPicture {
  std::string cells, attributes;  // the 20x40 cells row by row; an attribute digit each
  int cursor_row = 0, cursor_col = 0, cursor_type = 0;
  bool operator==(const ScreenPicture &o) const {
    return cursor_row == o.cursor_row && cursor_col == o.cursor_col && cursor_type == o.cursor_type &&
           cells == o.cells && attributes == o.attributes;
  }
  std::string row(int r) const {
    return cells.substr(static_cast<std::size_t>(r) * termrt::kCols, termrt::kCols);
  }
  std::string row_attributes(int r) const {
    return attributes.substr(static_cast<std::size_t>(r) * termrt::kCols, termrt::kCols);
  }
};

struct TestRecord {
  std::string script, name;
  int line = 0;
  std::optional<std::string> failure;
  std::string ending;  // how the test ended, in words
  long long virtual_ms = 0, wall_ms = 0;
  std::vector<ScreenPicture> screens;
  std::vector<Step> steps;
  std::optional<std::vector<std::string>> expected;  // the screen a failed check expected
};

// Follows a test as an observer of its run and keeps its timeline.
class TestReport : public RunObserver {
 public:
  // A test begins (before its fresh start), run in session.
  void begin(const Session &session, const std::string &script, const std::string &name, int line);
  // Forgets the test begun last (a script's top level that only registered tests).
  void drop();
  // The test is over: its failure (or nothing) and the session it ran in.
  void end(const std::optional<std::string> &failure);
  // The test running now, cut short (a crash, a signal): recorded as such.
  void abandon(const std::string &why);

  void terminal_reset() override;
  void command_ended(int result) override;
  void library_waits() override;
  void log_entry(const termrt::LogEntry &entry) override;
  void script_failed(const std::string &error) override;

  const std::vector<TestRecord> &tests() const { return tests_; }

 private:
  void add_step(std::string kind, std::string text);
  void note_variable(Step &step, int number);
  void note_popups();

  const Session *session_ = nullptr;
  std::vector<TestRecord> tests_;
  bool running_ = false;
  bool failed_ = false;  // the failure step is recorded
  long long start_ms_ = 0;
  std::chrono::steady_clock::time_point wall_start_;
  std::map<int, std::string> variables_;
  std::size_t popups_seen_ = 0;
  std::string last_command_;
  unsigned long long display_changes_ = 0;   // the terminal's count at the last picture
  unsigned long long variable_changes_ = 0;  // and at the last look at the variables
};

// Whether files can be written in dir (created when missing); the reason
// when not.
std::optional<std::string> unwritable_folder(const std::string &dir);

// Write the report; each returns the reason when a file could not be written.
std::optional<std::string> write_html_report(const std::vector<TestRecord> &tests, const std::string &dir);
std::optional<std::string> write_junit(const std::vector<TestRecord> &tests, const std::string &file);

}  // namespace formsterm

#endif
