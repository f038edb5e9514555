// Date and time completion and checks, check digits and the one-time help
// range, on a field set up in the table.
#include <cstring>

#include "fields/table.h"
#include "support/terminal_test.h"
#include "validate/check_digits.h"
#include "validate/datetime.h"

namespace {

class ChecksTest : public TerminalTest {
 protected:
  void SetUp() override {
    TerminalTest::SetUp();
    t.set_clock({2004, 3, 5, 14, 30, 15});
    current_field = 2;
    fields.defined[2] = 1;
  }
  void value(const char *text, unsigned char kind = INPUT_DATE_AMER) {
    fields.input_kind[2] = kind;
    std::memset(fields.value[2], 'Y', FIELD_VALUE_SIZE);  // stale bytes behind the text
    std::strcpy(fields.value[2], text);
  }
  std::string now() const { return fields.value[2]; }
};

TEST_F(ChecksTest, PlaceHoldersTakeTheClockDate) {
  value("MM-DD-YYYY");
  EXPECT_TRUE(check_date_field());
  EXPECT_EQ(now(), "03-05-2004");
  value("DD-MM-YYYY", INPUT_DATE_EURO);
  EXPECT_TRUE(check_date_field());
  EXPECT_EQ(now(), "05-03-2004");
  value("12-DD-YYYY");
  EXPECT_TRUE(check_date_field());
  EXPECT_EQ(now(), "12-05-2004");
}

TEST_F(ChecksTest, TheCenturyComesFromTheClockYear) {
  t.set_clock({1999, 6, 1, 0, 0, 0});
  value("MM-DD-YYYY");
  EXPECT_TRUE(check_date_field());
  EXPECT_EQ(now(), "06-01-1999");
  t.set_clock({2026, 12, 7, 0, 0, 0});
  value("MM-DD-YYYY");
  EXPECT_TRUE(check_date_field()) << "today's date must pass";
  EXPECT_EQ(now(), "12-07-2026");
}

TEST_F(ChecksTest, DatesAreCheckedForYearMonthAndDay) {
  for (const char *good : {"02/29/2004", "12-31-2099", "01-01-1992", "1a-05-2004", "12.05.2004"}) {
    value(good);
    EXPECT_TRUE(check_date_field()) << good;
  }
  EXPECT_EQ(now(), "12-05-2004");
  for (const char *bad : {"02-29-2003", "04-31-2004", "00-10-2004", "13-01-2004", "12-31-1991", "01-01-2100",
                          "1-5", "", "12-00-2004"}) {
    value(bad);
    EXPECT_FALSE(check_date_field()) << bad;
  }
}

TEST_F(ChecksTest, CompletionForcesTheFixedFormAndIgnoresStaleBytes) {
  value("1-5");
  check_date_field();
  EXPECT_EQ(now(), "1--00-0000");
  value("02/29/2004 and more");
  check_date_field();
  EXPECT_EQ(now(), "02-29-2004");
  value("7:5:3", INPUT_TIME_STD);
  EXPECT_TRUE(check_time_field());
  EXPECT_EQ(now(), "7:::3:00");
  value("12:3", INPUT_TIME_STD);  // the stale 'Y's behind the text must not count as place-holders
  check_time_field();
  EXPECT_EQ(now(), "12:30:00");
}

TEST_F(ChecksTest, TimesTakeTheClockAndAreRangeChecked) {
  value("HH:MM:SS", INPUT_TIME_STD);
  EXPECT_TRUE(check_time_field());
  EXPECT_EQ(now(), "14:30:15");
  value("HH:05:SS", INPUT_TIME_STD);
  EXPECT_TRUE(check_time_field());
  EXPECT_EQ(now(), "14:05:15");
  for (const char *bad : {"24:00:00", "-5:00:00", "23:60:00", "23:59:60"}) {
    value(bad, INPUT_TIME_STD);
    EXPECT_FALSE(check_time_field()) << bad;
  }
  value("23:59:59", INPUT_TIME_STD);
  EXPECT_TRUE(check_time_field());
}

TEST_F(ChecksTest, CheckDigitsFollowModulusTen) {
  value("79927398713", INPUT_NUM);
  EXPECT_TRUE(check_digit_ok());
  value("79927398710", INPUT_NUM);
  EXPECT_FALSE(check_digit_ok());
  value("0", INPUT_NUM);
  EXPECT_TRUE(check_digit_ok());
  value("X", INPUT_NUM);
  EXPECT_TRUE(check_digit_ok()) << "a letter counts as 0";
  value("059", INPUT_NUM);
  EXPECT_TRUE(check_zero_number());
  value("59", INPUT_NUM);
  EXPECT_FALSE(check_zero_number()) << "right check digit, but no leading 0";
}

TEST_F(ChecksTest, LongValuesAreRefusedWithY3) {
  t.key(13);
  value("123456789012345", INPUT_NUM);
  EXPECT_FALSE(check_digit_ok());
  EXPECT_EQ(cells(0, 0, 14), "Bad CZEB(Y3): ");
  value("12345678901234", INPUT_NUM);
  check_digit_ok();
  EXPECT_EQ(t.pending_keys(), 0u);
}

TEST_F(ChecksTest, PrefixedNumbersNeedTheSuffixAndOneToFour) {
  std::strcpy(fields.verify_suffix[2], "4");
  value("4992739872", INPUT_NUM);
  EXPECT_TRUE(check_prefixed_number());
  value("4992739871", INPUT_NUM);
  EXPECT_FALSE(check_prefixed_number());
  value("5992739872", INPUT_NUM);
  EXPECT_FALSE(check_prefixed_number());
  std::strcpy(fields.verify_suffix[2], "");
  value("1992739875", INPUT_NUM);
  EXPECT_EQ(check_prefixed_number(), check_digit_ok());
  std::strcpy(fields.verify_suffix[2], "9");
  value("9992739871", INPUT_NUM);
  EXPECT_FALSE(check_prefixed_number()) << "no value starting with 9 can pass";
}

TEST_F(ChecksTest, AHelpRangeIsUsedOnce) {
  int first = 0, last = 0;
  EXPECT_EQ(read_help_range(&first, &last), 0) << "no help variable";
  help_variable = 12;
  t.set_variable(12, "HELP=20,22");
  EXPECT_EQ(read_help_range(&first, &last), 1);
  EXPECT_EQ(first, 20);
  EXPECT_EQ(last, 22);
  EXPECT_EQ(t.variable(12), "USED");
  EXPECT_EQ(read_help_range(&first, &last), 0);
  t.set_variable(12, "see HELP= 7 =9");
  EXPECT_EQ(read_help_range(&first, &last), 1);
  EXPECT_EQ(first, 7);
  EXPECT_EQ(last, 9);
}

TEST_F(ChecksTest, BadHelpRangesAreReportedAndKept) {
  help_variable = 15;
  int first = 0, last = 0;
  struct Case {
    const char *text, *code;
  };
  for (Case c :
       {Case{"HELP=", "XQ"}, Case{"HELP=0,5", "XR"}, Case{"HELP=20", "XS"}, Case{"HELP=20,10000", "XT"}}) {
    t.set_variable(15, c.text);
    t.key(13);
    EXPECT_EQ(read_help_range(&first, &last), 0) << c.text;
    EXPECT_EQ(cells(0, 9, 2), c.code) << c.text;
    EXPECT_EQ(t.variable(15), c.text);
  }
}

}  // namespace
