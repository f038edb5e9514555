// The field definition command SET_FIE: definition sources, keywords,
// defaults, members kept across redefinitions, and every result code with
// the text its report shows.
#include <string>
#include <vector>

#include "support/fields_fixture.h"

namespace {

const std::string kBase = "FI=4 INPUT=NUM LEN=5 ROW=1 COL=1 ";

TEST_F(FieldsTest, TheSmallestCompleteDefinitionTakesTheDefaults) {
  define("FI=2 INPUT=num LEN=5 ROW=3 COL=1");
  EXPECT_EQ(row(0), std::string(40, ' ')) << "no report";
  EXPECT_EQ(t.calls("_KbdReadAscii"), 0);
  EXPECT_EQ(current_field, 1);
  EXPECT_EQ(fields.defined[1], 1);
  EXPECT_EQ(fields.input_kind[1], INPUT_NUM);
  EXPECT_EQ(fields.length[1], 5);
  EXPECT_EQ(fields.is_signed[1], 0);
  EXPECT_EQ(fields.decimals[1], -1);
  EXPECT_EQ(fields.row[1], 2);
  EXPECT_EQ(fields.col[1], 0);
  EXPECT_EQ(fields.mode[1], 'V');
  EXPECT_EQ(fields.required[1], 1);
  EXPECT_EQ(fields.editable[1], 1);
  EXPECT_EQ(fields.result_variable[1], 1);
  EXPECT_EQ(fields.verify_kind[1], 'N');
  EXPECT_EQ(fields.verify_mandatory[1], 1);
  EXPECT_EQ(fields.keep_data_id[1], 0);
  EXPECT_EQ(fields.data_id_mandatory[1], 0);
  EXPECT_EQ(fields.prefilled[1], 0);
  EXPECT_STREQ(fields.value[1], "");
  EXPECT_STREQ(fields.data_id[1], "");
  EXPECT_STREQ(fields.verify_file[1], "");
  EXPECT_EQ(fields.help_start[1], 0);
  EXPECT_EQ(fields.help_end[1], 0);
  EXPECT_STREQ(decimal_style, ".");
}

TEST_F(FieldsTest, EveryKeywordSetsItsMember) {
  t.set_variable(5, "12.50");
  const std::string text =
      "DI=AB12 FI=20 INPUT=Date_Euro LEN=-7.2 ROW=20 COL=39 VERT=R,10,20 MODE=F REQ=N KEEPDI=Y "
      "MANDI=Y EDIT=N RUV=19 PUV=5 VERF=PARTS HELP=3,4 SCRN=7,8";
  define(text);
  const int f = 19;
  ASSERT_EQ(fields.defined[f], 1) << row(0);
  EXPECT_EQ(fields.input_kind[f], INPUT_DATE_EURO);
  EXPECT_EQ(fields.length[f], 7);
  EXPECT_EQ(fields.is_signed[f], 1);
  EXPECT_EQ(fields.decimals[f], 2);
  EXPECT_EQ(fields.row[f], 19);
  EXPECT_EQ(fields.col[f], 38);
  EXPECT_EQ(fields.verify_kind[f], 'R') << "a VERF= after a VERT= letter keeps the letter";
  EXPECT_EQ(fields.verify_low[f], 10);
  EXPECT_EQ(fields.verify_high[f], 20);
  EXPECT_EQ(fields.mode[f], 'F');
  EXPECT_EQ(fields.required[f], 0);
  EXPECT_EQ(fields.keep_data_id[f], 1);
  EXPECT_EQ(fields.data_id_mandatory[f], 1);
  EXPECT_EQ(fields.editable[f], 0);
  EXPECT_EQ(fields.result_variable[f], 19);
  EXPECT_STREQ(fields.value[f], "12.50");
  EXPECT_EQ(fields.prefilled[f], 1);
  EXPECT_STREQ(fields.verify_file[f], "PARTS");
  EXPECT_EQ(fields.help_start[f], 3);
  EXPECT_EQ(fields.help_end[f], 4);
  EXPECT_EQ(fields.screen_first[f], 7);
  EXPECT_EQ(fields.screen_second[f], 8);
  EXPECT_STREQ(fields.data_id[f], "AB12");
}

TEST_F(FieldsTest, InputWordsAreComparedWithoutCaseButLettersWithIt) {
  const std::vector<std::pair<std::string, int>> kinds = {
      {"AI", 0},        {"aialpha", 1},   {"Alpha", 2},    {"NUM", 3},      {"AINUM", 4},
      {"date_amer", 5}, {"DATE_EURO", 6}, {"Time_Std", 7}, {"PASSWORD", 8},
  };
  for (const auto &[word, kind] : kinds) {
    define("FI=1 INPUT=" + word + " LEN=5 ROW=1 COL=1");
    EXPECT_EQ(fields.input_kind[0], kind) << word;
    EXPECT_EQ(fields.defined[0], 1) << word;
  }
  EXPECT_EQ(report_of(kBase + "MODE=v"), report_row("ZQ", "FI=4"));
}

TEST_F(FieldsTest, LengthTakesASignAndDecimalsAfterAPointOnly) {
  define("FI=1 INPUT=NUM LEN=-7.2 ROW=1 COL=1");
  EXPECT_EQ(fields.length[0], 7);
  EXPECT_EQ(fields.is_signed[0], 1);
  EXPECT_EQ(fields.decimals[0], 2);
  define("FI=1 INPUT=NUM LEN=5,2 ROW=1 COL=1");
  EXPECT_EQ(fields.length[0], 5);
  EXPECT_EQ(fields.is_signed[0], 0);
  EXPECT_EQ(fields.decimals[0], -1) << "the comma ends the value";
  define("FI=1 INPUT=NUM LEN=5. ROW=1 COL=1");
  EXPECT_EQ(fields.decimals[0], 0) << "a point without digits gives no decimals";
  EXPECT_EQ(fields.defined[0], 1);
}

TEST_F(FieldsTest, TheDecimalMarkIsSetOnceALengthHasBeenRead) {
  EXPECT_STREQ(decimal_style, "");
  report_of("FI=1 INPUT=NUM ROW=1 COL=1");
  EXPECT_STREQ(decimal_style, "") << "no LEN= read yet";
  report_of("FI=1 INPUT=NUM LEN=99 ROW=1 COL=1");
  EXPECT_STREQ(decimal_style, ".") << "a length read but refused still sets the mark";
}

TEST_F(FieldsTest, SeparatorsBeforeAValueAreSkippedWithinTheWindow) {
  define("FI= 3 INPUT==ALPHA LEN= ,6 ROW=,=2 COL=  4");
  EXPECT_EQ(fields.defined[2], 1) << row(0);
  EXPECT_EQ(fields.input_kind[2], INPUT_ALPHA);
  EXPECT_EQ(fields.length[2], 6);
  EXPECT_EQ(fields.row[2], 1);
  EXPECT_EQ(fields.col[2], 3);
  // A value that starts after the ten characters of the window is not seen.
  EXPECT_EQ(report_of("FI=3 INPUT=NUM LEN=          5 ROW=1 COL=1"), report_row("ZA", "FI=3"));
}

TEST_F(FieldsTest, KeywordsAreFoundAnywhereButOnlyWithTheirExactCase) {
  define("COL=2 ROW=3 LEN=4 INPUT=AI xFI=5");
  EXPECT_EQ(fields.defined[4], 1) << "order does not matter and nothing before a keyword is looked at";
  EXPECT_EQ(report_of("FI=5 input=NUM LEN=4 ROW=1 COL=1"), report_row("Z6", "FI=5"));
}

TEST_F(FieldsTest, TheFirstOccurrenceOfAKeywordCounts) {
  define("FI=1 INPUT=NUM LEN=5 ROW=1 COL=1 LEN=9");
  EXPECT_EQ(fields.length[0], 5);
}

TEST_F(FieldsTest, FieldsNumberedOneFiveAndTwentyUseEntriesZeroFourAndNineteen) {
  for (const char *n : {"1", "5", "20"}) define(std::string("FI=") + n + " INPUT=NUM LEN=5 ROW=1 COL=1");
  for (int f = 0; f < FIELD_COUNT; ++f) EXPECT_EQ(fields.defined[f], f == 0 || f == 4 || f == 19) << f;
}

TEST_F(FieldsTest, VertLettersSetTheKindAndWhetherTheCheckIsMandatory) {
  const std::vector<std::pair<std::string, int>> letters = {
      {"0", 0}, {"B", 0},    {"e", 0},       {"i", 0},        {"E", 1},
      {"I", 1}, {"F,10", 1}, {"R,10,20", 1}, {"S,1,9999", 1}, {"T", 1},
  };
  for (const auto &[value, mandatory] : letters) {
    define(kBase + "VERT=" + value);
    EXPECT_EQ(fields.defined[3], 1) << value << "\n" << row(0);
    EXPECT_EQ(fields.verify_kind[3], value[0]) << value;
    EXPECT_EQ(fields.verify_mandatory[3], mandatory) << value;
  }
  EXPECT_EQ(fields.verify_low[3], 1);
  EXPECT_EQ(fields.verify_high[3], 9999);
}

TEST_F(FieldsTest, VertNumbersComeFromThePiecesAfterTheLetter) {
  define(kBase + "VERT=F,10");
  EXPECT_EQ(fields.defined[3], 1);
  EXPECT_EQ(fields.verify_low[3], 10);
  // "R10" is one piece: the letter is R and the number after it is the low one.
  EXPECT_EQ(report_of(kBase + "VERT=R10,20"), report_row("ZM", "FI=4"));
  EXPECT_EQ(fields.verify_kind[3], 'R');
  EXPECT_EQ(fields.verify_low[3], 20);
}

TEST_F(FieldsTest, VertTKeepsUpToTwoCharactersOfSuffix) {
  define(kBase + "VERT=T");
  EXPECT_STREQ(fields.verify_suffix[3], "");
  define(kBase + "VERT=T12");
  EXPECT_STREQ(fields.verify_suffix[3], "12");
  EXPECT_EQ(fields.defined[3], 1);
  EXPECT_EQ(report_of(kBase + "VERT=T123"), report_row("ZJ", "FI=4"));
  EXPECT_STREQ(fields.verify_suffix[3], "12") << "a refused suffix leaves the earlier one";
}

TEST_F(FieldsTest, AValidationFileAloneMeansTheValueMustBeInIt) {
  define(kBase + "VERF=PARTS");
  EXPECT_EQ(fields.verify_kind[3], 'I');
  define(kBase + "VERT=E VERF=PARTS");
  EXPECT_EQ(fields.verify_kind[3], 'E');
  define(kBase + "VERF=ABCDEFGH");
  EXPECT_STREQ(fields.verify_file[3], "ABCDEFGH");
}

TEST_F(FieldsTest, TheIdentifierIsFoundInsideMandiAndKeepdiWhenItComesLater) {
  define(kBase + "MANDI=Y");
  EXPECT_STREQ(fields.data_id[3], "Y");
  define(kBase + "DI=X7 KEEPDI=Y MANDI=N");
  EXPECT_STREQ(fields.data_id[3], "X7");
  EXPECT_EQ(fields.keep_data_id[3], 1);
  EXPECT_EQ(fields.data_id_mandatory[3], 0);
}

TEST_F(FieldsTest, YesNoLettersTakeTheirFirstCharacter) {
  define(kBase + "REQ=No EDIT=Yes");
  EXPECT_EQ(fields.required[3], 0);
  EXPECT_EQ(fields.editable[3], 1);
  EXPECT_EQ(fields.defined[3], 1);
}

TEST_F(FieldsTest, RedefiningAFieldResetsItsDefaultsButKeepsScreenAndVerifyNumbers) {
  t.set_variable(6, "PREFILL");
  define(kBase + "VERT=R,11,12 SCRN=5,6 DI=AB VERF=PARTS PUV=6 HELP=2,3 REQ=N");
  fields.check_result[3] = 'G';
  define(kBase);
  EXPECT_EQ(fields.defined[3], 1);
  EXPECT_EQ(fields.screen_first[3], 5);
  EXPECT_EQ(fields.screen_second[3], 6);
  EXPECT_EQ(fields.verify_low[3], 11);
  EXPECT_EQ(fields.verify_high[3], 12);
  EXPECT_EQ(fields.check_result[3], 'G');
  EXPECT_EQ(fields.verify_kind[3], 'N');
  EXPECT_STREQ(fields.data_id[3], "");
  EXPECT_STREQ(fields.verify_file[3], "");
  EXPECT_STREQ(fields.value[3], "");
  EXPECT_EQ(fields.prefilled[3], 0);
  EXPECT_EQ(fields.help_start[3], 0);
  EXPECT_EQ(fields.required[3], 1);
}

TEST_F(FieldsTest, AFailedDefinitionLeavesTheFieldUndefinedWithWhatItHadSet) {
  define(kBase);
  ASSERT_EQ(fields.defined[3], 1);
  report_of("FI=4 INPUT=ALPHA LEN=12 ROW=7 COL=1 RUV=30");
  EXPECT_EQ(fields.defined[3], 0);
  EXPECT_EQ(fields.input_kind[3], INPUT_ALPHA);
  EXPECT_EQ(fields.length[3], 12);
  EXPECT_EQ(fields.row[3], 6);
  report_of("FI=4 INPUT=WORDS LEN=5 ROW=1 COL=1");
  EXPECT_EQ(fields.input_kind[3], INPUT_UNKNOWN);
}

TEST_F(FieldsTest, TheCommandAlwaysReturnsZeroAndAReportWaitsForAKey) {
  t.set_variable(1, kBase);
  EXPECT_EQ(run("SET_FIE VAR=1"), 0);
  t.set_variable(1, "FI=1");
  t.keys({'x', 'y'});
  EXPECT_EQ(run("SET_FIE VAR=1"), 0);
  EXPECT_EQ(t.pending_keys(), 1u) << "the report takes one key";
  EXPECT_EQ(row(1), "Press any key to continue               ");
}

// ---- definition sources ----

TEST_F(FieldsTest, ADefinitionComesFromAHelpRecordAfterItsNumber) {
  t.add_file("HELP.VAL", "0003 unused\n0012 FI=3 INPUT=ALPHA LEN=4 ROW=2 COL=5\n0020 x\n");
  run("SET_FIE HELP=12");
  EXPECT_EQ(fields.defined[2], 1) << row(0);
  EXPECT_EQ(fields.col[2], 4);
  // The record text starts right after the four digits, so a record whose
  // separator is a keyword's first letter still holds that keyword.
  t.add_file("HELP.VAL", "0012FI=6 INPUT=AI LEN=4 ROW=2 COL=5\n");
  run("SET_FIE HELP=0012");
  EXPECT_EQ(fields.defined[5], 1) << row(0);
}

TEST_F(FieldsTest, AUserVariableIsPreferredToAHelpRecord) {
  t.add_file("HELP.VAL", "0012 FI=3 INPUT=ALPHA LEN=4 ROW=2 COL=5\n");
  t.set_variable(7, "FI=8 INPUT=AI LEN=4 ROW=2 COL=5");
  run("SET_FIE HELP=12 VAR=7");
  EXPECT_EQ(fields.defined[7], 1);
  EXPECT_EQ(fields.defined[2], 0);
}

TEST_F(FieldsTest, HelpRecordsAreReadFromTheFileThatSetHelNames) {
  t.add_file("OTHER.VAL", "0001 FI=2 INPUT=NUM LEN=3 ROW=1 COL=1\n");
  EXPECT_EQ(report_of_command("SET_FIE HELP=1"), report_row("Zj", "REC=1"));
  run("SET_HEL FILE=OTHER.VAL");
  run("SET_FIE HELP=1");
  EXPECT_EQ(fields.defined[1], 1);
}

TEST_F(FieldsTest, ALongDefinitionTextIsCutTo159Characters) {
  std::string head = "FI=1 INPUT=NUM LEN=5 ROW=1 COL=1";
  // "DI=" at 156 to 158 keeps the keyword but loses its value; at 155 one
  // character of it is kept.
  std::string cut = head + std::string(156 - head.size(), ' ') + "DI=AB" + std::string(94, 'x');
  ASSERT_EQ(cut.size(), 255u);
  EXPECT_EQ(report_of(cut), report_row("Zh", "FI=1"));
  define(head + std::string(155 - head.size(), ' ') + "DI=AB" + std::string(95, 'x'));
  EXPECT_STREQ(fields.data_id[0], "A");
  EXPECT_EQ(fields.defined[0], 1);

  // A help record is cut the same way; its text starts at the separator.
  fields.data_id[0][0] = '\0';
  t.add_file("HELP.VAL",
             "0009 " + head + std::string(154 - head.size(), ' ') + "DI=AB" + std::string(300, 'y'));
  run("SET_FIE HELP=9");
  EXPECT_STREQ(fields.data_id[0], "A");
  EXPECT_EQ(fields.defined[0], 1);
}

TEST_F(FieldsTest, APrefillIsCutToTheFortyCharactersOfAField) {
  std::string long_text;
  for (int i = 0; i < 255; ++i) long_text += char('A' + i % 26);
  t.set_variable(5, long_text);
  define(kBase + "PUV=5");
  EXPECT_EQ(std::string(fields.value[3]), long_text.substr(0, 40));
  EXPECT_EQ(fields.prefilled[3], 1);
  EXPECT_EQ(fields.defined[3], 1);
}

// ---- result codes ----

struct Failure {
  std::string body;        // the command after its length digits
  std::string definition;  // text of user variable 1, when the body reads it
  std::string code;
  std::string text;  // "" for the command string
};

TEST_F(FieldsTest, EveryFailureShowsItsCodeAndText) {
  t.add_file("HELP.VAL", "0001 x\n0041 y\n");
  t.set_unreadable(7);
  const std::string var = "SET_FIE VAR=1";
  const std::vector<Failure> failures = {
      {"SET_FIE FI=1", "", "Z1", ""},
      {"SET_FIE VAR=", "", "Z2", ""},
      {"SET_FIE VAR= , =", "", "Z2", ""},
      {"SET_FIE VAR=7", "", "Z2", ""},
      {"SET_FIE HELP=", "", "Z2", ""},
      {"SET_FIE HELP=0", "", "Z2", ""},
      {"SET_FIE HELP=10000", "", "Z2", ""},
      {"SET_FIE HELP=0042", "", "Zj", "REC=0042"},
      {"SET_FIE HELP=9999", "", "Zj", "REC=9999"},
      {var, "INPUT=NUM LEN=5 ROW=1 COL=1", "Z3", ""},
      {var, "INPUT=NUM FI= , =", "Z4", ""},
      {var, "FI=          4", "Z4", ""},
      {var, "FI=0", "Z5", "FI=0"},
      {var, "FI=25", "Z5", "FI=25"},
      {var, "FI=-3", "Z5", "FI=-3"},
      {var, "FI=4 LEN=5 ROW=1 COL=1", "Z6", "FI=4"},
      {var, "FI=4 INPUT=", "Z7", "FI=4"},
      {var, "FI=4 INPUT=NUMBER", "Z8", "FI=4"},
      {var, "FI=4 INPUT=NUM ROW=1 COL=1", "Z9", "FI=4"},
      {var, "FI=4 INPUT=NUM LEN=,", "ZA", "FI=4"},
      {var, "FI=4 INPUT=NUM LEN=0", "ZB", "FI=4"},
      {var, "FI=4 INPUT=NUM LEN=40", "ZB", "FI=4"},
      {var, "FI=4 INPUT=NUM LEN=-40.2", "ZB", "FI=4"},
      {var, "FI=4 INPUT=NUM LEN=-2147483648", "ZB", "FI=4"},
      {var, "FI=4 INPUT=NUM LEN=5 COL=1", "ZC", ""},
      {var, "FI=4 INPUT=NUM LEN=5 ROW=", "ZD", "FI=4"},
      {var, "FI=4 INPUT=NUM LEN=5 ROW=0", "ZE", "FI=4"},
      {var, "FI=4 INPUT=NUM LEN=5 ROW=21", "ZE", "FI=4"},
      {var, "FI=4 INPUT=NUM LEN=5 ROW=20", "ZF", ""},
      {var, "FI=4 INPUT=NUM LEN=5 ROW=1 COL=", "ZG", "FI=4"},
      {var, "FI=4 INPUT=NUM LEN=5 ROW=1 COL=0", "ZH", "FI=4"},
      {var, "FI=4 INPUT=NUM LEN=5 ROW=1 COL=40", "ZH", "FI=4"},
      {var, kBase + "VERT=", "ZI", "FI=4"},
      {var, kBase + "VERT=T123", "ZJ", "FI=4"},
      {var, kBase + "VERT=F", "ZK", "FI=4"},
      {var, kBase + "VERT=R", "ZK", "FI=4"},
      {var, kBase + "VERT=F,0", "ZL", "FI=4"},
      {var, kBase + "VERT=S,10000,1", "ZL", "FI=4"},
      {var, kBase + "VERT=R,10", "ZM", "FI=4"},
      {var, kBase + "VERT=S,1,10000", "ZN", "FI=4"},
      {var, kBase + "VERT=X", "ZO", "FI=4"},
      {var, kBase + "VERT=n", "ZO", "FI=4"},
      {var, kBase + "MODE=", "ZP", "FI=4"},
      {var, kBase + "MODE=X", "ZQ", "FI=4"},
      {var, kBase + "REQ=", "ZR", "FI=4"},
      {var, kBase + "REQ=y", "ZS", "FI=4"},
      {var, kBase + "KEEPDI=", "ZT", "FI=4"},
      {var, kBase + "KEEPDI=1", "ZU", "FI=4"},
      {var, kBase + "MANDI=", "Zq", "FI=4"},
      {var, kBase + "MANDI=T", "Zr", "FI=4"},
      {var, kBase + "EDIT=", "ZV", "FI=4"},
      {var, kBase + "EDIT=n", "ZW", "FI=4"},
      {var, kBase + "RUV=", "ZX", "FI=4"},
      {var, kBase + "RUV=0", "ZY", "FI=4"},
      {var, kBase + "RUV=20", "ZY", "FI=4"},
      {var, kBase + "PUV=", "ZZ", "FI=4"},
      {var, kBase + "PUV=7", "Za", "FI=4"},
      {var, kBase + "VERF=", "Zb", "FI=4"},
      {var, kBase + "VERF=ABCDEFGHI", "Zc", "FI=4"},
      {var, kBase + "HELP=", "Zd", "FI=4"},
      {var, kBase + "HELP=0,5", "Ze", "FI=4"},
      {var, kBase + "HELP=5", "Zf", "FI=4"},
      {var, kBase + "HELP=5,10000", "Zg", "FI=4"},
      {var, kBase + "SCRN=", "Zm", "FI=4"},
      {var, kBase + "SCRN=10000,1", "Zn", "FI=4"},
      {var, kBase + "SCRN=3", "Zo", "FI=4"},
      {var, kBase + "SCRN=3,0", "Zp", "FI=4"},
      {var, kBase + "DI=", "Zh", "FI=4"},
      {var, kBase + "DI=ABCDE", "Zi", "FI=4"},
      {var, "FI=20 INPUT=NUM LEN=5 ROW=1 COL=1 DI=ABCDE", "Zi", "FI=20"},
  };
  for (const Failure &failure : failures) {
    SCOPED_TRACE(failure.body + " / " + failure.definition);
    fields.defined[3] = 1;
    if (!failure.definition.empty()) t.set_variable(1, failure.definition);
    const std::string text = failure.text.empty() ? command(failure.body) : failure.text;
    EXPECT_EQ(report_of_command(failure.body), report_row(failure.code, text));
    EXPECT_EQ(row(1), "Press any key to continue               ");
    if (failure.text.rfind("FI=4", 0) == 0 || failure.code == "ZC" || failure.code == "ZF")
      EXPECT_EQ(fields.defined[3], 0) << "the field stays undefined";
    else
      EXPECT_EQ(fields.defined[3], 1) << "a failure before the field number changes no field";
  }
}

}  // namespace
