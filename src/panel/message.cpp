/*
 * message.cpp - showing a range of help records as an operator message,
 * giving the error signal and ending the message by its display type.
 */
#include "panel/message.h"

#include <assert.h>
#include <string.h>

#include "entry/reports.h"
#include "fields/table.h"
#include "platform/keys.h"
#include "platform/termrt.h"
#include "screen/popup.h"
#include "validate/lookup.h"

#define MAX_LINES POPUP_MAX_LINES

/* Writes a help record's text as one line, cut to the text width; a record
   that holds no more than its key shows as a single blank. */
static void write_record_line(const char *record, unsigned int record_length, int row) {
  unsigned short status;
  if (record_length <= RECORD_KEY_WIDTH) {
    _VioWrtCharStrAtt(" ", 1, row, message_area.col, 1, &status, 0);
    return;
  }
  char line[DISPLAY_COLUMNS + 1];
  assert(message_area.width >= 0 && message_area.width <= DISPLAY_COLUMNS);
  copy_record_text(line, (unsigned int)message_area.width + 1, record, record_length);
  _VioWrtCharStrAtt(line, (int)strlen(line), row, message_area.col, 1, &status, 0);
}

/* Counts the existing records of the range and notes the first sixteen.
   Record numbers have four digits, so only 0 to 9999 are looked up. */
static int collect_records(int first, int last, int *noted, int *noted_count) {
  int count = 0;
  *noted_count = 0;
  if (first < 0) first = 0;
  if (last > RECORD_NUMBER_MAX) last = RECORD_NUMBER_MAX;
  for (int number = first; number <= last; ++number) {
    if (find_numbered_record(help_file_name, number, RECORD_KEY_WIDTH, 0) == 0) continue;
    ++count;
    if (*noted_count < MAX_LINES) noted[(*noted_count)++] = number;
  }
  return count;
}

/* The closing line of an acknowledged message, from record 16. */
static void write_closing_line(int line) {
  unsigned int length = 0;
  const char *record = find_numbered_record(help_file_name, MSG_CLOSING_LINE, RECORD_KEY_WIDTH, &length);
  if (record == 0) {
    error_report("HELP.VAL NOT FOUND", "Y2");
    return;
  }
  write_record_line(record, length, message_area.row + line);
}

static void give_signal(void) {
  _SenActLed(0, 5);
  _SpkBeep(0, 0, 2);
}

/* Throws away keys typed before the message was shown, up to an Enter;
   returns non-zero when the idle manager asked to stop meanwhile. */
static int discard_type_ahead(void) {
  unsigned short key = 0;
  while (_KbdReadAscii(&key) != KBD_NO_KEY) {
    if (key == KEY_ENTER) return 0;
    if (_IdleManager(0) != 0) return 1;
  }
  return 0;
}

/* Waits for an Enter pressed after the message was shown. */
static void wait_for_fresh_enter(void) {
  if (discard_type_ahead() != 0 || _IdleManager(0) != 0) return;
  for (;;) {
    unsigned short key = 0;
    _WaitEvent(0);
    int delivered = _KbdReadAscii(&key) != KBD_NO_KEY;
    if (_IdleManager(0) != 0) return;
    if (delivered && key == KEY_ENTER) return;
  }
}

/* Opens the place of the message: the popup, or the cleared display. */
static void open_message_area(signed char type, int lines) {
  if (type != MESSAGE_FULL_SCREEN) {
    popup_window('C', 1, lines, &message_area);
    return;
  }
  _VioClear();
  message_area.lines = lines;
  message_area.width = DISPLAY_COLUMNS;
  message_area.row = 0;
  message_area.col = 0;
}

void show_message(int first, int last, signed char type) {
  int noted[MAX_LINES];
  int noted_count;
  _VioSetCurType(CURSOR_HIDDEN);

  int count = collect_records(first, last, noted, &noted_count);
  int maximum = MAX_LINES;
  if (type == MESSAGE_ACKNOWLEDGED) {
    ++count;
    maximum = MAX_LINES - 1;
  }
  int lines = count < maximum ? count : maximum;
  open_message_area(type, lines);
  if (type == MESSAGE_ACKNOWLEDGED) --lines;

  for (int line = 0; line < lines && line < noted_count; ++line) {
    unsigned int length = 0;
    const char *record = find_numbered_record(help_file_name, noted[line], RECORD_KEY_WIDTH, &length);
    if (record != 0) write_record_line(record, length, message_area.row + line);
  }
  if (type == MESSAGE_ACKNOWLEDGED) write_closing_line(lines);

  if (type != MESSAGE_FULL_SCREEN) give_signal();
  if (type != MESSAGE_STANDING && type != MESSAGE_FULL_SCREEN) {
    delay(25);
    give_signal();
  }

  switch (type) {
    case MESSAGE_TIMED: delay(150); break;
    case MESSAGE_ACKNOWLEDGED: wait_for_fresh_enter(); break;
    case MESSAGE_STANDING:
    case MESSAGE_FULL_SCREEN: return;
    default: break;
  }
  close_message();
  _VioSetCurType(CURSOR_SHOWN);
}

void close_message(void) { popup_window('R', 0, 0, 0); }
