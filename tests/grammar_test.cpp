// The grammar of the keyword commands (fields/grammar.h) against the
// driver: for every keyword and every code the grammar names, a command
// through the entry point that raises exactly that code. The cases are made
// from the grammar's own tables, so a row that the readers do not follow
// fails here.
#include "fields/grammar.h"

#include <climits>
#include <ostream>
#include <string>
#include <vector>

#include "entry/reports.h"
#include "support/fields_fixture.h"

namespace {

struct Row {
  std::string word;
  int form;
  std::string letters;
  long long low, high;
  std::string missing, no_value, bad, no_second, bad_second;
};

Row make_row(const char *word, int, int form, const char *letters, long long low, long long high,
             const char *missing, const char *no_value, const char *bad, const char *no_second,
             const char *bad_second, const char *) {
  return {word, form, letters, low, high, missing, no_value, bad, no_second, bad_second};
}

#define AS_ROW(row) make_row(row),
const std::vector<Row> kFieldRows = {FIELD_KEYWORDS(AS_ROW)};
const std::vector<Row> kPanelRows = {PANEL_KEYWORDS(AS_ROW)};
const Row kFileRow = make_row(KW_FILE);
const Row kRangeRow = make_row(KW_HELP_RANGE);

struct Letter {
  char letter;
  int records;
  std::string no_first, bad_first, no_second, bad_second, too_long, missing_first, missing_second;
};
#define AS_LETTER(letter, mandatory, records, read_as, message, no_first, bad_first, no_second, bad_second, \
                  too_long, missing_first, missing_second)                                                  \
  Letter{letter,     records,  no_first,      bad_first,     no_second,                                     \
         bad_second, too_long, missing_first, missing_second},
const std::vector<Letter> kLetters = {VERIFY_LETTERS(AS_LETTER)};

// The keywords a field definition cannot do without, with good values.
const std::vector<std::pair<std::string, std::string>> kRequired = {
    {"FI=", "1"}, {"INPUT=", "ALPHA"}, {"LEN=", "5"}, {"ROW=", "1"}, {"COL=", "1"}};

// A definition of the required keywords, with word's value replaced by
// value (left out when value is null), and tail after them.
std::string definition(const std::string &word, const char *value, const std::string &tail = "") {
  std::string text;
  for (const auto &[required, good] : kRequired) {
    if (required != word)
      text += required + good + " ";
    else if (value != nullptr)
      text += required + value + " ";
  }
  return text + tail;
}

// A value of a row's form that the driver refuses; empty when none is.
std::string bad_value(const Row &row) {
  switch (row.form) {
    case FORM_NUMBER:
    case FORM_LENGTH: return row.high < INT_MAX ? std::to_string(row.high + 1) : "";
    case FORM_LETTER:
    case FORM_YES_NO:
    case FORM_VERIFY: return row.letters.find('Q') == std::string::npos ? "Q" : "";
    case FORM_NAME: return row.high > 0 ? std::string(static_cast<std::size_t>(row.high) + 1, 'A') : "";
    case FORM_INPUT_WORD: return "WORDS";
    case FORM_RECORDS: return std::to_string(row.low - 1);
    case FORM_VARIABLE: return "50";  // made unreadable below
  }
  return "";
}

// One command and the one code it must raise.
struct Case {
  std::string what;  // the keyword text, for the failure message
  std::string code;
  std::string command;    // run through the entry point
  std::string text;       // user variable 2: the definition or option text
  std::string field;      // user variable 1: field 1, defined first when set
  std::string range;      // user variable 10: a one-time help range
  bool complete = false;  // the operator types a value and completes the panel
};

// A case is named by its keyword text in failures.
void PrintTo(const Case &c, std::ostream *out) { *out << c.what; }

Case definition_case(const std::string &what, const std::string &code, const std::string &text) {
  return {what, code, "SET_FIE VAR=2", text, "", ""};
}

// A keyword in a definition: absent, without a value, with a bad value.
void add_field_cases(const Row &row, std::vector<Case> &cases) {
  const bool required = !row.missing.empty();
  auto with = [&](const std::string &value) {
    return required ? definition(row.word, value.c_str()) : definition("", nullptr, row.word + value);
  };
  if (required)
    cases.push_back(definition_case("without " + row.word, row.missing, definition(row.word, nullptr)));
  cases.push_back(
      definition_case(row.word, row.no_value, required ? definition(row.word, nullptr, row.word) : with("")));
  const std::string bad = bad_value(row);
  if (!row.bad.empty() && !bad.empty()) cases.push_back(definition_case(row.word + bad, row.bad, with(bad)));
  if (!row.no_second.empty()) cases.push_back(definition_case(row.word + "5", row.no_second, with("5")));
  if (!row.bad_second.empty())
    cases.push_back(definition_case(row.word + "5,0", row.bad_second, with("5,0")));
}

