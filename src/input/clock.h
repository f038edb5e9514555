/*
 * clock.h - the seconds stamp from the terminal clock, with which every
 * time-out of the library is measured. Only differences of stamps are used.
 */
#ifndef FORMS_INPUT_CLOCK_H
#define FORMS_INPUT_CLOCK_H

/* Seconds since 1 January 2000 by the terminal clock, in 32-bit
   two's-complement arithmetic. */
int clock_seconds(void);

/* Days from 1 January 2000 to the given date (years 2000 to 2099 as 0 to
   99), every leap day counted from its own date on. */
int days_since_2000(int year, int month, int day);

#endif
