// panel_tracker.h - follows the field table that a program builds from the
// command strings it hands the library (SET_HEL, SET_FIE, CLEAR_P), and
// tells, when EXEC_PA starts, which field definitions and which option text
// make up the panel. The help-file check and test coverage watch runs with it.
#ifndef FORMSTERM_PANEL_TRACKER_H
#define FORMSTERM_PANEL_TRACKER_H

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fields/grammar.h"

namespace formsterm {

// A text that the driver read a definition or an option text from: a help
// record (number > 0) or a user variable (number 0).
struct SourcedText {
  int record = 0;
  std::string text;
  std::string where;  // the program's line that ran the command, "prog.lua:12"
};

struct TrackedPanel {
  std::vector<SourcedText> fields;  // in field order
  SourcedText options;
};

class PanelTracker {
 public:
  // help_name: the help file under watch; records: its texts (after the
  // four-digit key and separator) by number.
  PanelTracker(std::string help_name, std::map<int, std::string> records);

  // Before the library runs the command string parm; the panel when it is EXEC_PA.
  std::optional<TrackedPanel> command_starting(const char *parm, const std::string &where);
  // After it; failed: the command showed an error report.
  void command_ended(bool failed);

  const std::map<int, SourcedText> &fields() const { return fields_; }
  // The definition of the field whose cells hold (row, col), 0-based.
  const SourcedText *field_at(int row, int col) const;

 private:
  std::optional<SourcedText> source_text(const std::string &text, const std::string &where) const;

  std::string help_name_;
  std::string current_help_ = KW_DEFAULT(KW_FILE);
  std::map<int, std::string> records_;
  std::map<int, SourcedText> fields_;  // by field number
  std::optional<std::pair<int, SourcedText>> pending_;
};

// The facts of a field definition that the panel checks need, read by the
// driver's keyword rule.
struct FieldFacts {
  int number = 0, row = 0, col = 0, length = 0;  // row and col as written, from 1
  int result_variable = 1;
  std::optional<std::pair<int, int>> help, screen;
  std::string verify_file;
};
FieldFacts facts_of(const std::string &definition);

}  // namespace formsterm

#endif
