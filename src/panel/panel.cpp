/*
 * panel.cpp - the EXEC_PA command: drawing, the panel loop, completion and
 * the three endings.
 *
 * The panel ends by completion (every value stored, reason "OK"), cancel
 * (reason "CANCEL") or time-out (reason "TIMEOUT"); "ERET=" names what each
 * returns. Cancel and time-out store nothing.
 */
#include "panel/panel.h"

#include <assert.h>
#include <string.h>

#include "entry/args.h"
#include "entry/commands.h"
#include "entry/reports.h"
#include "entry/text.h"
#include "fields/grammar.h"
#include "fields/table.h"
#include "input/editor.h"
#include "panel/field_display.h"
#include "panel/message.h"
#include "panel/options.h"
#include "platform/answers.h"
#include "platform/keys.h"
#include "platform/termrt.h"
#include "validate/validate.h"

#define ENDED_COMPLETED 0
#define ENDED_OTHERWISE 1

static int wrap_index(int index) { return (index + FIELD_COUNT) % FIELD_COUNT; }

void move_to_field(int step, int skip_filled) {
  int start = current_field;
  int index = start;
  for (int steps = 0; steps < FIELD_COUNT; ++steps) {
    index = wrap_index(index + step);
    if (fields.defined[index]) break;
  }
  current_field = index;
  if (!skip_filled) return;
  index = start;
  for (int steps = 0; steps < FIELD_COUNT - 1; ++steps) {
    index = wrap_index(index + step);
    if (fields.defined[index] && fields.value[index][0] == '\0') {
      current_field = index;
      return;
    }
  }
}

void mark_for_revalidation(void) {
  if (!concatenate_values) {
    fields.check_result[current_field] = ' ';
    return;
  }
  for (int i = 0; i < FIELD_COUNT; ++i)
    if (fields.defined[i] && strcmp(fields.verify_file[i], fields.verify_file[current_field]) == 0)
      fields.check_result[i] = ' ';
}

/* What the command returns for an ending, by "ERET=". */
static int ending_value(int ending) {
  switch (panel_options.return_scheme) {
    case 'S': return ending == ENDED_COMPLETED ? 0 : 1;
    case 'A': return ending == ENDED_COMPLETED ? 0 : 2;
    default: return ending == ENDED_COMPLETED ? 1 : 0;
  }
}

static void write_reason(const char *reason) {
  if (panel_options.reason_variable == 0) return;
  _ClearUserVariable(panel_options.reason_variable);
  _WriteUserVariable(panel_options.reason_variable, reason);
}

/* Draws every defined field over what the screen holds: its underscores and
   the value it keeps, a prefilled one or, with "CNP=" N, one from an earlier
   panel, so that what the operator sees is what would be stored. */
static void draw_fields(void) {
  unsigned short status;
  for (int i = 0; i < FIELD_COUNT; ++i) {
    if (!fields.defined[i]) continue;
    if (!multi_screen) _VioWrtNChar(fields.row[i], fields.col[i], '_', fields.length[i], &status, 0);
    if (!fields.prefilled[i] && panel_options.clear_unfilled == 'Y') fields.value[i][0] = '\0';
    int shown = (int)strnlen(fields.value[i], (size_t)fields.length[i]);
    if (!multi_screen && shown > 0)
      _VioWrtCharStr(fields.value[i], shown, fields.row[i], fields.col[i], &status, 0);
    fields.check_result[i] = ' ';
  }
}

/* Makes the "SF=" field, or the first defined field from it, current.
   Returns 0 when no field is defined. */
static int find_first_field(void) {
  current_field = panel_options.start_field < 0 ? 0 : panel_options.start_field;
  for (int steps = 0; steps < FIELD_COUNT; ++steps) {
    if (fields.defined[current_field]) return 1;
    current_field = wrap_index(current_field + 1);
  }
  return 0;
}

/* Takes what the editor left in edit_buffer into the current field. */
static void take_edit(int redraw) {
  panel_options.blank_entry = 0;
  if (strncmp(edit_buffer, fields.value[current_field], FIELD_VALUE_SIZE - 1) == 0) return;
  copy_text(fields.value[current_field], FIELD_VALUE_SIZE, edit_buffer);
  mark_for_revalidation();
  if (redraw) format_decimal_field(current_field);
}

static void discard_keys(void) {
  unsigned short key;
  while (_KbdReadAscii(&key) != KBD_NO_KEY)
    if (_IdleManager(0) != 0) break;
}

/* 1 when some defined, required field has an empty value or no Data ID. */
static int scan_left_fields_open(void) {
  for (int i = 0; i < FIELD_COUNT; ++i)
    if (fields.defined[i] && fields.required[i] &&
        (fields.value[i][0] == '\0' || fields.data_id[i][0] == '\0'))
      return 1;
  return 0;
}

