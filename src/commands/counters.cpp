/*
 * counters.cpp - DICOUNT: decrement, increment, reset or store one of the
 * 32 counters.
 *
 * Positions of the command string: 10 the operation letter, 20-21 the
 * counter number, and for a store 31-32 the user variable that receives the
 * counter as decimal text.
 */
#include "commands/counters.h"

#include "entry/args.h"
#include "entry/commands.h"
#include "entry/entry.h"
#include "entry/reports.h"
#include "entry/text.h"
#include "platform/answers.h"
#include "platform/termrt.h"

#define DICOUNT_MIN_LENGTH 21
#define DICOUNT_STORE_MIN_LENGTH 32

/* Writes the counter, read as a signed number, into the user variable; a
   value that does not fit gets the append report. */
static void store_counter(const char *parm, unsigned int value, int variable) {
  char text[NUMBER_TEXT_SIZE];
  number_text((int)value, text);
  if (_WriteUserVariable(variable, text) == RT_VARIABLE_TOO_LONG) append_report(parm);
}

int dicount_command(const char *parm) {
  if (argument_length < DICOUNT_MIN_LENGTH) return command_failed(parm, "D1");
  int number = number_at(parm, 20, 2);
  if (number < 1 || number > COUNTER_COUNT) return command_failed(parm, "D2");
  char op = char_at(parm, 10);
  int variable = 0;
  if (op == 'S' || op == 's') {
    if (argument_length < DICOUNT_STORE_MIN_LENGTH) return command_failed(parm, "D3");
    variable = number_at(parm, 31, 2);
    if (variable < 1 || variable > RESULT_VARIABLE_MAX) return command_failed(parm, "D4");
  }
  unsigned int *counter = &counters[number - 1];
  switch (op) {
    case 'D':
    case 'd':
      if (*counter > 0) --*counter;
      break;
    case 'I':
    case 'i': ++*counter; break;
    case 'R':
    case 'r': *counter = 0; break;
    case 'S':
    case 's': store_counter(parm, *counter, variable); break;
    default: return command_failed(parm, "D5");
  }
  return 0;
}
