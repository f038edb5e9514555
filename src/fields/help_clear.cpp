/*
 * help_clear.cpp - SET_HEL names the help file that every help lookup reads;
 * CLEAR_P empties the field table so that the next panel is defined from
 * scratch.
 */
#include "entry/args.h"
#include "entry/commands.h"
#include "entry/entry.h"
#include "fields/table.h"

/* "FILE=" and the name; whether the file exists shows at the first lookup. */
int set_help_command(const char *parm) {
  copy_command_text(parm);
  if (read_name("FILE=", ARG_LONG_WINDOW, 0, help_file_name, HELP_FILE_NAME_SIZE, parm, "Zk", 0) ==
      ARG_ABSENT)
    return command_failed(parm, "Zl");
  return 0;
}

/* Only the definitions and values go: the other members stay, and a later
   definition of the same field number resets its own defaults. */
int clear_panel_command(const char *) {
  for (int f = 0; f < FIELD_COUNT; ++f) {
    fields.defined[f] = 0;
    fields.value[f][0] = '\0';
  }
  decimal_style[0] = '\0';
  return 0;
}
