/*
 * options.cpp - the option text of EXEC_PA and the options in it.
 *
 * Each option keyword is found at the first place its characters occur in
 * the text, wherever that is: "T=" is also found at the end of "ERET=" and
 * "MULT=", so a panel that wants a time-out writes "T=" before them.
 */
#include "panel/options.h"

#include <string.h>

#include "entry/args.h"
#include "entry/entry.h"
#include "entry/reports.h"
#include "entry/text.h"
#include "fields/table.h"
#include "platform/termrt.h"
#include "validate/lookup.h"

#define SHORT_WINDOW 10
#define LONG_WINDOW 15
#define LAST_RECORD 9999
#define OPTION_ABSENT 0
#define OPTION_READ 1
#define OPTION_FAILED 2

struct PanelOptions panel_options;

/* Reads the option text from a user variable or a help record. */
static int read_option_text(const char *parm) {
  char *cursor = keyword_window(command_buffer, "VAR=", SHORT_WINDOW);
  if (cursor != 0) {
    /* Empty unless the run-time writes it, and ended within the scratch. */
    char text[USER_VARIABLE_MAX + 1];
    text[0] = '\0';
    char *piece = next_piece(&cursor);
    if (piece == 0 || _ReadUserVariable(decimal_value(piece), text) == 3) {
      error_report(parm, "X2");
      return 0;
    }
    text[USER_VARIABLE_MAX] = '\0';
    copy_text(command_buffer, COMMAND_BUFFER_SIZE, text);
    return 1;
  }
  cursor = keyword_window(command_buffer, "HELP=", SHORT_WINDOW);
  if (cursor == 0) {
    error_report(parm, "X1");
    return 0;
  }
  char *piece = next_piece(&cursor);
  int number = piece ? decimal_value(piece) : 0;
  if (piece == 0 || number < 1 || number > LAST_RECORD) {
    error_report(parm, "X2");
    return 0;
  }
  unsigned int length;
  const char *record = find_numbered_record(help_file_name, number, 4, &length);
  if (record == 0) {
    char text[TOKEN_BUFFER_SIZE + 4] = "REC=";
    copy_text(text + 4, TOKEN_BUFFER_SIZE, piece);
    error_report(text, "XN");
    return 0;
  }
  copy_record_text(command_buffer, COMMAND_BUFFER_SIZE, record, length);
  return 1;
}

/* Finds keyword and its first piece. OPTION_ABSENT leaves the default; a
   keyword without a piece reports code_missing. */
static int option_piece(const char *parm, const char *keyword, int window, const char *code_missing,
                        char **piece) {
  char *cursor = keyword_window(command_buffer, keyword, window);
  if (cursor == 0) return OPTION_ABSENT;
  *piece = next_piece(&cursor);
  if (*piece != 0) return OPTION_READ;
  error_report(parm, code_missing);
  return OPTION_FAILED;
}

/* A letter option: the first character of its piece, one of allowed. */
static int letter_option(const char *parm, const char *keyword, const char *allowed, const char *code_missing,
                         const char *code_bad, char *letter) {
  char *piece;
  int found = option_piece(parm, keyword, SHORT_WINDOW, code_missing, &piece);
  if (found != OPTION_READ) return found;
  if (strchr(allowed, piece[0]) == 0) {
    error_report(parm, code_bad);
    return OPTION_FAILED;
  }
  *letter = piece[0];
  return OPTION_READ;
}

/* A yes-or-no option stored as 1 or 0. */
static int flag_option(const char *parm, const char *keyword, const char *code_missing, const char *code_bad,
                       unsigned char *flag) {
  char letter = 'N';
  int found = letter_option(parm, keyword, "YN", code_missing, code_bad, &letter);
  if (found == OPTION_READ) *flag = letter == 'Y';
  return found;
}

static int number_option(const char *parm, const char *keyword, const char *code_missing, int *number) {
  char *piece;
  int found = option_piece(parm, keyword, LONG_WINDOW, code_missing, &piece);
  if (found == OPTION_READ) *number = decimal_value(piece);
  return found;
}

static void set_defaults(void) {
  panel_options.time_out_ending = 'N';
  panel_options.return_scheme = 'N';
  panel_options.l_option = 'N';
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
  if (number_option(parm, "T=", "XD", &o->time_out) == OPTION_FAILED) return 0;
  int found = number_option(parm, "HVR=", "XO", &n);
  if (found == OPTION_FAILED) return 0;
  if (found == OPTION_READ) {
    if (n < 10 || n > 19) {
      error_report(parm, "XP");
      return 0;
    }
    help_variable = n;
  }
  found = number_option(parm, "SF=", "XF", &n);
  if (found == OPTION_FAILED) return 0;
  if (found == OPTION_READ) {
    if (n < 1 || n > FIELD_COUNT || !fields.defined[n - 1]) {
      error_report(parm, "XG");
      return 0;
    }
    o->start_field = n - 1;
  }
  found = number_option(parm, "REASON=", "XX", &n);
  if (found == OPTION_FAILED) return 0;
  if (found == OPTION_READ) {
    n = (unsigned short)n; /* 65536 wraps to 0: no reason variable */
    if (n > 19) {
      error_report(parm, "XY");
      return 0;
    }
    o->reason_variable = n;
  }
  return 1;
}

int read_panel_options(const char *parm) {
  struct PanelOptions *o = &panel_options;
  copy_command_text(parm);
  if (!read_option_text(parm)) return 0;
  set_defaults();
  if (letter_option(parm, "TOE=", "ANST", "X3", "X4", &o->time_out_ending) == OPTION_FAILED) return 0;
  if (letter_option(parm, "ERET=", "ANS", "X5", "X6", &o->return_scheme) == OPTION_FAILED) return 0;
  if (flag_option(parm, "CON=", "X7", "X8", &concatenate_values) == OPTION_FAILED) return 0;
  if (flag_option(parm, "MULT=", "XV", "XW", &multi_screen) == OPTION_FAILED) return 0;
  if (letter_option(parm, "L=", "YN", "X9", "XA", &o->l_option) == OPTION_FAILED) return 0;
  if (letter_option(parm, "CNP=", "YN", "XB", "XC", &o->clear_unfilled) == OPTION_FAILED) return 0;
  return read_number_options(parm);
}
