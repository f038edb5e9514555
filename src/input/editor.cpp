/*
 * editor.cpp - the field input editor.
 *
 * One call edits the field current_field: it draws the field, waits for the
 * first key or a scan, and then lets the operator type until a leaving key,
 * a sensor macro, a stop request of the run-time or the time-out ends it.
 * Typing overwrites; nothing is inserted. Numeric fields keep a sign
 * position at 0 and at most one decimal mark; date and time fields are typed
 * over a template whose separators the cursor skips.
 *
 * Every write into edit_buffer goes through put_char, which keeps it inside
 * the buffer whatever the cursor and the text end do; the display never
 * gets more than the field's length of characters.
 */
#include "input/editor.h"

#include <assert.h>
#include <string.h>

#include "entry/entry.h"
#include "fields/grammar.h"
#include "fields/table.h"
#include "input/clock.h"
#include "input/inspect.h"
#include "input/sensor.h"
#include "panel/message.h"
#include "platform/answers.h"
#include "platform/keys.h"
#include "platform/termrt.h"

/* Waits are given to the run-time in milliseconds of a signed 32-bit count. */
#define LONGEST_WAIT_MS 2147483647LL

/* A field takes the characters strictly between two bounds: numeric, date
   and time fields "," to "9", the others blank to "z". */
#define NUMERIC_RANGE_LOW '+'
#define NUMERIC_RANGE_HIGH ':'
#define TEXT_RANGE_LOW 0x1F
#define TEXT_RANGE_HIGH '{'

/* 1 when the field current_field is a DATE_AMER, DATE_EURO or TIME_STD
   field. */
static int is_date_or_time_field(void) {
  assert(current_field >= 0 && current_field < FIELD_COUNT);
  return is_date_or_time_kind(fields.input_kind[current_field]);
}

static int is_numeric(void) { return editing.working_kind == INPUT_NUM; }
static int first_position(void) { return is_numeric() ? 1 : 0; }
static int is_separator(char c) { return c == '-' || c == ':'; }
static int is_decimal_mark(char c) { return c == '.' || c == ','; }

static char char_at_cursor(int index) {
  return index >= 0 && index < EDIT_BUFFER_SIZE ? edit_buffer[index] : '\0';
}

static void put_char(int index, char c) {
  if (index >= 0 && index < EDIT_BUFFER_SIZE) edit_buffer[index] = c;
}

static void set_text_end(int end) {
  if (end < 0) end = 0;
  if (end > EDIT_BUFFER_SIZE - 1) end = EDIT_BUFFER_SIZE - 1;
  editing.text_end = end;
}

static void note_activity(void) { editing.last_activity = clock_seconds(); }

static void move_cursor(void) {
  _VioSetCurPos(fields.row[editing.field], fields.col[editing.field] + edit_cursor);
}

/* One underscore at each position of the field, one write each. */
static void draw_empty_field(void) {
  unsigned short status;
  for (int i = 0; i < editing.field_length; ++i)
    _VioWrtCharStr("_", 1, fields.row[editing.field], fields.col[editing.field] + i, &status, 0);
}

/* Ends the text at the text end and draws it, masked in a password field. */
static void redraw(void) {
  unsigned short status;
  put_char(editing.text_end, '\0');
  int shown = (int)strnlen(
      edit_buffer,
      (size_t)(editing.text_end < editing.field_length ? editing.text_end : editing.field_length));
  if (fields.input_kind[editing.field] == INPUT_PASSWORD)
    _VioWrtNChar(fields.row[editing.field], fields.col[editing.field], '*', shown, &status, 0);
  else
    _VioWrtCharStr(edit_buffer, shown, fields.row[editing.field], fields.col[editing.field], &status, 0);
}

/* Waits for an event, at most until the time-out would expire, then checks
   it. Returns 1 when the field has timed out (after message 11). */
