// CHKUNIQ and its lists of recent values.
#include "commands/unique.h"

#include <cstring>

#include "support/fixed_command.h"

namespace {

class UniqueTest : public CommandTest {
 protected:
  // Checks value (through user variable 8) in list 1 or 2.
  int check(const std::string &value, const std::string &list = "1") {
    t.set_variable(8, value);
    return run(fixed_command("CHKUNIQ", 24, {{10, "V"}, {14, "08"}, {25, list}}));
  }
  int reset(const std::string &list) { return run(fixed_command("CHKUNIQ", 22, {{10, "R"}, {23, list}})); }
};

TEST_F(UniqueTest, AValueIsNewOnceInEachList) {
  EXPECT_EQ(check("A1"), 1);
  EXPECT_EQ(check("A1"), 0);
  EXPECT_EQ(check("A1", "2"), 1) << "the lists are separate";
  EXPECT_EQ(check("a1"), 1) << "case matters";
  EXPECT_EQ(check("A1 "), 1);
}

TEST_F(UniqueTest, AListRemembersTheTenMostRecentValues) {
  for (int i = 0; i < 11; ++i) EXPECT_EQ(check("V" + std::to_string(i)), 1);
  EXPECT_EQ(check("V10"), 0);
  EXPECT_EQ(check("V1"), 0);
  EXPECT_EQ(check("V0"), 1) << "the eleventh value overwrote the first";
  EXPECT_EQ(unique_next[0], 2);
}

TEST_F(UniqueTest, ALongValueIsRememberedByItsFirst25Characters) {
  std::string long_value(30, 'L');
  EXPECT_EQ(check(long_value), 1);
  EXPECT_STREQ(unique_lists[0][0], std::string(25, 'L').c_str());
  EXPECT_EQ(check(long_value), 0) << "a repeated long value is found";
  EXPECT_EQ(check(std::string(25, 'L') + "other"), 0) << "only the first 25 characters count";
  EXPECT_EQ(check(std::string(25, 'L')), 0);
  EXPECT_EQ(check(std::string(255, 'M')), 1);
}

TEST_F(UniqueTest, AnEmptyValueIsPresentWhileAnyEntryIsEmpty) {
  EXPECT_EQ(check(""), 0);
  for (int i = 0; i < 10; ++i) check("W" + std::to_string(i));
  EXPECT_EQ(check(""), 1);
  EXPECT_EQ(check(""), 0);
}

TEST_F(UniqueTest, AResetEmptiesOneListAndKeepsItsNextEntry) {
  check("A");
  check("B", "2");
  check("C", "2");
  EXPECT_EQ(reset("2"), 0);
  EXPECT_EQ(check("A"), 0) << "list 1 is untouched";
  EXPECT_EQ(check("B", "2"), 1);
  EXPECT_STREQ(unique_lists[1][2], "B") << "the next new value goes where unique_next points";
  EXPECT_STREQ(unique_lists[1][0], "");
  EXPECT_STREQ(unique_lists[1][1], "");
}

TEST_F(UniqueTest, ChkuniqReportsBadFormsAndIgnoresUnknownOperations) {
  t.set_variable(8, "X");
  EXPECT_EQ(report_of(fixed_command("CHKUNIQ", 23, {{10, "V"}, {14, "08"}})), "U2");
  t.set_unreadable(8);
  EXPECT_EQ(report_of(fixed_command("CHKUNIQ", 24, {{10, "v"}, {14, "08"}, {25, "7"}})), "U3");
  t.set_unreadable(8, false);
  for (const char *bad : {"0", "3", " ", "A"})
    EXPECT_EQ(report_of(fixed_command("CHKUNIQ", 24, {{10, "V"}, {14, "08"}, {25, bad}})), "U4") << bad;
  EXPECT_EQ(report_of(fixed_command("CHKUNIQ", 21, {{10, "R"}})), "U5");
  EXPECT_EQ(report_of(fixed_command("CHKUNIQ", 22, {{10, "r"}, {23, "9"}})), "U4");
  EXPECT_EQ(run(fixed_command("CHKUNIQ", 24, {{10, "Q"}, {14, "08"}, {25, "1"}})), 0);
  EXPECT_EQ(cells(0, 9, 2), "U4") << "the last report stays; nothing new is shown";
  EXPECT_EQ(check("X"), 1) << "no failed check remembered anything";
}

TEST(RememberValue, FindsTheFirst25CharactersAndOverwritesInTurn) {
  std::memset(unique_lists, 0, sizeof unique_lists);
  unique_next[1] = 9;
  EXPECT_EQ(remember_value("first", 1), 1);
  EXPECT_STREQ(unique_lists[1][9], "first");
  EXPECT_EQ(unique_next[1], 0) << "from 9 back to 0";
  EXPECT_EQ(remember_value("first", 1), 0);
  EXPECT_EQ(remember_value("first", 0), 1);
}

}  // namespace
