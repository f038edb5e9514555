/*
 * clock.h - the seconds stamp from the terminal clock, with which every
 * time-out of the library is measured. Only differences of stamps are used.
 */
#ifndef FORMS_INPUT_CLOCK_H
#define FORMS_INPUT_CLOCK_H

/* Seconds since 1 January 2000 by the terminal clock, in 32-bit
   two's-complement arithmetic. */
int clock_seconds(void);

#endif
