/*
 * define.cpp - SET_FIE: defines one field of the panel.
 *
 * The command string only names where the definition text is kept: a user
 * variable ("VAR=") or a help file record ("HELP="). The text is a free
 * sequence of keywords, each found at its first occurrence anywhere in it;
 * they are taken in a fixed order into the entry of the field named by
 * "FI=". The first keyword that is missing (when it is mandatory), has no
 * value or has a bad value stops the command with its result code, and the
 * field stays undefined. Failures that belong to the field name it by "FI="
 * and its number, so that a panel of many fields points at the faulty one.
 */
#include <limits.h>
#include <string.h>

#include "entry/args.h"
#include "entry/commands.h"
#include "entry/entry.h"
#include "entry/text.h"
#include "fields/table.h"
#include "platform/answers.h"
#include "platform/termrt.h"
#include "validate/lookup.h"

#define COLUMN_MAX 39
#define LENGTH_MAX 39
#define SUFFIX_PIECE_MAX 3 /* the "T" and up to two characters */

/* The "INPUT=" words in the order they are tried, and their kinds. */
#define INPUT_WORD_COUNT 9
static const char *const kInputWords[INPUT_WORD_COUNT] = {
    "NUM", "AINUM", "ALPHA", "AIALPHA", "AI", "DATE_AMER", "DATE_EURO", "TIME_STD", "PASSWORD",
};
static const unsigned char kInputKinds[INPUT_WORD_COUNT] = {
    INPUT_NUM,       INPUT_AINUM,     INPUT_ALPHA,    INPUT_AIALPHA,  INPUT_AI,
    INPUT_DATE_AMER, INPUT_DATE_EURO, INPUT_TIME_STD, INPUT_PASSWORD,
};

/* One definition under way: the command string, the field, and the text
   of the field's reports, "FI=" and its number. */
struct Definition {
  const char *parm;
  int f;
  char field_text[3 + NUMBER_TEXT_SIZE];
};

/* A keyword the definition cannot do without: when absent, code is
   reported with text. */
static int required(int found, const char *text, const char *code) {
  return found == ARG_ABSENT ? arg_failed(text, code) : found;
}

static int read_field_number(struct Definition *d) {
  char *cursor, *piece;
  int found = required(read_piece("FI=", ARG_SHORT_WINDOW, &cursor, &piece, d->parm, "Z4"), d->parm, "Z3");
  if (found != ARG_OK) return found;
  int number = decimal_value(piece);
  memcpy(d->field_text, "FI=", 3);
  number_text(number, d->field_text + 3);
  if (number < 1 || number > FIELD_COUNT) return arg_failed(d->field_text, "Z5");
  current_field = d->f = number - 1;
  return ARG_OK;
}

/* A new definition starts from these; the screen records, the verification
   numbers and suffix and the validation state stay from an earlier one. */
static void reset_field_defaults(int f) {
  fields.defined[f] = 0;
  fields.required[f] = 1;
  fields.mode[f] = 'V';
  fields.result_variable[f] = 1;
  fields.editable[f] = 1;
  fields.verify_file[f][0] = '\0';
  fields.verify_kind[f] = 'N';
  fields.verify_mandatory[f] = 1;
  fields.help_start[f] = 0;
  fields.help_end[f] = 0;
  fields.data_id[f][0] = '\0';
  fields.data_id_mandatory[f] = 0;
  fields.keep_data_id[f] = 0;
  fields.prefilled[f] = 0;
  fields.value[f][0] = '\0';
}

static int read_input_kind(struct Definition *d) {
  char *cursor, *piece;
  int found = required(read_piece("INPUT=", ARG_SHORT_WINDOW, &cursor, &piece, d->field_text, "Z7"),
                       d->field_text, "Z6");
  if (found != ARG_OK) return found;
  fields.input_kind[d->f] = INPUT_UNKNOWN;
  for (int i = 0; i < INPUT_WORD_COUNT; ++i)
    if (compare_nocase(piece, kInputWords[i]) == 0) fields.input_kind[d->f] = kInputKinds[i];
  return fields.input_kind[d->f] == INPUT_UNKNOWN ? arg_failed(d->field_text, "Z8") : ARG_OK;
}

