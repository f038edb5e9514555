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
#include "entry/reports.h"
#include "entry/text.h"
#include "fields/table.h"
#include "platform/termrt.h"
#include "validate/lookup.h"

#define SHORT_WINDOW 10
#define LONG_WINDOW 15
#define RECORD_NUMBER_MAX 9999
#define ROW_MAX 20
#define COLUMN_MAX 39
#define LENGTH_MAX 39
#define RESULT_VARIABLE_MAX 19
#define VERIFY_FILE_MAX 8
#define DATA_ID_MAX 4
#define SUFFIX_PIECE_MAX 3 /* the "T" and up to two characters */
/* Answer of _ReadUserVariable for a variable that cannot be read. */
#define VARIABLE_UNREADABLE 3

/* The "INPUT=" words in the order they are tried, and their kinds. */
#define INPUT_WORD_COUNT 9
static const char *const kInputWords[INPUT_WORD_COUNT] = {
    "NUM", "AINUM", "ALPHA", "AIALPHA", "AI", "DATE_AMER", "DATE_EURO", "TIME_STD", "PASSWORD",
};
static const unsigned char kInputKinds[INPUT_WORD_COUNT] = {
    INPUT_NUM,       INPUT_AINUM,     INPUT_ALPHA,    INPUT_AIALPHA,  INPUT_AI,
    INPUT_DATE_AMER, INPUT_DATE_EURO, INPUT_TIME_STD, INPUT_PASSWORD,
};

/* Every step below answers 1 when the command goes on, and 0 once it has
   shown the error report that ends the command. */

static int report_command(const char *parm, const char *code) {
  error_report(parm, code);
  return 0;
}

/* The report text prefix followed by value, such as "REC=12". */
static int report_text(const char *prefix, const char *value, const char *code) {
  char text[8 + TOKEN_BUFFER_SIZE];
  size_t n = strlen(prefix);
  memcpy(text, prefix, n);
  copy_text(text + n, sizeof text - n, value);
  error_report(text, code);
  return 0;
}

static int report_number(const char *prefix, int number, const char *code) {
  char digits[NUMBER_TEXT_SIZE];
  number_text(number, digits);
  return report_text(prefix, digits, code);
}

/* The field error report: "FI=" and the number of the field being defined. */
static int report_field(const char *code) { return report_number("FI=", current_field + 1, code); }

/* Reads a user variable through a scratch as large as any variable's text
   and cuts it into dst of size bytes, so that a long text never overruns
   the destination. Returns the run-time's answer; dst is left alone when
   the variable cannot be read. */
static int read_variable_into(int number, char *dst, size_t size) {
  char scratch[USER_VARIABLE_MAX + 1];
  scratch[0] = '\0';
  int answer = _ReadUserVariable(number, scratch);
  scratch[USER_VARIABLE_MAX] = '\0';
  if (answer != VARIABLE_UNREADABLE) copy_text(dst, size, scratch);
  return answer;
}

/* The next piece of a keyword's window as a number from low to high, into
 *number; no piece gives no_value, a number out of range bad_value. */
static int take_number(char **cursor, int low, int high, int *number, const char *no_value,
                       const char *bad_value) {
  char *piece = next_piece(cursor);
  if (piece == 0) return report_field(no_value);
  int n = decimal_value(piece);
  if (n < low || n > high) return report_field(bad_value);
  *number = n;
  return 1;
}

/* An optional keyword of two record numbers 1 to 9999, such as "HELP=". */
static int take_record_pair(const char *keyword, int *first, int *second, const char *const codes[4]) {
  char *cursor = keyword_window(command_buffer, keyword, LONG_WINDOW);
  if (cursor == 0) return 1;
  return take_number(&cursor, 1, RECORD_NUMBER_MAX, first, codes[0], codes[1]) &&
         take_number(&cursor, 1, RECORD_NUMBER_MAX, second, codes[2], codes[3]);
}

/* An optional keyword whose value is "Y" (1) or "N" (0), compared with its
   case; when absent, *flag keeps its default. */
static int take_yes_no(const char *keyword, unsigned char *flag, const char *no_value,
                       const char *bad_value) {
  char *cursor = keyword_window(command_buffer, keyword, SHORT_WINDOW);
  if (cursor == 0) return 1;
  char *piece = next_piece(&cursor);
  if (piece == 0) return report_field(no_value);
  if (piece[0] != 'Y' && piece[0] != 'N') return report_field(bad_value);
  *flag = piece[0] == 'Y';
  return 1;
}

