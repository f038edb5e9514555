// The formatter's conversions, limits and error markers, and the display and
// keyboard test of function code 5.
#include "screen/format.h"

#include "entry/entry.h"
#include "support/terminal_test.h"

namespace {

class FormatTest : public TerminalTest {
 protected:
  char text[128];
};

// The text of a format and its values, built with size 128 and shown nowhere.
template <typename... Values>
std::string formatted(const char *format, Values... values) {
  char built[128];
  EXPECT_EQ(format_to_display(built, 128, -1, 0, format, values...), FORMAT_DONE) << format;
  return built;
}

TEST_F(FormatTest, TheExamples) {
  EXPECT_EQ(formatted("Key code = 0x%X  ", 284), "Key code = 0x11C  ");
  EXPECT_EQ(formatted("%05d", -42), "-0042");
  EXPECT_EQ(formatted("%5d", -42), "-  42");
  EXPECT_EQ(formatted("%+d", 7), "+7");
  EXPECT_EQ(formatted("%-4c", 'A'), "A   ");
  EXPECT_EQ(formatted("%5.2s", "abc"), "   ab");
  EXPECT_EQ(formatted("%.2s", "abc"), "abc");
  EXPECT_EQ(formatted("%#x", 255), "#x");
}

TEST_F(FormatTest, SignedNumbersAndTheirFlags) {
  EXPECT_EQ(formatted("%d %i %d %d", 0, -1, 2147483647, (int)0x80000000u), "0 -1 2147483647 -2147483648");
  EXPECT_EQ(formatted("% d", 5), " 5");
  EXPECT_EQ(formatted("%+ d", 5), "+5") << "plus wins over blank";
  EXPECT_EQ(formatted("% +d", 0), "+0");
  EXPECT_EQ(formatted("%+d", -5), "-5");
  EXPECT_EQ(formatted("%+05d", 42), "+0042");
}

TEST_F(FormatTest, NumberWidthsPadInFrontBehindTheSignOrOnTheRight) {
  EXPECT_EQ(formatted("%5d|", 42), "   42|");
  EXPECT_EQ(formatted("%05d|", 42), "00042|");
  EXPECT_EQ(formatted("% 05d|", 42), " 0042|");
  EXPECT_EQ(formatted(" %+5d|", 42), " +  42|");
  EXPECT_EQ(formatted("%-5d|", -42), "-42  |");
  EXPECT_EQ(formatted("%-05d|", 42), "42   |") << "left-justified fill is always blanks";
  EXPECT_EQ(formatted("%3d|", 12345), "12345|");
  EXPECT_EQ(formatted("%.5d|", 42), "42|") << "the precision is ignored for numbers";
  EXPECT_EQ(formatted("%5-d|", 42), "42   |") << "flags and digits in any order";
  EXPECT_EQ(formatted("%99d", 7), std::string(98, ' ') + "7");
}

TEST_F(FormatTest, UnsignedOctalAndHexadecimal) {
  EXPECT_EQ(formatted("%u %o %x %X", -1, -1, -1, -1), "4294967295 37777777777 ffffffff FFFFFFFF");
  EXPECT_EQ(formatted("%o %x %04X", 8, 255, 255), "10 ff 00FF");
  EXPECT_EQ(formatted("%lx %x", -123, -123), "ffffff85 ffffff85");
  EXPECT_EQ(formatted("%hd %Ld", -7, -7), "-7 -7");
}

TEST_F(FormatTest, CharactersTakeTheLowByteOfTheirSlot) {
  EXPECT_EQ(formatted("%c%d", 'A', 7), "A7");
  EXPECT_EQ(formatted("%c", 0x142), "B");
  EXPECT_EQ(formatted("%3c|", 'C'), "  C|");
  EXPECT_EQ(formatted("%0c|", 'D'), "D|");
}

TEST_F(FormatTest, StringsAreCutOnlyWhenTheyFitTheirWidth) {
  EXPECT_EQ(formatted("%.3s", "abcdef"), "abcdef") << "no width: the whole text";
  EXPECT_EQ(formatted("%3.2s", "abcdef"), "abcdef");
  EXPECT_EQ(formatted("%6.2s", "abcdef"), "    ab");
  EXPECT_EQ(formatted("%-6s|", "ab"), "ab    |");
  EXPECT_EQ(formatted("%-4,2s|", "abcd"), "ab  |") << "a comma also starts the precision";
  EXPECT_EQ(formatted("%5.0s", "abc"), "  abc");
  EXPECT_EQ(formatted("[%s]", ""), "[]");
  EXPECT_EQ(formatted("x=%d y=%s", 1, "two"), "x=1 y=two");
}

TEST_F(FormatTest, OtherCharactersEndTheDirectiveAndStandForThemselves) {
  EXPECT_EQ(formatted("100%%"), "100%");
  EXPECT_EQ(formatted("50%"), "50");
  EXPECT_EQ(formatted("%*d%d", 9), "*d9");
  EXPECT_EQ(formatted("%5y!%d", 9), "y!9");
  EXPECT_EQ(formatted("%n%p%d", 5), "5") << "n and p take no value";
  EXPECT_EQ(formatted("%\x01|"), "\x01|");
  EXPECT_EQ(formatted(""), "");
}

TEST_F(FormatTest, ATextThatWouldReachTheSizeIsRefusedWithAMarker) {
  EXPECT_EQ(format_to_display(text, 7, 3, 2, "ab%s", "cdef"), FORMAT_DONE);
  EXPECT_EQ(cells(3, 0, 10), "  abcdef  ");
  EXPECT_EQ(format_to_display(text, 6, 4, 2, "ab%sgh", "cdef"), FORMAT_TOO_LONG);
  EXPECT_STREQ(text, "ab");
  EXPECT_EQ(cells(4, 0, 10), "  ab***   ");
  EXPECT_EQ(format_to_display(text, 6, 5, 0, "abcdef"), FORMAT_TOO_LONG);
  EXPECT_STREQ(text, "") << "a literal run goes in whole or not at all";
  EXPECT_EQ(cells(5, 0, 4), "*** ");
}

TEST_F(FormatTest, EveryKindOfAppendIsChecked) {
  EXPECT_EQ(format_to_display(text, 5, -1, 0, "%5d", 1), FORMAT_TOO_LONG);
  EXPECT_EQ(format_to_display(text, 6, -1, 0, "%5d", 1), FORMAT_DONE);
  EXPECT_EQ(format_to_display(text, 3, -1, 0, "%3c", 'x'), FORMAT_TOO_LONG);
  EXPECT_EQ(format_to_display(text, 4, -1, 0, "ab%%"), FORMAT_DONE);
  EXPECT_EQ(format_to_display(text, 3, -1, 0, "ab%%"), FORMAT_TOO_LONG);
  EXPECT_STREQ(text, "ab");
  EXPECT_EQ(format_to_display(text, 4, -1, 0, "%5s", "ab"), FORMAT_TOO_LONG) << "the width counts";
  EXPECT_EQ(format_to_display(text, 1, -1, 0, ""), FORMAT_DONE);
  EXPECT_EQ(format_to_display(text, 1, -1, 0, "%d", 0), FORMAT_TOO_LONG);
}

TEST_F(FormatTest, AThirdDigitFailsBeforeAnythingMoreIsAppended) {
  EXPECT_EQ(format_to_display(text, 128, 6, 1, "N=%010d", 5), FORMAT_BAD_WIDTH);
  EXPECT_STREQ(text, "N=");
  EXPECT_EQ(cells(6, 0, 8), " N=*1*  ");
  EXPECT_EQ(format_to_display(text, 128, 7, 0, "%s|%.123s", "ab", "cd"), FORMAT_BAD_PRECISION);
  EXPECT_STREQ(text, "ab|");
  EXPECT_EQ(cells(7, 0, 8), "ab|*2*  ");
  EXPECT_EQ(format_to_display(text, 128, -1, 0, "%99.99d", 5), FORMAT_DONE);
}

TEST_F(FormatTest, RowMinusOneShowsNothingButTheBufferHoldsTheText) {
  EXPECT_EQ(format_to_display(text, 4, -1, 0, "abc%d", 12), FORMAT_TOO_LONG);
  EXPECT_STREQ(text, "abc");
  EXPECT_EQ(format_to_display(text, 128, -1, 0, "%d", 12), FORMAT_DONE);
  EXPECT_EQ(t.calls("_VioWrtCharStr"), 0);
}

TEST_F(FormatTest, NoBufferOrNoRoomNeverWritesOutside) {
  EXPECT_EQ(format_to_display(nullptr, 10, -1, 0, "abc"), FORMAT_TOO_LONG);
  text[0] = 'Q';
  EXPECT_EQ(format_to_display(text, 0, -1, 0, "abc"), FORMAT_TOO_LONG);
  EXPECT_EQ(format_to_display(text, -5, -1, 0, ""), FORMAT_TOO_LONG);
  EXPECT_EQ(text[0], 'Q');
  EXPECT_EQ(format_to_display(text, 128, -1, 0, nullptr), FORMAT_DONE);
  EXPECT_EQ(format_to_display(text, 128, -1, 0, "[%s]", static_cast<const char *>(nullptr)), FORMAT_DONE);
  EXPECT_STREQ(text, "[]");
}

// ---- the display and keyboard test ----

class DisplayTestTest : public TerminalTest {};

TEST_F(DisplayTestTest, ShowsTheClockAndEveryKeyCodeUntilEnter) {
  t.key('a');
  std::string during;
  t.on_idle([&] {
    if (!during.empty()) return;
    during = screen();
    EXPECT_EQ(t.cursor_row(), 5);
    EXPECT_EQ(t.cursor_col(), 10);
    EXPECT_EQ(t.cursor_type(), 4);
    t.key(13);
  });
  EXPECT_EQ(call(5), 0);
  EXPECT_EQ(during.substr(0, 41), "Key code = 0x61                         \n");
  EXPECT_EQ(row(0), "Key code = 0xD                          ");
  EXPECT_EQ(row(1), "100000                                  ");
  EXPECT_EQ(row(2), "260115                                  ");
  EXPECT_EQ(row(4), "Cursor @5,10                            ");
  EXPECT_EQ(row(5), "ABCDEFGHIJ                              ");
  EXPECT_EQ(t.pending_keys(), 0u);
}

TEST_F(DisplayTestTest, KeyCodesAreShownInUpperCaseHexadecimal) {
  t.key(15104);
  int shown = 0;
  t.on_idle([&] {
    if (shown++ == 0) {
      EXPECT_EQ(cells(0, 0, 19), "Key code = 0x3B00  ");
      t.key(13);
    }
  });
  call(5);
}

}  // namespace
