/*
 * table.cpp - the kinds of the field table's entries.
 */
#include "fields/table.h"

int is_date_or_time_kind(unsigned char kind) {
  return kind == INPUT_DATE_AMER || kind == INPUT_DATE_EURO || kind == INPUT_TIME_STD;
}
