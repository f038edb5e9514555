/*
 * keys.h - the driver's names of the key codes (KEY_ENTER ...), and the
 * answers of the keyboard read.
 */
#ifndef FORMS_PLATFORM_KEYS_H
#define FORMS_PLATFORM_KEYS_H

#include "platform/key_codes.h"

#define FORMS_KEY_CONSTANT(name, host_name, code) KEY_##name = code,
enum { FORMS_KEY_CODES(FORMS_KEY_CONSTANT) };
#undef FORMS_KEY_CONSTANT

/* _KbdReadAscii: a key code was stored / no key was waiting. */
#define KBD_KEY_READ 0
#define KBD_NO_KEY 5

#endif
