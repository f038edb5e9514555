// keywords.h - the keywords of each command that takes keyword tokens, the
// "VERT=" letters and the message records, as the library's grammar
// (fields/grammar.h) states them: the window of characters after the keyword
// that holds its value, the form and range of the value, the result codes of
// a missing keyword, a keyword without a value, a bad value and every further
// check, the records it makes the driver read, and what the driver does when
// it is absent. The texts for people are added here. The help-file check,
// coverage, `help keywords` and `explain` read them.
#ifndef FORMSTERM_KEYWORDS_H
#define FORMSTERM_KEYWORDS_H

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fields/grammar.h"

namespace formsterm {

// The form of a keyword's value (the FORM_ numbers of the library's grammar).
enum class ValueForm {
  number = FORM_NUMBER,
  letter = FORM_LETTER,
  yes_no = FORM_YES_NO,
  name = FORM_NAME,
  input_word = FORM_INPUT_WORD,
  length = FORM_LENGTH,
  records = FORM_RECORDS,
  verify = FORM_VERIFY,
  variable = FORM_VARIABLE,
};

// One keyword, as the library's grammar (fields/grammar.h) states it, with
// the texts that tell a panel author about it.
struct Keyword {
  std::string_view name;       // "INPUT=", as written (the driver's search is case-sensitive)
  std::size_t window;          // characters after the keyword that the value is taken from
  std::string_view missing;    // result code when the keyword is absent ("" when optional)
  std::string_view no_value;   // result code when no value follows it
  std::string_view bad;        // result code of a wrong value ("" when none)
  std::string_view absent;     // what the driver does without it
  ValueForm form;              // what the value is
  std::string_view letters;    // the letters a letter value may be, with their case
  long long low, high;         // the range of a number or length; the longest name (0: any)
  std::string_view no_second;  // codes of a second record number ("" when none)
  std::string_view bad_second;
  std::string_view default_value;         // what the driver takes without it ("" none)
  std::vector<std::string_view> further;  // every other code the keyword's value can raise
  std::string_view reads;                 // the help records its value makes the driver read, and as what
  std::string_view example;               // a good value, as written: "VERT=R,30,31"
  std::string_view example_means;         // what the example does
};

// A keyword's word and window, picked from a row of the grammar:
// constexpr KeywordWindow kVert = window_of(KW_VERT).
struct KeywordWindow {
  std::string_view word;
  std::size_t window;
};
template <class... Rest>
constexpr KeywordWindow window_of(std::string_view word, int window, Rest...) {
  return {word, static_cast<std::size_t>(window)};
}

enum class Command { field_definition, panel_options, help_file, help_range };

// The keywords of a command, in the order in which the driver reads them.
const std::vector<Keyword> &keywords_of(Command command);
std::string_view command_name(Command command);  // "field definition (SET_FIE)"

const Keyword *find_keyword(Command command, std::string_view name);

// The known keyword nearest to an unknown one (letter case ignored, a swap of
// two neighbouring letters counts as one edit), when it is near enough.
const Keyword *nearest_keyword(Command command, std::string_view unknown);

bool is_separator(char c);  // the driver's token separators: comma, blank, equals sign

// The piece-th piece (0 the first) of the value after keyword, by the
// driver's rule: the first occurrence of keyword anywhere in text, at most
// its window of characters after it, split at separators.
std::optional<std::string> keyword_piece(const std::string &text, KeywordWindow keyword, int piece = 0);
// Piece piece of keyword's value as a number, by the driver's decimal rule; 0 when absent.
int keyword_number(const std::string &text, KeywordWindow keyword, int piece = 0);

// A "VERT=" letter: what it checks, the records it reads, its codes.
struct VerifyLetter {
  char letter;
  int mandatory;  // what it sets the file check's mandatory flag to; -1 keeps it
  int records;    // record numbers after the letter
  int read_as;    // READ_AS_...
  int message;    // the message record of a refused value (0 none)
  std::string_view no_first, bad_first, no_second, bad_second, too_long;
  std::string_view missing_first, missing_second;  // codes of validation for a record not there
  std::string_view meaning;                        // what the check is
};
const std::vector<VerifyLetter> &verify_letters();
const VerifyLetter *find_verify_letter(char letter);

// An input kind, and the form the driver stores its values in (the
// template that validation fills from the clock; "" when kept as typed).
struct InputKind {
  std::string_view word;
  std::string_view stored_form;
  std::size_t stored_length;  // 0: the field's own length
};
const std::vector<InputKind> &input_kinds();
const InputKind *find_input_kind(std::string_view word);

// A message record the driver shows, and when.
struct MessageRecord {
  int number;
  int type;      // MESSAGE_TIMED, ... of the library; -1: a line of other messages
  bool refuses;  // tells the operator that a value was refused
  std::string_view when;
  std::string_view failed;  // of a refusing message: what the field failed ("its mask check")
};
const std::vector<MessageRecord> &message_records();
bool is_message_record(int number);

// What a record is read as (READ_AS_...), for people: "a mask".
std::string_view read_as_name(int read_as);

// The WORD= tokens of a text: a run of letters, digits and underscores that
// starts the text or follows a separator and ends in "=". Each with its offset.
struct KeywordToken {
  std::string word;  // "VREF="
  std::size_t at;
};
std::vector<KeywordToken> keyword_tokens(const std::string &text);

}  // namespace formsterm

#endif
