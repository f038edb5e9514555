/*
 * popup_command.cpp - POPUPWN: opens or closes the popup window on the
 * transaction program's behalf.
 *
 * Positions of the command string: 10 the operation ("C" open, "R" close),
 * and for an open 16-17 the number of text lines and 24 the attribute
 * letter ("N" for attribute 0, anything else for 1).
 */
#include "entry/args.h"
#include "entry/commands.h"
#include "entry/entry.h"
#include "screen/popup.h"

#define OPEN_MIN_LENGTH 23
#define CLOSE_MIN_LENGTH 9

int popup_command(const char *parm) {
  char op = char_at(parm, 10);
  if (op == 'C' || op == 'c') {
    if (argument_length < OPEN_MIN_LENGTH) return command_failed(parm, "P2");
    int count = number_at(parm, 16, 2);
    if (count < 1 || count > POPUP_MAX_LINES) return command_failed(parm, "P3");
    char letter = char_at(parm, 24);
    int attribute = letter == 'N' || letter == 'n' ? 0 : 1;
    popup_window(op, attribute, count, 0);
  } else if (op == 'R' || op == 'r') {
    if (argument_length < CLOSE_MIN_LENGTH) return command_failed(parm, "P4");
    popup_window(op, 0, 0, 0);
  }
  return 0;
}
