/*
 * field_display.cpp - rewriting a numeric field's value into fixed-point
 * form: "12.5" in a field of 7 with 2 decimals becomes "0012.50".
 *
 * Decimal digits beyond the field's decimals are dropped, not rounded. When
 * the integer part alone fills the field, or is longer than the field, the
 * value is left as it is and not drawn again.
 */
#include "panel/field_display.h"

#include <assert.h>
#include <string.h>

#include "entry/entry.h"
#include "entry/text.h"
#include "fields/table.h"
#include "platform/termrt.h"

/* Room for an integer part of a whole value with a sign blank in front. */
#define TEXT_SIZE (FIELD_VALUE_SIZE + 2)

/* Where the decimal digits of value start: after its first ".", else after
   its first ",", else at its end. */
static const char *decimal_digits(const char *value) {
  const char *mark = strchr(value, '.');
  if (mark == 0) mark = strchr(value, ',');
  return mark != 0 ? mark + 1 : value + strlen(value);
}

/* The integer part of value: its number in decimal when those digits occur
   in the value, else the value cut before its first "." or ",". A value
   such as "-0.5" keeps its minus sign. Returns the text's length. */
static int integer_part(const char *value, char *text) {
  int n = decimal_value(value);
  char number[NUMBER_TEXT_SIZE];
  number_text(n, number);
  const char *digits = number[0] == '-' ? number + 1 : number;
  if (strstr(value, digits) != 0) {
    const char *start = value;
    while (*start == ' ') ++start;
    text[0] = '\0';
    if (n == 0 && *start == '-') strcpy(text, "-");
    strcat(text, number);
  } else {
    size_t cut = strcspn(value, ".,");
    memcpy(text, value, cut);
    text[cut] = '\0';
  }
  return (int)strlen(text);
}

/* Inserts count "0" characters at position at of text (length k). */
static void insert_zeros(char *text, int k, int at, int count) {
  memmove(text + at + count, text + at, (size_t)(k - at + 1));
  memset(text + at, '0', (size_t)count);
}

void format_decimal_field(int index) {
  assert(index >= 0 && index < FIELD_COUNT);
  int length = fields.length[index];
  int decimals = fields.decimals[index];
  if (decimals == -1 || decimals == 0 || length < 1 || length >= FIELD_VALUE_SIZE) return;
  char value[FIELD_VALUE_SIZE];
  copy_text(value, sizeof value, fields.value[index]);

  char text[TEXT_SIZE];
  int n = decimal_value(value);
  int k = integer_part(value, text + 1);
  if (n > 0 && fields.is_signed[index]) {
    text[0] = ' ';
    ++k;
  } else {
    memmove(text, text + 1, (size_t)k + 1);
  }
  if (k >= length) return;

  for (int i = 0; i < DECIMAL_STYLE_SIZE - 1 && decimal_style[i] != '\0'; ++i) text[k++] = decimal_style[i];
  const char *next = decimal_digits(value);
  for (int added = 0; k < length && added < decimals; ++added) text[k++] = *next != '\0' ? *next++ : '0';
  text[k] = '\0';

  if (k < length) {
    int at = fields.is_signed[index] && k > 0 ? 1 : 0;
    insert_zeros(text, k, at, length - k);
    k = length;
  }
  copy_text(fields.value[index], FIELD_VALUE_SIZE, text);

  unsigned short status;
  _VioWrtNChar(fields.row[index], fields.col[index], '_', length, &status, 0);
  _VioWrtCharStr(fields.value[index], length, fields.row[index], fields.col[index], &status, 0);
}
