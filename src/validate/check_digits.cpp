/*
 * check_digits.cpp - modulus 10 check digits and the one-time help range.
 */
#include "validate/check_digits.h"

#include <string.h>

#include "entry/args.h"
#include "entry/entry.h"
#include "entry/reports.h"
#include "fields/grammar.h"
#include "fields/table.h"
#include "platform/answers.h"
#include "platform/termrt.h"
#include "validate/lookup.h"

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

int read_help_range(int *first, int *last) {
  if (help_variable == 0) return 0;
  if (read_work_variable(help_variable) != RT_OK) clear_work_text();
  if (strstr(command_buffer, HELP_RANGE_USED) != 0) return 0;
  char *cursor = keyword_window(command_buffer, KW_WORD(KW_HELP_RANGE), KW_WINDOW(KW_HELP_RANGE));
  int low, high;
  /* the pieces live in token_buffer, which the reports leave alone */
  if (cursor == 0 ||
      next_number(&cursor, KW_LOW(KW_HELP_RANGE), KW_HIGH(KW_HELP_RANGE), &low, " ",
                  KW_NO_VALUE(KW_HELP_RANGE), KW_BAD(KW_HELP_RANGE)) != ARG_OK ||
      next_number(&cursor, KW_LOW(KW_HELP_RANGE), KW_HIGH(KW_HELP_RANGE), &high, " ",
                  KW_NO_SECOND(KW_HELP_RANGE), KW_BAD_SECOND(KW_HELP_RANGE)) != ARG_OK)
    return 0;
  _WriteUserVariable(help_variable, HELP_RANGE_USED);
  *first = low;
  *last = high;
  return 1;
}
