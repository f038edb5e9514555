/*
 * options.cpp - the option text of EXEC_PA and the options in it.
 *
 * Each option keyword is found at the first place its characters occur in
 * the text, wherever that is: "T=" is also found at the end of "ERET=" and
 * "MULT=", so a panel that wants a time-out writes "T=" before them.
 */
#include "panel/options.h"

#include <limits.h>

#include "entry/args.h"
#include "entry/entry.h"
#include "fields/table.h"
#include "validate/lookup.h"

#define HELP_VARIABLE_FIRST 10

static void set_defaults(void) {
  panel_options.time_out_ending = 'N';
  panel_options.return_scheme = 'N';
  panel_options.clear_unfilled = 'Y';
  panel_options.time_out = 0;
  panel_options.start_field = -1;
  panel_options.reason_variable = 0;
  concatenate_values = 0;
  multi_screen = 0;
  help_variable = 0;
}

/* "T=", "HVR=", "SF=" and "REASON=", in this order. */
static int read_number_options(const char *parm) {
  struct PanelOptions *o = &panel_options;
  int n = 0;
  if (read_number("T=", ARG_LONG_WINDOW, INT_MIN, INT_MAX, &o->time_out, parm, "XD", 0) == ARG_REPORTED ||
      read_number("HVR=", ARG_LONG_WINDOW, HELP_VARIABLE_FIRST, RESULT_VARIABLE_MAX, &help_variable, parm,
                  "XO", "XP") == ARG_REPORTED)
    return ARG_REPORTED;
  int found = read_number("SF=", ARG_LONG_WINDOW, 1, FIELD_COUNT, &n, parm, "XF", "XG");
  if (found == ARG_OK && !fields.defined[n - 1]) return arg_failed(parm, "XG");
  if (found == ARG_REPORTED) return found;
  if (found == ARG_OK) o->start_field = n - 1;
  found = read_number("REASON=", ARG_LONG_WINDOW, INT_MIN, INT_MAX, &n, parm, "XX", 0);
  if (found != ARG_OK) return found;
  n = (unsigned short)n; /* 65536 wraps to 0: no reason variable */
  if (n > RESULT_VARIABLE_MAX) return arg_failed(parm, "XY");
  o->reason_variable = n;
  return ARG_OK;
}

int read_panel_options(const char *parm) {
  struct PanelOptions *o = &panel_options;
  char ignored = 'N';
  copy_command_text(parm);
  if (read_source_text(parm, "X1", "X2", "XN", RECORD_TEXT_OFFSET) == ARG_REPORTED) return ARG_REPORTED;
  set_defaults();
  if (read_letter("TOE=", "ANST", &o->time_out_ending, parm, "X3", "X4") == ARG_REPORTED ||
      read_letter("ERET=", "ANS", &o->return_scheme, parm, "X5", "X6") == ARG_REPORTED ||
      read_yes_no("CON=", &concatenate_values, parm, "X7", "X8") == ARG_REPORTED ||
      read_yes_no("MULT=", &multi_screen, parm, "XV", "XW") == ARG_REPORTED ||
      read_letter("L=", "YN", &ignored, parm, "X9", "XA") == ARG_REPORTED ||
      read_letter("CNP=", "YN", &o->clear_unfilled, parm, "XB", "XC") == ARG_REPORTED)
    return ARG_REPORTED;
  return read_number_options(parm);
}
