// Field validation: the group pass, the field pass, the letters each leaves,
// what the validation files were asked, which messages were shown and where
// the current field ends.
#include <cstring>
#include <string>
#include <vector>

#include "fields/table.h"
#include "platform/termrt.h"
#include "support/terminal_test.h"
#include "validate/validate.h"

namespace {

class ValidationTest : public TerminalTest {
 protected:
  std::vector<std::string> shown;  // first line of each message while it stands

  void SetUp() override {
    TerminalTest::SetUp();
    std::string help;
    for (int n = 1; n <= 18; ++n) help += record(n, "MSG " + std::to_string(n));
    help += "0020 Help range 20\n0021 Help range 21\n";
    help += "0030 nn-aa*\n0031 nnn\n0032 ?n\n";
    help += "0040 APPLE\n0041 bbbb\n0042 PEAR\n";
    help += "0050 10.5\n0051 20\n";
    t.add_file("HELP.VAL", help);
    t.set_clock({2004, 3, 5, 10, 0, 0});
    // Each message is seen while it waits: record what its popup shows.
    t.on_idle([this] {
      std::string line = cells(2, 3, 22);
      if (shown.empty() || shown.back() != line) shown.push_back(line);
      t.key(13);
    });
  }

  static std::string record(int n, const std::string &text) {
    char key[8];
    std::snprintf(key, sizeof key, "%04d ", n);
    return key + text + "\n";
  }

