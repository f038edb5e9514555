// The message prompt: help records shown in a popup or on the whole screen,
// the error signal, and how each display type ends.
#include "panel/message.h"

#include <cstring>

#include "fields/table.h"
#include "support/field_setup.h"
#include "support/terminal_test.h"

namespace {

const std::string kBorder = "+----------------------+";

class MessageTest : public TerminalTest {
 protected:
  void SetUp() override {
    TerminalTest::SetUp();
    t.add_file("HELP.VAL", kHelpFile);
  }
  std::vector<std::string> signals() const {
    std::vector<std::string> out;
    for (const termrt::LogEntry &e : t.log()) out.push_back(e.what);
    return out;
  }
  // Keeps the screen as it is `seconds` from now in *shot.
  void snapshot(double seconds, std::string *shot) {
    t.at(seconds, [this, shot] { *shot = screen(); });
  }
  static std::string text(const std::string &shot, int r, int c, int n) { return shot.substr(r * 41 + c, n); }
};

TEST_F(MessageTest, TimedMessageShowsItsRecordsGivesTheDoubleSignalAndCloses) {
  t.put_text(3, 0, std::string(40, '#'));
  std::string before = screen();
  std::string during;
  snapshot(0.5, &during);
  show_message(9, 12, MESSAGE_TIMED);

  EXPECT_EQ(text(during, 1, 2, 24), kBorder);
  EXPECT_EQ(text(during, 2, 0, 40), "  |Fill the whole field  |              ");
  EXPECT_EQ(text(during, 5, 3, 22), "Scan does not fit     ");
  EXPECT_EQ(text(during, 6, 2, 24), kBorder) << "four records, four lines";
  EXPECT_EQ(signals(), (std::vector<std::string>{"led 0,5", "beep 0,0,2", "led 0,5", "beep 0,0,2"}));
  EXPECT_EQ(t.log()[2].at_ms - t.log()[0].at_ms, 8 * 20) << "the delay routine with 25 between";
  EXPECT_EQ(t.waits(), std::vector<int>(8 + 50, 20));
  EXPECT_EQ(screen(), before);
  EXPECT_EQ(t.cursor_type(), 4);
}

TEST_F(MessageTest, MissingRecordsLeaveNoLineAndKeyOnlyRecordsShowBlank) {
  std::string during;
  snapshot(0.1, &during);
  show_message(2, 9, MESSAGE_TIMED);  // 5, 8 and 9 exist
  EXPECT_EQ(text(during, 2, 2, 24), "|                      |");
  EXPECT_EQ(text(during, 3, 3, 14), "Field required");
  EXPECT_EQ(text(during, 5, 2, 24), kBorder);
}

TEST_F(MessageTest, LongTextsAreCutToTheWidth) {
  std::string during;
  snapshot(0.1, &during);
  show_message(21, 21, MESSAGE_TIMED);
  EXPECT_EQ(text(during, 2, 2, 24), "|as printed on the box,|");
}

TEST_F(MessageTest, RangeOfTwentyShowsSixteenLinesOrFourteenAndTheClosingLine) {
  std::string help;
  for (int i = 16; i <= 140; ++i)
    help += (i < 100 ? "00" : "0") + std::to_string(i) +
            (i == 16 ? " Press ENTER" : " Line " + std::to_string(i)) + "\n";
  t.add_file("HELP.VAL", help);
  std::string timed, acknowledged;
  snapshot(0.1, &timed);
  show_message(101, 120, MESSAGE_TIMED);
  EXPECT_EQ(text(timed, 17, 3, 8), "Line 116");
  EXPECT_EQ(text(timed, 18, 2, 24), kBorder);

  snapshot(1, &acknowledged);
  t.at(2, [&] { t.key(13); });
  show_message(101, 120, MESSAGE_ACKNOWLEDGED);
  EXPECT_EQ(text(acknowledged, 15, 3, 8), "Line 114");
  EXPECT_EQ(text(acknowledged, 16, 3, 11), "Press ENTER");
  EXPECT_EQ(text(acknowledged, 17, 2, 24), kBorder) << "a popup of 15 text lines";
}

TEST_F(MessageTest, AcknowledgedMessageWithAnEmptyRangeHoldsOnlyTheClosingLine) {
  std::string during;
  snapshot(1, &during);
  t.at(2, [&] { t.key(13); });
  show_message(30, 29, MESSAGE_ACKNOWLEDGED);
  EXPECT_EQ(text(during, 2, 2, 24), "|Press ENTER           |");
  EXPECT_EQ(text(during, 3, 2, 24), kBorder);
}

TEST_F(MessageTest, AcknowledgedMessageNeedsAFreshEnter) {
  long long start = t.now_ms();
  t.keys({'a', 13, 'b'});
  std::string at_three;
  snapshot(3, &at_three);
  t.at(4, [&] { t.key('x'); });
  t.at(5, [&] { t.key(13); });
  show_message(10, 10, MESSAGE_ACKNOWLEDGED);
  EXPECT_EQ(text(at_three, 2, 3, 15), "Key not allowed");
  EXPECT_EQ(t.now_ms() - start, 5000);
  EXPECT_EQ(t.pending_keys(), 0u);
  EXPECT_EQ(cells(2, 3, 15), std::string(15, ' '));
  EXPECT_EQ(t.cursor_type(), 4);
}

TEST_F(MessageTest, MissingClosingRecordIsReportedAsY2AndNoRecordIsInvented) {
  std::strcpy(help_file_name, "OTHER.VAL");
  t.add_file("OTHER.VAL", "0010 Key not allowed\n0017 Not the closing line\n");
  std::string report, popup;
  t.key('k');  // acknowledges the report
  snapshot(1, &popup);
  t.at(2, [&] { t.key(13); });
  show_message(10, 10, MESSAGE_ACKNOWLEDGED);
  EXPECT_EQ(text(popup, 0, 0, 31), "Bad CZEB(Y2):HELP.VAL NOT FOUND");
  EXPECT_EQ(text(popup, 2, 3, 15), "Key not allowed");
  EXPECT_EQ(text(popup, 3, 2, 24), "|                      |") << "no closing line";
  EXPECT_EQ(text(popup, 4, 2, 24), kBorder);
}

TEST_F(MessageTest, StandingMessageStaysWithTheCursorOffUntilClosed) {
  t.put_text(2, 0, std::string(40, '#'));
  std::string before = screen();
  show_message(1, 1, MESSAGE_STANDING);
  EXPECT_EQ(cells(2, 2, 24), "|Please wait           |");
  EXPECT_EQ(t.cursor_type(), 0);
  EXPECT_EQ(signals(), (std::vector<std::string>{"led 0,5", "beep 0,0,2"}));
  EXPECT_TRUE(t.waits().empty());
  close_message();
  EXPECT_EQ(screen(), before);
  EXPECT_EQ(t.cursor_type(), 0) << "closing does not switch the cursor on";
}

TEST_F(MessageTest, FullScreenClearsTheDisplayGivesNoSignalAndStays) {
  t.put_text(10, 0, std::string(40, '#'));
  show_message(20, 21, MESSAGE_FULL_SCREEN);
  EXPECT_EQ(cells(0, 0, 21), "Type the part number ");
  EXPECT_EQ(row(1), "as printed on the box, a line that is lo");
  EXPECT_EQ(row(10), std::string(40, ' '));
  EXPECT_TRUE(t.log().empty());
  EXPECT_TRUE(t.waits().empty());
}

TEST_F(MessageTest, StopRequestEndsAnAcknowledgedMessageWithoutEnter) {
  std::string before = screen();
  t.request_stop();
  show_message(9, 9, MESSAGE_ACKNOWLEDGED);
  EXPECT_EQ(screen(), before);
  EXPECT_EQ(t.cursor_type(), 4);
  t.clear_stop();
}

TEST_F(MessageTest, UnknownTypeShowsThePopupWithTheDoubleSignalAndClosesAtOnce) {
  std::string before = screen();
  show_message(9, 9, 7);
  EXPECT_EQ(t.count_log("beep 0,0,2"), 2);
  EXPECT_EQ(t.waits().size(), 8u);
  EXPECT_EQ(screen(), before);
}

}  // namespace
