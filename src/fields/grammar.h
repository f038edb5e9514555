/*
 * grammar.h - the grammar of the keyword commands, in one place: every
 * keyword of a field definition (SET_FIE), of the panel options (EXEC_PA),
 * of SET_HEL and of the one-time help range, with the window its value is
 * read from, the form of the value, its range, the result codes of each
 * failure and its default; the "VERT=" letters and the help records they
 * read; the records the driver reads and what it reads them as; and the
 * input kinds with the form and length of what a panel stores.
 *
 * The readers of the library take their windows, limits and codes from
 * here, and so do the tools beside it (the help-file check, coverage and
 * the keyword reference), so that a change here changes them together. The
 * tables are X-macros: they expand to literals where they are used and cost
 * the library nothing it did not already hold. Texts meant for people are
 * kept by the tools, not here.
 */
#ifndef FORMS_FIELDS_GRAMMAR_H
#define FORMS_FIELDS_GRAMMAR_H

#include <limits.h>

#include "entry/args.h"
#include "fields/table.h"
#include "panel/message.h"
#include "platform/termrt.h"
#include "validate/lookup.h"

/* ---- limits of field definitions and panel options ---- */
#define FIELD_LENGTH_MAX 39       /* "LEN=": characters of a field */
#define FIELD_COLUMN_MAX 39       /* "COL=": the last column a field may start in */
#define HELP_VARIABLE_FIRST 10    /* "HVR=": the one-time help range's variables */
#define VERIFY_PREFIX_PIECE_MAX 3 /* "VERT=T": the "T" and up to two characters */

/* A limit as text, for the sentences of the tools: GRAMMAR_TEXT(FIELD_COUNT)
   is "20". Only for limits defined as a plain number. */
#define GRAMMAR_TEXT_(x) #x
#define GRAMMAR_TEXT(x) GRAMMAR_TEXT_(x)

/* ---- the forms of a keyword's value ---- */
#define FORM_NUMBER 1     /* a decimal number from low to high */
#define FORM_LETTER 2     /* the first character, with its case, one of letters */
#define FORM_YES_NO 3     /* Y or N */
#define FORM_NAME 4       /* a name of at most high characters (any length when 0) */
#define FORM_INPUT_WORD 5 /* an input kind word, in any case (INPUT_KINDS) */
#define FORM_LENGTH 6     /* [-]length[.decimals], the length from low to high */
#define FORM_RECORDS 7    /* two help record numbers from low to high */
#define FORM_VERIFY 8     /* a VERT= letter and what the letter takes (VERIFY_LETTERS) */
#define FORM_VARIABLE 9   /* the number of a user variable whose text is read */

/*
 * One keyword a row: (word, window, form, letters, low, high,
 * missing, no_value, bad_value, no_second, bad_second, default)
 *   missing     the code when the keyword is absent; "" when it is optional
 *   no_value    the code when no piece follows the keyword in its window
 *   bad_value   the code of a value outside its form or range ("" none)
 *   no_second,  for two record numbers, the codes of the second
 *   bad_second
 *   default     the value the driver takes without the keyword ("" none)
 * The KW_ accessors below pick one column of a row.
 */
#define KW_FI "FI=", ARG_SHORT_WINDOW, FORM_NUMBER, "", 1, FIELD_COUNT, "Z3", "Z4", "Z5", "", "", ""
#define KW_INPUT "INPUT=", ARG_SHORT_WINDOW, FORM_INPUT_WORD, "", 0, 0, "Z6", "Z7", "Z8", "", "", ""
#define KW_LEN "LEN=", ARG_SHORT_WINDOW, FORM_LENGTH, "", 1, FIELD_LENGTH_MAX, "Z9", "ZA", "ZB", "", "", ""
#define KW_ROW "ROW=", ARG_SHORT_WINDOW, FORM_NUMBER, "", 1, DISPLAY_ROWS, "ZC", "ZD", "ZE", "", "", ""
#define KW_COL "COL=", ARG_SHORT_WINDOW, FORM_NUMBER, "", 1, FIELD_COLUMN_MAX, "ZF", "ZG", "ZH", "", "", ""
#define KW_VERT \
  "VERT=", ARG_LONG_WINDOW, FORM_VERIFY, "0BeiEIFRST", 1, RECORD_NUMBER_MAX, "", "ZI", "ZO", "", "", "N"
