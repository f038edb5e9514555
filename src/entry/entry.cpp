/*
 * entry.cpp - the function codes of the entry point, the splitting of a
 * command string into its length digits and name, the dispatch by name and
 * the title banner that the first field definition shows.
 */
#include "entry/entry.h"

#include <string.h>

#include "entry/args.h"
#include "entry/commands.h"
#include "entry/reports.h"
#include "entry/text.h"
#include "platform/termrt.h"
#include "screen/popup.h"

#define NAME_LENGTH 7
#define COMMAND_COUNT 14

int argument_length = 0;
char command_buffer[COMMAND_BUFFER_SIZE];
char token_buffer[TOKEN_BUFFER_SIZE];
unsigned char banner_shown = 0;
unsigned char debug_flag = 0;

/* The command names in the order in which they are tried. */
static const char *const kCommandNames[COMMAND_COUNT] = {
    "DICOUNT", "POPUPWN", "COMPARE", "CMP_INT", "INTMATH", "CHKUNIQ", "TM_DATE",
    "TRANMSG", "V_DELAY", "CLEAR_P", "SET_FIE", "EXEC_PA", "SET_HEL", "WAIT_UV",
};

/* The title banner: a popup of three lines, a pause, and the screen back. */
static void show_banner(void) {
  unsigned short status;
  struct PopupArea area;
  banner_shown = 1;
  popup_window('C', 0, 3, &area);
  _VioWrtCharStr("ZEB Panel Driver 1.43", 21, area.row, area.col, &status, 0);
  _VioWrtCharStr("ZEB Terminals", 13, area.row + 1, area.col, &status, 0);
  _VioWrtCharStr("All rights reserved.", 20, area.row + 2, area.col, &status, 0);
  delay(50);
  popup_window('R', 0, 0, 0);
}

static int run_named_command(int index, const char *parm) {
  switch (index) {
    case 0: dicount_command(parm); return 0;
    case 1: popup_command(parm); return 0;
    case 2: return compare_command(parm);
    case 3: return compare_int_command(parm);
    case 4: return int_math_command(parm);
    case 5: return check_unique_command(parm);
    case 6: return time_date_command(parm);
    case 7: return transaction_command(parm);
    case 8: return delay_command(parm);
    case 9: return clear_panel_command(parm);
    case 10:
      if (banner_shown == 0) show_banner();
      return set_field_command(parm);
    case 11: return exec_panel_command(parm);
    case 12: return set_help_command(parm);
    default: return wait_variable_command(parm);
  }
}

/* Function code 3: split the string, find the command by name, run it. */
static int run_command_string(const char *parm) {
  if (parm == 0) parm = "";
  size_t length = strnlen(parm, 2 + NAME_LENGTH);

  char name[NAME_LENGTH + 1];
  size_t name_length = length > 2 ? length - 2 : 0;
  memcpy(name, parm + (length > 2 ? 2 : length), name_length);
  name[name_length] = '\0';

  size_t digits = length < 2 ? length : 2;
  memcpy(command_buffer, parm, digits);
  command_buffer[digits] = '\0';
  argument_length = decimal_value(command_buffer);

  for (int i = 0; i < COMMAND_COUNT; ++i)
    if (compare_nocase(name, kCommandNames[i]) == 0) return run_named_command(i, parm);
  return command_failed(parm, "M1");
}

int forms_entry(int code, const char *parm) {
  switch (code) {
    case 0:
    case 2:
      popup_window('X', 0, 0, 0);
      banner_shown = 0;
      return 0;
    case 3: return run_command_string(parm);
    case 4: debug_flag = debug_flag == 1 ? 0 : 1; return 0;
    case 5: return display_test();
    default: return 0;
  }
}