/* The definition text replaces the command text in command_buffer. */
static int read_definition_text(const char *parm) {
  char *cursor = keyword_window(command_buffer, "VAR=", SHORT_WINDOW);
  if (cursor != 0) {
    char *piece = next_piece(&cursor);
    if (piece == 0) return report_command(parm, "Z2");
    if (read_variable_into(decimal_value(piece), command_buffer, COMMAND_BUFFER_SIZE) == VARIABLE_UNREADABLE)
      return report_command(parm, "Z2");
    return 1;
  }
  cursor = keyword_window(command_buffer, "HELP=", SHORT_WINDOW);
  if (cursor == 0) return report_command(parm, "Z1");
  char *piece = next_piece(&cursor);
  if (piece == 0) return report_command(parm, "Z2");
  int number = decimal_value(piece);
  if (number < 1 || number > RECORD_NUMBER_MAX) return report_command(parm, "Z2");
  unsigned int length = 0;
  const char *record = find_numbered_record(help_file_name, number, RECORD_KEY_WIDTH, &length);
  if (record == 0) return report_text("REC=", piece, "Zj");
  /* The whole record after its number, the separator included. */
  copy_record_from(command_buffer, COMMAND_BUFFER_SIZE, record, length, RECORD_KEY_WIDTH);
  return 1;
}