#define KW_MODE "MODE=", ARG_SHORT_WINDOW, FORM_LETTER, "FV", 0, 0, "", "ZP", "ZQ", "", "", "V"
#define KW_REQ "REQ=", ARG_SHORT_WINDOW, FORM_YES_NO, "YN", 0, 0, "", "ZR", "ZS", "", "", "Y"
#define KW_KEEPDI "KEEPDI=", ARG_SHORT_WINDOW, FORM_YES_NO, "YN", 0, 0, "", "ZT", "ZU", "", "", "N"
#define KW_MANDI "MANDI=", ARG_SHORT_WINDOW, FORM_YES_NO, "YN", 0, 0, "", "Zq", "Zr", "", "", "N"
#define KW_EDIT "EDIT=", ARG_SHORT_WINDOW, FORM_YES_NO, "YN", 0, 0, "", "ZV", "ZW", "", "", "Y"
#define KW_RUV "RUV=", ARG_SHORT_WINDOW, FORM_NUMBER, "", 1, RESULT_VARIABLE_MAX, "", "ZX", "ZY", "", "", "1"
#define KW_PUV "PUV=", ARG_SHORT_WINDOW, FORM_VARIABLE, "", 0, 0, "", "ZZ", "Za", "", "", ""
#define KW_VERF "VERF=", ARG_LONG_WINDOW, FORM_NAME, "", 0, VERIFY_FILE_MAX, "", "Zb", "Zc", "", "", ""
#define KW_HELP \
  "HELP=", ARG_LONG_WINDOW, FORM_RECORDS, "", 1, RECORD_NUMBER_MAX, "", "Zd", "Ze", "Zf", "Zg", ""
#define KW_SCRN \
  "SCRN=", ARG_LONG_WINDOW, FORM_RECORDS, "", 1, RECORD_NUMBER_MAX, "", "Zm", "Zn", "Zo", "Zp", ""
#define KW_DI "DI=", ARG_SHORT_WINDOW, FORM_NAME, "", 0, DATA_ID_MAX, "", "Zh", "Zi", "", "", ""

/* The field definition, in the order SET_FIE reads it ("FI=" first). */
/* clang-format off */
#define FIELD_KEYWORDS(X)                                                                    \
  X(KW_FI) X(KW_INPUT) X(KW_LEN) X(KW_ROW) X(KW_COL) X(KW_VERT) X(KW_MODE) X(KW_REQ)         \
  X(KW_KEEPDI) X(KW_MANDI) X(KW_EDIT) X(KW_RUV) X(KW_PUV) X(KW_VERF) X(KW_HELP) X(KW_SCRN)   \
  X(KW_DI)
/* clang-format on */

/* "SF=" also gives its bad-value code for a field that is not defined;
   "REASON=" is read as a 16-bit number, so 65536 is 0 (no variable). */
#define KW_TOE "TOE=", ARG_SHORT_WINDOW, FORM_LETTER, "ANST", 0, 0, "", "X3", "X4", "", "", "N"
#define KW_ERET "ERET=", ARG_SHORT_WINDOW, FORM_LETTER, "ANS", 0, 0, "", "X5", "X6", "", "", "N"
#define KW_CON "CON=", ARG_SHORT_WINDOW, FORM_YES_NO, "YN", 0, 0, "", "X7", "X8", "", "", "N"
#define KW_MULT "MULT=", ARG_SHORT_WINDOW, FORM_YES_NO, "YN", 0, 0, "", "XV", "XW", "", "", "N"
#define KW_L "L=", ARG_SHORT_WINDOW, FORM_LETTER, "YN", 0, 0, "", "X9", "XA", "", "", "N"
#define KW_CNP "CNP=", ARG_SHORT_WINDOW, FORM_LETTER, "YN", 0, 0, "", "XB", "XC", "", "", "Y"
#define KW_T "T=", ARG_LONG_WINDOW, FORM_NUMBER, "", INT_MIN, INT_MAX, "", "XD", "", "", "", "0"
#define KW_HVR                                                                                            \
  "HVR=", ARG_LONG_WINDOW, FORM_NUMBER, "", HELP_VARIABLE_FIRST, RESULT_VARIABLE_MAX, "", "XO", "XP", "", \
      "", "0"
