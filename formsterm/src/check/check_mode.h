// check_mode.h - `formsterm check HELPFILE`: whether a help file will work
// with the panel driver. The layout (numbered records in the ascending order
// that the lookup's binary search needs, no number twice), the message
// records the driver shows, the records that field validation reads, and
// every field definition and panel option record run through the library
// itself on the simulated terminal.
#ifndef FORMSTERM_CHECK_MODE_H
#define FORMSTERM_CHECK_MODE_H

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "check/keywords.h"

namespace formsterm {

// Characters of a popup's text line: messages and the help key's texts.
constexpr std::size_t kPopupWidth = 22;

struct HelpRecord {
  int line = 0;      // 1-based line (or record) number in the file
  std::string text;  // the whole record: number, separator, text
};

// One finding; line 0 means the file as a whole. Warnings do not fail a
// check. file: where the finding is, when not in the help file (a program).
// column and length: the bytes of the line that the finding is about (from
// 0; length 0 is the whole line). name: the finding's stable name.
struct Finding {
  Finding(int at_line, std::string what, bool is_warning = false, std::string in_file = {})
      : line(at_line), text(std::move(what)), warning(is_warning), file(std::move(in_file)) {}
  int line = 0;
  std::string text;
  bool warning = false;
  std::string file;
  std::string name;
  std::size_t column = 0;
  std::size_t length = 0;
};

// The records of a help file: one a line, or zero-ended records when the
// file is an image that holds zero bytes.
std::vector<HelpRecord> split_records(const std::string &content);

// The record number of a well-formed record (four digits first).
std::optional<int> record_number(const std::string &record);

std::vector<Finding> check_layout(const std::vector<HelpRecord> &records);
std::vector<Finding> check_messages(const std::vector<HelpRecord> &records);
std::vector<Finding> check_references(const std::vector<HelpRecord> &records);

// "0031"
std::string four_digits(int n);
// The record's text after its number and separator.
std::string text_of(const std::string &record);
bool is_field_definition(const std::string &text);
bool is_panel_options(const std::string &text);

// What the library showed while it ran one command.
struct CommandOutcome {
  std::vector<std::string> reports;  // "Z8 FI=3": code and report text, as on row 0
  std::string starvation;            // why the command never ended, if it did not
};

// The files of a folder by name, as an editor keeps them between checks.
using FolderFiles = std::map<std::string, std::string>;

// Runs commands through a freshly loaded library with the help file loaded
// as HELP.VAL and the files of its folder beside it (read from the folder,
// or given when the caller holds them).
class LibraryProbe {
 public:
  LibraryProbe(std::string library_path, std::string help_content, std::string folder,
               const FolderFiles *files = nullptr);
  // fields_first: define plain fields 1 to 20 before, so that panel options
  // meet defined fields; cancel_first: queue the cancel key before.
  CommandOutcome run(const std::string &body, bool fields_first, bool cancel_first) const;

 private:
  void reset_terminal() const;
  std::string library_path_;
  std::string help_content_;
  std::string folder_;
  const FolderFiles *files_;
};

// The report on row 0 as "CODE TEXT", or nothing when row 0 holds none.
std::optional<std::string> error_report_on(const std::string &row0);

// What an editor keeps between checks of one folder's help files: the
// folder's files, read once and then one by one as they change, and the
// library's outcome of each definition and option record by its command and
// text. The commands read no record but their own and no file, so an edit
// runs only the records it changed through the library.
struct CheckCache {
  FolderFiles folder_files;
  std::map<std::string, CommandOutcome> outcomes;
};

struct CheckOptions {
  std::string library_path;
  std::string help_file;
  std::string program;          // a transaction program whose panels are checked, or empty
  CheckCache *cache = nullptr;  // an editor's; the folder is then never read
};

// Everything a check finds in a help file's content, sorted by file and
// line; options.help_file names where it lies (its folder holds the files it
// names), and options.program, when set, is run to check its panels.
struct HelpFileCheck {
  std::vector<Finding> findings;
  int records = 0;
  int definitions = 0;
  int panels = 0;
  int program_panels = -1;  // -1 without a program
};
HelpFileCheck check_help_text(const CheckOptions &options, const std::string &content);

// Prints the findings; returns the exit status: 0 when all is well.
int run_check(const CheckOptions &options, std::ostream &out);

}  // namespace formsterm

#endif
