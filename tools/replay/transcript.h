// transcript.h - what a script did, step by step, as plain text.
//
// Before each command the recorder takes the terminal's state; after it,
// it writes only what the command changed: the result of main, the display
// rows (characters, and attributes where a row has any), the cursor, the
// user variables and the new lines of the run-time's log. A transcript is
// the same on every build that behaves the same, so transcripts are
// compared byte for byte.
#ifndef FORMS_REPLAY_TRANSCRIPT_H
#define FORMS_REPLAY_TRANSCRIPT_H

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "script.h"

namespace replay {

// Text with every byte outside printable ASCII (and the backslash) as \xHH.
std::string escaped(const std::string &bytes);

class Recorder {
 public:
  // The first lines of a step: the command line as the script gives it.
  std::string begin_step(const fuzz::Line &line, int step);
  // The rest of it: the result and what changed since begin_step.
  std::string end_step(int result);

 private:
  struct State {
    std::vector<std::string> rows, attributes;
    int cursor_row = 0, cursor_col = 0, cursor_type = 0;
    std::map<int, std::string> variables;
    std::size_t log_size = 0;
  };
  static State take();

  State before_;
};

}  // namespace replay

#endif