#define KW_SF "SF=", ARG_LONG_WINDOW, FORM_NUMBER, "", 1, FIELD_COUNT, "", "XF", "XG", "", "", ""
#define KW_REASON \
  "REASON=", ARG_LONG_WINDOW, FORM_NUMBER, "", 0, RESULT_VARIABLE_MAX, "", "XX", "XY", "", "", "0"

/* The panel options, in the order EXEC_PA reads them. */
#define PANEL_KEYWORDS(X) \
  X(KW_TOE) X(KW_ERET) X(KW_CON) X(KW_MULT) X(KW_L) X(KW_CNP) X(KW_T) X(KW_HVR) X(KW_SF) X(KW_REASON)

/* SET_HEL: the help file's name, cut to the room help_file_name has. */
#define KW_FILE "FILE=", ARG_LONG_WINDOW, FORM_NAME, "", 0, 0, "Zl", "Zk", "", "", "", "HELP.VAL"
#define HELP_FILE_KEYWORDS(X) X(KW_FILE)

/* The one-time help range: "HELP=" and two record numbers in the user
   variable that "HVR=" names, read when a validation file refuses a value
   and reported with a blank text; "USED" in the variable turns it off. */
#define KW_HELP_RANGE \
  "HELP=", ARG_LONG_WINDOW, FORM_RECORDS, "", 1, RECORD_NUMBER_MAX, "", "XQ", "XR", "XS", "XT", ""
#define HELP_RANGE_KEYWORDS(X) X(KW_HELP_RANGE)
#define HELP_RANGE_USED "USED"

#define KW_WORD_(word, ...) word
#define KW_WINDOW_(word, window, ...) window
#define KW_LOW_(w, n, f, l, low, ...) low
#define KW_HIGH_(w, n, f, l, low, high, ...) high
#define KW_LETTERS_(w, n, f, letters, ...) letters
#define KW_MISSING_(w, n, f, l, lo, hi, missing, ...) missing
#define KW_NO_VALUE_(w, n, f, l, lo, hi, m, no_value, ...) no_value
#define KW_BAD_(w, n, f, l, lo, hi, m, nv, bad, ...) bad
#define KW_NO_SECOND_(w, n, f, l, lo, hi, m, nv, b, no_second, ...) no_second
#define KW_BAD_SECOND_(w, n, f, l, lo, hi, m, nv, b, ns, bad_second, ...) bad_second
#define KW_DEFAULT_(w, n, f, l, lo, hi, m, nv, b, ns, bs, default_value) default_value
#define KW_WORD(...) KW_WORD_(__VA_ARGS__)
#define KW_WINDOW(...) KW_WINDOW_(__VA_ARGS__)
#define KW_LOW(...) KW_LOW_(__VA_ARGS__)
#define KW_HIGH(...) KW_HIGH_(__VA_ARGS__)
#define KW_LETTERS(...) KW_LETTERS_(__VA_ARGS__)
#define KW_MISSING(...) KW_MISSING_(__VA_ARGS__)
#define KW_NO_VALUE(...) KW_NO_VALUE_(__VA_ARGS__)
#define KW_BAD(...) KW_BAD_(__VA_ARGS__)
#define KW_NO_SECOND(...) KW_NO_SECOND_(__VA_ARGS__)
#define KW_BAD_SECOND(...) KW_BAD_SECOND_(__VA_ARGS__)
#define KW_DEFAULT(...) KW_DEFAULT_(__VA_ARGS__)

/* Where a keyword command finds its text: "VAR=" (KW_VAR) or "HELP="
   (KW_SOURCE_HELP) in its command string, with the codes (command, none,
   bad, no_record, offset): neither in the command string
   gives none; no value, an unreadable variable or a record number outside
   1 to 9999 bad; a record that is not there no_record (with "REC=" and the
   number). The text starts offset bytes into the record. */