// The codes of each VERT= letter: its record numbers and its prefix when
// defined, the records it reads at completion (the help file holds 50 only).
void add_letter_cases(const Letter &l, std::vector<Case> &cases) {
  const std::string vert = "VERT=" + std::string(1, l.letter);
  auto add = [&](const std::string &value, const std::string &code) {
    if (!code.empty()) cases.push_back(definition_case(value, code, definition("", nullptr, value)));
  };
  if (l.records >= 1) add(vert, l.no_first), add(vert + ",0", l.bad_first);
  if (l.records >= 2) add(vert + ",5", l.no_second), add(vert + ",5,0", l.bad_second);
  add(vert + "123", l.too_long);
  auto completed = [&](const std::string &value, const std::string &code) {
    if (!code.empty())
      cases.push_back(
          {value + " at completion", code, "EXEC_PA VAR=2", "", definition("", nullptr, value), "", true});
  };
  completed(vert + ",60,61", l.missing_first);
  completed(vert + ",50,61", l.missing_second);
}

void add_panel_cases(const Row &row, std::vector<Case> &cases) {
  const std::string plain = definition("", nullptr);
  cases.push_back({row.word, row.no_value, "EXEC_PA VAR=2", row.word, plain, ""});
  const std::string bad = bad_value(row);
  if (!row.bad.empty() && !bad.empty())
    cases.push_back({row.word + bad, row.bad, "EXEC_PA VAR=2", row.word + bad, plain, ""});
}

void add_source_cases(const std::string &command, const std::string &none, const std::string &bad,
                      const std::string &no_record, std::vector<Case> &cases) {
  cases.push_back({command, none, command + " NAME=2", "", "", ""});
  cases.push_back({command + " VAR=", bad, command + " VAR=", "", "", ""});
  cases.push_back({command + " HELP=99", no_record, command + " HELP=99", "", "", ""});
}

std::vector<Case> all_cases() {
  std::vector<Case> cases;
  for (const Row &row : kFieldRows) add_field_cases(row, cases);
  for (const Letter &l : kLetters) add_letter_cases(l, cases);
  for (const Row &row : kPanelRows) add_panel_cases(row, cases);
  cases.push_back(
      {"SF=2, a field not defined", KW_BAD(KW_SF), "EXEC_PA VAR=2", "SF=2", definition("", nullptr), ""});
  cases.push_back({"SET_HEL without FILE=", kFileRow.missing, "SET_HEL NAME=X", "", "", ""});
  cases.push_back({"SET_HEL FILE=", kFileRow.no_value, "SET_HEL FILE=", "", "", ""});
  // The one-time help range is read when a validation file refuses a value.
  const std::string refused = definition("", nullptr, "VERF=X");
  const std::vector<std::pair<std::string, std::string>> ranges = {{"", kRangeRow.no_value},
                                                                   {"0", kRangeRow.bad},
                                                                   {"5", kRangeRow.no_second},
                                                                   {"5,0", kRangeRow.bad_second}};
  for (const auto &[value, code] : ranges)
    cases.push_back({"one-time " + kRangeRow.word + value, code, "EXEC_PA VAR=2", "HVR=10", refused,
                     kRangeRow.word + value, true});
  add_source_cases("SET_FIE", SOURCE_NONE(SOURCE_FIELD), SOURCE_BAD(SOURCE_FIELD),
                   SOURCE_NO_RECORD(SOURCE_FIELD), cases);
  add_source_cases("EXEC_PA", SOURCE_NONE(SOURCE_PANEL), SOURCE_BAD(SOURCE_PANEL),
                   SOURCE_NO_RECORD(SOURCE_PANEL), cases);
  return cases;
}

class GrammarTest : public FieldsTest, public ::testing::WithParamInterface<Case> {
 protected:
  // The codes of the error reports that body shows; every wait is answered
  // with the cancel key, which also takes a report away.
  std::vector<std::string> codes_of(const std::string &body) {
    std::vector<std::string> codes;
    std::string last_row;
    int answers = 0;
    t.on_idle([&] {
      const std::string row0 = t.row_text(0);
      const std::string head(REPORT_HEAD, REPORT_CODE_COLUMN);
      if (row0 != last_row && row0.compare(0, head.size(), head) == 0)
        codes.push_back(row0.substr(REPORT_CODE_COLUMN, 2));
      last_row = row0;
      if (++answers < 50) t.key(256);
    });
    run(body);
    t.on_idle(nullptr);
    return codes;
  }
};

TEST_P(GrammarTest, RaisesExactlyItsCode) {
  const Case &c = GetParam();
  t.add_file("HELP.VAL", "0050 1\n");
  t.set_unreadable(50);
  t.force_validation("X", 1);
  t.set_variable(2, c.text);
  if (!c.range.empty()) t.set_variable(10, c.range);
  if (!c.field.empty()) {
    t.set_variable(1, c.field);
    run("SET_FIE VAR=1");
    ASSERT_EQ(fields.defined[0], 1) << row(0);
  }
  if (c.complete) {
    t.type("A");
    t.key(768);
  }
  EXPECT_EQ(codes_of(c.command), std::vector<std::string>{c.code})
      << c.what << ": " << c.command << " over \"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(EveryKeywordAndCode, GrammarTest, ::testing::ValuesIn(all_cases()),
                         [](const ::testing::TestParamInfo<Case> &info) {
                           return info.param.code + "_" + std::to_string(info.index);
                         });

}  // namespace