static int time_out_step(void) {
  if (editing.timeout == 0) {
    _WaitEvent(0);
    return 0;
  }
  long long wait_ms = ((long long)editing.timeout - editing.elapsed) * 1000;
  if (wait_ms < 0) wait_ms = 0;
  if (wait_ms > LONGEST_WAIT_MS) wait_ms = LONGEST_WAIT_MS;
  _WaitEvent((int)wait_ms);
  editing.elapsed = (int)((unsigned int)clock_seconds() - (unsigned int)editing.last_activity);
  if (editing.elapsed <= editing.timeout) return 0;
  show_message(MSG_TIMED_OUT, MSG_TIMED_OUT, MESSAGE_TIMED);
  return 1;
}

static int is_leaving_key(int key) {
  return key == KEY_ENTER || key == KEY_CANCEL || key == KEY_PREVIOUS || key == KEY_COMPLETE ||
         key == KEY_BLANK_ENTRY || key == KEY_NEXT;
}

static int is_character_key(int key) {
  return key > editing.range_low && key < editing.range_high && !(is_numeric() && key == '/');
}

static void show_help(void) {
  show_message(fields.help_start[editing.field], fields.help_end[editing.field], MESSAGE_ACKNOWLEDGED);
  note_activity();
}

/* ---- typing ---- */

/* "-" in a numeric field flips the sign position of a signed field. */
static void toggle_sign(void) {
  if (fields.is_signed[editing.field] == 1) put_char(0, edit_buffer[0] == '-' ? ' ' : '-');
}

/* A decimal mark, once, in a field with decimals; "0" before a leading one. */
static void store_decimal_mark(char c) {
  if (editing.decimal_flag != 0 || fields.decimals[editing.field] == -1) return;
  if (edit_cursor == 1) {
    put_char(1, '0');
    edit_cursor = 2;
  }
  put_char(edit_cursor++, c);
  editing.decimal_flag = 1;
}

static void store_character(int key) {
  char c = (char)(key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key);
  if (is_numeric() && c == '-') {
    toggle_sign();
  } else if (is_numeric() && is_decimal_mark(c)) {
    store_decimal_mark(c);
  } else if (is_numeric()) {
    if (is_decimal_mark(char_at_cursor(edit_cursor))) editing.decimal_flag = 0;
    put_char(edit_cursor++, c);
  } else {
    put_char(edit_cursor++, c);
    if (is_date_or_time_field() && is_separator(char_at_cursor(edit_cursor))) ++edit_cursor;
  }
  move_cursor();
  if (edit_cursor > editing.text_end) set_text_end(edit_cursor);
  redraw();
}

static void cursor_left(void) {
  if (edit_cursor <= first_position()) return;
  --edit_cursor;
  if (is_date_or_time_field() && is_separator(char_at_cursor(edit_cursor)) && edit_cursor > first_position())
    --edit_cursor;
  move_cursor();
}

static void cursor_right(void) {
  if (edit_cursor < editing.field_length && edit_cursor < editing.text_end) {
    ++edit_cursor;
    if (is_date_or_time_field() && is_separator(char_at_cursor(edit_cursor))) ++edit_cursor;
  }
  move_cursor();
}

/* Deletes the character left of the cursor and closes the gap; in a date
   or time field only moves left, so the template keeps its shape. */
static void backspace(void) {
  unsigned short status;
  if (is_date_or_time_field()) {
    cursor_left();
    return;
  }
  if (edit_cursor <= first_position()) return;
  if (is_decimal_mark(char_at_cursor(edit_cursor - 1))) editing.decimal_flag = 0;
  if (edit_cursor < editing.text_end && editing.text_end < EDIT_BUFFER_SIZE)
    memmove(edit_buffer + edit_cursor - 1, edit_buffer + edit_cursor,
            (size_t)(editing.text_end - edit_cursor + 1));
  --edit_cursor;
  set_text_end(editing.text_end - 1);
  put_char(editing.text_end, '\0');
  _VioWrtNChar(fields.row[editing.field], fields.col[editing.field], '_', editing.field_length, &status, 0);
  redraw();
  move_cursor();
}

