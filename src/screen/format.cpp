/*
 * format.cpp - the conversion engine of format_to_display.
 *
 * The format is read from left to right: literal runs are copied, and each
 * percent sign starts a directive whose flags, digits and size letters
 * may come in any order until a character ends it. Every append is checked
 * against the buffer's size first; a refused append ends the text where it
 * stands, and the text is shown with an error marker behind it.
 */
#include "screen/format.h"

#include <stdarg.h>
#include <string.h>

#include "entry/text.h"
#include "platform/termrt.h"

#define SPEC_DIGITS_MAX 2
/* A sign and the eleven octal digits of a 32-bit value, and a NUL. */
#define NUMBER_CHARS 16
/* Two width digits pad a number to at most 99 characters. */
#define PADDED_CHARS 128

/* The text being built in the caller's buffer. */
struct FormatText {
  char *buffer;
  int size;
  int length;
};

/* One conversion directive, cleared before each percent sign. */
struct FormatSpec {
  char width_digits[SPEC_DIGITS_MAX + 1];
  char precision_digits[SPEC_DIGITS_MAX + 1];
  int width_count;
  int precision_count;
  int width;
  int precision;
  char conversion; /* the character that ended the directive */
  int precision_mode;
  int left;
  int plus;
  int blank;
};

/* Whether count more characters still leave room for the terminating zero. */
static int fits(const FormatText *text, size_t count) {
  size_t size = text->size > 0 ? (size_t)text->size : 0;
  return (size_t)text->length + count < size;
}

/* Appends count characters; the caller has made sure that they fit. */
static void put_chars(FormatText *text, const char *chars, size_t count) {
  memcpy(text->buffer + text->length, chars, count);
  text->length += (int)count;
  text->buffer[text->length] = '\0';
}

static void put_repeated(FormatText *text, char c, int count) {
  for (int i = 0; i < count; ++i) put_chars(text, &c, 1);
}

/* Appends count characters when they fit; 0 when refused. */
static int append(FormatText *text, const char *chars, size_t count) {
  if (!fits(text, count)) return 0;
  put_chars(text, chars, count);
  return 1;
}

/* Reads the characters after a percent sign up to the one that ends the
   directive and leaves *cursor after it (at the end of the format when
   the format ended it). Returns FORMAT_DONE or a digit error. */
static int read_spec(const char **cursor, FormatSpec *spec) {
  const char *p = *cursor;
  for (;; ++p) {
    char c = *p;
    if (c == ' ') {
      spec->blank = 1;
    } else if (c == '+') {
      spec->plus = 1;
    } else if (c == '-') {
      spec->left = 1;
    } else if (c == '.' || c == ',') {
      spec->precision_mode = 1;
    } else if (c >= '0' && c <= '9') {
      if (spec->precision_mode) {
        if (spec->precision_count == SPEC_DIGITS_MAX) return FORMAT_BAD_PRECISION;
        spec->precision_digits[spec->precision_count++] = c;
      } else {
        if (spec->width_count == SPEC_DIGITS_MAX) return FORMAT_BAD_WIDTH;
        spec->width_digits[spec->width_count++] = c;
      }
    } else if (c != 'l' && c != 'h' && c != 'L') { /* the size letters change nothing */
      spec->conversion = c;
      *cursor = c == '\0' ? p : p + 1;
      break;
    }
  }
  spec->width = spec->width_count > 0 ? decimal_value(spec->width_digits) : 0;
  spec->precision = spec->precision_count > 0 ? decimal_value(spec->precision_digits) : 0;
  return FORMAT_DONE;
}

/* Writes value in base 8, 10 or 16 into out, after prefix when it is not
   NUL; returns the length. */
static int unsigned_text(unsigned int value, unsigned int base, int upper, char prefix, char *out) {
  const char *digit_set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  char reversed[NUMBER_CHARS];
  int count = 0;
  do {
    reversed[count++] = digit_set[value % base];
    value /= base;
  } while (value != 0);
  int length = 0;
  if (prefix != '\0') out[length++] = prefix;
  while (count > 0) out[length++] = reversed[--count];
  out[length] = '\0';
  return length;
}

/* The converted text of a number conversion, before the width is applied. */
static int number_conversion(const FormatSpec *spec, int value, char *out) {
  switch (spec->conversion) {
    case 'd':
    case 'i': {
      char sign = '\0';
      if (value < 0)
        sign = '-';
      else if (spec->plus)
        sign = '+';
      else if (spec->blank)
        sign = ' ';
      unsigned int magnitude = value < 0 ? 0u - (unsigned int)value : (unsigned int)value;
      return unsigned_text(magnitude, 10, 0, sign, out);
    }
    case 'u': return unsigned_text((unsigned int)value, 10, 0, '\0', out);
    case 'o': return unsigned_text((unsigned int)value, 8, 0, '\0', out);
    case 'x': return unsigned_text((unsigned int)value, 16, 0, '\0', out);
    default: return unsigned_text((unsigned int)value, 16, 1, '\0', out);
  }
}

