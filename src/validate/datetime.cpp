/*
 * datetime.cpp - completing and checking date and time values.
 *
 * Forms: DATE_AMER "MM-DD-YYYY", DATE_EURO "DD-MM-YYYY", TIME_STD
 * "HH:MM:SS". The clock gives the date as YYMMDD and the time as HHMMSS.
 */
#include "validate/datetime.h"

#include <assert.h>
#include <string.h>

#include "entry/text.h"
#include "fields/grammar.h"
#include "fields/table.h"
#include "platform/termrt.h"

static const int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

static int is_leap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

/* 1 when the value's text covers position pos onwards with the letters. */
static int holds(const char *value, int pos, const char *letters) {
  size_t n = strlen(letters);
  return strlen(value) >= pos + n && memcmp(value + pos, letters, n) == 0;
}

/* Replaces the place-holder at pos with two characters of the clock text. */
static void fill(char *value, int pos, const char *placeholder, const char *clock_digits) {
  if (holds(value, pos, placeholder)) memcpy(value + pos, clock_digits, 2);
}

/* The number written at positions pos to pos + count - 1. */
static int part_value(const char *value, int pos, int count) {
  char digits[8];
  assert(count >= 0 && count < (int)sizeof digits);
  memcpy(digits, value + pos, (size_t)count);
  digits[count] = '\0';
  return decimal_value(digits);
}

static void read_clock(int date, char *text) {
  unsigned char extra;
  memset(text, '0', 6);
  text[6] = '\0';
  if (date)
    _RtcGetAsciiDate(RTC_DATE_YYMMDD, text, &extra);
  else
    _RtcGetAsciiTime(RTC_TIME_24_HOUR, text, &extra);
  text[6] = '\0';
}

void complete_date_time(void) {
  char *value = fields.value[current_field];
  int is_date = fields.input_kind[current_field] == INPUT_DATE_AMER ||
                fields.input_kind[current_field] == INPUT_DATE_EURO;
  int length = is_date ? DATE_LENGTH : TIME_LENGTH;
  char separator = is_date ? '-' : ':';
  int entered = (int)strlen(value);
  value[2] = separator;
  value[5] = separator;
  for (int pos = 0; pos < length; ++pos) {
    if (pos == 2 || pos == 5) continue;
    char c = value[pos];
    if (pos >= entered || !((c >= '0' && c <= '9') || c == ':' || c == '-')) value[pos] = '0';
  }
  value[length] = '\0';
}

int check_date_field(void) {
  char *value = fields.value[current_field];
  int american = fields.input_kind[current_field] == INPUT_DATE_AMER;
  int day_pos = american ? 3 : 0;
  int month_pos = american ? 0 : 3;
  char today[RTC_TEXT_SIZE];
  read_clock(1, today);
  if (holds(value, 6, "YYYY")) {
    value[6] = today[0] == '9' ? '1' : '2';
    value[7] = today[0] == '9' ? '9' : '0';
    memcpy(value + 8, today, 2);
  }
  fill(value, day_pos, "DD", today + 4);
  fill(value, month_pos, "MM", today + 2);
  complete_date_time();
  int year = part_value(value, 6, 4);
  int month = part_value(value, month_pos, 2);
  int day = part_value(value, day_pos, 2);
  if (year < DATE_FIRST_YEAR || year > DATE_LAST_YEAR) return 0;
  if (month < 1 || month > 12) return 0;
  int days = kDaysInMonth[month - 1] + (month == 2 && is_leap(year));
  return day >= 1 && day <= days;
}

int check_time_field(void) {
  char *value = fields.value[current_field];
  char now[RTC_TEXT_SIZE];
  read_clock(0, now);
  fill(value, 0, "HH", now);
  fill(value, 3, "MM", now + 2);
  fill(value, 6, "SS", now + 4);
  complete_date_time();
  int hours = part_value(value, 0, 2);
  int minutes = part_value(value, 3, 2);
  int seconds = part_value(value, 6, 2);
  return hours >= 0 && hours <= 23 && minutes >= 0 && minutes <= 59 && seconds >= 0 && seconds <= 59;
}
