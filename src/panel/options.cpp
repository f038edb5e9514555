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
#include "fields/grammar.h"
#include "fields/table.h"
#include "validate/lookup.h"

/* A letter or Y/N option by its row of the grammar; true when it reported. */
#define READ_LETTER(row, letter, parm) \
  (read_letter(KW_WORD(row), KW_LETTERS(row), letter, parm, KW_NO_VALUE(row), KW_BAD(row)) == ARG_REPORTED)
#define READ_YES_NO(row, flag, parm) \
  (read_yes_no(KW_WORD(row), flag, parm, KW_NO_VALUE(row), KW_BAD(row)) == ARG_REPORTED)

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
  if (read_number(KW_WORD(KW_T), KW_WINDOW(KW_T), KW_LOW(KW_T), KW_HIGH(KW_T), &o->time_out, parm,
                  KW_NO_VALUE(KW_T), 0) == ARG_REPORTED ||
      read_number(KW_WORD(KW_HVR), KW_WINDOW(KW_HVR), KW_LOW(KW_HVR), KW_HIGH(KW_HVR), &help_variable, parm,
                  KW_NO_VALUE(KW_HVR), KW_BAD(KW_HVR)) == ARG_REPORTED)
    return ARG_REPORTED;
  int found = read_number(KW_WORD(KW_SF), KW_WINDOW(KW_SF), KW_LOW(KW_SF), KW_HIGH(KW_SF), &n, parm,
                          KW_NO_VALUE(KW_SF), KW_BAD(KW_SF));
  if (found == ARG_OK && !fields.defined[n - 1]) return arg_failed(parm, KW_BAD(KW_SF));
  if (found == ARG_REPORTED) return found;
  if (found == ARG_OK) o->start_field = n - 1;
  found = read_number(KW_WORD(KW_REASON), KW_WINDOW(KW_REASON), INT_MIN, INT_MAX, &n, parm,
                      KW_NO_VALUE(KW_REASON), 0);
  if (found != ARG_OK) return found;
  n = (unsigned short)n; /* 65536 wraps to 0: no reason variable */
  if (n > KW_HIGH(KW_REASON)) return arg_failed(parm, KW_BAD(KW_REASON));
  o->reason_variable = n;
  return ARG_OK;
}

int read_panel_options(const char *parm) {
  struct PanelOptions *o = &panel_options;
  char ignored = 'N';
  copy_command_text(parm);
  if (read_source_text(parm, SOURCE_NONE(SOURCE_PANEL), SOURCE_BAD(SOURCE_PANEL),
                       SOURCE_NO_RECORD(SOURCE_PANEL), SOURCE_OFFSET(SOURCE_PANEL)) == ARG_REPORTED)
    return ARG_REPORTED;
  set_defaults();
  if (READ_LETTER(KW_TOE, &o->time_out_ending, parm) || READ_LETTER(KW_ERET, &o->return_scheme, parm) ||
      READ_YES_NO(KW_CON, &concatenate_values, parm) || READ_YES_NO(KW_MULT, &multi_screen, parm) ||
      READ_LETTER(KW_L, &ignored, parm) || READ_LETTER(KW_CNP, &o->clear_unfilled, parm))
    return ARG_REPORTED;
  return read_number_options(parm);
}