#define KW_VAR "VAR=", ARG_SHORT_WINDOW, FORM_VARIABLE, "", 0, 0, "", "", "", "", "", ""
#define KW_SOURCE_HELP \
  "HELP=", ARG_SHORT_WINDOW, FORM_NUMBER, "", 1, RECORD_NUMBER_MAX, "", "", "", "", "", ""
#define SOURCE_FIELD "SET_FIE", "Z1", "Z2", "Zj", RECORD_KEY_WIDTH
#define SOURCE_PANEL "EXEC_PA", "X1", "X2", "XN", RECORD_TEXT_OFFSET
#define COMMAND_SOURCES(X) X(SOURCE_FIELD) X(SOURCE_PANEL)
#define SOURCE_NONE_(c, none, ...) none
#define SOURCE_BAD_(c, n, bad, ...) bad
#define SOURCE_NO_RECORD_(c, n, b, no_record, ...) no_record
#define SOURCE_OFFSET_(c, n, b, nr, offset) offset
#define SOURCE_NONE(...) SOURCE_NONE_(__VA_ARGS__)
#define SOURCE_BAD(...) SOURCE_BAD_(__VA_ARGS__)
#define SOURCE_NO_RECORD(...) SOURCE_NO_RECORD_(__VA_ARGS__)
#define SOURCE_OFFSET(...) SOURCE_OFFSET_(__VA_ARGS__)

/* ---- the "VERT=" letters ----
 * X(letter, mandatory, records, read_as, message, codes...):
 *   mandatory  what the letter sets verify_mandatory to: 1, 0, or -1 (kept)
 *   records    the help record numbers after the letter: 0, 1 (F), 2 (R, S)
 *   read_as    what validation reads those records as (READ_AS_...)
 *   message    the message record shown when the check refuses a value
 *   no_first, bad_first, no_second, bad_second: the codes of SET_FIE for the
 *              record numbers; too_long: the code of a prefix too long (T)
 *   missing_first, missing_second: the codes of validation when the record
 *              is not in the help file ("" when it is skipped)
 * A file letter (I, i, E, e) checks against the "VERF=" file: I and i with
 * mode 3, E and e with mode 2. The checks run when the panel is completed
 * (the complete key, a scan after which every required field holds a value
 * and a Data ID, or a time-out with "TOE=T"), not when the operator leaves a
 * field.
 */
#define READ_AS_NOTHING 0
#define READ_AS_MASK 1         /* "?" any, "a" a letter, "n" a digit, "*" the rest */
#define READ_AS_BOUNDS 2       /* the lowest and highest number, decimals allowed */
#define READ_AS_LIST 3         /* each record one permitted value, "b..." blanks */
#define READ_AS_FIELD_TEXT 4   /* a field definition */
#define READ_AS_OPTION_TEXT 5  /* panel options */
#define READ_AS_MESSAGE 6      /* message lines, one a record */
#define READ_AS_HELP_LINES 7   /* lines of the help key's popup */
#define READ_AS_SCREEN_LINES 8 /* the lines of a field's own screen */

#define VERT_NO_FIRST "ZK"     /* F, R, S without a record number */
#define VERT_BAD_FIRST "ZL"    /* the first record number outside 1 to 9999 */
#define VERT_NO_SECOND "ZM"    /* R, S without a second record number */
#define VERT_BAD_SECOND "ZN"   /* the second one outside 1 to 9999 */
#define VERT_TOO_LONG "ZJ"     /* T and more than two characters */
#define VERT_MASK_MISSING "XU" /* validation: the mask record is not there */
#define VERT_LOW_MISSING "XL"  /* validation: the lower bound's record is not there */
#define VERT_HIGH_MISSING "XM" /* validation: the upper bound's record is not there */

