// library_probe.h - runs one command through a freshly loaded library on
// the simulated terminal, with a help file loaded, and tells what error
// reports it showed: the check reads every definition and option record
// as the driver does by letting the driver read it.
#ifndef FORMSTERM_LIBRARY_PROBE_H
#define FORMSTERM_LIBRARY_PROBE_H

#include <map>
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

// The files of a folder by name, as an editor keeps them between checks.
using FolderFiles = std::map<std::string, std::string>;

// What an editor keeps between checks of one folder's help files: the
// folder's files, read once and then one by one as they change, and the
// library's outcome of each definition and option record by its command and
// text. The commands read no record but their own and no file, so an edit
// runs only the records it changed through the library.
struct CheckCache {
  FolderFiles folder_files;
  std::map<std::string, CommandOutcome> outcomes;
};

// Runs commands through a freshly loaded library with the help file loaded
// as HELP.VAL and the files of its folder beside it (read from the folder,
// or given when the caller holds them).
class LibraryProbe {
 public:
  LibraryProbe(std::string library_path, std::string help_content, std::string folder,
               const FolderFiles *given = nullptr);
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
