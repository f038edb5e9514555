/*
 * args.cpp - keyword windows, pieces, the readers of keyword values and
 * fixed-position arguments, and the one-line failure of a command.
 */
#include "entry/args.h"

#include <string.h>

#include "entry/entry.h"
#include "entry/reports.h"
#include "entry/text.h"
#include "fields/grammar.h"
#include "fields/table.h"
#include "platform/answers.h"
#include "platform/termrt.h"
#include "validate/lookup.h"

int arg_failed(const char *text, const char *code) {
  error_report(text, code);
  return ARG_REPORTED;
}

int command_failed(const char *parm, const char *code) {
  error_report(parm, code);
  return 0;
}

void copy_command_text(const char *parm) {
  size_t wanted = argument_length > 0 ? (size_t)argument_length : 0;
  if (wanted > COMMAND_BUFFER_SIZE - 1) wanted = COMMAND_BUFFER_SIZE - 1;
  size_t have = 0;
  if (parm != 0 && strnlen(parm, 2) == 2) have = strnlen(parm + 2, wanted);
  if (have > 0) memcpy(command_buffer, parm + 2, have);
  memset(command_buffer + have, 0, COMMAND_BUFFER_SIZE - have);
}

char *keyword_window(const char *text, const char *keyword, int window) {
  const char *found = strstr(text, keyword);
  if (found == 0) return 0;
  if (window > TOKEN_BUFFER_SIZE - 1) window = TOKEN_BUFFER_SIZE - 1;
  if (window < 0) window = 0;
  const char *after = found + strlen(keyword);
  size_t n = strnlen(after, (size_t)window);
  memmove(token_buffer, after, n);
  token_buffer[n] = '\0';
  return token_buffer;
}

static int is_separator(char c) { return c == ',' || c == ' ' || c == '='; }

char *next_piece(char **cursor) {
  if (cursor == 0 || *cursor == 0) return 0;
  char *p = *cursor;
  while (*p != '\0' && is_separator(*p)) ++p;
  if (*p == '\0') {
    *cursor = p;
    return 0;
  }
  char *piece = p;
  while (*p != '\0' && !is_separator(*p)) ++p;
  if (*p != '\0') *p++ = '\0';
  *cursor = p;
  return piece;
}

int read_piece(const char *keyword, int window, char **cursor, char **piece, const char *text,
               const char *no_value) {
  *cursor = keyword_window(command_buffer, keyword, window);
  if (*cursor == 0) return ARG_ABSENT;
  *piece = next_piece(cursor);
  return *piece != 0 ? ARG_OK : arg_failed(text, no_value);
}

int next_number(char **cursor, int low, int high, int *number, const char *text, const char *no_value,
                const char *bad_value) {
  char *piece = next_piece(cursor);
  if (piece == 0) return arg_failed(text, no_value);
  int n = decimal_value(piece);
  if (n < low || n > high) return arg_failed(text, bad_value);
  *number = n;
  return ARG_OK;
}

int read_number(const char *keyword, int window, int low, int high, int *number, const char *text,
                const char *no_value, const char *bad_value) {
  char *cursor = keyword_window(command_buffer, keyword, window);
  if (cursor == 0) return ARG_ABSENT;
  return next_number(&cursor, low, high, number, text, no_value, bad_value);
}

int read_letter(const char *keyword, const char *allowed, char *letter, const char *text,
                const char *no_value, const char *bad_value) {
  char *cursor, *piece;
  int found = read_piece(keyword, ARG_SHORT_WINDOW, &cursor, &piece, text, no_value);
  if (found != ARG_OK) return found;
  if (strchr(allowed, piece[0]) == 0) return arg_failed(text, bad_value);
  *letter = piece[0];
  return ARG_OK;
}

int read_yes_no(const char *keyword, unsigned char *flag, const char *text, const char *no_value,
                const char *bad_value) {
  char letter = 'N';
  int found = read_letter(keyword, "YN", &letter, text, no_value, bad_value);
  if (found == ARG_OK) *flag = letter == 'Y';
  return found;
}

int read_name(const char *keyword, int window, size_t max_length, char *name, size_t size, const char *text,
              const char *no_value, const char *bad_value) {
  char *cursor, *piece;
  int found = read_piece(keyword, window, &cursor, &piece, text, no_value);
  if (found != ARG_OK) return found;
  if (max_length > 0 && strlen(piece) > max_length) return arg_failed(text, bad_value);
  copy_text(name, size, piece);
  return ARG_OK;
}

int read_variable(int number, char *dst, size_t size) {
  char scratch[USER_VARIABLE_MAX + 1];
  scratch[0] = '\0';
  int answer = _ReadUserVariable(number, scratch);
  scratch[USER_VARIABLE_MAX] = '\0';
  if (answer != RT_VARIABLE_UNREADABLE) copy_text(dst, size, scratch);
  return answer;
}

int read_source_text(const char *parm, const char *none_code, const char *bad_code,
                     const char *no_record_code, unsigned int text_offset) {
  char *cursor, *piece;
  int found = read_piece(KW_WORD(KW_VAR), KW_WINDOW(KW_VAR), &cursor, &piece, parm, bad_code);
  if (found == ARG_OK && read_work_variable(decimal_value(piece)) == RT_VARIABLE_UNREADABLE)
    return arg_failed(parm, bad_code);
  if (found != ARG_ABSENT) return found;
  found = read_piece(KW_WORD(KW_SOURCE_HELP), KW_WINDOW(KW_SOURCE_HELP), &cursor, &piece, parm, bad_code);
  if (found == ARG_ABSENT) return arg_failed(parm, none_code);
  if (found == ARG_REPORTED) return found;
  int number = decimal_value(piece);
  if (number < KW_LOW(KW_SOURCE_HELP) || number > KW_HIGH(KW_SOURCE_HELP)) return arg_failed(parm, bad_code);
  unsigned int length = 0;
  const char *record = find_numbered_record(help_file_name, number, RECORD_KEY_WIDTH, &length);
  if (record == 0) {
    char text[TOKEN_BUFFER_SIZE + 4] = "REC=";
    copy_text(text + 4, TOKEN_BUFFER_SIZE, piece);
    return arg_failed(text, no_record_code);
  }
  copy_record_from(command_buffer, COMMAND_BUFFER_SIZE, record, length, text_offset);
  return ARG_OK;
}

int read_work_variable(int number) { return read_variable(number, command_buffer, COMMAND_BUFFER_SIZE); }

void clear_work_text(void) { command_buffer[0] = '\0'; }

char char_at(const char *parm, int pos) {
  if (parm == 0 || pos < 0) return '\0';
  return strnlen(parm, (size_t)pos + 1) > (size_t)pos ? parm[pos] : '\0';
}

int number_at(const char *parm, int pos, int count) {
  char digits[16];
  int n = 0;
  while (n < count && n < (int)sizeof digits - 1) {
    char c = char_at(parm, pos + n);
    if (c == '\0') break;
    digits[n++] = c;
  }
  digits[n] = '\0';
  return decimal_value(digits);
}
