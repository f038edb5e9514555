// session.h - what a script's run looked like to an operator: every call of
// main and every error report in the log beside the terminal's own signals,
// the popups in the order they appeared, and the error reports a test said
// it expects. The display is read at every wait of the library and after
// every call, so the record holds what the library showed, not how.
#ifndef FORMSTERM_SESSION_H
#define FORMSTERM_SESSION_H

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "terminal.h"

namespace formsterm {

// An error report standing on the display (rows 0 and 1): its result code
// ("append" for the append report) and the text it shows.
struct StandingReport {
  std::string code;
  std::string text;
};
std::optional<StandingReport> standing_report(const termrt::Terminal &t);
// The report that row 0 shows, whether or not its key prompt still stands.
std::optional<StandingReport> report_on_row(const std::string &row0);

// The text of the popup window on the display, its lines joined by " / ",
// or nothing when no popup frame stands.
std::optional<std::string> standing_popup(const termrt::Terminal &t);

// "Z6 \"FI=4\": INPUT= missing or not in capitals" - code, text and meaning.
std::string describe_report(const StandingReport &report);

// Watches a run (a mode, the help-file check's program run, test coverage,
// the test report) and may steer it where it says so. Each method has a
// default that neither watches nor steers.
struct RunObserver {
  virtual ~RunObserver() = default;
  virtual void terminal_reset() {}  // a fresh terminal holds the folder's files
  virtual void command_starting(int /*code*/, const char * /*parm*/) {}
  // The command returned and its report, if any, is noted.
  virtual void command_ended(int /*result*/) {}
  virtual void library_waits() {}  // the library waits with nothing queued
  // Each entry of the session's log as it is made (formsterm's notes, the
  // terminal's signals and calls), at the latest at the library's next wait.
  virtual void log_entry(const termrt::LogEntry & /*entry*/) {}
  // A check or callback of the script failed while the library ran a
  // command, which is now cut short: what follows is no longer the test's.
  virtual void script_failed(const std::string & /*error*/) {}
  // Steering: true ends the script (interactive F12) when polled after a call.
  virtual bool quit_requested() { return false; }
  // A callback of the script failed while the library ran a command; true
  // when the observer makes the command end (the default lets the terminal
  // starve it).
  virtual bool ends_failed_command() { return false; }
  // Lua's print; true when the observer has shown (or dropped) the text.
  virtual bool print(const std::string & /*text*/) { return false; }
};

class Session {
 public:
  // Back to an empty record (a fresh terminal); the expected reports stay
  // until the next test (forget_expectations).
  void clear();
  void forget_expectations() {
    expected_.clear();
    seen_.clear();
  }

  // The log: the terminal's entries with the calls of main and the error
  // reports in their places.
  std::vector<termrt::LogEntry> log() const;
  int count_log(const std::string &prefix) const;
  void clear_log();

  void call_started(const std::string &what);
  void call_ended(int result);

  // Reads the display: notes an error report, and at a wait of the library
  // a popup, that was not standing at the last look. Returns the failure of
  // an error report the test did not expect (when reports fail tests).
  std::optional<std::string> look(const std::string &command, bool at_wait);

  const std::vector<std::string> &popups() const { return popups_; }

  void expect_report(const std::string &code, int count);
  // The failure for expected reports that never came, or nothing.
  std::optional<std::string> unmet_expectations() const;
  bool reports_fail = false;  // test mode: an unexpected report fails the test

  // Where each new log entry goes as it happens (the run's observers).
  std::function<void(const termrt::LogEntry &)> on_entry;

  // The screen a failed check expected, cell by cell ('\0' where any cell
  // matches), for a report to set beside the screen; cleared with the record.
  std::optional<std::vector<std::string>> expected_screen;
  // The popups that an operator's popup action matched, by index.
  void popup_matched(std::size_t index) { matched_popups_.push_back(index); }
  const std::vector<std::size_t> &matched_popups() const { return matched_popups_; }

  // An entry of formsterm's own in the log ("action 2 \"enter\"").
  void note(const std::string &what);

 private:
  void flush_trace();

  struct Note {
    std::size_t position;  // the size of the terminal's log when it was made
    termrt::LogEntry entry;
  };
  std::vector<Note> notes_;
  std::size_t own_traced_ = 0, notes_traced_ = 0;  // handed to on_entry so far
  std::vector<std::string> popups_;
  std::vector<std::size_t> matched_popups_;
  std::optional<std::string> popup_seen_;
  std::optional<std::string> report_seen_;
  std::map<std::string, int> expected_;
  std::map<std::string, int> seen_;  // reports met, by code, since the expectations were last forgotten
};

}  // namespace formsterm

#endif
