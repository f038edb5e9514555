/*
 * unique.h - the two lists of recent values of CHKUNIQ.
 *
 * Each list remembers the last ten values checked in it, each cut to 25
 * characters; a new value overwrites the oldest entry in turn.
 */
#ifndef FORMS_COMMANDS_UNIQUE_H
#define FORMS_COMMANDS_UNIQUE_H

#define UNIQUE_LIST_COUNT 2
#define UNIQUE_ENTRY_COUNT 10
#define UNIQUE_VALUE_MAX 25

/* List l (1 or 2 in commands) is unique_lists[l - 1]; all entries empty at
   load. */
extern char unique_lists[UNIQUE_LIST_COUNT][UNIQUE_ENTRY_COUNT][UNIQUE_VALUE_MAX + 1];
/* For each list, the entry that the next new value overwrites (0 to 9). */
extern int unique_next[UNIQUE_LIST_COUNT];

/* Looks for the value's first 25 characters among the entries of list
   (0 or 1). Returns 0 when found; otherwise remembers them and returns 1. */
int remember_value(const char *value, int list);

#endif
