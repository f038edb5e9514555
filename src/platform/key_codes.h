/*
 * key_codes.h - the key codes of the terminal keyboard, as _KbdReadAscii
 * delivers them: one table that the driver (platform/keys.h) and the
 * simulated run-time's hosts (termrt::Key) both take their names from.
 * It defines no name of its own beyond the table, so a host may include it
 * beside curses, whose KEY_ names stand for other keys.
 *
 * X(NAME, HostName, code): KEY_NAME in the driver, termrt::kHostName for hosts.
 */
#ifndef FORMS_PLATFORM_KEY_CODES_H
#define FORMS_PLATFORM_KEY_CODES_H

#define FORMS_KEY_CODES(X)         \
  X(ENTER, Enter, 13)              \
  X(LEFT, Left, 174)               \
  X(RIGHT, Right, 175)             \
  X(CANCEL, Cancel, 256)           \
  X(PREVIOUS, Previous, 512)       \
  X(COMPLETE, Complete, 768)       \
  X(BLANK_ENTRY, BlankEntry, 1024) \
  X(BACKSPACE, Backspace, 1280)    \
  X(NEXT, Next, 1536)              \
  X(HELP, Help, 15104)

#endif
