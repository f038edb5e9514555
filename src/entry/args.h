/*
 * args.h - reading the arguments of a command string, and reporting the
 * ones that are wrong.
 *
 * Keyword commands find a keyword by exact substring search for its first
 * occurrence anywhere in command_buffer, copy the 10 or 15 characters after
 * it into token_buffer and split them at commas, blanks and equals signs.
 * The other commands read fixed positions of the command string, counted
 * from 0 at the first of the two length digits; a position past the
 * string's end reads as the end of text, so a short string is never read
 * beyond.
 *
 * Every reader answers ARG_ABSENT, ARG_OK or ARG_REPORTED. A reader that
 * reports shows the error report with the text it was given and the code of
 * the failure ("no value" or "bad value"), and leaves its destination alone.
 */
#ifndef FORMS_ENTRY_ARGS_H
#define FORMS_ENTRY_ARGS_H

#include <stddef.h>

/* Answers of the readers, and of every step that may end in a report. */
#define ARG_ABSENT 0   /* the keyword is not there: the value keeps its default */
#define ARG_OK 1       /* the value was read */
#define ARG_REPORTED 2 /* the error report was shown: the command stops */

/* Commands name the user variables of their results from 1 to this. */
#define RESULT_VARIABLE_MAX 19

/* How many characters after a keyword hold its value. */
#define ARG_SHORT_WINDOW 10
#define ARG_LONG_WINDOW 15

/* Shows the error report of code with text; answers ARG_REPORTED. */
int arg_failed(const char *text, const char *code);
/* The same for a command that stops: returns 0, what main then returns. */
int command_failed(const char *parm, const char *code);

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

/* The first piece of keyword's value in command_buffer into *piece, with
 *cursor behind it; no piece reports no_value. */
int read_piece(const char *keyword, int window, char **cursor, char **piece, const char *text,
               const char *no_value);
/* The next piece of a window as a number from low to high. */
int next_number(char **cursor, int low, int high, int *number, const char *text, const char *no_value,
                const char *bad_value);
/* Keyword's value as a number from low to high. */
int read_number(const char *keyword, int window, int low, int high, int *number, const char *text,
                const char *no_value, const char *bad_value);
/* Keyword's value as one of the letters of allowed, taken with its case
   from the first character of the short window's first piece. */
int read_letter(const char *keyword, const char *allowed, char *letter, const char *text,
                const char *no_value, const char *bad_value);
/* Keyword's value "Y" (1) or "N" (0). */
int read_yes_no(const char *keyword, unsigned char *flag, const char *text, const char *no_value,
                const char *bad_value);
/* Keyword's value as a name of at most max_length characters (any length
   when 0), cut into name of size bytes. */
int read_name(const char *keyword, int window, size_t max_length, char *name, size_t size, const char *text,
              const char *no_value, const char *bad_value);

/* The text a keyword command works on replaces the command text in
   command_buffer: user variable "VAR=", or help record "HELP=" from its byte
   text_offset on. Reports with the command string: neither keyword
   none_code; no value, a record number outside 1 to 9999 or a variable that
   cannot be read bad_code; no such record no_record_code with "REC=" and the
   value. Answers ARG_OK or ARG_REPORTED. */
int read_source_text(const char *parm, const char *none_code, const char *bad_code,
                     const char *no_record_code, unsigned int text_offset);

/* Reads user variable number and cuts its text into dst of size bytes;
   returns the run-time's answer, and leaves dst alone when the variable
   cannot be read. */
int read_variable(int number, char *dst, size_t size);

/* The same into command_buffer, the text a command works on. */
int read_work_variable(int number);
/* Empties command_buffer. */
void clear_work_text(void);

/* The character at position pos of parm, or NUL past its end. */
char char_at(const char *parm, int pos);

/* The decimal value of the count characters from position pos of parm. */
int number_at(const char *parm, int pos, int count);

#endif
