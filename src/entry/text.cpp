/*
 * text.cpp - text helpers: bounded copy, case-insensitive comparison,
 * decimal reading and writing of 32-bit numbers.
 */
#include "entry/text.h"

#include <string.h>

static int fold(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }

void copy_text(char *dst, size_t size, const char *src) {
  if (size == 0) return;
  size_t n = src ? strnlen(src, size - 1) : 0;
  memmove(dst, src ? src : "", n);
  dst[n] = '\0';
}

int compare_nocase_n(const char *a, const char *b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    int ca = fold((unsigned char)a[i]);
    int cb = fold((unsigned char)b[i]);
    if (ca != cb) return ca - cb;
    if (ca == 0) return 0;
  }
  return 0;
}

int compare_nocase(const char *a, const char *b) { return compare_nocase_n(a, b, (size_t)-1); }

static int is_blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int decimal_value(const char *text) {
  if (text == 0) return 0;
  while (is_blank(*text)) ++text;
  int negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  unsigned int value = 0;
  while (*text >= '0' && *text <= '9') value = value * 10u + (unsigned int)(*text++ - '0');
  if (negative) value = 0u - value;
  return (int)value;
}

int number_text(int value, char *out) {
  char digits[NUMBER_TEXT_SIZE];
  unsigned int magnitude = value < 0 ? 0u - (unsigned int)value : (unsigned int)value;
  int n = 0;
  do {
    digits[n++] = (char)('0' + magnitude % 10u);
    magnitude /= 10u;
  } while (magnitude != 0);
  int length = 0;
  if (value < 0) out[length++] = '-';
  while (n > 0) out[length++] = digits[--n];
  out[length] = '\0';
  return length;
}
