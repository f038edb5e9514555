/*
 * args.cpp - keyword windows, pieces and fixed-position arguments.
 */
#include "entry/args.h"

#include <string.h>

#include "entry/entry.h"
#include "entry/text.h"

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
