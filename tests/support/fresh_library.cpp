// fresh_library.cpp - the load values of the library's globals.
#include "support/fresh_library.h"

#include <cstring>

#include "commands/counters.h"
#include "commands/unique.h"
#include "entry/entry.h"
#include "fields/table.h"
#include "input/editor.h"
#include "input/sensor.h"
#include "panel/options.h"
#include "panel/panel.h"
#include "screen/popup.h"

void reset_library_state() {
  argument_length = 0;
  std::memset(command_buffer, 0, sizeof command_buffer);
  std::memset(token_buffer, 0, sizeof token_buffer);
  banner_shown = 0;
  debug_flag = 0;

  std::memset(&fields, 0, sizeof fields);
  current_field = 0;
  std::memset(decimal_style, 0, sizeof decimal_style);
  std::memset(help_file_name, 0, sizeof help_file_name);
  std::strcpy(help_file_name, "HELP.VAL");
  concatenate_values = 0;
  multi_screen = 0;
  help_variable = 0;

  popup_lines = 0;
  std::memset(popup_save, 0, sizeof popup_save);

  std::memset(counters, 0, sizeof counters);
  std::memset(unique_lists, 0, sizeof unique_lists);
  std::memset(unique_next, 0, sizeof unique_next);

  std::memset(edit_buffer, 0, sizeof edit_buffer);
  edit_cursor = 0;
  std::memset(sensor_record, 0, sizeof sensor_record);

  std::memset(&panel_options, 0, sizeof panel_options);
  saved_cursor_row = 0;
  saved_cursor_col = 0;
}
