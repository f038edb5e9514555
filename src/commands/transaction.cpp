/*
 * transaction.cpp - TRANMSG: hands the run-time's transaction message
 * operation its flag, 0 for "N" at position 10 and 1 for anything else.
 */
#include "entry/args.h"
#include "entry/commands.h"
#include "entry/entry.h"
#include "platform/termrt.h"

#define TRANMSG_MIN_LENGTH 10

int transaction_command(const char *parm) {
  if (argument_length < TRANMSG_MIN_LENGTH) return command_failed(parm, "F1");
  char letter = char_at(parm, 10);
  _TransactionMsg(letter == 'N' || letter == 'n' ? 0 : 1);
  return 0;
}
