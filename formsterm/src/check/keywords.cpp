// keywords.cpp - the keyword tables of the field definition, the panel
// options, the help-file command and the one-time help range.
#include "check/keywords.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "common/text.h"

namespace formsterm {

namespace {

// What a panel author reads about each keyword: what the driver does without
// it, the records its value makes the driver read, and an example.
struct KeywordText {
  std::string_view name, absent, reads, example, example_means;
};

const KeywordText kFieldTexts[] = {
    {KW_WORD(KW_FI), "", "", "FI=3", "defines field 3"},
    {KW_WORD(KW_INPUT), "", "", "INPUT=DATE_EURO", "a date typed as DD-MM-YYYY"},
    {KW_WORD(KW_LEN), "", "", "LEN=-7.2", "a sign, seven characters with two decimals"},
    {KW_WORD(KW_ROW), "", "", "ROW=4", "the field on the display's fourth row (rows count from 1)"},
    {KW_WORD(KW_COL), "", "", "COL=13", "the field from the 13th column (columns count from 1)"},
    {KW_WORD(KW_VERT), "no check, unless VERF= names a file",
     "F: the mask in its record; R: the lowest and highest number in its two records; S: the permitted "
     "values in the records from the first to the second",
     "VERT=R,30,31", "a range check between the numbers in records 30 and 31"},
    {KW_WORD(KW_MODE), "variable length (V)", "", "MODE=F", "the value must fill the field"},
    {KW_WORD(KW_REQ), "the field is required (Y)", "", "REQ=N", "the field may be left empty"},
    {KW_WORD(KW_KEEPDI), "the Data ID is dropped from the value (N)", "", "KEEPDI=Y",
     "a scan keeps its Data ID"},
    {KW_WORD(KW_MANDI), "the Data ID is not mandatory (N)", "", "MANDI=Y",
     "a scan must begin with the Data ID"},
    {KW_WORD(KW_EDIT), "the first key edits the value (Y)", "", "EDIT=N", "the first key replaces the value"},
    {KW_WORD(KW_RUV), "the value goes to user variable 1", "", "RUV=5",
     "completion stores the value in user variable 5"},
    {KW_WORD(KW_PUV), "the field starts empty", "", "PUV=5", "the field starts with user variable 5's text"},
    {KW_WORD(KW_VERF), "no validation file", "", "VERF=PARTS", "the value is checked against PARTS.VAL"},
    {KW_WORD(KW_HELP), "the help key shows nothing for the field", "the lines the help key (F1) shows",
     "HELP=40,42", "F1 shows records 40 to 42"},
    {KW_WORD(KW_SCRN), "no screen of its own", "the lines of the field's own screen, with MULT=Y",
     "SCRN=50,55", "records 50 to 55 fill the display before the field (MULT=Y)"},
    {KW_WORD(KW_DI), "no Data ID", "", "DI=P", "a scan beginning with P goes to this field"},
};

const KeywordText kPanelTexts[] = {
    {KW_WORD(KW_TOE), "a time-out ends the panel (N)", "", "TOE=T", "a time-out tries to complete the panel"},
    {KW_WORD(KW_ERET), "completion returns 1, cancel and time-out 0 (N)", "", "ERET=S",
     "completion returns 0, cancel 1"},
    {KW_WORD(KW_CON), "fields are validated one by one (N)", "", "CON=Y",
     "fields of one file are checked together"},
    {KW_WORD(KW_MULT), "all fields on one screen (N)", "", "MULT=Y",
     "each field gets its own screen (SCRN=)"},
    {KW_WORD(KW_L), "N", "", "L=Y", "read and checked, then ignored"},
    {KW_WORD(KW_CNP), "values not prefilled are emptied at the start (Y)", "", "CNP=N",
     "the fields show their values of the last panel"},
    {KW_WORD(KW_T), "no time-out", "", "T=60", "60 seconds without a key time out a field"},
    {KW_WORD(KW_HVR), "no one-time help range",
     "the records of the HELP=first,last range in that variable, once, instead of message 3", "HVR=12",
     "user variable 12 may hold a one-time help range"},
    {KW_WORD(KW_SF), "the panel starts on the first defined field", "", "SF=2",
     "the panel starts on field 2"},
    {KW_WORD(KW_REASON), "no reason variable", "", "REASON=7", "user variable 7 gets OK, CANCEL or TIMEOUT"},
};

const KeywordText kHelpFileTexts[] = {
    {KW_WORD(KW_FILE), "", "every help record from then on", "FILE=STOCK.VAL",
     "help records come from STOCK.VAL"},
};
const KeywordText kHelpRangeTexts[] = {
    {KW_WORD(KW_HELP_RANGE), "record 3 is shown",
     "the records of the range, shown once when a validation file refuses a value", "HELP=60,61",
     "records 60 and 61 are shown once instead of message 3"},
};

template <std::size_t N>
const KeywordText &text_of_keyword(const KeywordText (&texts)[N], std::string_view name) {
  for (const KeywordText &t : texts)
    if (t.name == name) return t;
  static const KeywordText none{};
  return none;
}

// One row of the grammar, with its texts.
template <std::size_t N>
Keyword make_keyword(const KeywordText (&texts)[N], std::string_view word, int window, int form,
                     std::string_view letters, long long low, long long high, std::string_view missing,
                     std::string_view no_value, std::string_view bad, std::string_view no_second,
                     std::string_view bad_second, std::string_view default_value) {
  const KeywordText &t = text_of_keyword(texts, word);
  Keyword k{word,
            static_cast<std::size_t>(window),
            missing,
            no_value,
            bad,
            t.absent,
            static_cast<ValueForm>(form),
            letters,
            low,
            high,
            no_second,
            bad_second,
            default_value,
            {},
            t.reads,
            t.example,
            t.example_means};
  for (std::string_view code : {no_second, bad_second})
    if (!code.empty()) k.further.push_back(code);
  if (k.form == ValueForm::verify)
    for (const VerifyLetter &v : verify_letters())
      for (std::string_view code : {v.no_first, v.bad_first, v.no_second, v.bad_second, v.too_long,
                                    v.missing_first, v.missing_second})
        if (!code.empty() && std::find(k.further.begin(), k.further.end(), code) == k.further.end())
          k.further.push_back(code);
  return k;
}

#define FIELD_KEYWORD(row) make_keyword(kFieldTexts, row),
#define PANEL_KEYWORD(row) make_keyword(kPanelTexts, row),
#define HELP_FILE_KEYWORD(row) make_keyword(kHelpFileTexts, row),
#define HELP_RANGE_KEYWORD(row) make_keyword(kHelpRangeTexts, row),

// What each letter checks, for people.
std::string_view letter_meaning(char letter) {
  switch (letter) {
    case '0': return "no check at all, not even against a VERF= file";
    case 'B': return "the value begins with 0 and ends in a good check digit";
    case 'e': return "checked against the VERF= file (mode 2); not mandatory when the file cannot be asked";
    case 'i': return "checked against the VERF= file (mode 3); not mandatory when the file cannot be asked";
    case 'E': return "checked against the VERF= file (mode 2); mandatory";
    case 'I': return "checked against the VERF= file (mode 3); mandatory";
    case 'F': return "the value fits the mask in record n (? any, a a letter, n a digit, * the rest)";
    case 'R': return "the value is a number from the one in record n to the one in record m";
    case 'S': return "the value is one of the records n to m (b... stands for blanks)";
    case 'T':
      return "the value begins with the one or two characters after T, its first digit 1 to 4, "
             "and ends in a good check digit";
  }
  return "";
}

#define AS_VERIFY_LETTER(letter, mandatory, records, read_as, message, no_first, bad_first, no_second, \
                         bad_second, too_long, missing_first, missing_second)                          \
  VerifyLetter{letter,                                                                                 \
               mandatory,                                                                              \
               records,                                                                                \
               read_as,                                                                                \
               message,                                                                                \
               no_first,                                                                               \
               bad_first,                                                                              \
               no_second,                                                                              \
               bad_second,                                                                             \
               too_long,                                                                               \
               missing_first,                                                                          \
               missing_second,                                                                         \
               letter_meaning(letter)},

// When the driver shows each message record.
std::string_view when_shown(int number) {
  switch (number) {
    case MSG_CHECKING: return "while field validation runs, at completion";
    case MSG_KEY_TOO_LONG: return "when the group key of CON=Y grows too long";
    case MSG_NOT_IN_FILE: return "when a validation file (VERF=) refuses a value";
    case MSG_NOT_LISTED: return "when a value is not in the VERT=S list or outside the VERT=R range";
    case MSG_ZERO_NUMBER: return "when a VERT=B value does not begin with 0 or its check digit is wrong";
    case MSG_PREFIXED_NUMBER: return "when a VERT=T value lacks its prefix or its check digit is wrong";
    case MSG_FILE_UNAVAILABLE: return "when a mandatory file check (VERT=E, I) could not be made";
    case MSG_REQUIRED_EMPTY: return "when a required field is empty at completion";
    case MSG_NOT_FULL: return "when a fixed-length field (MODE=F) is left not full";
    case MSG_KEY_REFUSED: return "when a key is not accepted by the field";
    case MSG_TIMED_OUT: return "on an input time-out";
    case MSG_DOES_NOT_FIT: return "when a scanned value does not fit its field";
    case MSG_NO_SENSOR_INPUT: return "when a scan for an ALPHA or NUM field matches no Data ID";
    case MSG_DATA_ID_MISSING: return "when a scan lacks the field's mandatory Data ID (MANDI=Y)";
    case MSG_CLOSING_LINE: return "as the last line of every message that waits for Enter";
    case MSG_BAD_DATE_TIME: return "when a date or time field holds no valid date or time, at completion";
    case MSG_MASK: return "when a value does not fit the VERT=F mask";
  }
  return "";
}

// What a field failed when a message refuses its value.
std::string_view failed_check(int number) {
  switch (number) {
    case MSG_NOT_IN_FILE: return "its validation file check (VERF=)";
    case MSG_NOT_LISTED: return "its list or range check";
    case MSG_ZERO_NUMBER: return "its check digit (VERT=B)";
    case MSG_PREFIXED_NUMBER: return "its check digit (VERT=T)";
    case MSG_FILE_UNAVAILABLE: return "its file check: the file is not available";
    case MSG_REQUIRED_EMPTY: return "its required check: it is empty";
    case MSG_NOT_FULL: return "its length check: a fixed-length field not full";
    case MSG_KEY_REFUSED: return "a key it does not take";
    case MSG_TIMED_OUT: return "its time-out";
    case MSG_DOES_NOT_FIT: return "a scan longer than the field";
    case MSG_NO_SENSOR_INPUT: return "a scan it does not take";
    case MSG_DATA_ID_MISSING: return "a scan without its Data ID";
    case MSG_BAD_DATE_TIME: return "its date or time check";
    case MSG_MASK: return "its mask check";
  }
  return "";
}

#define AS_MESSAGE_RECORD(name, record, type, refuses) \
  MessageRecord{record, type, refuses != 0, when_shown(record), failed_check(record)},

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

#define AS_INPUT_KIND(kind, word, form, stored_length) InputKind{word, form, stored_length},

const std::vector<InputKind> &input_kinds() {
  static const std::vector<InputKind> kinds = {INPUT_KINDS(AS_INPUT_KIND)};
  return kinds;
}

const InputKind *find_input_kind(std::string_view word) {
  for (const InputKind &k : input_kinds())
    if (word == k.word) return &k;
  return nullptr;
}

const std::vector<VerifyLetter> &verify_letters() {
  static const std::vector<VerifyLetter> letters = {VERIFY_LETTERS(AS_VERIFY_LETTER)};
  return letters;
}

const VerifyLetter *find_verify_letter(char letter) {
  for (const VerifyLetter &v : verify_letters())
    if (v.letter == letter) return &v;
  return nullptr;
}

const std::vector<MessageRecord> &message_records() {
  static const std::vector<MessageRecord> records = {MESSAGE_RECORDS(AS_MESSAGE_RECORD)};
  return records;
}

bool is_message_record(int number) {
  const std::vector<MessageRecord> &records = message_records();
  return std::any_of(records.begin(), records.end(),
                     [number](const MessageRecord &m) { return m.number == number; });
}

std::string_view read_as_name(int read_as) {
  switch (read_as) {
    case READ_AS_MASK: return "a mask";
    case READ_AS_BOUNDS: return "the bounds of a range";
    case READ_AS_LIST: return "list values";
    case READ_AS_FIELD_TEXT: return "a field definition";
    case READ_AS_OPTION_TEXT: return "panel options";
    case READ_AS_MESSAGE: return "message lines";
    case READ_AS_HELP_LINES: return "help lines";
    case READ_AS_SCREEN_LINES: return "screen lines";
  }
  return "nothing";
}

const std::vector<Keyword> &keywords_of(Command command) {
  static const std::vector<Keyword> kFieldDefinition = {FIELD_KEYWORDS(FIELD_KEYWORD)};
  static const std::vector<Keyword> kPanelOptions = {PANEL_KEYWORDS(PANEL_KEYWORD)};
  static const std::vector<Keyword> kHelpFile = {HELP_FILE_KEYWORDS(HELP_FILE_KEYWORD)};
  static const std::vector<Keyword> kHelpRange = {HELP_RANGE_KEYWORDS(HELP_RANGE_KEYWORD)};
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

std::optional<std::string> keyword_piece(const std::string &text, KeywordWindow keyword, int piece) {
  const std::size_t at = text.find(keyword.word);
  if (at == std::string::npos) return std::nullopt;
  const std::string after = text.substr(at + keyword.word.size(), keyword.window);
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

int keyword_number(const std::string &text, KeywordWindow keyword, int piece) {
  const std::optional<std::string> value = keyword_piece(text, keyword, piece);
  return value ? std::atoi(value->c_str()) : 0;
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
