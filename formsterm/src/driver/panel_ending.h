// panel_ending.h - how the last panel of a run ended and why, told from what
// the run-time showed: the operator's completion key, the messages that
// popped up (by their help record), the fields the cursor stood on, the
// beeps, and the files the library looked up that were not there. A test
// failure names it, so that a refused completion or a missing file is not
// left to be guessed from a later, unrelated assertion.
#ifndef FORMSTERM_PANEL_ENDING_H
#define FORMSTERM_PANEL_ENDING_H

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "check/panel_tracker.h"
#include "driver/session.h"

namespace formsterm {

class PanelEnding : public RunObserver {
 public:
  explicit PanelEnding(const Session &session) : session_(session) {}

  void terminal_reset() override;
  void command_starting(int code, const char *parm) override;
  void command_ended(int result) override;
  void library_waits() override;
  void log_entry(const termrt::LogEntry &entry) override;
  void script_failed(const std::string &) override { frozen_ = true; }

  // The lines a failure adds: how the last panel ended, when a refusal or a
  // missing file explains it, and the refusals and beeps of the test that
  // no popup action expected. Empty when there is nothing to tell.
  std::string explanation() const;

 private:
  // A message of the driver that refused a value.
  struct Refusal {
    int message = 0;   // its help record
    std::string text;  // its first line
    int field = 0;     // the field the cursor stood on after it, when known
    bool after_completion = false;
    std::size_t popup = 0;  // its index among the session's popups
  };
  struct Panel {
    std::string command;
    bool running = true;
    int result = 0;
    bool completion_pressed = false;
    std::vector<Refusal> refusals;
    int beeps = 0, beeps_after_completion = 0;  // the driver's message signal
    int popups = 0;                             // popups that came or changed
    std::vector<std::string> missed;            // files looked up that were not there
  };

  void count_beeps();
  void note_popup_line(const std::optional<std::string> &line);
  std::string field_check(int message, int field) const;
  std::string file_kind(const std::string &name) const;
  std::string describe(const Refusal &r) const;
  std::string missing_files(const Panel &p) const;
  int field_at_cursor() const;

  const Session &session_;
  std::optional<PanelTracker> tracker_;
  std::map<int, std::string> records_;  // HELP.VAL's texts by number
  std::vector<Panel> panels_;
  std::optional<std::string> popup_line_;  // the first line of the popup standing at the last wait
  bool popup_refused_ = false;             // and whether it was a refusal
  std::size_t missed_mark_ = 0;            // the terminal's missed files already taken
  std::size_t beep_mark_ = 0;              // the terminal's log entries looked at
  bool in_panel_ = false;
  bool frozen_ = false;  // the test failed: what the cut-short command does is no reason
};

}  // namespace formsterm

#endif
