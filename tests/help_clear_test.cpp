// SET_HEL, which names the help file, and CLEAR_P, which empties the field
// table for the next panel.
#include <string>

#include "support/fields_fixture.h"

namespace {

class HelpClearTest : public FieldsTest {};

TEST_F(HelpClearTest, SetHelStoresTheNameCutToFifteenCharacters) {
  EXPECT_EQ(run("SET_HEL FILE=ABCDEFGHIJKLMNOPQRST"), 0);
  EXPECT_STREQ(help_file_name, "ABCDEFGHIJKLMNO");
  run("SET_HEL FILE= OTHER.VAL,X");
  EXPECT_STREQ(help_file_name, "OTHER.VAL") << "a leading blank is skipped, a comma ends the name";
  EXPECT_EQ(t.calls("_KbdReadAscii"), 0);
}

TEST_F(HelpClearTest, SetHelReadsOnlyTheCharactersItsLengthDigitsCount) {
  run_raw("16SET_HEL FILE=ABCDEFG");
  EXPECT_STREQ(help_file_name, "ABC");
}

TEST_F(HelpClearTest, SetHelWithoutAFileNameReportsAndKeepsTheName) {
  EXPECT_EQ(report_of_command("SET_HEL file=LOWER.VAL"), report_row("Zl", command("SET_HEL file=LOWER.VAL")));
  EXPECT_STREQ(help_file_name, "HELP.VAL");
  EXPECT_EQ(report_of_command("SET_HEL FILE= , = "), report_row("Zk", command("SET_HEL FILE= , = ")));
  EXPECT_STREQ(help_file_name, "HELP.VAL");
  // Fifteen blanks after the keyword leave the name outside the window.
  const std::string far = "SET_HEL FILE=" + std::string(15, ' ') + "X.VAL";
  EXPECT_EQ(report_of_command(far), report_row("Zk", command(far)));
}

TEST_F(HelpClearTest, ClearPanelEmptiesDefinitionsAndValuesOnly) {
  t.set_variable(9, "KEPT?");
  t.put_text(5, 0, "screen text");
  run("SET_HEL FILE=MINE.VAL");
  for (const char *n : {"1", "7", "20"})
    define(std::string("FI=") + n + " INPUT=NUM LEN=5 ROW=1 COL=1 VERT=R,3,4 PUV=9 SCRN=5,6");
  ASSERT_EQ(fields.defined[6], 1) << row(0);
  EXPECT_EQ(run("CLEAR_P and anything after"), 0);
  for (int f = 0; f < FIELD_COUNT; ++f) {
    EXPECT_EQ(fields.defined[f], 0) << f;
    EXPECT_STREQ(fields.value[f], "") << f;
  }
  EXPECT_STREQ(decimal_style, "");
  EXPECT_EQ(fields.verify_kind[6], 'R');
  EXPECT_EQ(fields.verify_low[6], 3);
  EXPECT_EQ(fields.verify_high[6], 4);
  EXPECT_EQ(fields.screen_second[19], 6);
  EXPECT_EQ(fields.length[0], 5);
  EXPECT_STREQ(help_file_name, "MINE.VAL");
  EXPECT_EQ(cells(5, 0, 11), "screen text");
}

TEST_F(HelpClearTest, AfterClearPanelTheNextDefinitionStartsANewPanel) {
  define("FI=3 INPUT=NUM LEN=5 ROW=1 COL=1");
  run("CLEAR_P");
  define("FI=2 INPUT=AI LEN=5.1 ROW=1 COL=1");
  EXPECT_EQ(fields.defined[1], 1);
  EXPECT_EQ(fields.defined[2], 0);
  EXPECT_STREQ(decimal_style, ".");
}

}  // namespace
