// help_file.h - how a help file reads as records: one a line (or zero-ended
// in a memory image), each a four-digit number, a separator and a text; and
// which texts are field definitions and which panel options. The check, its
// language server and coverage share these readings.
#ifndef FORMSTERM_HELP_FILE_H
#define FORMSTERM_HELP_FILE_H

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "screen/popup.h"

namespace formsterm {

// Characters of a popup's text line: messages and the help key's texts.
constexpr std::size_t kPopupWidth = POPUP_TEXT_WIDTH;

struct HelpRecord {
  int line = 0;      // 1-based line (or record) number in the file
  std::string text;  // the whole record: number, separator, text
};

// The records of a help file: one a line, or zero-ended records when the
// file is an image that holds zero bytes.
std::vector<HelpRecord> split_records(const std::string &content);

// The record number of a well-formed record (four digits first).
std::optional<int> record_number(const std::string &record);

// "0031"
std::string four_digits(int n);
// The record's text after its number and separator.
std::string text_of(const std::string &record);
bool is_field_definition(const std::string &text);
bool is_panel_options(const std::string &text);

// The numbered records of a file, each number once (the first record that
// has it, the one the lookup is most likely to find).
class HelpIndex {
 public:
  explicit HelpIndex(const std::vector<HelpRecord> &records);
  const HelpRecord *find(int number) const;
  bool has(int number) const { return find(number) != nullptr; }
  // The line of record number, 0 when there is none.
  int line_of(int number) const;
  const std::map<int, const HelpRecord *> &records() const { return by_number_; }

 private:
  std::map<int, const HelpRecord *> by_number_;
};

}  // namespace formsterm

#endif
