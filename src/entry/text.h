/*
 * text.h - small text helpers shared by every command.
 *
 * The library takes nothing from the host beyond the C standard library, so
 * case-insensitive comparison, integer-to-text conversion and the decimal
 * reading of numbers are done here, the same on every platform.
 */
#ifndef FORMS_ENTRY_TEXT_H
#define FORMS_ENTRY_TEXT_H

#include <stddef.h>

/* Room for the longest decimal text of a 32-bit number and its NUL. */
#define NUMBER_TEXT_SIZE 12

/* Copies src into dst of size bytes, cut to fit, always NUL-terminated. */
void copy_text(char *dst, size_t size, const char *src);
/* Compares as strcmp does, with letters folded to upper case. */
int compare_nocase(const char *a, const char *b);
/* The same over at most n characters. */
int compare_nocase_n(const char *a, const char *b, size_t n);
/* Reads a number as the standard decimal conversion does: leading blanks,
   an optional sign, the digits up to the first non-digit; no digits give 0.
   Values beyond 32 bits wrap instead of overflowing. */
int decimal_value(const char *text);
/* Writes value in decimal (with "-" when negative) into out, which holds
   NUMBER_TEXT_SIZE bytes; returns the number of characters written. */
int number_text(int value, char *out);

#endif
