/*
 * unique.cpp - CHKUNIQ: tells whether a value was among the ten values last
 * checked in the same list, and remembers it; or empties a list.
 *
 * Positions of the command string: 10 the operation ("V" check a value,
 * "R" reset a list); for a check 14-15 the user variable holding the value
 * and 25 the list number; for a reset 23 the list number.
 */
#include "commands/unique.h"

#include <string.h>

#include "entry/args.h"
#include "entry/commands.h"
#include "entry/entry.h"
#include "entry/text.h"
#include "platform/answers.h"

#define CHECK_MIN_LENGTH 24
#define RESET_MIN_LENGTH 22

int remember_value(const char *value, int list) {
  char kept[UNIQUE_VALUE_MAX + 1];
  if (list < 0 || list >= UNIQUE_LIST_COUNT) return 0;
  /* Entries hold at most 25 characters, so a longer value is looked for by
     the part of it that an entry can hold. */
  copy_text(kept, sizeof kept, value);
  for (int i = 0; i < UNIQUE_ENTRY_COUNT; ++i)
    if (strcmp(kept, unique_lists[list][i]) == 0) return 0;
  int slot = unique_next[list];
  if (slot < 0 || slot >= UNIQUE_ENTRY_COUNT) slot = 0;
  memcpy(unique_lists[list][slot], kept, sizeof kept);
  unique_next[list] = (slot + 1) % UNIQUE_ENTRY_COUNT;
  return 1;
}

/* The list number at pos as a list index, or -1 when it is not 1 or 2. */
static int list_at(const char *parm, int pos) {
  int number = number_at(parm, pos, 1);
  return number >= 1 && number <= UNIQUE_LIST_COUNT ? number - 1 : -1;
}

static int check_value(const char *parm) {
  if (argument_length < CHECK_MIN_LENGTH) return command_failed(parm, "U2");
  if (read_work_variable(number_at(parm, 14, 2)) == RT_VARIABLE_UNREADABLE) return command_failed(parm, "U3");
  int list = list_at(parm, 25);
  if (list < 0) return command_failed(parm, "U4");
  return remember_value(command_buffer, list);
}

static int reset_list(const char *parm) {
  if (argument_length < RESET_MIN_LENGTH) return command_failed(parm, "U5");
  int list = list_at(parm, 23);
  if (list < 0) return command_failed(parm, "U4");
  memset(unique_lists[list], 0, sizeof unique_lists[list]);
  return 0;
}

int check_unique_command(const char *parm) {
  switch (char_at(parm, 10)) {
    case 'V':
    case 'v': return check_value(parm);
    case 'R':
    case 'r': return reset_list(parm);
    default: return 0;
  }
}
