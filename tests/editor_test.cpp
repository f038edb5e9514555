// The field input editor: typing by input kind, cursor and backspace keys,
// the leaving keys, the fixed-length rule, help, refused keys and time-outs.
#include "input/editor.h"

#include <climits>
#include <cstring>
#include <vector>

#include "entry/entry.h"
#include "fields/table.h"
#include "input/clock.h"
#include "platform/keys.h"
#include "support/field_setup.h"
#include "support/terminal_test.h"

namespace {

// What the field showed at one moment: its cells and the cursor in it.
struct View {
  std::string text;
  int cursor = -1;
};

class EditorTest : public TerminalTest {
 protected:
  void SetUp() override {
    TerminalTest::SetUp();
    t.add_file("HELP.VAL", kHelpFile);
  }
  // The cells of the field (row 5 from column 10) and the cursor column in it.
  View field_view() { return View{cells(5, 10, 12), t.cursor_col() - 10}; }
  // At `seconds`, notes the field in *view, then types `text` and `codes`.
  void then(double seconds, View *view, const std::string &text, std::vector<std::uint16_t> codes = {}) {
    t.at(seconds, [this, view, text, codes] {
      if (view) *view = field_view();
      t.type(text);
      for (std::uint16_t code : codes) t.key(code);
    });
  }
  std::string buffer() const { return edit_buffer; }
};

TEST_F(EditorTest, EmptyDateFieldIsTypedOverItsTemplateSkippingTheSeparators) {
  put_field(0, INPUT_DATE_EURO, 10);
  View start, after_three, done;
  then(1, &start, "311");
  then(2, &after_three, "22024", {KEY_ENTER});
  EXPECT_EQ(edit_field("", 0), KEY_ENTER);
  EXPECT_EQ(start.text.substr(0, 10), "DD-MM-YYYY");
  EXPECT_EQ(start.cursor, 0);
  EXPECT_EQ(after_three.text.substr(0, 10), "31-1M-YYYY");
  EXPECT_EQ(after_three.cursor, 4);
  EXPECT_EQ(buffer(), "31-12-2024");
  EXPECT_EQ(t.cursor_col() - 10, 10);
}

TEST_F(EditorTest, LeavingKeysPressedFirstReturnAtOnceEvenInAFixedLengthField) {
  put_field(0, INPUT_TIME_STD, 8);
  t.key(KEY_ENTER);
  EXPECT_EQ(edit_field("", 0), KEY_ENTER);
  EXPECT_EQ(buffer(), "HH:MM:SS");
  put_field(1, INPUT_ALPHA, 5);
  fields.mode[1] = 'F';
  for (std::uint16_t key : {KEY_ENTER, KEY_CANCEL, KEY_PREVIOUS, KEY_COMPLETE, KEY_BLANK_ENTRY, KEY_NEXT}) {
    t.key(key);
    EXPECT_EQ(edit_field("AB", 0), key);
  }
  EXPECT_EQ(t.count_log("beep"), 0);
}

TEST_F(EditorTest, FixedLengthFieldHoldsEnterUntilItIsFull) {
  put_field(0, INPUT_ALPHA, 4);
  fields.mode[0] = 'F';
  t.type("abc");
  t.key(KEY_ENTER);
  std::string message;
  t.at(2, [&] {
    message = cells(2, 3, 20);
    t.key(KEY_ENTER);
  });  // acknowledges message 9
  View held;
  then(3, &held, "d", {KEY_ENTER});
  EXPECT_EQ(edit_field("", 0), KEY_ENTER);
  EXPECT_EQ(message, "Fill the whole field");
  EXPECT_EQ(held.text.substr(0, 4), "ABC_");
  EXPECT_EQ(held.cursor, 3);
  EXPECT_EQ(buffer(), "ABCD");

  for (std::uint16_t key : {KEY_CANCEL, KEY_BLANK_ENTRY}) {
    t.keys({'a', key});
    EXPECT_EQ(edit_field("", 0), key) << "cancel and blank entry are never held";
  }
}

TEST_F(EditorTest, NumericFieldKeepsASignPositionAndOneDecimalMark) {
  put_field(0, INPUT_NUM, 6);
  fields.is_signed[0] = 1;
  fields.decimals[0] = 2;
  View start, mark, digit, minus, plus;
  then(1, &start, ".");
  then(2, &mark, "5");
  then(3, &digit, "-");
  then(4, &minus, "-");
  then(5, &plus, "", {KEY_ENTER});
  EXPECT_EQ(edit_field("", 0), KEY_ENTER);
  EXPECT_EQ(start.text.substr(0, 6), "______");
  EXPECT_EQ(mark.text.substr(0, 6), " 0.___");
  EXPECT_EQ(mark.cursor, 3);
  EXPECT_EQ(digit.text.substr(0, 6), " 0.5__");
  EXPECT_EQ(minus.text.substr(0, 6), "-0.5__");
  EXPECT_EQ(minus.cursor, 4) << "the sign key does not move the cursor";
  EXPECT_EQ(plus.text.substr(0, 6), " 0.5__");
  EXPECT_EQ(buffer(), " 0.5");
}

TEST_F(EditorTest, DecimalMarkRulesOfUnsignedFieldsAndFieldsWithoutDecimals) {
  put_field(0, INPUT_NUM, 8);
  fields.decimals[0] = 2;
  t.type("1.2.3-");  // second mark refused, "-" does nothing unsigned
  t.keys({KEY_BACKSPACE, KEY_BACKSPACE, KEY_BACKSPACE});
  t.type(".");  // the mark is gone, so one can be typed again
  t.keys({KEY_LEFT});
  t.type("7.");  // a digit over the mark frees it too
  t.key(KEY_ENTER);
  EXPECT_EQ(edit_field("", 0), KEY_ENTER);
  EXPECT_EQ(buffer(), " 17.");

  fields.decimals[0] = -1;
  t.type("4.5,6");
  t.key(KEY_ENTER);
  EXPECT_EQ(edit_field("", 0), KEY_ENTER);
  EXPECT_EQ(buffer(), " 456");
}

TEST_F(EditorTest, RefusedFirstKeyShowsMessageTenAndLaterOnesAreIgnored) {
  put_field(0, INPUT_NUM, 5);
  t.key('/');
  std::string message;
  t.at(0.5, [&] { message = cells(2, 3, 15); });
  then(3, nullptr, "1/2", {KEY_ENTER});
  EXPECT_EQ(edit_field("", 0), KEY_ENTER);
  EXPECT_EQ(message, "Key not allowed");
  EXPECT_EQ(t.count_log("beep 0,0,2"), 2);
  EXPECT_EQ(buffer(), " 12");

  put_field(1, INPUT_ALPHA, 5);
  t.key('{');
  then(3, nullptr, "ab{c", {KEY_ENTER});
  EXPECT_EQ(edit_field("", 0), KEY_ENTER);
  EXPECT_EQ(t.count_log("beep 0,0,2"), 4);
  EXPECT_EQ(buffer(), "ABC") << "lower case is stored in upper case";

  put_field(2, INPUT_DATE_AMER, 10);
  t.type("1/");
  t.key(KEY_ENTER);
  EXPECT_EQ(edit_field("", 0), KEY_ENTER);
  EXPECT_EQ(buffer(), "1/-DD-YYYY") << "a date takes the slash";
}

TEST_F(EditorTest, FirstKeyReplacesTheTextOfAFieldThatIsNotEditable) {
  put_field(0, INPUT_ALPHA, 5);
  fields.editable[0] = 0;
  View typed;
  t.key('x');
  then(1, &typed, "", {KEY_ENTER});
  EXPECT_EQ(edit_field("ABC", 0), KEY_ENTER);
  EXPECT_EQ(typed.text.substr(0, 5), "X____");
  EXPECT_EQ(buffer(), "X");

  t.keys({KEY_RIGHT, KEY_ENTER});
  EXPECT_EQ(edit_field("ABC", 0), KEY_ENTER);
  EXPECT_EQ(buffer(), "");

  fields.editable[0] = 1;
  t.keys({'x', KEY_ENTER});
  EXPECT_EQ(edit_field("ABC", 0), KEY_ENTER);
  EXPECT_EQ(buffer(), "XBC");
}

TEST_F(EditorTest, TemplateBytesBehindTheTextEndStillGuideTheCursor) {
  put_field(0, INPUT_DATE_AMER, 10);
  fields.editable[0] = 0;
  View typed;
  t.type("0101");
  then(1, &typed, "", {KEY_ENTER});
  EXPECT_EQ(edit_field("12-31-2024", 0), KEY_ENTER);
  EXPECT_EQ(typed.text.substr(0, 10), "01-01-____");
  EXPECT_EQ(typed.cursor, 6);
  EXPECT_EQ(buffer(), "01-01-");
}

TEST_F(EditorTest, BackspaceClosesTheGapInsideAndShortensAtTheEnd) {
  put_field(0, INPUT_ALPHA, 6);
  View inside, end;
  t.keys({KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, KEY_BACKSPACE});
  then(1, &inside, "", {KEY_RIGHT, KEY_RIGHT, KEY_BACKSPACE});
  then(2, &end, "", {KEY_ENTER});
  EXPECT_EQ(edit_field("ABCDE", 0), KEY_ENTER);
  EXPECT_EQ(inside.text.substr(0, 6), "ABDE__");
  EXPECT_EQ(inside.cursor, 2);
  EXPECT_EQ(end.text.substr(0, 6), "ABD___");
  EXPECT_EQ(end.cursor, 3);
  EXPECT_EQ(buffer(), "ABD");
}

TEST_F(EditorTest, CursorKeysStayWithinTheTextTheFieldAndTheSignPosition) {
  put_field(0, INPUT_ALPHA, 3);
  View at_text_end, at_length;
  t.keys({KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, KEY_RIGHT});
  then(1, &at_text_end, "C", {KEY_RIGHT});
  then(2, &at_length, "", {KEY_ENTER});
  EXPECT_EQ(edit_field("AB", 0), KEY_ENTER);
  EXPECT_EQ(at_text_end.cursor, 2);
  EXPECT_EQ(at_length.cursor, 3);

  put_field(1, INPUT_NUM, 4);
  View numeric;
  t.keys({KEY_LEFT, KEY_LEFT, KEY_BACKSPACE, KEY_LEFT});
  then(1, &numeric, "", {KEY_ENTER});
  EXPECT_EQ(edit_field(" 12", 0), KEY_ENTER);
  EXPECT_EQ(numeric.cursor, 1);
  EXPECT_EQ(buffer(), " 12");
}

TEST_F(EditorTest, BackspaceInATimeFieldOnlyMovesLeftOverTheColons) {
  put_field(0, INPUT_TIME_STD, 8);
  View typed, back_one, back_two;
  t.type("1234");
  then(1, &typed, "", {KEY_BACKSPACE});
  then(2, &back_one, "", {KEY_BACKSPACE, KEY_BACKSPACE});
  then(3, &back_two, "", {KEY_ENTER});
  EXPECT_EQ(edit_field("", 0), KEY_ENTER);
  EXPECT_EQ(typed.cursor, 6);
  EXPECT_EQ(back_one.cursor, 4);
  EXPECT_EQ(back_two.cursor, 1);
  EXPECT_EQ(back_two.text.substr(0, 8), "12:34:SS");
  EXPECT_EQ(buffer(), "12:34:SS") << "the template's length stays the text's";
}

TEST_F(EditorTest, PasswordShowsItsPrefilledTextUntilTheFirstKeyThenStars) {
  put_field(0, INPUT_PASSWORD, 6);
  View start, typed;
  then(1, &start, "x");
  then(2, &typed, "", {KEY_ENTER});
  EXPECT_EQ(edit_field("abc", 0), KEY_ENTER);
  EXPECT_EQ(start.text.substr(0, 6), "abc___");
  EXPECT_EQ(typed.text.substr(0, 6), "***___");
  EXPECT_EQ(buffer(), "Xbc");
}

TEST_F(EditorTest, SensorOnlyFieldIgnoresEveryKeyButTheLeavingOnes) {
  put_field(0, INPUT_AI, 5);
  t.type("ab");
  t.keys({KEY_BACKSPACE, KEY_LEFT, KEY_RIGHT, '/', KEY_ENTER});
  EXPECT_EQ(edit_field("", 0), KEY_ENTER);
  EXPECT_EQ(buffer(), "");
  EXPECT_EQ(t.cursor_type(), 0) << "no cursor in a sensor-only field";
  EXPECT_TRUE(t.log().empty()) << "no message";
}

TEST_F(EditorTest, SensorNumericFieldIsEditedLikeANumericOne) {
  put_field(0, INPUT_AINUM, 5);
  t.type("12a");
  t.key(KEY_ENTER);
  EXPECT_EQ(edit_field("", 0), KEY_ENTER);
  EXPECT_EQ(buffer(), " 12");
}

TEST_F(EditorTest, HelpKeyShowsTheFieldsHelpRecordsUntilEnter) {
  put_field(0, INPUT_ALPHA, 5, 10, 10);
  t.key(KEY_HELP);
  std::string help;
  t.at(1, [&] {
    help = cells(2, 2, 24) + cells(3, 2, 24) + cells(4, 2, 24);
    t.key(KEY_ENTER);
  });
  then(2, nullptr, "a", {KEY_HELP});
  t.at(3, [&] { t.key(KEY_ENTER); });
  then(4, nullptr, "b", {KEY_ENTER});
  EXPECT_EQ(edit_field("", 0), KEY_ENTER);
  EXPECT_EQ(help, "|Type the part number  ||as printed on the box,||Press ENTER           |");
  EXPECT_EQ(buffer(), "AB");
  EXPECT_EQ(cells(2, 2, 24), std::string(24, ' ')) << "the popup is gone";
}

TEST_F(EditorTest, StopRequestReturnsCancelWithoutAMessage) {
  put_field(0, INPUT_ALPHA, 5);
  t.request_stop();
  EXPECT_EQ(edit_field("", 0), KEY_CANCEL);
  t.clear_stop();
  t.type("ab");
  t.at(1, [&] { t.request_stop(); });
  EXPECT_EQ(edit_field("", 0), KEY_CANCEL);
  EXPECT_EQ(buffer(), "AB");
  EXPECT_EQ(t.count_log("beep"), 0);
  t.clear_stop();
}

TEST_F(EditorTest, LongInitialTextStaysInTheBufferAndNeverSpillsOverTheField) {
  put_field(0, INPUT_ALPHA, 5);
  t.put_text(5, 0, std::string(40, '#'));
  std::string forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
  t.keys({'x', KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, 'y', KEY_BACKSPACE, KEY_ENTER});
  EXPECT_EQ(edit_field((forty + "0123456789012345678").c_str(), 0), KEY_ENTER);
  EXPECT_EQ(row(5), "##########XBCDF#########################");
  EXPECT_EQ(buffer(), "XBCD" + forty.substr(5));

  put_field(1, INPUT_NUM, 2);
  fields.decimals[1] = 2;
  t.put_text(5, 0, std::string(40, '#'));
  t.type(".");
  t.key(KEY_ENTER);
  EXPECT_EQ(edit_field("", 0), KEY_ENTER);
  EXPECT_EQ(buffer(), " 0.");
  EXPECT_EQ(cells(5, 10, 3), " 0#") << "the third character stays off the screen";
}

// ---- time-outs, measured in clock seconds ----

class TimeOutTest : public EditorTest {
 protected:
  // Edits an ALPHA field with a time-out of 10 seconds from `start`; returns
  // the seconds from the start to the time-out message.
  double seconds_to_time_out(const termrt::DateTime &start, double key_at = -1) {
    t.set_clock(start);
    long long begin = t.now_ms();
    put_field(0, INPUT_ALPHA, 5);
    clock_ticks(t, 60);
    if (key_at >= 0) then(key_at, nullptr, "a");
    EXPECT_EQ(edit_field("", 10), EDIT_TIMED_OUT);
    return (first_logged(t, "led 0,5") - begin) / 1000.0;
  }
};

TEST_F(TimeOutTest, FieldTimesOutWhenMoreThanTenSecondsPassedSinceTheLastKey) {
  std::string message;
  t.at(11.1, [&] { message = cells(2, 3, 10); });
  EXPECT_EQ(seconds_to_time_out({2026, 1, 15, 10, 0, 0}), 11.0);
  EXPECT_EQ(message, "Time is up");
}

TEST_F(TimeOutTest, EveryKeyStartsTheCountAgain) {
  EXPECT_EQ(seconds_to_time_out({2026, 1, 15, 10, 0, 0}, 5), 16.0);
  EXPECT_EQ(buffer(), "A");
}

TEST_F(TimeOutTest, LastsTenSecondsAcrossTheLeapDayAndTheYearEnd) {
  EXPECT_EQ(seconds_to_time_out({2024, 2, 29, 23, 59, 55}), 11.0);
  t.clear_log();
  EXPECT_EQ(seconds_to_time_out({2024, 12, 31, 23, 59, 55}), 11.0);
  t.clear_log();
  EXPECT_EQ(seconds_to_time_out({2023, 12, 31, 23, 59, 58}), 11.0);
}

TEST_F(TimeOutTest, ClockStampAdvancesOneSecondOverEachMidnight) {
  for (termrt::DateTime day :
       {termrt::DateTime{2024, 2, 28, 23, 59, 59}, termrt::DateTime{2024, 2, 29, 23, 59, 59},
        termrt::DateTime{2024, 12, 31, 23, 59, 59}, termrt::DateTime{2025, 2, 28, 23, 59, 59}}) {
    t.set_clock(day);
    int before = clock_seconds();
    t.advance(1000);
    EXPECT_EQ(clock_seconds() - before, 1) << day.year << "-" << day.month << "-" << day.day;
  }
}

TEST_F(TimeOutTest, HugeTimeOutsWaitTheLongestTimeTheRunTimeTakes) {
  put_field(0, INPUT_ALPHA, 5);
  for (int timeout : {INT_MAX, 3000000, 2147484}) {
    t.clear_waits();
    then(1, nullptr, "", {KEY_ENTER});
    EXPECT_EQ(edit_field("", timeout), KEY_ENTER);
    EXPECT_EQ(t.waits().front(), INT_MAX) << timeout;
  }
  t.clear_waits();
  then(1, nullptr, "", {KEY_ENTER});
  EXPECT_EQ(edit_field("", 2000), KEY_ENTER);
  EXPECT_EQ(t.waits().front(), 2000000);
}

}  // namespace