/* "LEN=": an optional "-" for a signed field, the length, and after a "."
   the number of decimals. A comma ends the value like any separator. */
static int read_length(struct Definition *d) {
  char *cursor, *piece;
  int f = d->f;
  int found = required(read_piece("LEN=", ARG_SHORT_WINDOW, &cursor, &piece, d->field_text, "ZA"),
                       d->field_text, "Z9");
  if (found != ARG_OK) return found;
  int number = decimal_value(piece);
  fields.is_signed[f] = number < 0;
  if (number < 0) number = number == INT_MIN ? INT_MAX : -number;
  fields.length[f] = number;
  if (decimal_style[0] == '\0') copy_text(decimal_style, DECIMAL_STYLE_SIZE, ".");
  const char *mark = strchr(piece, '.');
  fields.decimals[f] = mark != 0 ? decimal_value(mark + 1) : -1;
  if (fields.length[f] < 1 || fields.length[f] > LENGTH_MAX) return arg_failed(d->field_text, "ZB");
  return ARG_OK;
}

/* "ROW=" and "COL=": missing ones are reported with the command string. */
static int read_position(struct Definition *d) {
  int row = 1, col = 1;
  int found = required(
      read_number("ROW=", ARG_SHORT_WINDOW, 1, DISPLAY_ROWS, &row, d->field_text, "ZD", "ZE"), d->parm, "ZC");
  if (found != ARG_OK) return found;
  fields.row[d->f] = (unsigned char)(row - 1);
  found = required(read_number("COL=", ARG_SHORT_WINDOW, 1, COLUMN_MAX, &col, d->field_text, "ZG", "ZH"),
                   d->parm, "ZF");
  if (found != ARG_OK) return found;
  fields.col[d->f] = (unsigned char)(col - 1);
  return ARG_OK;
}

/* "VERT=": the kind of validation, a letter taken with its case; F, R and S
   carry the help records that field validation reads, T the characters the
   value must begin with. */
static int read_verification(struct Definition *d) {
  char *cursor, *piece;
  int f = d->f;
  int found = read_piece("VERT=", ARG_LONG_WINDOW, &cursor, &piece, d->field_text, "ZI");
  if (found != ARG_OK) return found;
  fields.verify_kind[f] = piece[0];
  switch (piece[0]) {
    case '0':
    case 'B':
    case 'e':
    case 'i': fields.verify_mandatory[f] = 0; return ARG_OK;
    case 'E':
    case 'I': fields.verify_mandatory[f] = 1; return ARG_OK;
    case 'F':
    case 'R':
    case 'S':
      found = next_number(&cursor, 1, RECORD_NUMBER_MAX, &fields.verify_low[f], d->field_text, "ZK", "ZL");
      if (found != ARG_OK || piece[0] == 'F') return found;
      return next_number(&cursor, 1, RECORD_NUMBER_MAX, &fields.verify_high[f], d->field_text, "ZM", "ZN");
    case 'T':
      if (strlen(piece) > SUFFIX_PIECE_MAX) return arg_failed(d->field_text, "ZJ");
      copy_text(fields.verify_suffix[f], VERIFY_SUFFIX_SIZE, piece + 1);
      return ARG_OK;
    default: return arg_failed(d->field_text, "ZO");
  }
}

static int read_mode(struct Definition *d) {
  return read_letter("MODE=", "FV", &fields.mode[d->f], d->field_text, "ZP", "ZQ");
}

static int read_flags(struct Definition *d) {
  int f = d->f;
  unsigned char mandatory = (unsigned char)fields.data_id_mandatory[f];
  if (read_yes_no("REQ=", &fields.required[f], d->field_text, "ZR", "ZS") == ARG_REPORTED ||
      read_yes_no("KEEPDI=", &fields.keep_data_id[f], d->field_text, "ZT", "ZU") == ARG_REPORTED ||
      read_yes_no("MANDI=", &mandatory, d->field_text, "Zq", "Zr") == ARG_REPORTED)
    return ARG_REPORTED;
  fields.data_id_mandatory[f] = mandatory;
  return read_yes_no("EDIT=", &fields.editable[f], d->field_text, "ZV", "ZW");
}

