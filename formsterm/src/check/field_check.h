// field_check.h - reads every field of a panel as the driver will: the
// records its keywords make the driver read (masks, range bounds, list
// entries) and what they read as, whether any value can pass its checks,
// the value files it names, keywords the driver ignores in the panel's
// setting, and lengths its input kind cannot hold.
#ifndef FORMSTERM_FIELD_CHECK_H
#define FORMSTERM_FIELD_CHECK_H

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "check/finding.h"
#include "check/help_file.h"
#include "check/library_probe.h"
#include "check/panel_tracker.h"

namespace formsterm {

// A field definition as the driver reads it, as far as its checks need.
struct FieldReading {
  int number = 0;
  std::string kind;  // the INPUT= word in capitals
  int length = 0;
  bool is_signed = false;
  bool fixed = false;                      // MODE=F
  char verify = 'N';                       // the VERT= letter, 'I' when only VERF= is given
  std::vector<std::string> verify_pieces;  // the pieces of VERT=, the letter's first
  std::string verify_file;
  std::string data_id;
  bool required = true;         // REQ= not N
  bool data_id_needed = false;  // MANDI=Y
  bool has_help = false;        // HELP= gives the help key a text
};
// Nothing when the driver rejects the definition before its checks matter
// (no field number, an unknown input kind, a length outside 1 to 39).
std::optional<FieldReading> read_field(const std::string &definition);

// Whether the operator (or a scan, for a field that takes one) can give the
// field the value; why not otherwise.
std::optional<std::string> why_unfit(const FieldReading &field, const std::string &value);

// Whether the VERT= letter checks the value against the VERF= file.
bool is_file_letter(char letter);

// Whether the driver reports the code for a VERT= value.
bool is_verify_code(const std::string &code);

// The form of a keyword's value that the driver would take, when the
// definition's value is almost right ("VERT=R,100,101" for VERT=R100,101).
std::optional<std::string> nearest_form(const std::string &definition, const std::string &code);

// The files a panel's fields name, read once per check.
class ValueFiles {
 public:
  // held: the folder's files when the caller keeps them (an editor's).
  explicit ValueFiles(std::string folder, const FolderFiles *held = nullptr)
      : folder_(std::move(folder)), held_(held) {}
  // The records of NAME (found with any letter case), or nothing.
  const std::vector<std::string> *records(const std::string &name);

 private:
  std::optional<std::string> content_of(const std::string &upper_name) const;
  std::string folder_;
  const FolderFiles *held_;
  std::map<std::string, std::optional<std::vector<std::string>>> read_;
};

// What the check knows of the options the panel runs with.
struct PanelSetting {
  std::vector<SourcedText> options;  // the panel's option text, or the candidates of a file
  bool exact = false;                // the options are the panel's own (a program ran it)
};

// The findings of each field of the panel. Each field's record is read
// once per check: seen collects them.
std::vector<Finding> check_panel_fields(const TrackedPanel &panel, const PanelSetting &setting,
                                        const HelpIndex &help, ValueFiles &files, std::set<int> &seen);

// Panel options that the panel's fields give nothing to do (TOE= without
// a time-out, HVR= without a file check), when the options are the
// panel's own. seen: the option records already checked.
std::vector<Finding> check_ignored_options(const TrackedPanel &panel, const PanelSetting &setting,
                                           const HelpIndex &help, std::set<int> &seen);

// The message records the panel can show that the help file lacks, each
// at the field (or the panel's first field) that brings it, with when the
// driver shows it. reported: the messages already named, named once per check.
std::vector<Finding> check_panel_messages(const TrackedPanel &panel, const PanelSetting &setting,
                                          const HelpIndex &help, std::set<int> &reported);

}  // namespace formsterm

#endif
