/*
 * clock.cpp - the seconds stamp: the clock's date and time as seconds since
 * the start of 2000.
 *
 * The count is strictly increasing: each leap day is counted from its own
 * date on, so a stamp never stands still across midnight of 29 February or
 * 31 December of a leap year.
 */
#include "input/clock.h"

#include <stdlib.h>
#include <string.h>

#include "platform/termrt.h"

static const int kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

static int is_leap(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

/* Days from 1 January 2000 to the given date (years 2000 to 2099 as 0 to
   99), every leap day counted from its own date on. */
static int days_since_2000(int year, int month, int day) {
  if (month < 1) month = 1;
  if (month > 12) month = 12;
  int days = 365 * year + (year + 3) / 4; /* leap days of 2000 to year - 1 */
  if (year < 0) days = 365 * year;        /* outside the clock's century */
  days += kDaysBeforeMonth[month - 1] + day - 1;
  if (month > 2 && is_leap(2000 + year)) ++days;
  return days;
}

/* Splits a six-digit clock text into three two-digit numbers. */
static void split_digits(char *text, int *first, int *second, int *third) {
  text[6] = '\0';
  *third = atoi(text + 4);
  text[4] = '\0';
  *second = atoi(text + 2);
  text[2] = '\0';
  *first = atoi(text);
}

int clock_seconds(void) {
  char time_text[RTC_TEXT_SIZE], date_text[RTC_TEXT_SIZE];
  unsigned char extra;
  memset(time_text, 0, sizeof time_text);
  memset(date_text, 0, sizeof date_text);
  _RtcGetAsciiTime(RTC_TIME_24_HOUR, time_text, &extra);
  _RtcGetAsciiDate(RTC_DATE_YYMMDD, date_text, &extra);
  int hours, minutes, seconds, year, month, day;
  split_digits(time_text, &hours, &minutes, &seconds);
  split_digits(date_text, &year, &month, &day);
  unsigned int days = (unsigned int)days_since_2000(year, month, day);
  unsigned int stamp =
      ((days * 24u + (unsigned int)hours) * 60u + (unsigned int)minutes) * 60u + (unsigned int)seconds;
  return (int)stamp;
}