/* ---- the call ---- */

/* Editing after the first accepted key, until a leaving key. */
static int editing_loop(void) {
  for (;;) {
    if (_SenRead(sensor_record, SENSOR_RECORD_SIZE) == RT_OK) {
      int macro = sensor_macro_key();
      if (macro != 0) return macro;
    }
    if (_IdleManager(0) != 0) return KEY_CANCEL;
    if (time_out_step()) return EDIT_TIMED_OUT;

    unsigned short key = 0;
    if (_KbdReadAscii(&key) == KBD_NO_KEY) continue;
    note_activity();
    editing.elapsed = 0;
    if (key == KEY_CANCEL) return KEY_CANCEL;
    if ((key == KEY_ENTER || key == KEY_PREVIOUS || key == KEY_NEXT || key == KEY_COMPLETE) &&
        fields.mode[editing.field] == 'F' && editing.text_end != editing.field_length) {
      show_message(MSG_NOT_FULL, MSG_NOT_FULL, MESSAGE_ACKNOWLEDGED);
      note_activity();
      continue;
    }
    if (key == KEY_BLANK_ENTRY) return KEY_BLANK_ENTRY;
    if (key == KEY_HELP) {
      show_help();
    } else if (is_character_key(key)) {
      if (edit_cursor < editing.field_length) store_character(key);
    } else if (key == KEY_BACKSPACE) {
      backspace();
    } else if (key == KEY_LEFT) {
      cursor_left();
    } else if (key == KEY_RIGHT) {
      cursor_right();
    } else if (is_leaving_key(key)) {
      return key;
    }
  }
}

/* The first accepted key: a field that is not editable loses its initial
   text (the bytes of a date or time template stay behind the text end to
   guide the separator skipping), then the key is handled. */
static int start_edit(int key) {
  if (key >= 'a' && key <= 'z') key = key - 'a' + 'A';
  if (fields.editable[editing.field] != 1) {
    draw_empty_field();
    set_text_end(0);
    edit_cursor = 0;
    if (is_numeric()) {
      put_char(0, ' ');
      edit_cursor = 1;
      set_text_end(1);
    }
  } else if (is_numeric()) {
    if (editing.initial_text[0] != '\0')
      editing.decimal_flag = strchr(editing.initial_text, '.') != 0 || strchr(editing.initial_text, ',') != 0;
    else
      put_char(0, ' ');
    edit_cursor = 1;
    if (editing.text_end < 1) set_text_end(1);
  }
  move_cursor();
  if (is_character_key(key)) {
    if (edit_cursor < editing.field_length) store_character(key);
  } else if (key == KEY_RIGHT && edit_cursor < editing.field_length && edit_cursor < editing.text_end) {
    ++edit_cursor;
    move_cursor();
  }
  redraw();
  return editing_loop();
}

/* A record from the sensor before the first key. Returns 1 with *result set
   when the edit ends with it. */
static int take_sensor_record(int *result) {
  unsigned short count = 0;
  _SenQueryData(&count);
  if (count == 0) return 0;
  note_activity();
  if (_SenRead(sensor_record, SENSOR_RECORD_SIZE) != RT_OK || sensor_record_is_empty()) {
    note_activity();
    return 0;
  }
  int routed = route_sensor_record();
  if (routed == SENSOR_REFUSED) return 0;
  if (routed == SENSOR_PLACED) good_read_signal();
  *result = routed == SENSOR_PLACED ? EDIT_SCANNED : routed;
  return 1;
}

/* A key before the edit has started. Returns 1 with *result set when the
   edit ends or starts with it. */
