/*
 * counters.h - the 32 counters of DICOUNT, kept inside the library for as
 * long as it stays loaded. No function code of the entry point resets them.
 */
#ifndef FORMS_COMMANDS_COUNTERS_H
#define FORMS_COMMANDS_COUNTERS_H

#define COUNTER_COUNT 32

/* Counter n of the commands is counters[n - 1]; all 0 at load. */
extern unsigned int counters[COUNTER_COUNT];

#endif
