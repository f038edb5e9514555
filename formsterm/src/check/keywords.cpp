// keywords.cpp - the keyword tables of the field definition, the panel
// options, the help-file command and the one-time help range.
#include "check/keywords.h"

#include <algorithm>
#include <cctype>

namespace formsterm {

namespace {

const std::vector<Keyword> kFieldDefinition = {
    {"FI=", 10, "Z3", "Z4", "Z5", ""},
    {"INPUT=", 10, "Z6", "Z7", "Z8", ""},
    {"LEN=", 10, "Z9", "ZA", "ZB", ""},
    {"ROW=", 10, "ZC", "ZD", "ZE", ""},
    {"COL=", 10, "ZF", "ZG", "ZH", ""},
    {"VERT=", 15, "", "ZI", "ZO", "no check, unless VERF= names a file"},
    {"MODE=", 10, "", "ZP", "ZQ", "variable length (V)"},
    {"REQ=", 10, "", "ZR", "ZS", "the field is required (Y)"},
    {"KEEPDI=", 10, "", "ZT", "ZU", "the Data ID is dropped from the value (N)"},
    {"MANDI=", 10, "", "Zq", "Zr", "the Data ID is not mandatory (N)"},
    {"EDIT=", 10, "", "ZV", "ZW", "the first key edits the value (Y)"},
    {"RUV=", 10, "", "ZX", "ZY", "the value goes to user variable 1"},
    {"PUV=", 10, "", "ZZ", "Za", "the field starts empty"},
    {"VERF=", 15, "", "Zb", "Zc", "no validation file"},
    {"HELP=", 15, "", "Zd", "Ze", "the help key shows nothing for the field"},
    {"SCRN=", 15, "", "Zm", "Zn", "no screen of its own"},
    {"DI=", 10, "", "Zh", "Zi", "no Data ID"},
};

const std::vector<Keyword> kPanelOptions = {
    {"TOE=", 10, "", "X3", "X4", "a time-out ends the panel (N)"},
    {"ERET=", 10, "", "X5", "X6", "completion returns 1, cancel and time-out 0 (N)"},
    {"CON=", 10, "", "X7", "X8", "fields are validated one by one (N)"},
    {"MULT=", 10, "", "XV", "XW", "all fields on one screen (N)"},
    {"L=", 10, "", "X9", "XA", "N"},
    {"CNP=", 10, "", "XB", "XC", "values not prefilled are emptied at the start (Y)"},
    {"T=", 15, "", "XD", "", "no time-out"},
    {"HVR=", 15, "", "XO", "XP", "no one-time help range"},
    {"SF=", 15, "", "XF", "XG", "the panel starts on the first defined field"},
    {"REASON=", 15, "", "XX", "XY", "no reason variable"},
};

const std::vector<Keyword> kHelpFile = {{"FILE=", 15, "Zl", "Zk", "", ""}};
const std::vector<Keyword> kHelpRange = {{"HELP=", 15, "", "XQ", "XR", "record 3 is shown"}};

std::string upper(std::string_view text) {
  std::string out(text);
  for (char &c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// Edits between a and b, a swap of neighbours counting as one.
std::size_t edit_distance(const std::string &a, const std::string &b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i)
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  return d[a.size()][b.size()];
}

bool is_word_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

}  // namespace

const std::vector<Keyword> &keywords_of(Command command) {
  switch (command) {
    case Command::field_definition: return kFieldDefinition;
    case Command::panel_options: return kPanelOptions;
    case Command::help_file: return kHelpFile;
    case Command::help_range: break;
  }
  return kHelpRange;
}

std::string_view command_name(Command command) {
  switch (command) {
    case Command::field_definition: return "field definition (SET_FIE)";
    case Command::panel_options: return "panel option text (EXEC_PA)";
    case Command::help_file: return "SET_HEL";
    case Command::help_range: break;
  }
  return "one-time help range";
}

const Keyword *find_keyword(Command command, std::string_view name) {
  for (const Keyword &k : keywords_of(command))
    if (k.name == name) return &k;
  return nullptr;
}

const Keyword *nearest_keyword(Command command, std::string_view unknown) {
  const std::string word = upper(unknown);
  const Keyword *best = nullptr;
  std::size_t best_distance = 0;
  for (const Keyword &k : keywords_of(command)) {
    const std::size_t d = edit_distance(word, std::string(k.name));
    if (best == nullptr || d < best_distance) best = &k, best_distance = d;
  }
  // Two edits in a keyword of four letters or more, one in a shorter one.
  const std::size_t allowed = word.size() > 4 ? 2 : 1;
  return best != nullptr && best_distance <= allowed ? best : nullptr;
}

bool is_separator(char c) { return c == ',' || c == ' ' || c == '='; }

std::optional<std::string> keyword_piece(const std::string &text, std::string_view keyword,
                                         std::size_t window, int piece) {
  const std::size_t at = text.find(keyword);
  if (at == std::string::npos) return std::nullopt;
  const std::string after = text.substr(at + keyword.size(), window);
  std::size_t i = 0;
  for (int n = 0;; ++n) {
    while (i < after.size() && is_separator(after[i])) ++i;
    if (i >= after.size()) return std::nullopt;
    std::size_t end = i;
    while (end < after.size() && !is_separator(after[end])) ++end;
    if (n == piece) return after.substr(i, end - i);
    i = end;
  }
}

std::vector<KeywordToken> keyword_tokens(const std::string &text) {
  std::vector<KeywordToken> tokens;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!is_word_char(text[i]) || (i > 0 && !is_separator(text[i - 1]))) continue;
    std::size_t end = i;
    while (end < text.size() && is_word_char(text[end])) ++end;
    if (end < text.size() && text[end] == '=' && std::isalpha(static_cast<unsigned char>(text[i])))
      tokens.push_back({text.substr(i, end + 1 - i), i});
    i = end;
  }
  return tokens;
}

}  // namespace formsterm