static int take_first_key(int key, int *result) {
  if (key == KEY_HELP) {
    show_help();
    return 0;
  }
  if (editing.working_kind == INPUT_AINUM) editing.working_kind = INPUT_NUM;
  note_activity();
  editing.elapsed = 0;
  if (is_leaving_key(key)) {
    *result = key;
    return 1;
  }
  if (editing.working_kind == INPUT_AI) return 0;
  if (is_character_key(key) || key == KEY_BACKSPACE || key == KEY_LEFT || key == KEY_RIGHT) {
    *result = start_edit(key);
    return 1;
  }
  show_message(MSG_KEY_REFUSED, MSG_KEY_REFUSED, MESSAGE_TIMED);
  note_activity();
  return 0;
}

static int wait_for_first_key(void) {
  for (;;) {
    int result;
    unsigned short key = 0;
    if (_KbdReadAscii(&key) == KBD_KEY_READ && take_first_key(key, &result)) return result;
    if (take_sensor_record(&result)) return result;
    if (_IdleManager(0) != 0) return KEY_CANCEL;
    if (time_out_step()) return EDIT_TIMED_OUT;
  }
}

/* Sensor records that were waiting before the field was entered are not
   meant for it. */
static void discard_waiting_records(void) {
  for (;;) {
    unsigned short count = 0;
    _SenQueryData(&count);
    _IdleManager(0);
    if (count == 0 || _SenRead(sensor_record, SENSOR_RECORD_SIZE) != RT_OK) return;
  }
}

static const char *empty_template(void) {
  switch (editing.working_kind) {
    case INPUT_DATE_AMER: return DATE_AMER_TEMPLATE;
    case INPUT_DATE_EURO: return DATE_EURO_TEMPLATE;
    case INPUT_TIME_STD: return TIME_TEMPLATE;
    default: return "";
  }
}

/* Draws the field with its initial text and puts the text in edit_buffer. */
static void enter_field(const char *initial) {
  unsigned short status;
  editing.working_kind = fields.input_kind[editing.field];
  editing.decimal_flag = 0;
  if (editing.working_kind != INPUT_AI) {
    _VioSetCurType(CURSOR_SHOWN);
    _VioSetCurPos(fields.row[editing.field], fields.col[editing.field]);
  }
  int numeric_range =
      editing.working_kind == INPUT_NUM || editing.working_kind == INPUT_AINUM || is_date_or_time_field();
  editing.range_low = numeric_range ? NUMERIC_RANGE_LOW : TEXT_RANGE_LOW;
  editing.range_high = numeric_range ? NUMERIC_RANGE_HIGH : TEXT_RANGE_HIGH;
  discard_waiting_records();
  note_activity();
  draw_empty_field();

  const char *source = initial != 0 ? initial : "";
  size_t given = strnlen(source, FIELD_VALUE_SIZE - 1);
  memmove(editing.initial_text, source, given);
  editing.initial_text[given] = '\0';
  if (editing.initial_text[0] == '\0') strcpy(editing.initial_text, empty_template());
  int length = (int)strlen(editing.initial_text);
  _VioWrtCharStr(editing.initial_text, length < editing.field_length ? length : editing.field_length,
                 fields.row[editing.field], fields.col[editing.field], &status, 0);
  memcpy(edit_buffer, editing.initial_text, (size_t)length + 1);
  set_text_end(length);

  int numeric = editing.working_kind == INPUT_NUM || editing.working_kind == INPUT_AINUM;
  edit_cursor = numeric && editing.initial_text[0] != '\0' ? 1 : 0;
  move_cursor();
}

int edit_field(const char *initial, int timeout_seconds) {
  /* The panel only ever edits a defined field, whose length its definition
     kept within what a value holds. */
  assert(current_field >= 0 && current_field < FIELD_COUNT);
  editing.field = current_field;
  editing.field_length = fields.length[editing.field];
  assert(editing.field_length >= 0 && editing.field_length < FIELD_VALUE_SIZE);
  editing.timeout = timeout_seconds;
  editing.elapsed = 0;
  if (debug_flag == 1) show_field_definition();
  enter_field(initial);
  return wait_for_first_key();
}