/* Puts the clock's place-holders into empty required date and time fields;
   returns 0 and shows message 8 at the first required field still empty. */
static int required_fields_filled(void) {
  for (int i = 0; i < FIELD_COUNT; ++i) {
    if (!fields.defined[i] || !fields.required[i]) continue;
    char *value = fields.value[i];
    if (value[0] == '\0') {
      if (fields.input_kind[i] == INPUT_DATE_AMER) copy_text(value, FIELD_VALUE_SIZE, DATE_AMER_TEMPLATE);
      if (fields.input_kind[i] == INPUT_DATE_EURO) copy_text(value, FIELD_VALUE_SIZE, DATE_EURO_TEMPLATE);
      if (fields.input_kind[i] == INPUT_TIME_STD) copy_text(value, FIELD_VALUE_SIZE, TIME_TEMPLATE);
    }
    if (value[0] == '\0') {
      current_field = i;
      show_message(MSG_REQUIRED_EMPTY, MSG_REQUIRED_EMPTY, MESSAGE_TIMED);
      return 0;
    }
  }
  return 1;
}

/* The complete key: returns 1 when every field passed validation. */
static int try_to_complete(void) {
  take_edit(1);
  int passed = required_fields_filled() && validate_fields() == VALIDATION_PASSED;
  discard_keys();
  return passed;
}

/* Stores every value, padded with blanks to its field's length. A value
   longer than its field (a prefilled one) is stored whole. */
static void store_values(const char *parm) {
  for (int i = 0; i < FIELD_COUNT; ++i) {
    if (!fields.defined[i]) continue;
    char text[FIELD_VALUE_SIZE];
    size_t value_length = strlen(fields.value[i]);
    size_t length = (size_t)fields.length[i] > value_length ? (size_t)fields.length[i] : value_length;
    assert(length < sizeof text); /* no value is longer than a value holds */
    memset(text, ' ', length);
    memcpy(text, fields.value[i], value_length);
    text[length] = '\0';
    int result = _WriteUserVariable(fields.result_variable[i], text);
    if (result == RT_VARIABLE_UNREADABLE) error_report(parm, "XJ");
    if (result == RT_VARIABLE_TOO_LONG) {
      char report[NUMBER_TEXT_SIZE + 4] = "VAR=";
      number_text(fields.result_variable[i], report + 4);
      error_report(report, "XI");
    }
  }
}

static int complete_panel(const char *parm) {
  _VioSetCurType(CURSOR_HIDDEN);
  _VioSetCurPos(saved_cursor_row, saved_cursor_col);
  store_values(parm);
  write_reason("OK");
  return ending_value(ENDED_COMPLETED);
}

/* The panel loop. Returns what EXEC_PA returns. */
static int run_panel(const char *parm) {
  panel_options.blank_entry = 0;
  for (;;) {
    if (multi_screen)
      show_message(fields.screen_first[current_field], fields.screen_second[current_field],
                   MESSAGE_FULL_SCREEN);
    int result =
        edit_field(panel_options.blank_entry ? "" : fields.value[current_field], panel_options.time_out);
    switch (result) {
      case EDIT_SCANNED:
        take_edit(0);
        if (scan_left_fields_open()) {
          move_to_field(1, 1);
          break;
        }
        result = validate_fields();
        discard_keys();
        if (result == VALIDATION_PASSED) return complete_panel(parm);
        break;
      case KEY_COMPLETE:
        if (try_to_complete()) return complete_panel(parm);
        break;
      case KEY_ENTER:
      case KEY_NEXT:
        take_edit(1);
        move_to_field(1, 0);
        break;
      case KEY_PREVIOUS:
        take_edit(1);
        move_to_field(-1, 0);
        break;
      case KEY_BLANK_ENTRY: panel_options.blank_entry = !panel_options.blank_entry; break;
      case KEY_CANCEL: write_reason("CANCEL"); return ending_value(ENDED_OTHERWISE);
      case EDIT_TIMED_OUT:
        write_reason("TIMEOUT");
        if (panel_options.time_out_ending != 'T') return ending_value(ENDED_OTHERWISE);
        if (try_to_complete()) return complete_panel(parm);
        break;
      default: break;
    }
  }
}

int exec_panel_command(const char *parm) {
  if (read_panel_options(parm) == ARG_REPORTED) return 0;
  draw_fields();
  if (!find_first_field()) return command_failed(parm, "XH");
  _VioSetCurType(CURSOR_SHOWN);
  _VioGetCurPos(&saved_cursor_row, &saved_cursor_col);
  return run_panel(parm);
}
