/*
 * time.cpp - TM_DATE, V_DELAY and WAIT_UV: the clock's date and time into
 * user variables, a pause, and a wait for a user variable to be filled.
 *
 * TM_DATE positions: 10-11 the hour format (12 or 24), 30-31 the time
 * variable, 35-38 the date style ("AMER" or "EURO"), 52-53 the date
 * variable. V_DELAY: the count from position 10 to the end of the command
 * text. WAIT_UV: 14-15 the watched variable, 21-23 the time-out in seconds.
 */
#include <limits.h>

#include "entry/args.h"
#include "entry/commands.h"
#include "entry/entry.h"
#include "entry/reports.h"
#include "entry/text.h"
#include "input/clock.h"
#include "platform/answers.h"
#include "platform/keys.h"
#include "platform/termrt.h"

#define TM_DATE_MIN_LENGTH 52
#define V_DELAY_MAX_LENGTH 13
#define WAIT_UV_MIN_LENGTH 22

/* WAIT_UV results. */
#define WAIT_TIMED_OUT 0
#define WAIT_FILLED 1
#define WAIT_CANCELLED 2

static int is_variable_number(int n) { return n >= 1 && n <= RESULT_VARIABLE_MAX; }

/* Writes text into the variable; a text that does not fit gets the append
   report, and the command goes on. */
static void write_clock_text(const char *parm, int variable, const char *text) {
  if (_WriteUserVariable(variable, text) == RT_VARIABLE_TOO_LONG) append_report(parm);
}

/* "MM/DD/YY" for AMER, "DD.MM.YY" for EURO, from the clock's MMDDYY. */
static void build_date(int european, char *out) {
  char digits[RTC_TEXT_SIZE] = {0};
  unsigned char unused;
  _RtcGetAsciiDate(RTC_DATE_MMDDYY, digits, &unused);
  const char *first = european ? digits + 2 : digits;
  const char *second = european ? digits : digits + 2;
  char mark = european ? '.' : '/';
  out[0] = first[0];
  out[1] = first[1];
  out[2] = mark;
  out[3] = second[0];
  out[4] = second[1];
  out[5] = mark;
  out[6] = digits[4];
  out[7] = digits[5];
  out[8] = '\0';
}

/* "HH:MM:SS" in 24-hour form; "hh:mm:ss AM" or "PM" in 12-hour form. */
static void build_time(int twelve_hour, char *out) {
  char digits[RTC_TEXT_SIZE] = {0};
  unsigned char unused;
  _RtcGetAsciiTime(twelve_hour ? RTC_TIME_12_HOUR : RTC_TIME_24_HOUR, digits, &unused);
  out[0] = digits[0];
  out[1] = digits[1];
  out[2] = ':';
  out[3] = digits[2];
  out[4] = digits[3];
  out[5] = ':';
  out[6] = digits[4];
  out[7] = digits[5];
  out[8] = '\0';
  if (twelve_hour) {
    out[8] = ' ';
    out[9] = digits[6];
    out[10] = digits[7];
    out[11] = '\0';
  }
}

/* The date style at positions 35-38: 1 EURO, 0 AMER, -1 neither. */
static int date_style_at(const char *parm) {
  char style[5];
  for (int i = 0; i < 4; ++i) style[i] = char_at(parm, 35 + i);
  style[4] = '\0';
  if (compare_nocase(style, "EURO") == 0) return 1;
  if (compare_nocase(style, "AMER") == 0) return 0;
  return -1;
}

int time_date_command(const char *parm) {
  if (argument_length < TM_DATE_MIN_LENGTH) return command_failed(parm, "E1");
  int time_variable = number_at(parm, 30, 2);
  if (!is_variable_number(time_variable)) return command_failed(parm, "E2");
  int date_variable = number_at(parm, 52, 2);
  if (!is_variable_number(date_variable)) return command_failed(parm, "E3");
  int hours = number_at(parm, 10, 2);
  _IdleManager(0);
  if (hours != 12 && hours != 24) return command_failed(parm, "E4");
  int european = date_style_at(parm);
  if (european < 0) return command_failed(parm, "E5");
  char text[RTC_TEXT_SIZE];
  build_date(european, text);
  _IdleManager(0);
  write_clock_text(parm, date_variable, text);
  build_time(hours == 12, text);
  write_clock_text(parm, time_variable, text);
  return 0;
}

int delay_command(const char *parm) {
  if (argument_length > V_DELAY_MAX_LENGTH) return command_failed(parm, "V3");
  /* At most five characters follow position 9, so 8 × n cannot overflow;
     a text too short to hold a count gives 0. */
  int n = number_at(parm, 10, argument_length - 8);
  delay(8 * n);
  return 0;
}

/* Milliseconds left of a time-out of limit seconds after elapsed seconds,
   kept within what _WaitEvent takes. */
static int remaining_wait(unsigned int limit, unsigned int elapsed) {
  if (elapsed >= limit) return 0;
  unsigned long long ms = (unsigned long long)(limit - elapsed) * 1000u;
  return ms > (unsigned long long)INT_MAX ? INT_MAX : (int)ms;
}

int wait_variable_command(const char *parm) {
  if (argument_length < WAIT_UV_MIN_LENGTH) return command_failed(parm, "W2");
  int variable = number_at(parm, 14, 2);
  if (read_work_variable(variable) == RT_VARIABLE_UNREADABLE) return command_failed(parm, "W3");
  unsigned int limit = (unsigned short)number_at(parm, 21, 3);

  clear_work_text();
  unsigned int start = (unsigned int)clock_seconds();
  int wait = remaining_wait(limit, 0);
  for (;;) {
    unsigned short key = 0;
    _WaitEvent(wait);
    if (_IdleManager(0) != 0) return WAIT_CANCELLED;
    if (_KbdReadAscii(&key) == KBD_KEY_READ && key == KEY_CANCEL) return WAIT_CANCELLED;
    read_work_variable(variable);
    if (command_buffer[0] != '\0') return WAIT_FILLED;
    unsigned int elapsed = (unsigned int)clock_seconds() - start;
    if (elapsed > limit) return WAIT_TIMED_OUT;
    wait = remaining_wait(limit, elapsed);
  }
}
