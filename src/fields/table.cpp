/*
 * table.cpp - storage of the field table and its shared globals.
 */
#include "fields/table.h"

struct FieldTable fields;
int current_field = 0;
char decimal_style[DECIMAL_STYLE_SIZE];
char help_file_name[HELP_FILE_NAME_SIZE] = "HELP.VAL";
unsigned char concatenate_values = 0;
unsigned char multi_screen = 0;
int help_variable = 0;

int is_date_or_time_kind(unsigned char kind) {
  return kind == INPUT_DATE_AMER || kind == INPUT_DATE_EURO || kind == INPUT_TIME_STD;
}
