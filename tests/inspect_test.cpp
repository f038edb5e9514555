// The field inspection display that the debug flag switches on.
#include "input/inspect.h"

#include <cstring>

#include "fields/table.h"
#include "input/editor.h"
#include "platform/keys.h"
#include "support/field_setup.h"
#include "support/terminal_test.h"

namespace {

class InspectTest : public TerminalTest {
 protected:
  // Field number 3 as SET_FIE would leave it for
  // "INPUT=NUM LEN=-6.2 COL=10 VERF=PARTS VERT=E DI=PN HELP=20,21".
  void define_field() {
    put_field(2, INPUT_NUM, 6, 4, 9);
    fields.is_signed[2] = 1;
    fields.decimals[2] = 2;
    std::memcpy(fields.verify_file[2], "PARTS\0\0\0\0\0\0\0", VERIFY_FILE_SIZE);
    fields.verify_kind[2] = 'E';
    fields.verify_mandatory[2] = 1;
    fields.check_result[2] = ' ';
    std::strcpy(fields.data_id[2], "PN");
  }
};

TEST_F(InspectTest, ShowsEachItemOnItsRowWithTheLabelCells) {
  define_field();
  for (int r = 0; r < 20; ++r) t.put_text(r, 0, std::string(40, '#'));
  show_field_definition();
  const char *expected[] = {
      "########################################", "field index     2#######################",
      "field defined   1#######################", "inputs allowd   3#######################",
      "field mode      V#######################", "field length    6#######################",
      "field signed    1#######################", "field precisn   2#######################",
      "field col       9#######################", "dp style        .#######################",
      "prefilled ?     0#######################", "Edit?           1#######################",
      "ver file name   PARTS        ###########", "ver type        E   ####################",
      "ver mandatory   1#######################", "val concate'd   0#######################",
      "Val result       #######################", "Data ID         PN  ####################",
      "Help start      20  ####################", "Help end        21  ####################",
  };
  for (int r = 0; r < 20; ++r) EXPECT_EQ(row(r), expected[r]) << r;
  EXPECT_EQ(t.cell(13, 19).ch, 0) << "a label is written with its NUL";
  EXPECT_EQ(t.cell(12, 21).ch, 0) << "the whole verify file entry is written";
}

TEST_F(InspectTest, EmptyTextsShowOnlyTheirLabelAndNoDecimalsShowMinusOne) {
  define_field();
  decimal_style[0] = '\0';
  fields.data_id[2][0] = '\0';
  fields.decimals[2] = -1;
  show_field_definition();
  EXPECT_EQ(cells(7, 0, 18), "field precisn   -1");
  EXPECT_EQ(t.cell(9, 16).ch, 0) << "only the label's own NUL";
  EXPECT_EQ(t.cell(17, 16).ch, ' ');
}

TEST_F(InspectTest, FunctionCodeFourSwitchesTheDisplayOnAndOffForTheEditor) {
  t.add_file("HELP.VAL", kHelpFile);
  define_field();
  t.key(KEY_ENTER);
  edit_field("", 0);
  EXPECT_EQ(cells(1, 0, 11), std::string(11, ' '));
  call(4);
  t.key(KEY_ENTER);
  edit_field("", 0);
  EXPECT_EQ(cells(1, 0, 17), "field index     2");
  t.put_text(1, 0, std::string(40, ' '));
  call(4);
  t.key(KEY_ENTER);
  edit_field("", 0);
  EXPECT_EQ(cells(1, 0, 11), std::string(11, ' '));
}

}  // namespace
