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
#include "fields/grammar.h"
#include "fields/table.h"
#include "platform/answers.h"
#include "platform/termrt.h"
#include "validate/lookup.h"

/* The "INPUT=" words in the order they are tried, and their kinds. */
#define INPUT_AS_WORD(kind, word, template_text, stored) word,
#define INPUT_AS_KIND(kind, word, template_text, stored) kind,
static const char *const kInputWords[] = {INPUT_KINDS(INPUT_AS_WORD)};
static const unsigned char kInputKinds[] = {INPUT_KINDS(INPUT_AS_KIND)};
#define INPUT_WORD_COUNT ((int)(sizeof kInputKinds / sizeof kInputKinds[0]))

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
  int found =
      required(read_piece(KW_WORD(KW_FI), KW_WINDOW(KW_FI), &cursor, &piece, d->parm, KW_NO_VALUE(KW_FI)),
               d->parm, KW_MISSING(KW_FI));
  if (found != ARG_OK) return found;
  int number = decimal_value(piece);
  memcpy(d->field_text, "FI=", 3);
  number_text(number, d->field_text + 3);
  if (number < KW_LOW(KW_FI) || number > KW_HIGH(KW_FI)) return arg_failed(d->field_text, KW_BAD(KW_FI));
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
  int found = required(read_piece(KW_WORD(KW_INPUT), KW_WINDOW(KW_INPUT), &cursor, &piece, d->field_text,
                                  KW_NO_VALUE(KW_INPUT)),
                       d->field_text, KW_MISSING(KW_INPUT));
  if (found != ARG_OK) return found;
  fields.input_kind[d->f] = INPUT_UNKNOWN;
  for (int i = 0; i < INPUT_WORD_COUNT; ++i)
    if (compare_nocase(piece, kInputWords[i]) == 0) fields.input_kind[d->f] = kInputKinds[i];
  return fields.input_kind[d->f] == INPUT_UNKNOWN ? arg_failed(d->field_text, KW_BAD(KW_INPUT)) : ARG_OK;
}

/* "LEN=": an optional "-" for a signed field, the length, and after a "."
   the number of decimals. A comma ends the value like any separator. */
static int read_length(struct Definition *d) {
  char *cursor, *piece;
  int f = d->f;
  int found = required(
      read_piece(KW_WORD(KW_LEN), KW_WINDOW(KW_LEN), &cursor, &piece, d->field_text, KW_NO_VALUE(KW_LEN)),
      d->field_text, KW_MISSING(KW_LEN));
  if (found != ARG_OK) return found;
  int number = decimal_value(piece);
  fields.is_signed[f] = number < 0;
  if (number < 0) number = number == INT_MIN ? INT_MAX : -number;
  fields.length[f] = number;
  if (decimal_style[0] == '\0') copy_text(decimal_style, DECIMAL_STYLE_SIZE, ".");
  const char *mark = strchr(piece, '.');
  fields.decimals[f] = mark != 0 ? decimal_value(mark + 1) : -1;
  if (fields.length[f] < KW_LOW(KW_LEN) || fields.length[f] > KW_HIGH(KW_LEN))
    return arg_failed(d->field_text, KW_BAD(KW_LEN));
  return ARG_OK;
}

/* "ROW=" and "COL=": missing ones are reported with the command string. */
static int read_position(struct Definition *d) {
  int row = 1, col = 1;
  int found = required(read_number(KW_WORD(KW_ROW), KW_WINDOW(KW_ROW), KW_LOW(KW_ROW), KW_HIGH(KW_ROW), &row,
                                   d->field_text, KW_NO_VALUE(KW_ROW), KW_BAD(KW_ROW)),
                       d->parm, KW_MISSING(KW_ROW));
  if (found != ARG_OK) return found;
  fields.row[d->f] = (unsigned char)(row - 1);
  found = required(read_number(KW_WORD(KW_COL), KW_WINDOW(KW_COL), KW_LOW(KW_COL), KW_HIGH(KW_COL), &col,
                               d->field_text, KW_NO_VALUE(KW_COL), KW_BAD(KW_COL)),
                   d->parm, KW_MISSING(KW_COL));
  if (found != ARG_OK) return found;
  fields.col[d->f] = (unsigned char)(col - 1);
  return ARG_OK;
}

