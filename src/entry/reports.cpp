/*
 * reports.cpp - the report screens on rows 0 and 1, and the two waits that
 * every part of the library shares: the key wait and the delay routine.
 */
#include "entry/reports.h"

#include <string.h>

#include "entry/entry.h"
#include "entry/text.h"
#include "platform/keys.h"
#include "platform/termrt.h"

static const char kBlankRow[] = "                                        ";
static const char kPressAnyKey[] = REPORT_PROMPT;

/* Puts at most limit characters of text into command_buffer and writes them
   at (row, column). */
static void show_report_text(const char *text, int limit, int row, int column) {
  unsigned short status;
  copy_text(command_buffer, (size_t)limit + 1, text ? text : "");
  _VioWrtCharStr(command_buffer, (int)strlen(command_buffer), row, column, &status, 0);
}

void wait_for_key(void) {
  unsigned short key = 0;
  while (_KbdReadAscii(&key) == KBD_NO_KEY) _WaitEvent(0);
}

void error_report(const char *text, const char *code) {
  unsigned short status;
  _VioWrtCharStr(kBlankRow, DISPLAY_COLUMNS, 0, 0, &status, 0);
  _VioWrtCharStr(kBlankRow, DISPLAY_COLUMNS, 1, 0, &status, 0);
  _VioWrtCharStr(REPORT_HEAD, sizeof REPORT_HEAD - 1, 0, 0, &status, 0);
  _VioWrtCharStr(code, 2, 0, REPORT_CODE_COLUMN, &status, 0);
  show_report_text(text, REPORT_TEXT_MAX, 0, REPORT_TEXT_COLUMN);
  _VioWrtCharStr(kPressAnyKey, sizeof kPressAnyKey - 1, REPORT_PROMPT_ROW, 0, &status, 0);
  wait_for_key();
}

void append_report(const char *text) {
  unsigned short status;
  _VioWrtCharStr(APPEND_HEAD, sizeof APPEND_HEAD - 1, 0, 0, &status, 0);
  show_report_text(text, APPEND_TEXT_MAX, 0, APPEND_TEXT_COLUMN);
  _VioWrtCharStr(kPressAnyKey, sizeof kPressAnyKey - 1, REPORT_PROMPT_ROW, 0, &status, 0);
  wait_for_key();
}

int delay(int n) {
  int passes = n / 3;
  if (passes < 1) passes = 1;
  for (int pass = 1;; ++pass) {
    unsigned short key = 0;
    _WaitEvent(DELAY_PASS_MS);
    int stop = _IdleManager(0);
    _KbdReadAscii(&key);
    if (stop != 0) return DELAY_STOPPED;
    if (key == KEY_CANCEL) return DELAY_CANCELLED;
    if (pass >= passes) return DELAY_DONE;
  }
}
