// DICOUNT, POPUPWN and TRANMSG through the entry point.
#include "commands/counters.h"

#include "screen/popup.h"
#include "support/fixed_command.h"

namespace {

class CountersTest : public CommandTest {
 protected:
  void count(char op, const std::string &counter, const std::string &variable = "  ") {
    EXPECT_EQ(run(fixed_command("DICOUNT", 32, {{10, std::string(1, op)}, {20, counter}, {31, variable}})),
              0);
  }
};

TEST_F(CountersTest, CountersCountUpAndDownButNeverBelowZero) {
  count('D', "07");
  count('S', "07", "05");
  EXPECT_EQ(t.variable(5), "0");
  count('I', "07");
  count('i', " 7");
  count('I', "07");
  count('S', "07", "05");
  EXPECT_EQ(t.variable(5), "3");
  count('d', "07");
  count('s', "07", "19");
  EXPECT_EQ(t.variable(19), "2");
  count('R', "07");
  count('S', "07", " 5");
  EXPECT_EQ(t.variable(5), "0");
  EXPECT_EQ(counters[6], 0u);
}

TEST_F(CountersTest, CountersAreSeparateAndSurviveEveryFunctionCode) {
  count('I', "01");
  count('I', "32");
  count('I', "32");
  for (int code : {0, 1, 2, 4, 4, 7, -1}) call(code);
  t.key(13);
  call(5);
  EXPECT_EQ(counters[0], 1u);
  EXPECT_EQ(counters[31], 2u);
  EXPECT_EQ(counters[1], 0u);
}

TEST_F(CountersTest, CountersWrapAtThirtyTwoBitsAndAreStoredAsSignedNumbers) {
  counters[2] = 4294967295u;
  count('S', "03", "05");
  EXPECT_EQ(t.variable(5), "-1");
  count('I', "03");
  EXPECT_EQ(counters[2], 0u);
  counters[2] = 2147483648u;
  count('S', "03", "05");
  EXPECT_EQ(t.variable(5), "-2147483648");
}

TEST_F(CountersTest, AStoreThatDoesNotFitShowsTheAppendReport) {
  t.define_variable(5, 1);
  counters[0] = 12;
  t.key(13);
  count('S', "01", "05");
  std::string body = fixed_command("DICOUNT", 32, {{10, "S"}, {20, "01"}, {31, "05"}});
  EXPECT_EQ(cells(0, 0, 20), "ZEB append too long:");
  EXPECT_EQ(cells(0, 21, 12), command(body).substr(0, 12));
  EXPECT_EQ(t.pending_keys(), 0u);
}

TEST_F(CountersTest, DicountReportsItsFailuresInOrder) {
  EXPECT_EQ(report_of(fixed_command("DICOUNT", 20, {{10, "I"}, {20, "1"}})), "D1");
  for (const char *bad : {"00", "33", "AB", "-1"})
    EXPECT_EQ(report_of(fixed_command("DICOUNT", 32, {{10, "X"}, {20, bad}, {31, "99"}})), "D2") << bad;
  EXPECT_EQ(report_of(fixed_command("DICOUNT", 31, {{10, "S"}, {20, "01"}, {31, "5"}})), "D3");
  for (const char *bad : {"20", "00", "  "})
    EXPECT_EQ(report_of(fixed_command("DICOUNT", 32, {{10, "S"}, {20, "01"}, {31, bad}})), "D4") << bad;
  EXPECT_EQ(report_of(fixed_command("DICOUNT", 32, {{10, "X"}, {20, "01"}, {31, "99"}})), "D5");
}

TEST_F(CountersTest, OnlyAStoreLooksAtTheVariableNumber) {
  EXPECT_EQ(run(fixed_command("DICOUNT", 21, {{10, "I"}, {20, "04"}})), 0);
  count('I', "04", "99");
  EXPECT_EQ(counters[3], 2u);
  EXPECT_EQ(t.count_log("write"), 0);
}

TEST_F(CountersTest, PopupCommandOpensAndClosesTheWindow) {
  t.put_text(3, 0, "text under the popup window");
  run(fixed_command("POPUPWN", 23, {{10, "C"}, {16, "04"}, {24, "N"}}));
  EXPECT_EQ(popup_lines, 4);
  EXPECT_EQ(row(1), "  +----------------------+              ");
  EXPECT_EQ(row(3), "te|                      |w             ");
  EXPECT_EQ(row(6), "  +----------------------+              ");
  EXPECT_EQ(t.row_attributes(1).substr(2, 24), std::string(24, '0'));
  run(fixed_command("POPUPWN", 9, {{10, "r"}}));
  EXPECT_EQ(popup_lines, 0);
  EXPECT_EQ(row(3), "text under the popup window             ");
  EXPECT_EQ(row(1), std::string(40, ' '));
}

TEST_F(CountersTest, PopupCommandTakesAnyLetterButNForAttributeOne) {
  run(fixed_command("POPUPWN", 23, {{10, "c"}, {16, "16"}, {24, "Y"}}));
  EXPECT_EQ(popup_lines, 16);
  EXPECT_EQ(t.row_attributes(18).substr(2, 24), std::string(24, '1'));
}

TEST_F(CountersTest, PopupCommandReportsBadFormsAndIgnoresUnknownOperations) {
  EXPECT_EQ(report_of(fixed_command("POPUPWN", 22, {{10, "C"}, {16, "04"}})), "P2");
  for (const char *bad : {"00", "17", "  "})
    EXPECT_EQ(report_of(fixed_command("POPUPWN", 23, {{10, "C"}, {16, bad}, {24, "N"}})), "P3") << bad;
  t.key(13);
  EXPECT_EQ(run_raw("08POPUPWN R"), 0);
  EXPECT_EQ(cells(0, 9, 2), "P4");
  std::string before = screen();
  EXPECT_EQ(run(fixed_command("POPUPWN", 23, {{10, "Q"}, {16, "04"}})), 0);
  EXPECT_EQ(screen(), before);
  EXPECT_EQ(t.calls("_VioReadCellStr"), 0);
}

TEST_F(CountersTest, TranmsgPassesZeroForNAndOneForAnythingElse) {
  run(fixed_command("TRANMSG", 10, {{10, "n"}}));
  EXPECT_EQ(t.transaction_flag(), 0);
  for (const char *flag : {"Y", "0", " "}) {
    run(fixed_command("TRANMSG", 10, {{10, flag}}));
    EXPECT_EQ(t.transaction_flag(), 1) << flag;
  }
  run(fixed_command("TRANMSG", 10, {{10, "N"}}));
  EXPECT_EQ(t.count_log("transaction 0"), 2);
  EXPECT_EQ(t.count_log("transaction 1"), 3);
}

TEST_F(CountersTest, TranmsgTooShortIsReportedAndSendsNothing) {
  EXPECT_EQ(report_of(fixed_command("TRANMSG", 9, {{10, "N"}})), "F1");
  EXPECT_EQ(t.calls("_TransactionMsg"), 0);
}

}  // namespace