/* What a "VERT=" letter takes after it, by its row of VERIFY_LETTERS: the
   mandatory flag it sets (-1 keeps it), the characters the value must begin
   with (when it has a too_long code), and its record numbers. */
static int take_verify_letter(struct Definition *d, char **cursor, const char *piece, int mandatory,
                              int records, const char *const codes[4], const char *too_long) {
  int f = d->f;
  if (mandatory >= 0) fields.verify_mandatory[f] = (unsigned char)mandatory;
  if (too_long[0] != '\0') {
    if (strlen(piece) > VERIFY_PREFIX_PIECE_MAX) return arg_failed(d->field_text, too_long);
    copy_text(fields.verify_suffix[f], VERIFY_SUFFIX_SIZE, piece + 1);
  }
  if (records < 1) return ARG_OK;
  int found = next_number(cursor, KW_LOW(KW_VERT), KW_HIGH(KW_VERT), &fields.verify_low[f], d->field_text,
                          codes[0], codes[1]);
  if (found != ARG_OK || records < 2) return found;
  return next_number(cursor, KW_LOW(KW_VERT), KW_HIGH(KW_VERT), &fields.verify_high[f], d->field_text,
                     codes[2], codes[3]);
}

#define VERIFY_LETTER_CASE(letter, mandatory, records, read_as, message, no_first, bad_first, no_second, \
                           bad_second, too_long, missing_first, missing_second)                          \
  case letter: {                                                                                         \
    static const char *const kCodes[4] = {no_first, bad_first, no_second, bad_second};                   \
    return take_verify_letter(d, &cursor, piece, mandatory, records, kCodes, too_long);                  \
  }

/* "VERT=": the kind of validation, a letter taken with its case; F, R and S
   carry the help records that field validation reads, T the characters the
   value must begin with. */
static int read_verification(struct Definition *d) {
  char *cursor, *piece;
  int found =
      read_piece(KW_WORD(KW_VERT), KW_WINDOW(KW_VERT), &cursor, &piece, d->field_text, KW_NO_VALUE(KW_VERT));
  if (found != ARG_OK) return found;
  fields.verify_kind[d->f] = piece[0];
  switch (piece[0]) {
    VERIFY_LETTERS(VERIFY_LETTER_CASE)
    default: return arg_failed(d->field_text, KW_BAD(KW_VERT));
  }
}

static int read_mode(struct Definition *d) {
  return read_letter(KW_WORD(KW_MODE), KW_LETTERS(KW_MODE), &fields.mode[d->f], d->field_text,
                     KW_NO_VALUE(KW_MODE), KW_BAD(KW_MODE));
}

static int read_flags(struct Definition *d) {
  int f = d->f;
  unsigned char mandatory = (unsigned char)fields.data_id_mandatory[f];
  if (read_yes_no(KW_WORD(KW_REQ), &fields.required[f], d->field_text, KW_NO_VALUE(KW_REQ), KW_BAD(KW_REQ)) ==
          ARG_REPORTED ||
      read_yes_no(KW_WORD(KW_KEEPDI), &fields.keep_data_id[f], d->field_text, KW_NO_VALUE(KW_KEEPDI),
                  KW_BAD(KW_KEEPDI)) == ARG_REPORTED ||
      read_yes_no(KW_WORD(KW_MANDI), &mandatory, d->field_text, KW_NO_VALUE(KW_MANDI), KW_BAD(KW_MANDI)) ==
          ARG_REPORTED)
    return ARG_REPORTED;
  fields.data_id_mandatory[f] = mandatory;
  return read_yes_no(KW_WORD(KW_EDIT), &fields.editable[f], d->field_text, KW_NO_VALUE(KW_EDIT),
                     KW_BAD(KW_EDIT));
}

static int read_result_variable(struct Definition *d) {
  return read_number(KW_WORD(KW_RUV), KW_WINDOW(KW_RUV), KW_LOW(KW_RUV), KW_HIGH(KW_RUV),
                     &fields.result_variable[d->f], d->field_text, KW_NO_VALUE(KW_RUV), KW_BAD(KW_RUV));
}

/* "PUV=": the field starts with the text of a user variable, cut to the
   field's 40 characters, and keeps it when the panel starts. */
