// keywords.h - the keywords of each command that takes keyword tokens, as
// the driver reads them: the window of characters after the keyword that
// holds its value, the result codes of a missing keyword, a keyword without
// a value and a bad value, and what the driver does when it is absent. One
// table per command; the help-file check and coverage read them.
#ifndef FORMSTERM_KEYWORDS_H
#define FORMSTERM_KEYWORDS_H

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace formsterm {

struct Keyword {
  std::string_view name;      // "INPUT=", as written (the driver's search is case-sensitive)
  std::size_t window;         // characters after the keyword that the value is taken from
  std::string_view missing;   // result code when the keyword is absent ("" when optional)
  std::string_view no_value;  // result code when no value follows it
  std::string_view bad;       // result code of a wrong value ("" when none)
  std::string_view absent;    // what the driver does without it
};

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
// window characters after it, split at separators.
std::optional<std::string> keyword_piece(const std::string &text, std::string_view keyword,
                                         std::size_t window, int piece = 0);

// The WORD= tokens of a text: a run of letters, digits and underscores that
// starts the text or follows a separator and ends in "=". Each with its offset.
struct KeywordToken {
  std::string word;  // "VREF="
  std::size_t at;
};
std::vector<KeywordToken> keyword_tokens(const std::string &text);

}  // namespace formsterm

#endif
