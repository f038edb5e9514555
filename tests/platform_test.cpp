// Behaviour that must come out the same on every build: x86 Linux, Windows
// (where long is 32 bits and the C run-time is Microsoft's) and 32-bit ARM
// (where plain char is unsigned and pointers are 32 bits). Bytes above 127
// and numbers at the edge of 32 bits are where those builds part ways.
#include <limits.h>

#include <string>
#include <type_traits>

#include "entry/entry.h"
#include "entry/text.h"
#include "platform/termrt.h"
#include "screen/popup.h"
#include "support/terminal_test.h"

namespace {

class PlatformTest : public TerminalTest {};

// Each cross build is only worth running if it has the traits it stands for.
TEST(PlatformTraits, TheBuildHasTheTypesOfItsTarget) {
  EXPECT_EQ(sizeof(int), 4u);
  EXPECT_EQ(sizeof(short), 2u);
#if defined(__arm__)
  EXPECT_FALSE(std::is_signed<char>::value) << "the ARM build must keep plain char unsigned";
  EXPECT_EQ(sizeof(void *), 4u);
#endif
#if defined(_WIN32)
  EXPECT_EQ(sizeof(long), 4u);
#endif
}

TEST(PlatformText, NumbersWrapAtThirtyTwoBitsWhateverTheSizeOfLong) {
  EXPECT_EQ(decimal_value("2147483647"), INT_MAX);
  EXPECT_EQ(decimal_value("2147483648"), INT_MIN);
  EXPECT_EQ(decimal_value("-2147483649"), INT_MAX);
  EXPECT_EQ(decimal_value("4294967297"), 1);
  EXPECT_EQ(decimal_value(" \t+12x"), 12);
  char text[NUMBER_TEXT_SIZE];
  EXPECT_EQ(number_text(INT_MIN, text), 11);
  EXPECT_STREQ(text, "-2147483648");
}

TEST(PlatformText, BytesAboveSevenBitsCompareAsUnsignedAndFoldOnlyAsciiLetters) {
  EXPECT_GT(compare_nocase("\xE9", "z"), 0);
  EXPECT_LT(compare_nocase("Z", "\x80"), 0);
  EXPECT_EQ(compare_nocase("abc\xE9", "ABC\xE9"), 0);
  EXPECT_NE(compare_nocase("\xE9", "\xC9"), 0);
  EXPECT_GT(compare_nocase_n("SET\xFF", "set_", 4), 0);
}

TEST_F(PlatformTest, LengthDigitsWithHighBytesCountAsNoDigits) {
  std::string parm = "\xB0\xB9";
  run_raw((parm + "CLEAR_P").c_str());
  EXPECT_EQ(argument_length, 0);
  parm = "1\xB9";
  run_raw((parm + "CLEAR_P").c_str());
  EXPECT_EQ(argument_length, 1);
}

// Every byte from 128 to 255 in turn, over the rows the popup covers.
static unsigned char high_byte(int row, int col) {
  return static_cast<unsigned char>(0x80 + (row * termrt::kCols + col) % 0x80);
}

TEST_F(PlatformTest, ThePopupGivesBackCellsAboveSevenBitsUnchanged) {
  for (int row = 0; row < 6; ++row)
    for (int col = 0; col < termrt::kCols; ++col) {
      unsigned char cell[2] = {high_byte(row, col), static_cast<unsigned char>(col % 2)};
      unsigned short status;
      _VioWrtCellStr(cell, 1, row, col, &status, 0);
    }
  ASSERT_EQ(popup_window('C', 1, 3, nullptr), 2);
  popup_window('R', 0, 0, nullptr);
  for (int row = 0; row < 6; ++row)
    for (int col = 0; col < termrt::kCols; ++col) {
      EXPECT_EQ(t.cell(row, col).ch, high_byte(row, col)) << "row " << row << " column " << col;
      EXPECT_EQ(t.cell(row, col).attr, col % 2);
    }
}

}  // namespace
