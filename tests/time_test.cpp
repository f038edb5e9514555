// TM_DATE, V_DELAY and WAIT_UV through the entry point, in virtual time.
#include "support/fixed_command.h"

namespace {

class TimeTest : public CommandTest {
 protected:
  void SetUp() override {
    TerminalTest::SetUp();
    termrt::DateTime when;
    when.year = 2026, when.month = 3, when.day = 7;
    when.hour = 14, when.minute = 5, when.second = 9;
    t.set_clock(when);
  }
  // TM_DATE with the time into variable 3 and the date into variable 4.
  static std::string tm_date(const std::string &hours, const std::string &style,
                             const std::string &time_variable = "03",
                             const std::string &date_variable = "04") {
    return fixed_command("TM_DATE", 52, {{10, hours}, {30, time_variable}, {35, style}, {52, date_variable}});
  }
  static std::string wait_uv(const std::string &variable, const std::string &seconds) {
    return fixed_command("WAIT_UV", 22, {{14, variable}, {21, seconds}});
  }
};

TEST_F(TimeTest, TmDateWritesAmericanDateAnd24HourTime) {
  EXPECT_EQ(run(tm_date("24", "AMER")), 0);
  EXPECT_EQ(t.variable(4), "03/07/26");
  EXPECT_EQ(t.variable(3), "14:05:09");
}

TEST_F(TimeTest, TmDateWritesEuropeanDateAnd12HourTimeInAnyCase) {
  EXPECT_EQ(run(tm_date("12", "euro")), 0);
  EXPECT_EQ(t.variable(4), "07.03.26");
  EXPECT_EQ(t.variable(3), "02:05:09 PM");
  run(tm_date("12", "aMeR", " 9", "19"));
  EXPECT_EQ(t.variable(19), "03/07/26");
  EXPECT_EQ(t.variable(9), "02:05:09 PM");
}

TEST_F(TimeTest, TmDateWritesTheDateFirstAndGoesOnAfterAnAppendReport) {
  t.define_variable(4, 5);
  t.key(13);
  run(tm_date("24", "AMER"));
  ASSERT_EQ(t.count_log("write"), 2);
  std::vector<std::string> writes;
  for (const auto &entry : t.log())
    if (entry.what.rfind("write", 0) == 0) writes.push_back(entry.what);
  EXPECT_EQ(writes[0], "write 4 \"03/07/26\" -> 5");
  EXPECT_EQ(writes[1], "write 3 \"14:05:09\" -> 0");
  EXPECT_EQ(cells(0, 0, 20), "ZEB append too long:");
  EXPECT_EQ(cells(0, 21, 12), command(tm_date("24", "AMER")).substr(0, 12));
  EXPECT_EQ(t.pending_keys(), 0u);
}

TEST_F(TimeTest, TmDateChecksItsArgumentsInOrder) {
  EXPECT_EQ(report_of(fixed_command("TM_DATE", 51, {{10, "24"}, {30, "03"}, {35, "AMER"}})), "E1");
  EXPECT_EQ(report_of(tm_date("13", "AMEX", "20", "00")), "E2");
  EXPECT_EQ(report_of(tm_date("13", "AMEX", "00", "00")), "E2");
  EXPECT_EQ(report_of(tm_date("13", "AMEX", "03", "20")), "E3");
  EXPECT_EQ(report_of(tm_date("13", "AMEX", "03", "04")), "E4");
  EXPECT_EQ(report_of(tm_date(" 2", "EURO")), "E4");
  EXPECT_EQ(report_of(tm_date("12", "AMEX")), "E5");
  EXPECT_EQ(report_of(tm_date("24", "EUR")), "E5");
  EXPECT_EQ(t.count_log("write"), 0);
}

TEST_F(TimeTest, VDelayWaitsEightThirdsOfItsCountInPasses) {
  run("V_DELAY 1");
  EXPECT_EQ(t.waits(), (std::vector<int>{20, 20}));
  t.clear_waits();
  run("V_DELAY 0");
  EXPECT_EQ(t.waits(), std::vector<int>{20}) << "at least one pass";
  t.clear_waits();
  long long before = t.now_ms();
  run("V_DELAY 12");
  EXPECT_EQ(t.waits().size(), 32u);
  EXPECT_EQ(t.now_ms() - before, 640);
  t.clear_waits();
  run("V_DELAY -3");
  EXPECT_EQ(t.waits().size(), 1u);
}

TEST_F(TimeTest, VDelayEndsEarlyOnCancel) {
  t.keys({'a', 256});
  run("V_DELAY 99");
  EXPECT_EQ(t.waits().size(), 2u);
  EXPECT_EQ(t.pending_keys(), 0u);
}

TEST_F(TimeTest, VDelayWithNothingAfterItsNameCountsZero) {
  EXPECT_EQ(run_raw("03V_DELAY7"), 0);
  EXPECT_EQ(t.waits(), std::vector<int>{20});
  t.clear_waits();
  EXPECT_EQ(run_raw("13V_DELAY"), 0);
  EXPECT_EQ(t.waits(), std::vector<int>{20});
}

TEST_F(TimeTest, VDelayTooLongIsReportedWithoutWaiting) {
  EXPECT_EQ(report_of("V_DELAY 123456"), "V3");
  EXPECT_TRUE(t.waits().empty());
}

TEST_F(TimeTest, WaitUvReturnsOneWhenTheVariableIsFilledMeanwhile) {
  t.at(2, [&] { t.set_variable(7, "scanned"); });
  EXPECT_EQ(run(wait_uv("07", "10")), 1);
  EXPECT_EQ(t.waits(), std::vector<int>{10000});
}

TEST_F(TimeTest, WaitUvReadsTheVariableOnlyAfterTheFirstWait) {
  t.set_variable(7, "already");
  long long before = t.now_ms();
  EXPECT_EQ(run(wait_uv("07", "  3")), 1);
  EXPECT_EQ(t.waits(), std::vector<int>{3000});
  EXPECT_EQ(t.now_ms() - before, 3000);
}

TEST_F(TimeTest, WaitUvTimesOutWhenMoreThanItsSecondsHavePassed) {
  // The remaining time runs down to 0, and _WaitEvent with 0 waits for the
  // clock's next second.
  EXPECT_EQ(run(wait_uv("07", "3")), 0);
  EXPECT_EQ(t.waits(), (std::vector<int>{3000, 0}));
}

TEST_F(TimeTest, WaitUvWaitsOnlyTheRemainingTimeAfterAKey) {
  t.at(1, [&] { t.key('a'); });
  EXPECT_EQ(run(wait_uv("07", "3")), 0);
  EXPECT_EQ(t.waits(), (std::vector<int>{3000, 2000, 0}));
  EXPECT_EQ(t.pending_keys(), 0u) << "keys other than cancel are lost";
}

TEST_F(TimeTest, WaitUvEndsWithTwoOnCancelOrAStopRequest) {
  t.at(1, [&] { t.keys({'x', 256}); });
  EXPECT_EQ(run(wait_uv("07", "60")), 2);
  EXPECT_EQ(t.waits(), (std::vector<int>{60000, 59000}));
  t.clear_waits();
  t.request_stop();
  t.set_variable(7, "filled");
  EXPECT_EQ(run(wait_uv("07", "60")), 2) << "the stop request is looked at before the variable";
  t.clear_stop();
}

TEST_F(TimeTest, WaitUvTakesItsTimeOutAsAnUnsigned16BitNumber) {
  t.at(1, [&] { t.set_variable(7, "x"); });
  EXPECT_EQ(run(wait_uv("07", "-10")), 1);
  EXPECT_EQ(t.waits(), std::vector<int>{65526000});
}

TEST_F(TimeTest, WaitUvReportsAShortCommandAndAnUnreadableVariable) {
  EXPECT_EQ(report_of(fixed_command("WAIT_UV", 21, {{14, "07"}, {21, "5"}})), "W2");
  t.set_unreadable(7);
  EXPECT_EQ(report_of(wait_uv("07", "5")), "W3");
  EXPECT_TRUE(t.waits().empty());
}

}  // namespace