  void field(int number, const char *value, char kind = 'N', const char *file = "") {
    int i = number - 1;
    fields.defined[i] = 1;
    fields.required[i] = 1;
    fields.input_kind[i] = INPUT_ALPHA;
    fields.length[i] = 20;
    std::strcpy(fields.value[i], value);
    std::strcpy(fields.verify_file[i], file);
    fields.verify_kind[i] = kind;
    fields.verify_mandatory[i] = (kind == 'I' || kind == 'E') ? 1 : 0;
    fields.check_result[i] = ' ';
  }
  char letter(int number) const { return fields.check_result[number - 1]; }
  bool showed(const std::string &text) const {
    for (const auto &s : shown)
      if (s.rfind(text, 0) == 0) return true;
    return false;
  }
};

TEST_F(ValidationTest, AnEmptyPanelShowsTheCheckingMessageAndPasses) {
  t.on_idle(nullptr);
  EXPECT_EQ(validate_fields(), VALIDATION_PASSED);
  EXPECT_EQ(t.calls("_VioWrtCellStr"), 3) << "message 1 opened and closed";
  EXPECT_EQ(cells(1, 2, 24), std::string(24, ' '));
}

TEST_F(ValidationTest, FieldsAreCheckedAloneWithoutConcatenation) {
  t.add_file("PARTS.VAL", "A1\nB2\n");
  field(2, "A1", 'I', "PARTS");
  field(5, "B2", 'i', "PARTS");
  field(9, "C3", 'E', "PARTS");
  EXPECT_EQ(validate_fields(), VALIDATION_PASSED);
  EXPECT_EQ(t.count_log("validation PARTS.VAL 3 \"A1\" -> 0"), 1);
  EXPECT_EQ(t.count_log("validation PARTS.VAL 3 \"B2\" -> 0"), 1);
  EXPECT_EQ(t.count_log("validation PARTS.VAL 2 \"C3\" -> 0"), 1);
  EXPECT_EQ(letter(2), 'p');
  EXPECT_EQ(letter(9), 'p');
}

TEST_F(ValidationTest, AGroupIsCheckedByOneCallWithItsValuesJoined) {
  concatenate_values = 1;
  t.add_file("PARTS.VAL", "A1;B2;C3\n");
  field(2, "A1", 'I', "PARTS");
  field(5, "B2", 'F', "PARTS");  // a member whatever its kind
  field(9, "C3", 'N', "PARTS");
  EXPECT_EQ(validate_fields(), VALIDATION_PASSED);
  EXPECT_EQ(t.count_log("validation"), 1);
  EXPECT_EQ(t.count_log("validation PARTS.VAL 3 \"A1;B2;C3\" -> 0"), 1);
  EXPECT_EQ(letter(2), 'P');
  EXPECT_EQ(letter(5), 'P') << "the member skips its own mask check";
  EXPECT_EQ(letter(9), 'P');
}

TEST_F(ValidationTest, AGroupTakesItsModeFromItsFirstField) {
  concatenate_values = 1;
  t.add_file("PARTS.VAL", "nothing\n");
  field(2, "A1", 'E', "PARTS");
  field(5, "B2", 'I', "PARTS");
  EXPECT_EQ(validate_fields(), VALIDATION_PASSED);
  EXPECT_EQ(t.count_log("validation PARTS.VAL 2 \"A1;B2\" -> 0"), 1);
}

TEST_F(ValidationTest, ARejectedGroupShowsRecordThreeAndIsAskedAgainNextTime) {
  concatenate_values = 1;
  t.add_file("PARTS.VAL", "other\n");
  field(2, "A1", 'I', "PARTS");
  field(5, "B2", 'N', "PARTS");
  EXPECT_EQ(validate_fields(), VALIDATION_FAILED);
  EXPECT_EQ(current_field, 1);
  EXPECT_EQ(letter(2), 'F');
  EXPECT_EQ(letter(5), 'F');
  EXPECT_TRUE(showed("MSG 3"));
  // Completing again without a change must not store what the file refused.
  EXPECT_EQ(validate_fields(), VALIDATION_FAILED);
  EXPECT_EQ(t.count_log("validation PARTS.VAL"), 2);
}

TEST_F(ValidationTest, AOneTimeHelpRangeReplacesRecordThree) {
  help_variable = 12;
  t.set_variable(12, "HELP=20,21");
  t.add_file("PARTS.VAL", "other\n");
  field(3, "A1", 'I', "PARTS");
  EXPECT_EQ(validate_fields(), VALIDATION_FAILED);
  EXPECT_TRUE(showed("Help range 20"));
  EXPECT_FALSE(showed("MSG 3"));
  EXPECT_EQ(t.variable(12), "USED");
  shown.clear();
  EXPECT_EQ(validate_fields(), VALIDATION_FAILED);
  EXPECT_TRUE(showed("MSG 3"));
}

TEST_F(ValidationTest, LongGroupKeysLeaveTheValueOutAfterMessageTwo) {
  concatenate_values = 1;
  std::string forty(40, 'x');
  field(1, forty.c_str(), 'I', "BIG");
  field(2, forty.c_str(), 'I', "BIG");
  field(3, forty.c_str(), 'I', "BIG");  // 40+1+40+1+40 = 122: left out
  t.force_validation("BIG.VAL", 0);
  EXPECT_EQ(validate_fields(), VALIDATION_PASSED);
  EXPECT_TRUE(showed("MSG 2"));
  EXPECT_EQ(t.count_log("validation BIG.VAL 3 \"" + forty + ";" + forty + "\""), 1);
  EXPECT_EQ(letter(3), 'P') << "the member left out still gets the group's letter";
}

TEST_F(ValidationTest, SNamesAreNeverGroupedAndOneCharacterNamesHaveNoSuffix) {
  concatenate_values = 1;
  t.force_validation("", 0);
  field(1, "A", 'I', "S_X");
  field(2, "B", 'I', "S_X");
  field(3, "C", 'I', "X");
  EXPECT_EQ(validate_fields(), VALIDATION_PASSED);
  EXPECT_EQ(t.count_log("validation S_X.VAL 3 \"A\""), 1);
  EXPECT_EQ(t.count_log("validation S_X.VAL 3 \"B\""), 1);
  EXPECT_EQ(t.count_log("validation X 3 \"C\""), 1);
}

TEST_F(ValidationTest, ValueFilesAreSearchedLocally) {
  t.add_file("B_LOC.VAL", "A100\nB200\nC300\n");
  field(1, "B200", 'I', "B_LOC");
  field(2, "B20", 'E', "B_LOC");
  EXPECT_EQ(validate_fields(), VALIDATION_PASSED);
  EXPECT_EQ(t.count_log("validation"), 0);
  field(2, "C300", 'E', "B_LOC");
  EXPECT_EQ(validate_fields(), VALIDATION_FAILED);
  EXPECT_EQ(current_field, 1);
}

TEST_F(ValidationTest, AMissingValueFileFallsBackToTheRunTimeOnlyInTheGroupPass) {
  concatenate_values = 1;
  field(1, "A", 'I', "B_NONE");
  field(2, "B", 'I', "B_NONE");
  t.force_validation("B_NONE.VAL", 0);
  EXPECT_EQ(validate_fields(), VALIDATION_PASSED);
  EXPECT_EQ(t.count_log("validation B_NONE.VAL 3 \"A;B\" -> 0"), 1);
  concatenate_values = 0;
  field(1, "A", 'i', "B_NONE");
  fields.defined[1] = 0;
  EXPECT_EQ(validate_fields(), VALIDATION_PASSED);
  EXPECT_EQ(letter(1), 'E');
  field(1, "A", 'I', "B_NONE");
  EXPECT_EQ(validate_fields(), VALIDATION_FAILED);
  EXPECT_TRUE(showed("MSG 7"));
  EXPECT_EQ(letter(1), ' ');
}

TEST_F(ValidationTest, UnavailableFilesGiveTheirLetters) {
  concatenate_values = 1;
  t.force_validation("G4.VAL", 4);
  t.force_validation("G16.VAL", 16);
  field(1, "a", 'i', "G4");
  field(2, "b", 'I', "G4");
  field(3, "c", 'i', "G16");
  field(4, "d", 'I', "G16");
  EXPECT_EQ(validate_fields(), VALIDATION_PASSED);
  EXPECT_EQ(letter(1), 'E');
  EXPECT_EQ(letter(2), 'e');
  EXPECT_EQ(letter(3), 'T');
  EXPECT_EQ(letter(4), 'T');
}

TEST_F(ValidationTest, AMandatoryCheckThatCouldNotBeMadeFailsWithMessageSeven) {
  concatenate_values = 1;
  t.force_validation("G16.VAL", 16);
  field(4, "d", 'I', "G16");
  field(6, "e", 'N', "G16");
  EXPECT_EQ(validate_fields(), VALIDATION_FAILED);
  EXPECT_EQ(current_field, 3);
  EXPECT_EQ(letter(4), 't');
  EXPECT_EQ(letter(6), 't');
  EXPECT_TRUE(showed("MSG 7"));
}

TEST_F(ValidationTest, AnyLaterFileCheckDropsThePendingFailure) {
  t.force_validation("NA.VAL", 4);
  t.add_file("OK.VAL", "fine\n");
  field(3, "x", 'I', "NA");
  field(7, "fine", 'i', "OK");
  EXPECT_EQ(validate_fields(), VALIDATION_PASSED);
  EXPECT_EQ(letter(3), ' ');
}

TEST_F(ValidationTest, MasksMatchCharacterByCharacter) {
  fields.verify_low[0] = 30;
  for (const char *good : {"12-AB", "12-ABXYZ", "12", ""}) {
    field(1, good, 'F');
    fields.verify_low[0] = 30;
    EXPECT_EQ(validate_fields(), VALIDATION_PASSED) << good;
    EXPECT_EQ(letter(1), 'p');
  }
  field(1, "1A-AB", 'F');
  EXPECT_EQ(validate_fields(), VALIDATION_FAILED);
  EXPECT_TRUE(showed("MSG 18"));
  EXPECT_EQ(letter(1), ' ');
  field(1, "12", 'F');
  fields.verify_low[0] = 31;
  EXPECT_EQ(validate_fields(), VALIDATION_PASSED) << "mask nnn accepts 12";
  for (const char *value : {"x1", "#9"}) {
    field(1, value, 'F');
    fields.verify_low[0] = 32;
    EXPECT_EQ(validate_fields(), VALIDATION_PASSED) << "mask ?n accepts " << value;
  }
  field(1, "1x", 'F');
  fields.verify_low[0] = 32;
  EXPECT_EQ(validate_fields(), VALIDATION_FAILED);
}

TEST_F(ValidationTest, AMissingMaskRecordIsReportedWithXU) {
  field(4, "12", 'F');
  fields.verify_low[3] = 77;
  EXPECT_EQ(validate_fields(), VALIDATION_FAILED);
  EXPECT_EQ(cells(0, 0, 15), "Bad CZEB(XU):77");
  EXPECT_EQ(current_field, 3);
}

TEST_F(ValidationTest, ListsCompareWholeEntriesAndBlankEntries) {
  for (const char *good : {"APPLE", "    ", "PEAR"}) {
    field(2, good, 'S');
    fields.verify_low[1] = 40;
    fields.verify_high[1] = 42;
    EXPECT_EQ(validate_fields(), VALIDATION_PASSED) << good;
  }
  for (const char *bad : {"bbbb", "APPL", "apple", "   "}) {
    field(2, bad, 'S');
    EXPECT_EQ(validate_fields(), VALIDATION_FAILED) << bad;
  }
  EXPECT_TRUE(showed("MSG 4"));
  const char *image = nullptr;
  unsigned int size = 0;
  _DataFile("HELP.VAL", &image, &size);
  EXPECT_NE(std::string(image, size).find("0041 bbbb"), std::string::npos) << "the image is never written";
}

TEST_F(ValidationTest, RangesCompareIntegersAndPaddedFractions) {
  for (const char *good : {"10.5", "10,50", "15", "20.0", "20"}) {
    field(1, good, 'R');
    fields.verify_low[0] = 50;
    fields.verify_high[0] = 51;
    EXPECT_EQ(validate_fields(), VALIDATION_PASSED) << good;
  }
  for (const char *bad : {"10.4", "20.1", ".5", "9", "", "-15"}) {
    field(1, bad, 'R');
    EXPECT_EQ(validate_fields(), VALIDATION_FAILED) << bad;
  }
  field(1, "15", 'R');
  fields.verify_high[0] = 52;
  EXPECT_EQ(validate_fields(), VALIDATION_FAILED);
  EXPECT_EQ(cells(0, 0, 15), "Bad CZEB(XM):52");
}

TEST_F(ValidationTest, RangesBelowZeroOrderTheirFractionsTheOtherWay) {
  t.add_file("HELP.VAL", "0001 Checking\n0004 Not allowed\n0060 -50\n0061 -0.5\n0062 0\n0063 500\n");
  struct Case {
    int low, high;
    const char *value;
    bool passes;
  };
  for (Case c : {Case{60, 63, "-50.5", false}, Case{60, 63, "-050.50", false}, Case{60, 63, "-49.5", true},
                 Case{60, 63, "-50", true}, Case{60, 63, "-50.00", true}, Case{62, 63, "-0.5", false},
                 Case{62, 63, "0.5", true}, Case{62, 63, "-0.0", true}, Case{60, 61, "-0.6", true},
                 Case{60, 61, "-0.4", false}}) {
    field(1, c.value, 'R');
    fields.verify_low[0] = c.low;
    fields.verify_high[0] = c.high;
    EXPECT_EQ(validate_fields(), c.passes ? VALIDATION_PASSED : VALIDATION_FAILED) << c.value;
  }
}

TEST_F(ValidationTest, CheckDigitKindsShowTheirMessages) {
  field(1, "59", 'B');
  EXPECT_EQ(validate_fields(), VALIDATION_FAILED);
  EXPECT_TRUE(showed("MSG 5"));
  field(1, "059", 'B');
  std::strcpy(fields.verify_suffix[1], "4");
  field(2, "5992739872", 'T');
  EXPECT_EQ(validate_fields(), VALIDATION_FAILED);
  EXPECT_TRUE(showed("MSG 6"));
  EXPECT_EQ(current_field, 1);
  EXPECT_EQ(letter(1), 'p');
}

TEST_F(ValidationTest, DatesAreCheckedWhenNothingElseDecidedThem) {
  field(1, "02-30-2004", 'N');
  fields.input_kind[0] = INPUT_DATE_AMER;
  EXPECT_EQ(validate_fields(), VALIDATION_FAILED);
  EXPECT_TRUE(showed("MSG 17"));
  field(1, "50", 'R');  // a range that passes decides the field
  fields.input_kind[0] = INPUT_DATE_AMER;
  fields.verify_low[0] = 50;
  fields.verify_high[0] = 50;
  std::strcpy(fields.value[0], "10.5");
  EXPECT_EQ(validate_fields(), VALIDATION_PASSED);
  EXPECT_STREQ(fields.value[0], "10.5") << "not rewritten by a date check";
}

TEST_F(ValidationTest, AnEmptyOptionalDateStaysEmpty) {
  field(1, "", 'N');
  fields.input_kind[0] = INPUT_DATE_EURO;
  fields.required[0] = 0;
  field(2, "", 'N');
  fields.input_kind[1] = INPUT_TIME_STD;
  fields.required[1] = 0;
  EXPECT_EQ(validate_fields(), VALIDATION_PASSED);
  EXPECT_STREQ(fields.value[0], "");
  EXPECT_STREQ(fields.value[1], "");
}

TEST_F(ValidationTest, DecidedFieldsAreNotCheckedAgain) {
  t.add_file("PARTS.VAL", "A1\n");
  field(1, "A1", 'I', "PARTS");
  EXPECT_EQ(validate_fields(), VALIDATION_PASSED);
  EXPECT_EQ(validate_fields(), VALIDATION_PASSED);
  EXPECT_EQ(t.count_log("validation"), 1);
}

}  // namespace
