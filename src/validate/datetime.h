/*
 * datetime.h - the date and time checks of DATE_AMER, DATE_EURO and
 * TIME_STD fields.
 *
 * Each check fills the parts of the value that still hold their place-holder
 * letters ("MM", "DD", "YYYY", "HH", "SS") from the terminal clock, forces
 * the value into its fixed form and tests the ranges of its parts. The value
 * it leaves in the field is the one the panel stores.
 */
#ifndef FORMS_VALIDATE_DATETIME_H
#define FORMS_VALIDATE_DATETIME_H

/* The lowest and highest year a date field accepts. */
#define DATE_FIRST_YEAR 1992
#define DATE_LAST_YEAR 2099

/* 1 when the value of current_field is a valid date; may rewrite it. */
int check_date_field(void);
/* 1 when the value of current_field is a valid time; may rewrite it. */
int check_time_field(void);
/* Puts the separators in place, turns every other character that is not a
   digit, ":" or "-" into "0" (positions past the text's end included) and
   cuts the value to 10 characters for a date, 8 for a time. */
void complete_date_time(void);

#endif