/* A number padded to the width: blanks on the right when left-justified,
   else the pad character in front, behind a leading sign or blank. */
static int append_number(FormatText *text, const FormatSpec *spec, int value) {
  char converted[NUMBER_CHARS];
  char padded[PADDED_CHARS];
  int length = number_conversion(spec, value, converted);
  int fill = spec->width > length ? spec->width - length : 0;
  int n = 0;
  if (spec->left) {
    memcpy(padded, converted, (size_t)length);
    n = length;
    while (fill-- > 0) padded[n++] = ' ';
  } else {
    char pad = spec->width_digits[0] == '0' ? '0' : ' ';
    int from = 0;
    if (converted[0] == '-' || converted[0] == '+' || converted[0] == ' ') padded[n++] = converted[from++];
    while (fill-- > 0) padded[n++] = pad;
    memcpy(padded + n, converted + from, (size_t)(length - from));
    n += length - from;
  }
  return append(text, padded, (size_t)n);
}

/* One character, padded with blanks to the width (at least 1). */
static int append_character(FormatText *text, const FormatSpec *spec, int value) {
  char c = (char)(value & 0xFF);
  int width = spec->width > 1 ? spec->width : 1;
  if (!fits(text, (size_t)width)) return 0;
  if (!spec->left) put_repeated(text, ' ', width - 1);
  put_chars(text, &c, 1);
  if (spec->left) put_repeated(text, ' ', width - 1);
  return 1;
}

/* A text longer than the width goes in whole; a shorter one is cut to the
   precision and padded with blanks to the width. */
static int append_string(FormatText *text, const FormatSpec *spec, const char *value) {
  if (value == 0) value = "";
  size_t length = strlen(value);
  size_t width = (size_t)spec->width;
  if (!fits(text, length > width ? length : width)) return 0;
  if (length > width) {
    put_chars(text, value, length);
    return 1;
  }
  size_t taken = length;
  if (spec->precision != 0 && (size_t)spec->precision < length) taken = (size_t)spec->precision;
  int fill = (int)(width - taken);
  if (!spec->left) put_repeated(text, ' ', fill);
  put_chars(text, value, taken);
  if (spec->left) put_repeated(text, ' ', fill);
  return 1;
}

/* Converts one directive, taking its value from the list where it uses
   one. Returns 0 when the append was refused. */
static int append_conversion(FormatText *text, const FormatSpec *spec, va_list *values) {
  switch (spec->conversion) {
    case 'd':
    case 'i':
    case 'u':
    case 'o':
    case 'x':
    case 'X': return append_number(text, spec, va_arg(*values, int));
    case 'c': return append_character(text, spec, va_arg(*values, int));
    case 's': return append_string(text, spec, va_arg(*values, const char *));
    case 'n':
    case 'p':
    case '\0': return 1;
    default: return append(text, &spec->conversion, 1);
  }
}

/* Builds the whole text; returns FORMAT_DONE or the failure. */
static int build_text(FormatText *text, const char *format, va_list *values) {
  const char *cursor = format;
  while (*cursor != '\0') {
    FormatSpec spec;
    memset(&spec, 0, sizeof spec);
    const char *percent = strchr(cursor, '%');
    size_t run = percent != 0 ? (size_t)(percent - cursor) : strlen(cursor);
    if (!append(text, cursor, run)) return FORMAT_TOO_LONG;
    if (percent == 0) return FORMAT_DONE;
    cursor = percent + 1;
    int digits = read_spec(&cursor, &spec);
    if (digits != FORMAT_DONE) return digits;
    if (!append_conversion(text, &spec, values)) return FORMAT_TOO_LONG;
  }
  /* An empty format still needs room for its terminating zero. */
  if (!fits(text, 0)) return FORMAT_TOO_LONG;
  return FORMAT_DONE;
}

int format_to_display(char *buffer, int size, int row, int column, const char *format, ...) {
  static const char *const kMarkers[] = {"", "***", "*1*", "*2*"};
  unsigned short status;
  char empty = '\0';
  FormatText text;
  text.buffer = buffer != 0 ? buffer : &empty;
  text.size = buffer != 0 ? size : 0;
  text.length = 0;
  if (text.size > 0) text.buffer[0] = '\0';

  va_list values;
  va_start(values, format);
  int result = build_text(&text, format != 0 ? format : "", &values);
  va_end(values);

  if (row == FORMAT_NO_DISPLAY) return result;
  if (text.length > 0) _VioWrtCharStr(text.buffer, text.length, row, column, &status, 0);
  if (result != FORMAT_DONE) _VioWrtCharStr(kMarkers[result], 3, row, column + text.length, &status, 0);
  return result;
}
