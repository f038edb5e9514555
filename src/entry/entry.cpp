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

/* SET_FIE: the first field definition since load or reset shows the banner. */
static int define_field(const char *parm) {
  if (banner_shown == 0) show_banner();
  return set_field_command(parm);
}

/* The commands in the order in which their names are tried. */
static const struct {
  const char *name;
  int (*run)(const char *parm);
} kCommands[] = {
    {"DICOUNT", dicount_command},     {"POPUPWN", popup_command},         {"COMPARE", compare_command},
    {"CMP_INT", compare_int_command}, {"INTMATH", int_math_command},      {"CHKUNIQ", check_unique_command},
    {"TM_DATE", time_date_command},   {"TRANMSG", transaction_command},   {"V_DELAY", delay_command},
    {"CLEAR_P", clear_panel_command}, {"SET_FIE", define_field},          {"EXEC_PA", exec_panel_command},
    {"SET_HEL", set_help_command},    {"WAIT_UV", wait_variable_command},
};

/* Function code 3: split the string, find the command by name, run it. */
static int run_command_string(const char *parm) {
  if (parm == 0) parm = "";
  size_t length = strnlen(parm, 2 + NAME_LENGTH);

  char name[NAME_LENGTH + 1];
  size_t name_length = length > 2 ? length - 2 : 0;
  memcpy(name, parm + (length > 2 ? 2 : length), name_length);
  name[name_length] = '\0';

  size_t digits = length < 2 ? length : 2;
  char length_digits[3];
  memcpy(length_digits, parm, digits);
  length_digits[digits] = '\0';
  argument_length = decimal_value(length_digits);

  for (size_t i = 0; i < sizeof kCommands / sizeof kCommands[0]; ++i)
    if (compare_nocase(name, kCommands[i].name) == 0) return kCommands[i].run(parm);
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
