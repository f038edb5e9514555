// recorder.h - `formsterm run --record NEW_test.lua`: the keys and scans of
// an interactive session written down as a test script that replays them
// as operator actions, with a golden screen wherever the author pressed the
// snapshot key and one at the end. The script is rewritten whole after every
// action, so a session that stops anyhow leaves a valid script behind,
// ending with a comment that says where it stopped.
//
// After each panel the script checks the user variables the panel stored
// (those that still hold the value where the replay checks them). Golden
// screens mask what the clock filled in: a date or time on the display
// whose digits the library got from the clock, unless the operator typed them.
#ifndef FORMSTERM_RECORDER_H
#define FORMSTERM_RECORDER_H

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "driver/session.h"
#include "terminal.h"

namespace formsterm {

class Recorder : public RunObserver {
 public:
  // Throws std::runtime_error when the script cannot be written.
  Recorder(std::filesystem::path test, std::filesystem::path program);

  // The panel's commands: the variables an EXEC_PA stores are checked after it.
  void command_starting(int code, const char *parm) override;
  void command_ended(int result) override;

  void key(std::uint16_t code);
  void scan(const std::string &text);
  // F8: a golden screen of the display, taken at the library's next wait
  // for input, where the replay checks it.
  void request_snapshot() { snapshot_requested_ = true; }
  // The library waits for input: takes a requested snapshot; true if so.
  bool input_wait();
  // The driver paused (banner, timed message): time spent there is no
  // operator's wait.
  void paused();
  // How the session ended: "the program ended" (a golden of the last
  // screen follows), "stopped by F12 ..." (the replay quits there too), or
  // a failure of the program.
  enum class Ending { kEnded, kQuit, kFailed };
  void ended(Ending ending, const std::string &how);

  const std::filesystem::path &test() const { return test_; }
  int goldens() const { return goldens_; }

 private:
  struct Action {
    enum Kind { kKey, kScan, kWait, kGolden, kQuit, kVariables } kind;
    std::uint16_t code = 0;
    std::string text;  // scan text, or the golden's path
    long long seconds = 0;
    std::vector<std::pair<int, std::string>> variables;  // kVariables: the values to check
  };
  void note_gap();
  std::string golden(const std::string &name);
  void write(const std::string &footer, const std::string &after_operate) const;

  std::filesystem::path test_, program_;
  std::string started_;  // the clock at the start, for terminal.set_clock
  std::vector<Action> actions_;
  long long last_ms_;  // the last action or pause, in wall-clock milliseconds
  int goldens_ = 0;
  bool snapshot_requested_ = false;
  std::string typed_digits_;  // every digit the operator typed, in order
  std::size_t panel_log_mark_ = 0;
  bool in_panel_ = false;
  std::vector<std::pair<int, std::string>> stored_;  // by the last panel, to check at the next input wait
};

// The display as a golden screen, with the dates and times masked that
// the clock filled in (not those among typed_digits, the operator's).
std::string masked_golden(const termrt::Terminal &t, const std::string &typed_digits);

}  // namespace formsterm

#endif
