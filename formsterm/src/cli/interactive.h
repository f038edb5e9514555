// interactive.h - `formsterm run PROGRAM.lua`: the program drives the
// library on the simulated terminal in real time, shown with ncurses, and
// the keyboard of the machine is the terminal's keyboard.
#ifndef FORMSTERM_INTERACTIVE_H
#define FORMSTERM_INTERACTIVE_H

#include <iosfwd>
#include <optional>
#include <string>

namespace formsterm {

struct RunOptions {
  std::string library_path;
  std::string program;
  std::string record;  // write the session as a test script here
};

// Why this process has no usable terminal, or nothing when it has one.
std::optional<std::string> missing_terminal();

// Returns the exit status: 0 after the program ended or the user quit, 1 on
// a failure of the program, 2 when there is no terminal or no library.
int run_interactive(const RunOptions &options, std::ostream &err);

}  // namespace formsterm

#endif
