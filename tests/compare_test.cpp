// COMPARE, CMP_INT and INTMATH: comparisons and arithmetic on two user
// variables, through the entry point.
#include "support/fixed_command.h"

namespace {

class CompareTest : public CommandTest {
 protected:
  // COMPARE of variables 5 and 6 holding a and b.
  int compare(const std::string &a, const std::string &relation, const std::string &b,
              const std::string &style) {
    t.set_variable(5, a);
    t.set_variable(6, b);
    return run(fixed_command("COMPARE", 36, {{14, "05"}, {18, relation}, {25, "06"}, {37, style}}));
  }
  int compare_int(const std::string &a, const std::string &relation, const std::string &b,
                  const std::string &style) {
    t.set_variable(5, a);
    t.set_variable(6, b);
    return run(fixed_command("CMP_INT", 28, {{12, "05"}, {16, relation}, {21, "06"}, {30, style}}));
  }
  // INTMATH of variables 5 and 6; returns what it left in variable 1.
  std::string int_math(const std::string &a, const std::string &op, const std::string &b) {
    t.set_variable(1, "unchanged");
    t.set_variable(5, a);
    t.set_variable(6, b);
    EXPECT_EQ(run(fixed_command("INTMATH", 21, {{12, "05"}, {16, op}, {20, "06"}})), 0);
    return t.variable(1).value_or("(none)");
  }
};

TEST_F(CompareTest, CompareOrdersTextsByteByByteInTheChosenStyle) {
  EXPECT_EQ(compare("ABC", "LT", "ABD", "S"), 1);
  EXPECT_EQ(compare("ABC", "LT", "ABD", "N"), 0);
  EXPECT_EQ(compare("ABC", "lt", "ABD", "s"), 1) << "letters in either case";
  EXPECT_EQ(compare("10", "GT", "9", "S"), 0) << "text order, not number order";
  EXPECT_EQ(compare("abc", "E", "ABC", "S"), 0) << "case matters in the texts";
  EXPECT_EQ(compare("AB", "LT", "ABC", "S"), 1) << "a beginning is the smaller";
  EXPECT_EQ(compare("", "LE", "", "S"), 1);
  EXPECT_EQ(compare("\xe9", "GT", "z", "S"), 1) << "bytes compare as unsigned";
  EXPECT_EQ(compare("B", "GE", "B", "S"), 1);
  EXPECT_EQ(compare("B", "NE", "C", "N"), 0) << "N holds for different texts";
}

TEST_F(CompareTest, CompareEqualityIgnoresTheLetterAfterE) {
  for (const char *relation : {"EQ", "E ", "EX", "e?"}) {
    EXPECT_EQ(compare("same", relation, "same", "S"), 1) << relation;
    EXPECT_EQ(compare("same", relation, "other", "S"), 0) << relation;
  }
}

TEST_F(CompareTest, CompareReportsItsFailuresInOrder) {
  t.set_variable(5, "A");
  t.set_variable(6, "B");
  EXPECT_EQ(report_of(fixed_command("COMPARE", 35, {{14, "05"}, {18, "E"}, {25, "06"}})), "C1");
  t.set_unreadable(6);
  EXPECT_EQ(report_of(fixed_command("COMPARE", 36, {{14, "-1"}, {18, "GX"}, {25, "06"}, {37, "Q"}})), "C2")
      << "a variable number is passed as read, and -1 cannot be read";
  EXPECT_EQ(report_of(fixed_command("COMPARE", 36, {{14, "05"}, {18, "GX"}, {25, "06"}, {37, "Q"}})), "C3");
  t.set_unreadable(6, false);
  EXPECT_EQ(report_of(fixed_command("COMPARE", 36, {{14, "05"}, {18, "GX"}, {25, "06"}, {37, "A"}})), "C4")
      << "style A belongs to CMP_INT alone";
  EXPECT_EQ(report_of(fixed_command("COMPARE", 36, {{14, "05"}, {18, "GX"}, {25, "06"}, {37, "S"}})), "C5");
  EXPECT_EQ(report_of(fixed_command("COMPARE", 36, {{14, "05"}, {18, "Q"}, {25, "06"}, {37, "S"}})), "C5");
}

TEST_F(CompareTest, CompareOfAStringEndingEarlyIsReadNoFurther) {
  t.key(13);
  // The length digits promise 36 characters; the string ends before the
  // result style.
  std::string short_string = "36" + fixed_command("COMPARE", 26, {{14, "05"}, {18, "E"}, {25, "06"}});
  EXPECT_EQ(run_raw(short_string.c_str()), 0);
  EXPECT_EQ(cells(0, 9, 2), "C4");
}

TEST_F(CompareTest, CmpIntComparesTheNumbersTheTextsBeginWith) {
  EXPECT_EQ(compare_int("10", "GT", "9", "S"), 1);
  EXPECT_EQ(compare_int(" 12abc", "E", "12", "S"), 1);
  EXPECT_EQ(compare_int("abc", "E", "0", "S"), 1) << "no digits read as 0";
  EXPECT_EQ(compare_int("-5", "LT", "-4", "S"), 1);
  EXPECT_EQ(compare_int("+7", "LE", "7", "N"), 0);
  EXPECT_EQ(compare_int("-2147483648", "LT", "2147483647", "s"), 1);
}

TEST_F(CompareTest, CmpIntStyleAAnswersTwoWhenTheRelationHolds) {
  EXPECT_EQ(compare_int("3", "GE", "3", "A"), 2);
  EXPECT_EQ(compare_int("3", "GT", "3", "a"), 0);
}

TEST_F(CompareTest, CmpIntReportsAVariableTheRunTimeCannotRead) {
  t.set_variable(5, "1");
  t.set_variable(6, "1");
  t.set_unreadable(5);
  EXPECT_EQ(report_of(fixed_command("CMP_INT", 28, {{12, "05"}, {16, "E"}, {21, "06"}, {30, "S"}})), "C2");
  t.set_unreadable(5, false);
  t.set_unreadable(6);
  EXPECT_EQ(report_of(fixed_command("CMP_INT", 28, {{12, "05"}, {16, "E"}, {21, "06"}, {30, "S"}})), "C3");
}

TEST_F(CompareTest, CmpIntReportsItsFailuresInOrder) {
  t.set_variable(5, "1");
  t.set_variable(6, "1");
  EXPECT_EQ(report_of(fixed_command("CMP_INT", 27, {{12, "05"}, {16, "E"}, {21, "06"}})), "C1");
  EXPECT_EQ(report_of(fixed_command("CMP_INT", 28, {{12, "05"}, {16, "LX"}, {21, "06"}, {30, "Z"}})), "C4");
  EXPECT_EQ(report_of(fixed_command("CMP_INT", 28, {{12, "05"}, {16, "LX"}, {21, "06"}, {30, "A"}})), "C5");
}

TEST_F(CompareTest, CmpIntPassesTheVariableNumberAsAByte) {
  t.set_variable(255, "4");
  t.set_variable(6, "4");
  EXPECT_EQ(run(fixed_command("CMP_INT", 28, {{12, "-1"}, {16, "E"}, {21, "06"}, {30, "S"}})), 1);
}

TEST_F(CompareTest, IntMathAddsSubtractsMultipliesAndDividesIntoVariableOne) {
  EXPECT_EQ(int_math("7", "+", "2"), "9");
  EXPECT_EQ(int_math("7", "-", "2"), "5");
  EXPECT_EQ(int_math("7", "*", "2"), "14");
  EXPECT_EQ(int_math("7", "/", "2"), "3");
  EXPECT_EQ(int_math("-7", "/", "2"), "-3") << "the quotient is truncated toward zero";
  EXPECT_EQ(int_math("7", "/", "-2"), "-3");
  EXPECT_EQ(int_math(" 3x", "-", "5"), "-2");
}

TEST_F(CompareTest, IntMathWrapsAroundIn32Bits) {
  EXPECT_EQ(int_math("2147483647", "+", "1"), "-2147483648");
  EXPECT_EQ(int_math("-2147483648", "-", "1"), "2147483647");
  EXPECT_EQ(int_math("65536", "*", "65536"), "0");
  EXPECT_EQ(int_math("-2147483648", "*", "-1"), "-2147483648");
  EXPECT_EQ(int_math("-2147483648", "/", "-1"), "-2147483648") << "the one quotient that does not fit";
}

TEST_F(CompareTest, IntMathDivisionByZeroIsReportedAndChangesNothing) {
  for (const char *zero : {"0", "x", ""}) {
    t.set_variable(1, "unchanged");
    t.set_variable(5, "7");
    t.set_variable(6, zero);
    EXPECT_EQ(report_of(fixed_command("INTMATH", 21, {{12, "05"}, {16, "/"}, {20, "06"}})), "C6") << zero;
    EXPECT_EQ(t.variable(1), "unchanged");
  }
}

TEST_F(CompareTest, IntMathReportsItsFailuresInOrder) {
  t.set_variable(5, "7");
  t.set_variable(6, "0");
  EXPECT_EQ(report_of(fixed_command("INTMATH", 20, {{12, "05"}, {16, "+"}, {20, "0"}})), "C1");
  t.set_unreadable(5);
  EXPECT_EQ(report_of(fixed_command("INTMATH", 21, {{12, "05"}, {16, "%"}, {20, "06"}})), "C2");
  t.set_unreadable(5, false);
  t.remove_variable(6);
  EXPECT_EQ(report_of(fixed_command("INTMATH", 21, {{12, "05"}, {16, "%"}, {20, "06"}})), "C3");
  t.set_variable(6, "0");
  EXPECT_EQ(report_of(fixed_command("INTMATH", 21, {{12, "05"}, {16, "%"}, {20, "06"}})), "C5")
      << "an unknown operator is reported even when B is 0";
}

}  // namespace
