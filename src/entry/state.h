/*
 * state.h - putting the library back as it is when loaded.
 *
 * Every variable of the library is defined in state.cpp, from one list that
 * also gives its value at load: the globals that commands share under their
 * own names, and one struct for the state of each unit that keeps any. A
 * variable outside the list does not exist, so the reset misses none.
 */
#ifndef FORMS_ENTRY_STATE_H
#define FORMS_ENTRY_STATE_H

/* Gives every variable of the library its value at load again, as if the
   library had just been loaded: for many runs in one process. */
void reset_library_state(void);

#endif