static int read_result_variable(struct Definition *d) {
  return read_number("RUV=", ARG_SHORT_WINDOW, 1, RESULT_VARIABLE_MAX, &fields.result_variable[d->f],
                     d->field_text, "ZX", "ZY");
}

/* "PUV=": the field starts with the text of a user variable, cut to the
   field's 40 characters, and keeps it when the panel starts. */
static int read_prefill(struct Definition *d) {
  char *cursor, *piece;
  int found = read_piece("PUV=", ARG_SHORT_WINDOW, &cursor, &piece, d->field_text, "ZZ");
  if (found != ARG_OK) return found;
  if (read_variable(decimal_value(piece), fields.value[d->f], FIELD_VALUE_SIZE) == RT_VARIABLE_UNREADABLE)
    return arg_failed(d->field_text, "Za");
  fields.prefilled[d->f] = 1;
  return ARG_OK;
}

/* "VERF=": a validation file; without a "VERT=" letter the field is
   checked against it ("I"). */
static int read_verify_file(struct Definition *d) {
  int f = d->f;
  int found = read_name("VERF=", ARG_LONG_WINDOW, VERIFY_FILE_MAX, fields.verify_file[f], VERIFY_FILE_SIZE,
                        d->field_text, "Zb", "Zc");
  if (found == ARG_OK && fields.verify_kind[f] == 'N') fields.verify_kind[f] = 'I';
  return found;
}

/* An optional keyword of two record numbers, such as "HELP=": codes[0] and
   codes[1] for the first, codes[2] and codes[3] for the second. */
static int read_record_pair(struct Definition *d, const char *keyword, int *first, int *second,
                            const char *const codes[4]) {
  char *cursor = keyword_window(command_buffer, keyword, ARG_LONG_WINDOW);
  if (cursor == 0) return ARG_ABSENT;
  int found = next_number(&cursor, 1, RECORD_NUMBER_MAX, first, d->field_text, codes[0], codes[1]);
  if (found != ARG_OK) return found;
  return next_number(&cursor, 1, RECORD_NUMBER_MAX, second, d->field_text, codes[2], codes[3]);
}

static int read_help_and_screen(struct Definition *d) {
  static const char *const kHelpCodes[4] = {"Zd", "Ze", "Zf", "Zg"};
  static const char *const kScreenCodes[4] = {"Zm", "Zn", "Zo", "Zp"};
  int f = d->f;
  if (read_record_pair(d, "HELP=", &fields.help_start[f], &fields.help_end[f], kHelpCodes) == ARG_REPORTED)
    return ARG_REPORTED;
  return read_record_pair(d, "SCRN=", &fields.screen_first[f], &fields.screen_second[f], kScreenCodes);
}

/* "DI=" is found at its first occurrence, which may be the tail of "KEEPDI="
   or "MANDI=": a definition wanting an identifier writes "DI=" first. */
static int read_data_id(struct Definition *d) {
  return read_name("DI=", ARG_SHORT_WINDOW, DATA_ID_MAX, fields.data_id[d->f], DATA_ID_SIZE, d->field_text,
                   "Zh", "Zi");
}

int set_field_command(const char *parm) {
  static int (*const kSteps[])(struct Definition *) = {
      read_input_kind,      read_length,  read_position,    read_verification,    read_mode,    read_flags,
      read_result_variable, read_prefill, read_verify_file, read_help_and_screen, read_data_id,
  };
  struct Definition d;
  d.parm = parm;
  copy_command_text(parm);
  if (read_source_text(parm, "Z1", "Z2", "Zj", RECORD_KEY_WIDTH) == ARG_REPORTED ||
      read_field_number(&d) == ARG_REPORTED)
    return 0;
  reset_field_defaults(d.f);
  for (size_t i = 0; i < sizeof kSteps / sizeof kSteps[0]; ++i)
    if (kSteps[i](&d) == ARG_REPORTED) return 0;
  fields.defined[d.f] = 1;
  return 0;
}
