/*
 * display_test.cpp - the display and keyboard test of function code 5.
 *
 * A fixed sequence of texts and cursor moves shows that writing and cursor
 * placement work; then the clock's time and date are shown on rows 1 and 2
 * and the code of every key pressed on row 0, until Enter ends the test.
 */
#include "entry/commands.h"
#include "entry/entry.h"
#include "platform/keys.h"
#include "platform/termrt.h"
#include "screen/format.h"

#define TEST_IDLE_ARGUMENT 200
#define NO_KEY_MARK 0xFFF
#define CLOCK_SHOWN 6
#define KEY_TEXT_LIMIT 128

static void write_text(const char *text, int length, int row, int column) {
  unsigned short status;
  _VioWrtCharStr(text, length, row, column, &status, 0);
}

/* The cursor shown at two places, with text written around it. */
static void show_cursor_steps(void) {
  write_text("Cursor @5,5", 11, 4, 0);
  _VioSetCurType(CURSOR_SHOWN);
  _VioSetCurPos(5, 5);
  _IdleManager(TEST_IDLE_ARGUMENT);
  write_text("Cursor @5,5 after text written", 30, 4, 0);
  write_text("ABCDEFGHIJ", 10, 5, 0);
  _IdleManager(TEST_IDLE_ARGUMENT);
  write_text("Cursor @5,10                  ", 30, 4, 0);
  _VioSetCurPos(5, 10);
  _IdleManager(TEST_IDLE_ARGUMENT);
}

/* The first six characters of the clock's time (HHMMSS) on row 1 and of its
   date (YYMMDD) on row 2. */
static void show_clock(void) {
  char time_text[RTC_TEXT_SIZE] = {0};
  char date_text[RTC_TEXT_SIZE] = {0};
  unsigned char unused;
  _RtcGetAsciiTime(RTC_TIME_24_HOUR, time_text, &unused);
  _RtcGetAsciiDate(RTC_DATE_YYMMDD, date_text, &unused);
  time_text[CLOCK_SHOWN] = '\0';
  date_text[CLOCK_SHOWN] = '\0';
  write_text(time_text, CLOCK_SHOWN, 1, 0);
  write_text(date_text, CLOCK_SHOWN, 2, 0);
}

int display_test(void) {
  unsigned short key = 0;
  char text[KEY_TEXT_LIMIT];
  show_cursor_steps();
  do {
    show_clock();
    key = NO_KEY_MARK;
    if (_KbdReadAscii(&key) == KBD_KEY_READ)
      format_to_display(text, KEY_TEXT_LIMIT, 0, 0, "Key code = 0x%X  ", (int)key);
    _IdleManager(0);
  } while (key != KEY_ENTER);
  return 0;
}
