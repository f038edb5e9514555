/*
 * inspect.cpp - writing a field's definition onto the display.
 *
 * Each label is written together with its terminating NUL, so it covers one
 * cell more than its text; the value then covers the start of its blanks.
 */
#include "input/inspect.h"

#include <assert.h>
#include <string.h>

#include "entry/text.h"
#include "fields/table.h"
#include "platform/termrt.h"

#define VALUE_COLUMN 16

/* Writes a label at column 0 of row, with its NUL. */
#define WRITE_LABEL(row, label) write_cells(label, (int)sizeof(label), row, 0)

static void write_cells(const char *text, int count, int row, int column) {
  unsigned short status;
  _VioWrtCharStr(text, count, row, column, &status, 0);
}

static void show_number(int row, int value) {
  char text[NUMBER_TEXT_SIZE];
  int length = number_text(value, text);
  write_cells(text, length, row, VALUE_COLUMN);
}

static void show_character(int row, char c) {
  unsigned short status;
  _VioWrtNChar(row, VALUE_COLUMN, (unsigned char)c, 1, &status, 0);
}

static void show_digit(int row, unsigned char value) { show_character(row, (char)('0' + value)); }

static void show_text(int row, const char *text, int size) {
  write_cells(text, (int)strnlen(text, (size_t)size), row, VALUE_COLUMN);
}

void show_field_definition(void) {
  int f = current_field;
  assert(f >= 0 && f < FIELD_COUNT);
  WRITE_LABEL(1, "field index     ");
  show_number(1, f);
  WRITE_LABEL(2, "field defined   ");
  show_digit(2, fields.defined[f]);
  WRITE_LABEL(3, "inputs allowd   ");
  show_number(3, fields.input_kind[f]);
  WRITE_LABEL(4, "field mode      ");
  show_character(4, fields.mode[f]);
  WRITE_LABEL(5, "field length    ");
  show_number(5, fields.length[f]);
  WRITE_LABEL(6, "field signed    ");
  show_digit(6, fields.is_signed[f]);
  WRITE_LABEL(7, "field precisn   ");
  show_number(7, fields.decimals[f]);
  WRITE_LABEL(8, "field col       ");
  show_number(8, fields.col[f]);
  WRITE_LABEL(9, "dp style        ");
  show_text(9, decimal_style, DECIMAL_STYLE_SIZE);
  WRITE_LABEL(10, "prefilled ?     ");
  show_digit(10, fields.prefilled[f]);
  WRITE_LABEL(11, "Edit?           ");
  show_digit(11, fields.editable[f]);
  WRITE_LABEL(12, "ver file name           ");
  write_cells(fields.verify_file[f], VERIFY_FILE_SIZE, 12, VALUE_COLUMN);
  WRITE_LABEL(13, "ver type           ");
  show_character(13, fields.verify_kind[f]);
  WRITE_LABEL(14, "ver mandatory   ");
  show_digit(14, fields.verify_mandatory[f]);
  WRITE_LABEL(15, "val concate'd   ");
  show_digit(15, concatenate_values);
  WRITE_LABEL(16, "Val result      ");
  show_character(16, fields.check_result[f]);
  WRITE_LABEL(17, "Data ID            ");
  show_text(17, fields.data_id[f], DATA_ID_SIZE);
  WRITE_LABEL(18, "Help start         ");
  show_number(18, fields.help_start[f]);
  WRITE_LABEL(19, "Help end           ");
  show_number(19, fields.help_end[f]);
}
