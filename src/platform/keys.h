/*
 * keys.h - the key codes of the terminal keyboard, as _KbdReadAscii
 * delivers them, and the answers of the keyboard read.
 */
#ifndef FORMS_PLATFORM_KEYS_H
#define FORMS_PLATFORM_KEYS_H

#define KEY_ENTER 13
#define KEY_LEFT 174
#define KEY_RIGHT 175
#define KEY_CANCEL 256
#define KEY_PREVIOUS 512
#define KEY_COMPLETE 768
#define KEY_BLANK_ENTRY 1024
#define KEY_BACKSPACE 1280
#define KEY_NEXT 1536
#define KEY_HELP 15104

/* _KbdReadAscii: a key code was stored / no key was waiting. */
#define KBD_KEY_READ 0
#define KBD_NO_KEY 5

#endif
