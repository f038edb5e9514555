// The fixed-decimal redraw of a field whose value changed.
#include "panel/field_display.h"

#include <cstring>

#include "fields/table.h"
#include "support/field_setup.h"
#include "support/terminal_test.h"

namespace {

class FieldDisplayTest : public TerminalTest {
 protected:
  // Field 3 at row 4, column 10, holding `value`; returns its value after
  // format_decimal_field.
  std::string format(int length, int decimals, bool is_signed, const char *value) {
    put_field(3, INPUT_NUM, length, 4, 10);
    fields.decimals[3] = decimals;
    fields.is_signed[3] = is_signed ? 1 : 0;
    std::strcpy(fields.value[3], value);
    format_decimal_field(3);
    return fields.value[3];
  }
};

TEST_F(FieldDisplayTest, ExamplesOfTheFixedPointForm) {
  EXPECT_EQ(format(7, 2, false, "12.5"), "0012.50");
  EXPECT_EQ(format(7, 2, false, "3"), "0003.00");
  EXPECT_EQ(format(6, 1, true, "5"), " 005.0");
  EXPECT_EQ(format(6, 1, true, " 5"), " 005.0") << "the editor's sign blank";
  EXPECT_EQ(format(6, 1, true, "-5.25"), "-005.2") << "digits beyond the decimals are dropped";
  EXPECT_EQ(format(4, 2, false, "123.45"), "123.") << "only the mark still fits";
  EXPECT_EQ(format(7, 2, false, "12,5"), "0012.50") << "the panel's mark, not the value's";
  EXPECT_EQ(format(7, 2, false, ""), "0000.00");
  EXPECT_EQ(format(6, 1, true, "0"), "0000.0") << "zero gets no sign blank";
  EXPECT_EQ(format(6, 1, true, "-0.5"), "-000.5") << "a value between -1 and 0 keeps its sign";
}

TEST_F(FieldDisplayTest, RedrawsExactlyTheFieldWithUnderscoresFirst) {
  t.put_text(4, 0, std::string(40, '#'));
  format(7, 2, false, "12.5");
  EXPECT_EQ(row(4), "##########0012.50#######################");
  EXPECT_EQ(t.calls("_VioWrtNChar"), 1);
}

TEST_F(FieldDisplayTest, IntegerPartThatFillsOrOverflowsTheFieldIsLeftAloneAndNotDrawn) {
  t.put_text(4, 0, std::string(40, '#'));
  EXPECT_EQ(format(3, 2, false, "123"), "123");
  EXPECT_EQ(format(3, 2, true, "12"), "12") << "the sign blank makes three";
  EXPECT_EQ(format(3, 2, false, "1234567890123456789012345678901234567890"),
            "1234567890123456789012345678901234567890");
  EXPECT_EQ(format(5, 1, true, "9999999999999999999999999999999999999999"),
            "9999999999999999999999999999999999999999");
  EXPECT_EQ(row(4), std::string(40, '#'));
  EXPECT_EQ(t.calls("_VioWrtNChar") + t.calls("_VioWrtCharStr"), 0);
}

TEST_F(FieldDisplayTest, FieldsWithoutDecimalPlacesAreLeftAlone) {
  EXPECT_EQ(format(7, -1, false, "12.5"), "12.5");
  EXPECT_EQ(format(7, 0, false, "12.5"), "12.5");
  EXPECT_EQ(t.calls("_VioWrtCharStr"), 0);
}

TEST_F(FieldDisplayTest, NegativeDecimalsOtherThanNoneGetTheMarkButNoDigits) {
  // "LEN=7.-2" gives decimals -2: not "no decimal mark", so the value is
  // rewritten, with the mark and no decimal digits.
  EXPECT_EQ(format(7, -2, false, "12.5"), "000012.");
  EXPECT_EQ(format(7, -2, true, "3"), " 00003.");
}

}  // namespace
