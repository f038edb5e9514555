// Error report, append report, key wait and delay routine.
#include "entry/reports.h"

#include "entry/entry.h"
#include "support/terminal_test.h"

namespace {

class ReportsTest : public TerminalTest {};

TEST_F(ReportsTest, ErrorReportBlanksBothRowsAndShowsEighteenCharactersOfText) {
  t.put_text(0, 0, std::string(40, '#'));
  t.put_text(1, 0, std::string(40, '#'));
  t.key('a');
  error_report("123456789012345678901234567890", "Za");
  EXPECT_EQ(row(0), "Bad CZEB(Za):123456789012345678         ");
  EXPECT_EQ(row(1), "Press any key to continue               ");
  EXPECT_STREQ(command_buffer, "123456789012345678");
}

TEST_F(ReportsTest, AppendReportLeavesWhatItDoesNotCoverVisible) {
  t.put_text(0, 0, std::string(40, '#'));
  t.put_text(1, 0, std::string(40, '#'));
  t.key(13);
  append_report("ABCDEFGHIJKLMNOP");
  EXPECT_EQ(row(0), "ZEB append too long:#ABCDEFGHIJKL#######");
  EXPECT_EQ(row(1), "Press any key to continue       ########");
}

TEST_F(ReportsTest, KeyWaitEndsOnTheFirstKeyAndDropsIt) {
  t.on_idle([&] { t.key(1280); });
  wait_for_key();
  EXPECT_EQ(t.pending_keys(), 0u);
  EXPECT_EQ(t.calls("_KbdReadAscii"), 2);
}

TEST_F(ReportsTest, DelayRunsAThirdOfItsCountInPassesAndAtLeastOne) {
  for (int n : {0, 1, 2, -7}) {
    t.clear_waits();
    EXPECT_EQ(delay(n), DELAY_DONE);
    EXPECT_EQ(t.waits(), std::vector<int>{20}) << n;
  }
  t.clear_waits();
  EXPECT_EQ(delay(50), DELAY_DONE);
  EXPECT_EQ(t.waits().size(), 16u);
  t.clear_waits();
  EXPECT_EQ(delay(8), DELAY_DONE);
  EXPECT_EQ(t.waits().size(), 2u);
}

TEST_F(ReportsTest, DelayEndsOnCancelButNotOnOtherKeys) {
  t.keys({'a', 13, 256});
  EXPECT_EQ(delay(300), DELAY_CANCELLED);
  EXPECT_EQ(t.waits().size(), 3u);
  t.clear_waits();
  t.key(256);
  EXPECT_EQ(delay(2), DELAY_CANCELLED) << "the last pass also answers the cancel key";
}

TEST_F(ReportsTest, DelayStopsAtOnceOnAStopRequestEvenWithACancelKey) {
  t.key(256);
  t.request_stop();
  EXPECT_EQ(delay(300), DELAY_STOPPED);
  EXPECT_EQ(t.waits().size(), 1u);
  t.clear_stop();
}

TEST_F(ReportsTest, DelayPassesTakeVirtualTime) {
  long long before = t.now_ms();
  delay(30);
  EXPECT_EQ(t.now_ms() - before, 200);
}

}  // namespace