static int read_field_number(const char *parm) {
  char *cursor = keyword_window(command_buffer, "FI=", SHORT_WINDOW);
  if (cursor == 0) return report_command(parm, "Z3");
  char *piece = next_piece(&cursor);
  if (piece == 0) return report_command(parm, "Z4");
  int number = decimal_value(piece);
  if (number < 1 || number > FIELD_COUNT) return report_number("FI=", number, "Z5");
  current_field = number - 1;
  return 1;
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

static int read_input_kind(int f) {
  char *cursor = keyword_window(command_buffer, "INPUT=", SHORT_WINDOW);
  if (cursor == 0) return report_field("Z6");
  char *piece = next_piece(&cursor);
  if (piece == 0) return report_field("Z7");
  fields.input_kind[f] = INPUT_UNKNOWN;
  for (int i = 0; i < INPUT_WORD_COUNT; ++i)
    if (compare_nocase(piece, kInputWords[i]) == 0) fields.input_kind[f] = kInputKinds[i];
  if (fields.input_kind[f] == INPUT_UNKNOWN) return report_field("Z8");
  return 1;
}

/* "LEN=": an optional "-" for a signed field, the length, and after a "."
   the number of decimals. A comma ends the value like any separator. */
static int read_length(int f) {
  char *cursor = keyword_window(command_buffer, "LEN=", SHORT_WINDOW);
  if (cursor == 0) return report_field("Z9");
  char *piece = next_piece(&cursor);
  if (piece == 0) return report_field("ZA");
  int number = decimal_value(piece);
  fields.is_signed[f] = number < 0;
  if (number < 0) number = number == INT_MIN ? INT_MAX : -number;
  fields.length[f] = number;
  if (decimal_style[0] == '\0') copy_text(decimal_style, DECIMAL_STYLE_SIZE, ".");
  const char *mark = strchr(piece, '.');
  fields.decimals[f] = mark != 0 ? decimal_value(mark + 1) : -1;
  if (fields.length[f] < 1 || fields.length[f] > LENGTH_MAX) return report_field("ZB");
  return 1;
}

/* "ROW=" and "COL=": missing ones are reported with the command string. */
static int read_position(const char *parm, int f) {
  int row = 1, col = 1;
  char *cursor = keyword_window(command_buffer, "ROW=", SHORT_WINDOW);
  if (cursor == 0) return report_command(parm, "ZC");
  if (!take_number(&cursor, 1, ROW_MAX, &row, "ZD", "ZE")) return 0;
  fields.row[f] = (unsigned char)(row - 1);
  cursor = keyword_window(command_buffer, "COL=", SHORT_WINDOW);
  if (cursor == 0) return report_command(parm, "ZF");
  if (!take_number(&cursor, 1, COLUMN_MAX, &col, "ZG", "ZH")) return 0;
  fields.col[f] = (unsigned char)(col - 1);
  return 1;
}

/* "VERT=" T: the value must begin with the piece's characters after the T. */
static int take_suffix(int f, const char *piece) {
  if (strlen(piece) > SUFFIX_PIECE_MAX) return report_field("ZJ");
  copy_text(fields.verify_suffix[f], VERIFY_SUFFIX_SIZE, piece + 1);
  return 1;
}

/* "VERT=": the kind of validation, a letter taken with its case; F, R and S
   carry the help records that field validation reads. */
static int read_verification(int f) {
  char *cursor = keyword_window(command_buffer, "VERT=", LONG_WINDOW);
  if (cursor == 0) return 1;
  char *piece = next_piece(&cursor);
  if (piece == 0) return report_field("ZI");
  char letter = piece[0];
  fields.verify_kind[f] = letter;
  switch (letter) {
    case '0':
    case 'B':
    case 'e':
    case 'i': fields.verify_mandatory[f] = 0; return 1;
    case 'E':
    case 'I': fields.verify_mandatory[f] = 1; return 1;
    case 'F': return take_number(&cursor, 1, RECORD_NUMBER_MAX, &fields.verify_low[f], "ZK", "ZL");
    case 'R':
    case 'S':
      return take_number(&cursor, 1, RECORD_NUMBER_MAX, &fields.verify_low[f], "ZK", "ZL") &&
             take_number(&cursor, 1, RECORD_NUMBER_MAX, &fields.verify_high[f], "ZM", "ZN");
    case 'T': return take_suffix(f, piece);
    default: return report_field("ZO");
  }
}

static int read_mode(int f) {
  char *cursor = keyword_window(command_buffer, "MODE=", SHORT_WINDOW);
  if (cursor == 0) return 1;
  char *piece = next_piece(&cursor);
  if (piece == 0) return report_field("ZP");
  if (piece[0] != 'F' && piece[0] != 'V') return report_field("ZQ");
  fields.mode[f] = piece[0];
  return 1;
}

static int read_flags(int f) {
  unsigned char mandatory = (unsigned char)fields.data_id_mandatory[f];
  if (!take_yes_no("REQ=", &fields.required[f], "ZR", "ZS")) return 0;
  if (!take_yes_no("KEEPDI=", &fields.keep_data_id[f], "ZT", "ZU")) return 0;
  if (!take_yes_no("MANDI=", &mandatory, "Zq", "Zr")) return 0;
  fields.data_id_mandatory[f] = mandatory;
  return take_yes_no("EDIT=", &fields.editable[f], "ZV", "ZW");
}

static int read_result_variable(int f) {
  char *cursor = keyword_window(command_buffer, "RUV=", SHORT_WINDOW);
  if (cursor == 0) return 1;
  return take_number(&cursor, 1, RESULT_VARIABLE_MAX, &fields.result_variable[f], "ZX", "ZY");
}

/* "PUV=": the field starts with the text of a user variable, cut to the
   field's 40 characters, and keeps it when the panel starts. */
static int read_prefill(int f) {
  char *cursor = keyword_window(command_buffer, "PUV=", SHORT_WINDOW);
  if (cursor == 0) return 1;
  char *piece = next_piece(&cursor);
  if (piece == 0) return report_field("ZZ");
  if (read_variable_into(decimal_value(piece), fields.value[f], FIELD_VALUE_SIZE) == VARIABLE_UNREADABLE)
    return report_field("Za");
  fields.prefilled[f] = 1;
  return 1;
}

/* "VERF=": a validation file; without a "VERT=" letter the field is
   checked against it ("I"). */
static int read_verify_file(int f) {
  char *cursor = keyword_window(command_buffer, "VERF=", LONG_WINDOW);
  if (cursor == 0) return 1;
  char *piece = next_piece(&cursor);
  if (piece == 0) return report_field("Zb");
  if (strlen(piece) > VERIFY_FILE_MAX) return report_field("Zc");
  copy_text(fields.verify_file[f], VERIFY_FILE_SIZE, piece);
  if (fields.verify_kind[f] == 'N') fields.verify_kind[f] = 'I';
  return 1;
}

static int read_help_and_screen(int f) {
  static const char *const kHelpCodes[4] = {"Zd", "Ze", "Zf", "Zg"};
  static const char *const kScreenCodes[4] = {"Zm", "Zn", "Zo", "Zp"};
  return take_record_pair("HELP=", &fields.help_start[f], &fields.help_end[f], kHelpCodes) &&
         take_record_pair("SCRN=", &fields.screen_first[f], &fields.screen_second[f], kScreenCodes);
}

/* "DI=" is found at its first occurrence, which may be the tail of "KEEPDI="
   or "MANDI=": a definition wanting an identifier writes "DI=" first. */
static int read_data_id(int f) {
  char *cursor = keyword_window(command_buffer, "DI=", SHORT_WINDOW);
  if (cursor == 0) return 1;
  char *piece = next_piece(&cursor);
  if (piece == 0) return report_field("Zh");
  if (strlen(piece) > DATA_ID_MAX) return report_field("Zi");
  copy_text(fields.data_id[f], DATA_ID_SIZE, piece);
  return 1;
}

int set_field_command(const char *parm) {
  copy_command_text(parm);
  if (!read_definition_text(parm) || !read_field_number(parm)) return 0;
  int f = current_field;
  reset_field_defaults(f);
  if (read_input_kind(f) && read_length(f) && read_position(parm, f) && read_verification(f) &&
      read_mode(f) && read_flags(f) && read_result_variable(f) && read_prefill(f) && read_verify_file(f) &&
      read_help_and_screen(f) && read_data_id(f))
    fields.defined[f] = 1;
  return 0;
}
