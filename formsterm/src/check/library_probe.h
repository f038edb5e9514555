// library_probe.h - runs one command through a freshly loaded library on
// the simulated terminal, with a help file loaded, and tells what error
// reports it showed: the check reads every definition and option record
// as the driver does by letting the driver read it.
#ifndef FORMSTERM_LIBRARY_PROBE_H
#define FORMSTERM_LIBRARY_PROBE_H

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace formsterm {

// What the library showed while it ran one command.
struct CommandOutcome {
  std::vector<std::string> reports;  // "Z8 FI=3": code and report text, as on row 0
  std::string starvation;            // why the command never ended, if it did not
};

// Runs commands through a freshly loaded library with the help file loaded
// as HELP.VAL and the files of its folder beside it.
class LibraryProbe {
 public:
  LibraryProbe(std::string library_path, std::string help_content, std::string folder);
  // fields_first: define plain fields 1 to 20 before, so that panel options
  // meet defined fields; cancel_first: queue the cancel key before.
  CommandOutcome run(const std::string &body, bool fields_first, bool cancel_first) const;

 private:
  void reset_terminal() const;
  std::string library_path_;
  // The files as the terminal holds them (zero-ended records), read and
  // converted once: a check runs thousands of commands over them.
  std::vector<std::pair<std::string, std::string>> files_;
  std::string help_image_;
};

// The report on row 0 as "CODE TEXT", or nothing when row 0 holds none.
std::optional<std::string> error_report_on(const std::string &row0);

}  // namespace formsterm

#endif
