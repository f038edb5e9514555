/*
 * value_checks.cpp - masks, lists and ranges held in help file records.
 *
 * Mask characters: "?" any character, "a" a letter, "n" a digit, "*" or the
 * end of the mask accepts the rest of the value, any other character must
 * stand as it is. A list entry whose text begins with "b" stands for as many
 * blanks as it has characters. A range compares integer parts as numbers and,
 * where they are equal to a bound, fractions as texts padded with zeros
 * (in reverse below zero).
 */
#include "validate/value_checks.h"

#include <ctype.h>
#include <string.h>

#include "entry/reports.h"
#include "entry/text.h"
#include "fields/grammar.h"
#include "fields/table.h"
#include "validate/lookup.h"

/* Room for the part of a mask or bound text that can matter for a value of
   at most 40 characters. */
#define CHECK_TEXT_SIZE 64

/* Looks up help record number, reporting code with the number when missing. */
static const char *bound_record(int number, const char *code, unsigned int *length) {
  const char *record = find_numbered_record(help_file_name, number, RECORD_KEY_WIDTH, length);
  if (record == 0) {
    char text[NUMBER_TEXT_SIZE];
    number_text(number, text);
    error_report(text, code);
  }
  return record;
}

static int mask_accepts(char mask, char c) {
  switch (mask) {
    case '?': return 1;
    case 'a': return isalpha((unsigned char)c) != 0;
    case 'n': return c >= '0' && c <= '9';
    default: return mask == c;
  }
}

int mask_check(void) {
  unsigned int length;
  const char *record = bound_record(fields.verify_low[current_field], VERT_MASK_MISSING, &length);
  if (record == 0) return CHECK_REPORTED;
  char mask[CHECK_TEXT_SIZE];
  copy_record_text(mask, sizeof mask, record, length);
  const char *value = fields.value[current_field];
  for (int i = 0, m = 0; value[i] != '\0'; ++i, ++m) {
    if (mask[m] == '\0' || mask[m] == '*') return CHECK_PASSED;
    if (!mask_accepts(mask[m], value[i])) return CHECK_FAILED;
  }
  return CHECK_PASSED;
}

/* 1 when value equals the list entry of the record: its text, or blanks for
   an entry that begins with "b". The file image is only read. */
static int entry_matches(const char *value, const char *record, unsigned int length) {
  unsigned int entry_length = length > RECORD_TEXT_OFFSET ? length - RECORD_TEXT_OFFSET : 0;
  const char *entry = record + RECORD_TEXT_OFFSET;
  if (strlen(value) != entry_length) return 0;
  if (entry_length > 0 && entry[0] == 'b') {
    for (unsigned int i = 0; i < entry_length; ++i)
      if (value[i] != ' ') return 0;
    return 1;
  }
  return memcmp(value, entry, entry_length) == 0;
}

int list_check(void) {
  const char *value = fields.value[current_field];
  for (int number = fields.verify_low[current_field]; number <= fields.verify_high[current_field]; ++number) {
    unsigned int length;
    const char *record = find_numbered_record(help_file_name, number, RECORD_KEY_WIDTH, &length);
    if (record != 0 && entry_matches(value, record, length)) return CHECK_PASSED;
  }
  return CHECK_FAILED;
}

/* A decimal number split at ".", " " and ",": its integer part and its
   fraction as text. A text without an integer part reads as 0; one without
   a fraction has the fraction "0". */
struct SplitNumber {
  int negative; /* the integer part begins with "-" */
  int integer;
  char fraction[CHECK_TEXT_SIZE];
};

static int is_range_separator(char c) { return c == '.' || c == ' ' || c == ','; }

static void split_number(const char *text, struct SplitNumber *number) {
  const char *p = text;
  while (*p != '\0' && is_range_separator(*p)) ++p;
  number->negative = *p == '-';
  number->integer = decimal_value(p);
  while (*p != '\0' && !is_range_separator(*p)) ++p;
  while (*p != '\0' && is_range_separator(*p)) ++p;
  size_t n = 0;
  while (p[n] != '\0' && !is_range_separator(p[n]) && n < CHECK_TEXT_SIZE / 2) ++n;
  if (n == 0) {
    copy_text(number->fraction, sizeof number->fraction, "0");
  } else {
    memcpy(number->fraction, p, n);
    number->fraction[n] = '\0';
  }
}

static void pad_fraction(char *fraction, size_t width) {
  size_t n = strlen(fraction);
  while (n < width) fraction[n++] = '0';
  fraction[n] = '\0';
}

static int all_zeros(const char *digits) {
  while (*digits == '0') ++digits;
  return *digits == '\0';
}

/* Orders two numbers whose fractions have the same width. Below zero a
   larger fraction is the smaller number: -50.5 lies below -50. */
static int compare_numbers(const struct SplitNumber *a, const struct SplitNumber *b) {
  if (a->integer != b->integer) return a->integer < b->integer ? -1 : 1;
  if (a->negative != b->negative) { /* -0.5 against 0.5: the integer parts read 0 */
    if (all_zeros(a->fraction) && all_zeros(b->fraction)) return 0;
    return a->negative ? -1 : 1;
  }
  int order = strcmp(a->fraction, b->fraction);
  return a->negative ? -order : order;
}

int range_check(void) {
  unsigned int low_length, high_length;
  const char *low_record = bound_record(fields.verify_low[current_field], VERT_LOW_MISSING, &low_length);
  if (low_record == 0) return CHECK_REPORTED;
  const char *high_record = bound_record(fields.verify_high[current_field], VERT_HIGH_MISSING, &high_length);
  if (high_record == 0) return CHECK_REPORTED;
  char text[CHECK_TEXT_SIZE];
  struct SplitNumber low, high, value;
  copy_record_text(text, sizeof text, low_record, low_length);
  split_number(text, &low);
  copy_record_text(text, sizeof text, high_record, high_length);
  split_number(text, &high);
  split_number(fields.value[current_field], &value);
  size_t width = strlen(low.fraction);
  if (strlen(high.fraction) > width) width = strlen(high.fraction);
  if (strlen(value.fraction) > width) width = strlen(value.fraction);
  pad_fraction(low.fraction, width);
  pad_fraction(high.fraction, width);
  pad_fraction(value.fraction, width);
  if (compare_numbers(&value, &low) < 0 || compare_numbers(&value, &high) > 0) return CHECK_FAILED;
  return CHECK_PASSED;
}
