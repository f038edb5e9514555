// session.h - runs one script (script.h) through the library's entry point
// over the process's simulated terminal.
//
// The entry fuzz target and the transcript replayer (tools/replay) share
// it, so that a fuzz input, a finding and a corpus script all run the same
// way wherever they run: the terminal is made new, the lines are applied in
// order, each command goes to the entry point, and a waiting command takes
// the script's input lines as an operator would give them.
#ifndef FORMS_FUZZ_SESSION_H
#define FORMS_FUZZ_SESSION_H

#include <cstddef>
#include <cstdint>
#include <functional>

#include "script.h"

namespace fuzz {

// The library's exported entry point, however it was reached.
using EntryPoint = int (*)(int code, const char *parm);

// Bounds that keep every script cheap: lines read, commands run.
constexpr std::size_t kMaxLines = 400;
constexpr int kMaxCommands = 40;

struct StepHooks {
  // Just before a command line goes to the entry point; step counts from 1.
  std::function<void(const Line &line, int step)> before;
  // Right after it returned with result (the terminal as the command left it).
  std::function<void(const Line &line, int step, int result)> after;
};

// Runs the script data over a new terminal through entry. The library's own
// state is the caller's: load it afresh, or reset it, before the call. The
// terminal is made new again at the end.
void run_script(const std::uint8_t *data, std::size_t size, EntryPoint entry, const StepHooks &hooks);

}  // namespace fuzz

#endif