#define VERIFY_LETTERS(X)                                                                                 \
  X('0', 0, 0, READ_AS_NOTHING, 0, "", "", "", "", "", "", "")                                            \
  X('B', 0, 0, READ_AS_NOTHING, MSG_ZERO_NUMBER, "", "", "", "", "", "", "")                              \
  X('e', 0, 0, READ_AS_NOTHING, MSG_NOT_IN_FILE, "", "", "", "", "", "", "")                              \
  X('i', 0, 0, READ_AS_NOTHING, MSG_NOT_IN_FILE, "", "", "", "", "", "", "")                              \
  X('E', 1, 0, READ_AS_NOTHING, MSG_NOT_IN_FILE, "", "", "", "", "", "", "")                              \
  X('I', 1, 0, READ_AS_NOTHING, MSG_NOT_IN_FILE, "", "", "", "", "", "", "")                              \
  X('F', -1, 1, READ_AS_MASK, MSG_MASK, VERT_NO_FIRST, VERT_BAD_FIRST, "", "", "", VERT_MASK_MISSING, "") \
  X('R', -1, 2, READ_AS_BOUNDS, MSG_NOT_LISTED, VERT_NO_FIRST, VERT_BAD_FIRST, VERT_NO_SECOND,            \
    VERT_BAD_SECOND, "", VERT_LOW_MISSING, VERT_HIGH_MISSING)                                             \
  X('S', -1, 2, READ_AS_LIST, MSG_NOT_LISTED, VERT_NO_FIRST, VERT_BAD_FIRST, VERT_NO_SECOND,              \
    VERT_BAD_SECOND, "", "", "")                                                                          \
  X('T', -1, 0, READ_AS_NOTHING, MSG_PREFIXED_NUMBER, "", "", "", "", VERT_TOO_LONG, "", "")

/* ---- the help records the driver reads ----
 * X(command, keyword, read_as): which keyword (or option) makes the
 * driver read which help records, and as what. Messages are MESSAGE_RECORDS
 * (panel/message.h); the VERT= records are VERIFY_LETTERS above.
 */
#define RECORDS_READ(X)                                                             \
  X("SET_FIE", "HELP=", READ_AS_FIELD_TEXT)   /* of the command string */           \
  X("EXEC_PA", "HELP=", READ_AS_OPTION_TEXT)  /* of the command string */           \
  X("SET_FIE", "VERT=", READ_AS_MASK)         /* F: its one record */               \
  X("SET_FIE", "VERT=", READ_AS_BOUNDS)       /* R: its two records */              \
  X("SET_FIE", "VERT=", READ_AS_LIST)         /* S: the records between them */     \
  X("SET_FIE", "HELP=", READ_AS_HELP_LINES)   /* shown by the help key */           \
  X("SET_FIE", "SCRN=", READ_AS_SCREEN_LINES) /* shown before the field (MULT=Y) */ \
  X("EXEC_PA", "HVR=", READ_AS_MESSAGE)       /* instead of the file's refusal */

/* ---- input kinds ----
 * X(kind, word, template, stored_length): the "INPUT=" word, the
 * template an empty field shows and validation fills from the clock, and
 * the length of the stored value (0: the field's "LEN=", padded with
 * blanks; a longer prefilled value is stored whole). In the order SET_FIE
 * tries the words.
 */
#define DATE_AMER_TEMPLATE "MM-DD-YYYY"
#define DATE_EURO_TEMPLATE "DD-MM-YYYY"
#define TIME_TEMPLATE "HH:MM:SS"
#define DATE_LENGTH 10 /* the date templates' length, to which a date is cut */
#define TIME_LENGTH 8  /* the time template's */
/* clang-format off */
#define INPUT_KINDS(X)                                             \
  X(INPUT_NUM, "NUM", "", 0)                                       \
  X(INPUT_AINUM, "AINUM", "", 0)                                   \
  X(INPUT_ALPHA, "ALPHA", "", 0)                                   \
  X(INPUT_AIALPHA, "AIALPHA", "", 0)                               \
  X(INPUT_AI, "AI", "", 0)                                         \
  X(INPUT_DATE_AMER, "DATE_AMER", DATE_AMER_TEMPLATE, DATE_LENGTH) \
  X(INPUT_DATE_EURO, "DATE_EURO", DATE_EURO_TEMPLATE, DATE_LENGTH) \
  X(INPUT_TIME_STD, "TIME_STD", TIME_TEMPLATE, TIME_LENGTH)        \
  X(INPUT_PASSWORD, "PASSWORD", "", 0)
/* clang-format on */

#endif
