/*
 * check_digits.h - the check-digit checks of verify kinds "B" and "T", and
 * the one-time help range that a transaction program can leave for the next
 * rejection by a validation file.
 */
#ifndef FORMS_VALIDATE_CHECK_DIGITS_H
#define FORMS_VALIDATE_CHECK_DIGITS_H

/* Values of this many characters or more are refused by the check-digit test. */
#define CHECK_DIGIT_MAX_LENGTH 15

/* 1 when the last character of the current field's value is the modulus 10
   check digit of the characters before it. */
int check_digit_ok(void);
/* Verify kind "B": a check-digit number that starts with "0". */
int check_zero_number(void);
/* Verify kind "T": a check-digit number that starts with the field's
   verify_suffix and with one of "1" to "4". */
int check_prefixed_number(void);
/* Reads "HELP=first,last" from user variable help_variable, marks it "USED"
   and returns 1 with the two record numbers; returns 0 when there is none. */
int read_help_range(int *first, int *last);

#endif
