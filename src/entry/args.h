/*
 * args.h - reading the arguments of a command string.
 *
 * Keyword commands find a keyword by exact substring search for its first
 * occurrence anywhere in the text, copy the 10 or 15 characters after it into
 * token_buffer and split them at commas, blanks and equals signs. The other
 * commands read fixed positions of the command string, counted from 0 at the
 * first of the two length digits; a position past the string's end reads as
 * the end of text, so a short string is never read beyond.
 */
#ifndef FORMS_ENTRY_ARGS_H
#define FORMS_ENTRY_ARGS_H

/* Copies argument_length characters of parm, from after the two digits, into
   command_buffer, NUL-filling what the string does not have. */
void copy_command_text(const char *parm);

/* Finds keyword in text. When present, copies at most window characters
   after it into token_buffer and returns a cursor for next_piece; when
   absent, returns 0. */
char *keyword_window(const char *text, const char *keyword, int window);

/* The next piece of a keyword window (split at ',', ' ' and '='), with
   leading separators skipped; 0 when none is left. Advances *cursor. */
char *next_piece(char **cursor);

/* The character at position pos of parm, or NUL past its end. */
char char_at(const char *parm, int pos);

/* The decimal value of the count characters from position pos of parm. */
int number_at(const char *parm, int pos, int count);

#endif
