/*
 * state.cpp - the definitions of the library's variables and their reset.
 */
#include "entry/state.h"

#include <string.h>

#include "commands/counters.h"
#include "commands/unique.h"
#include "entry/entry.h"
#include "fields/grammar.h"
#include "fields/table.h"
#include "input/editor.h"
#include "input/sensor.h"
#include "panel/message.h"
#include "panel/options.h"
#include "panel/panel.h"
#include "screen/popup.h"
#include "validate/validate.h"

/* Z(type, name, dimensions) for every variable that is zero at load, and
   L(type, name, dimensions, value) for those that have a value of their own. */
#define LIBRARY_STATE(Z, L)                                                            \
  Z(int, argument_length, )                                                            \
  Z(char, command_buffer, [COMMAND_BUFFER_SIZE])                                       \
  Z(char, token_buffer, [TOKEN_BUFFER_SIZE])                                           \
  Z(unsigned char, banner_shown, )                                                     \
  Z(unsigned char, debug_flag, )                                                       \
  Z(struct FieldTable, fields, )                                                       \
  Z(int, current_field, )                                                              \
  Z(char, decimal_style, [DECIMAL_STYLE_SIZE])                                         \
  L(char, help_file_name, [HELP_FILE_NAME_SIZE], KW_DEFAULT(KW_FILE))                  \
  Z(unsigned char, concatenate_values, )                                               \
  Z(unsigned char, multi_screen, )                                                     \
  Z(int, help_variable, )                                                              \
  Z(int, popup_lines, )                                                                \
  Z(unsigned char, popup_save, [POPUP_SAVE_ROWS][POPUP_FRAME_WIDTH * 2])               \
  Z(unsigned int, counters, [COUNTER_COUNT])                                           \
  Z(char, unique_lists, [UNIQUE_LIST_COUNT][UNIQUE_ENTRY_COUNT][UNIQUE_VALUE_MAX + 1]) \
  Z(int, unique_next, [UNIQUE_LIST_COUNT])                                             \
  Z(char, edit_buffer, [EDIT_BUFFER_SIZE])                                             \
  Z(int, edit_cursor, )                                                                \
  Z(struct EditorCall, editing, )                                                      \
  Z(unsigned char, sensor_record, [SENSOR_RECORD_SIZE])                                \
  Z(struct PanelOptions, panel_options, )                                              \
  Z(unsigned char, saved_cursor_row, )                                                 \
  Z(unsigned char, saved_cursor_col, )                                                 \
  Z(struct PopupArea, message_area, )                                                  \
  Z(struct Validation, validation, )

#define DEFINE_ZEROED(type, name, dimensions) type name dimensions;
#define DEFINE_LOADED(type, name, dimensions, value) type name dimensions = value;
LIBRARY_STATE(DEFINE_ZEROED, DEFINE_LOADED)

#define RESET_ZEROED(type, name, dimensions) memset(&name, 0, sizeof name);
#define RESET_LOADED(type, name, dimensions, value)      \
  {                                                      \
    static const type name##_at_load dimensions = value; \
    memcpy(&name, &name##_at_load, sizeof name);         \
  }

void reset_library_state(void) { LIBRARY_STATE(RESET_ZEROED, RESET_LOADED) }
