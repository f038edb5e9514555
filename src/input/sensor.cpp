/*
 * sensor.cpp - sensor macros and the routing of scanned values by Data ID.
 *
 * A record is [status, unused, data length n (signed), n characters]. The
 * length is taken as 0 to 97, so nothing outside the record is read, and
 * every comparison stays within the n characters scanned: bytes that an
 * earlier, longer record left behind never count.
 */
#include "input/sensor.h"

#include <assert.h>
#include <string.h>

#include "fields/table.h"
#include "input/editor.h"
#include "panel/message.h"
#include "platform/keys.h"
#include "platform/termrt.h"

#define STATUS_NO_VALUE_A 21
#define STATUS_NO_VALUE_B 23
#define MACRO_COUNT 6

/* The macros in the order in which they are tried, and the keys they give. */
static const char *const kMacroText[MACRO_COUNT] = {"$OK$", "$LT$", "$RT$", "$CAN$", "$CLR$", "$ENT$"};
static const int kMacroKey[MACRO_COUNT] = {KEY_COMPLETE, KEY_PREVIOUS,    KEY_NEXT,
                                           KEY_CANCEL,   KEY_BLANK_ENTRY, KEY_ENTER};

static const char *scanned(void) { return (const char *)sensor_record + SENSOR_DATA; }

/* The data length byte, taken as 0 to what the record holds. */
static int scanned_length(void) {
  int n = (signed char)sensor_record[SENSOR_LENGTH];
  if (n < 0) n = 0;
  if (n > SENSOR_DATA_MAX) n = SENSOR_DATA_MAX;
  return n;
}

/* 1 when the scanned characters begin with text. */
static int scan_begins_with(const char *text, int text_length) {
  return text_length <= scanned_length() && strncmp(scanned(), text, (size_t)text_length) == 0;
}

/* The key code of the macro the record begins with, or 0. */
static int macro_key(void) {
  for (int i = 0; i < MACRO_COUNT; ++i)
    if (scan_begins_with(kMacroText[i], (int)strlen(kMacroText[i]))) return kMacroKey[i];
  return 0;
}

int sensor_record_is_empty(void) {
  return sensor_record[SENSOR_STATUS] == STATUS_NO_VALUE_A ||
         sensor_record[SENSOR_STATUS] == STATUS_NO_VALUE_B;
}

void good_read_signal(void) {
  _SpkBeep(0, 2, 3);
  _SenActLed(0, 60);
}

static int data_id_length(int f) { return (int)strnlen(fields.data_id[f], DATA_ID_SIZE - 1); }

static int has_data_id_match(int f) {
  int length = data_id_length(f);
  return length > 0 && scan_begins_with(fields.data_id[f], length);
}

/* The characters of a matching scan that do not belong to the value. */
static int removed_length(int f) { return fields.keep_data_id[f] == 1 ? 0 : data_id_length(f); }

/* A value of v characters fits field f by its mode and length; no value
   ever fits beyond what a field's value holds. */
static int fits(int f, int v) {
  if (v > FIELD_VALUE_SIZE - 1) return 0;
  if (fields.mode[f] == 'F') return v == fields.length[f];
  if (fields.mode[f] == 'V') return v <= fields.length[f];
  return 0;
}

/* Shows v characters of the scan from offset `from` in field f, unmasked,
   and puts them in edit_buffer. flag marks a value placed whole, without
   routing by Data ID. */
static void place_value(int f, int from, int v, int flag) {
  unsigned short status;
  _VioWrtNChar(fields.row[f], fields.col[f], '_', fields.length[f], &status, 0);
  _VioWrtCharStr(scanned() + from, v, fields.row[f], fields.col[f], &status, flag);
  assert(v >= 0 && v < EDIT_BUFFER_SIZE); /* it fits the field */
  strncpy(edit_buffer, scanned() + from, (size_t)v);
  edit_buffer[v] = '\0';
}

static int refuse(int message) {
  show_message(message, message, MESSAGE_TIMED);
  return SENSOR_REFUSED;
}

/* The first defined field, in index order, whose Data ID the scan begins
   with and whose value the rest fits; -1 when none. */
static int field_by_data_id(void) {
  for (int i = 0; i < FIELD_COUNT; ++i)
    if (fields.defined[i] == 1 && has_data_id_match(i) && fits(i, scanned_length() - removed_length(i)))
      return i;
  return -1;
}

int route_sensor_record(void) {
  int macro = macro_key();
  if (macro != 0) return macro;
  int f = current_field;
  assert(f >= 0 && f < FIELD_COUNT);
  int n = scanned_length();

  if (has_data_id_match(f)) {
    int r = removed_length(f);
    if (!fits(f, n - r)) return refuse(MSG_DOES_NOT_FIT);
    place_value(f, r, n - r, 0);
    return SENSOR_PLACED;
  }
  int routed = field_by_data_id();
  if (routed >= 0) {
    int r = removed_length(routed);
    place_value(routed, r, n - r, 0);
    current_field = routed;
    return SENSOR_PLACED;
  }
  if (fields.input_kind[f] == INPUT_ALPHA || fields.input_kind[f] == INPUT_NUM)
    return refuse(MSG_NO_SENSOR_INPUT);
  if (data_id_length(f) > 0 && fields.data_id_mandatory[f] == 1) return refuse(MSG_DATA_ID_MISSING);
  if (!fits(f, n)) return refuse(MSG_DOES_NOT_FIT);
  place_value(f, 0, n, 1);
  return SENSOR_PLACED;
}

int sensor_macro_key(void) {
  if (sensor_record_is_empty()) return 0;
  good_read_signal();
  return macro_key();
}