static int read_prefill(struct Definition *d) {
  char *cursor, *piece;
  int found =
      read_piece(KW_WORD(KW_PUV), KW_WINDOW(KW_PUV), &cursor, &piece, d->field_text, KW_NO_VALUE(KW_PUV));
  if (found != ARG_OK) return found;
  if (read_variable(decimal_value(piece), fields.value[d->f], FIELD_VALUE_SIZE) == RT_VARIABLE_UNREADABLE)
    return arg_failed(d->field_text, KW_BAD(KW_PUV));
  fields.prefilled[d->f] = 1;
  return ARG_OK;
}

/* "VERF=": a validation file; without a "VERT=" letter the field is
   checked against it ("I"). */
static int read_verify_file(struct Definition *d) {
  int f = d->f;
  int found = read_name(KW_WORD(KW_VERF), KW_WINDOW(KW_VERF), KW_HIGH(KW_VERF), fields.verify_file[f],
                        VERIFY_FILE_SIZE, d->field_text, KW_NO_VALUE(KW_VERF), KW_BAD(KW_VERF));
  if (found == ARG_OK && fields.verify_kind[f] == 'N') fields.verify_kind[f] = 'I';
  return found;
}

/* An optional keyword of two record numbers, such as "HELP=": codes[0] and
   codes[1] for the first, codes[2] and codes[3] for the second. */
static int read_record_pair(struct Definition *d, const char *keyword, int *first, int *second,
                            const char *const codes[4]) {
  char *cursor = keyword_window(command_buffer, keyword, KW_WINDOW(KW_HELP));
  if (cursor == 0) return ARG_ABSENT;
  int found =
      next_number(&cursor, KW_LOW(KW_HELP), KW_HIGH(KW_HELP), first, d->field_text, codes[0], codes[1]);
  if (found != ARG_OK) return found;
  return next_number(&cursor, KW_LOW(KW_HELP), KW_HIGH(KW_HELP), second, d->field_text, codes[2], codes[3]);
}

#define RECORD_PAIR_CODES(row) \
  { KW_NO_VALUE(row), KW_BAD(row), KW_NO_SECOND(row), KW_BAD_SECOND(row) }

static int read_help_and_screen(struct Definition *d) {
  static const char *const kHelpCodes[4] = RECORD_PAIR_CODES(KW_HELP);
  static const char *const kScreenCodes[4] = RECORD_PAIR_CODES(KW_SCRN);
  int f = d->f;
  if (read_record_pair(d, KW_WORD(KW_HELP), &fields.help_start[f], &fields.help_end[f], kHelpCodes) ==
      ARG_REPORTED)
    return ARG_REPORTED;
  return read_record_pair(d, KW_WORD(KW_SCRN), &fields.screen_first[f], &fields.screen_second[f],
                          kScreenCodes);
}

/* "DI=" is found at its first occurrence, which may be the tail of "KEEPDI="
   or "MANDI=": a definition wanting an identifier writes "DI=" first. */
static int read_data_id(struct Definition *d) {
  return read_name(KW_WORD(KW_DI), KW_WINDOW(KW_DI), KW_HIGH(KW_DI), fields.data_id[d->f], DATA_ID_SIZE,
                   d->field_text, KW_NO_VALUE(KW_DI), KW_BAD(KW_DI));
}

int set_field_command(const char *parm) {
  static int (*const kSteps[])(struct Definition *) = {
      read_input_kind,      read_length,  read_position,    read_verification,    read_mode,    read_flags,
      read_result_variable, read_prefill, read_verify_file, read_help_and_screen, read_data_id,
  };
  struct Definition d;
  d.parm = parm;
  copy_command_text(parm);
  if (read_source_text(parm, SOURCE_NONE(SOURCE_FIELD), SOURCE_BAD(SOURCE_FIELD),
                       SOURCE_NO_RECORD(SOURCE_FIELD), SOURCE_OFFSET(SOURCE_FIELD)) == ARG_REPORTED ||
      read_field_number(&d) == ARG_REPORTED)
    return 0;
  reset_field_defaults(d.f);
  for (size_t i = 0; i < sizeof kSteps / sizeof kSteps[0]; ++i)
    if (kSteps[i](&d) == ARG_REPORTED) return 0;
  fields.defined[d.f] = 1;
  return 0;
}
