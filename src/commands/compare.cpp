/*
 * compare.cpp - COMPARE, CMP_INT and INTMATH: text and integer comparisons
 * and integer arithmetic on two user variables, which a transaction program
 * cannot do itself.
 *
 * The arguments stand at fixed positions of the command string. The
 * comparisons answer through their result, in the style the command names;
 * the arithmetic leaves its result in user variable 1.
 */
#include <string.h>

#include "entry/args.h"
#include "entry/commands.h"
#include "entry/entry.h"
#include "entry/text.h"
#include "platform/answers.h"
#include "platform/termrt.h"

#define COMPARE_MIN_LENGTH 36
#define CMP_INT_MIN_LENGTH 28
#define INTMATH_MIN_LENGTH 21

/* CMP_INT and INTMATH have always also taken this answer of
   _ReadUserVariable as a failure. */
#define READ_FAILED_OLD 1

#define RELATION_BAD (-1)

/* Whether a relation holds for the order of A against B (negative, zero or
   positive), by the letter at pos and, after G or L, the letter behind it.
   RELATION_BAD for a relation that is none of E, N, GE, GT, LE, LT. */
static int relation_holds(const char *parm, int pos, int order) {
  char first = char_at(parm, pos);
  char second = char_at(parm, pos + 1);
  if (first >= 'a' && first <= 'z') first = (char)(first - 'a' + 'A');
  if (second >= 'a' && second <= 'z') second = (char)(second - 'a' + 'A');
  if (first == 'E') return order == 0;
  if (first == 'N') return order != 0;
  if (first != 'G' && first != 'L') return RELATION_BAD;
  if (second != 'E' && second != 'T') return RELATION_BAD;
  if (first == 'G') return second == 'E' ? order >= 0 : order > 0;
  return second == 'E' ? order <= 0 : order < 0;
}

/* The value the result style letter gives when the relation holds or not;
   -1 for a letter the command does not know. "A" is known only where
   allowed. */
static int style_value(char style, int holds, int allow_a) {
  switch (style) {
    case 'S':
    case 's': return holds ? 1 : 0;
    case 'N':
    case 'n': return holds ? 0 : 1;
    case 'A':
    case 'a':
      if (allow_a) return holds ? 2 : 0;
      return -1;
    default: return -1;
  }
}

/* Reads one variable. CMP_INT and INTMATH (by_byte) hand its number to the
   run-time as a byte and also take the answer 1 as a failure. Returns 0 when
   it could not be read. */
static int read_operand(int number, char *text, int by_byte) {
  text[0] = '\0';
  int result = read_variable(by_byte ? (unsigned char)number : number, text, USER_VARIABLE_MAX + 1);
  return result != RT_VARIABLE_UNREADABLE && !(by_byte && result == READ_FAILED_OLD);
}

/* The checks the three commands share, in their order: the command long
   enough ("C1"), variable A ("C2") and variable B ("C3") read. Returns 0
   after the report. */
static int read_operands(const char *parm, int min_length, int pos_a, int pos_b, int by_byte, char *a_text,
                         char *b_text) {
  const char *code = 0;
  if (argument_length < min_length)
    code = "C1";
  else if (!read_operand(number_at(parm, pos_a, 2), a_text, by_byte))
    code = "C2";
  else if (!read_operand(number_at(parm, pos_b, 2), b_text, by_byte))
    code = "C3";
  return code == 0 ? 1 : command_failed(parm, code);
}

static int order_of_numbers(int a, int b) { return a < b ? -1 : (a > b ? 1 : 0); }

/* The checks and the answer the two comparisons share: the result style
   letter at style_pos ("C4"), then the relation at relation_pos applied to
   the order of A against B ("C5"). */
static int answer_comparison(const char *parm, int style_pos, int relation_pos, int order, int allow_a) {
  char style = char_at(parm, style_pos);
  if (style_value(style, 0, allow_a) < 0) return command_failed(parm, "C4");
  int holds = relation_holds(parm, relation_pos, order);
  if (holds == RELATION_BAD) return command_failed(parm, "C5");
  return style_value(style, holds, allow_a);
}

int compare_command(const char *parm) {
  char a_text[USER_VARIABLE_MAX + 1];
  char b_text[USER_VARIABLE_MAX + 1];
  if (!read_operands(parm, COMPARE_MIN_LENGTH, 14, 25, 0, a_text, b_text)) return 0;
  return answer_comparison(parm, 37, 18, strcmp(a_text, b_text), 0);
}

int compare_int_command(const char *parm) {
  char a_text[USER_VARIABLE_MAX + 1];
  char b_text[USER_VARIABLE_MAX + 1];
  if (!read_operands(parm, CMP_INT_MIN_LENGTH, 12, 21, 1, a_text, b_text)) return 0;
  return answer_comparison(parm, 30, 16, order_of_numbers(decimal_value(a_text), decimal_value(b_text)), 1);
}

/* A / B truncated toward zero. The one quotient that does not fit,
   -2147483648 / -1, wraps to -2147483648 as the other operations do. */
static int truncated_quotient(int a, int b) {
  if (b == -1) return (int)(0u - (unsigned int)a);
  return a / b;
}

int int_math_command(const char *parm) {
  char a_text[USER_VARIABLE_MAX + 1];
  char b_text[USER_VARIABLE_MAX + 1];
  if (!read_operands(parm, INTMATH_MIN_LENGTH, 12, 20, 1, a_text, b_text)) return 0;
  /* Sums, differences and products wrap in 32-bit two's complement. */
  unsigned int a = (unsigned int)decimal_value(a_text);
  unsigned int b = (unsigned int)decimal_value(b_text);
  unsigned int result;
  switch (char_at(parm, 16)) {
    case '+': result = a + b; break;
    case '-': result = a - b; break;
    case '*': result = a * b; break;
    case '/':
      if (b == 0) return command_failed(parm, "C6");
      result = (unsigned int)truncated_quotient((int)a, (int)b);
      break;
    default: return command_failed(parm, "C5");
  }
  char text[NUMBER_TEXT_SIZE];
  number_text((int)result, text);
  _WriteUserVariable(1, text);
  return 0;
}
