/*
 * entry.h - the entry point, the command buffers and the dispatch of
 * command strings.
 *
 * A command string is two decimal digits (the number of characters that
 * follow and belong to the command), the seven-character command name and
 * the arguments. Every command that takes arguments copies its text into
 * command_buffer and splits its keyword values in token_buffer.
 */
#ifndef FORMS_ENTRY_ENTRY_H
#define FORMS_ENTRY_ENTRY_H

#define COMMAND_TEXT_MAX 159 /* the characters of a command text a command reads */
#define COMMAND_BUFFER_SIZE (COMMAND_TEXT_MAX + 1)
#define TOKEN_BUFFER_SIZE 41

/* The value of the two leading digits of the last command string. */
extern int argument_length;
/* Work copy of the command text, or of the user variable a command reads;
   also the scratch of the reports. Written by the entry unit alone. */
extern char command_buffer[COMMAND_BUFFER_SIZE];
/* The characters after a keyword, split into pieces. */
extern char token_buffer[TOKEN_BUFFER_SIZE];
/* 1 once the title banner has been shown since load or reset. */
extern unsigned char banner_shown;
/* 1 while the field inspection display is switched on (function code 4). */
extern unsigned char debug_flag;

/* The library's one entry: function code and, for code 3, a command string. */
int forms_entry(int code, const char *parm);

#endif
