/*
 * check_digits.cpp - modulus 10 check digits and the one-time help range.
 */
#include "validate/check_digits.h"

#include <string.h>

#include "entry/args.h"
#include "entry/entry.h"
#include "entry/reports.h"
#include "entry/text.h"
#include "fields/table.h"
#include "platform/termrt.h"

#define HELP_RANGE_WINDOW 15
#define LAST_RECORD 9999

static int digit_of(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

int check_digit_ok(void) {
  const char *value = fields.value[current_field];
  int length = (int)strlen(value);
  if (length >= CHECK_DIGIT_MAX_LENGTH) {
    error_report(" ", "Y3");
    return 0;
  }
  if (length == 0) return 1; /* no digits: the sum and the check digit are both 0 */
  int check = digit_of(value[length - 1]);
  int sum = 0, weight = 2;
  for (int i = length - 2; i >= 0; --i) {
    int product = digit_of(value[i]) * weight;
    sum += product >= 10 ? product - 9 : product;
    weight = 3 - weight;
  }
  return (10 - sum % 10) % 10 == check;
}

int check_zero_number(void) { return fields.value[current_field][0] == '0' && check_digit_ok(); }

int check_prefixed_number(void) {
  const char *value = fields.value[current_field];
  const char *suffix = fields.verify_suffix[current_field];
  if (strncmp(value, suffix, strnlen(suffix, VERIFY_SUFFIX_SIZE - 1)) != 0) return 0;
  if (value[0] < '1' || value[0] > '4') return 0;
  return check_digit_ok();
}

/* Reads a record number piece; reports code_missing or code_range. */
static int range_number(char **cursor, const char *code_missing, const char *code_range, int *number) {
  char *piece = next_piece(cursor);
  if (piece == 0) {
    error_report(" ", code_missing);
    return 0;
  }
  *number = decimal_value(piece);
  if (*number < 1 || *number > LAST_RECORD) {
    error_report(" ", code_range);
    return 0;
  }
  return 1;
}

int read_help_range(int *first, int *last) {
  char text[USER_VARIABLE_MAX + 1];
  if (help_variable == 0) return 1;
  text[0] = '\0';
  if (_ReadUserVariable(help_variable, text) != 0) text[0] = '\0';
  copy_text(command_buffer, COMMAND_BUFFER_SIZE, text);
  if (strstr(command_buffer, "USED") != 0) return 1;
  char *cursor = keyword_window(command_buffer, "HELP=", HELP_RANGE_WINDOW);
  if (cursor == 0) return 1;
  int low, high;
  /* the pieces live in token_buffer, which the reports leave alone */
  if (!range_number(&cursor, "XQ", "XR", &low)) return 1;
  if (!range_number(&cursor, "XS", "XT", &high)) return 1;
  _WriteUserVariable(help_variable, "USED");
  *first = low;
  *last = high;
  return 0;
}
