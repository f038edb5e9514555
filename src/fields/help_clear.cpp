/*
 * help_clear.cpp - SET_HEL names the help file that every help lookup reads;
 * CLEAR_P empties the field table so that the next panel is defined from
 * scratch.
 */
#include "entry/args.h"
#include "entry/commands.h"
#include "entry/entry.h"
#include "fields/grammar.h"
#include "fields/table.h"

/* "FILE=" and the name; whether the file exists shows at the first lookup. */
int set_help_command(const char *parm) {
  copy_command_text(parm);
  if (read_name(KW_WORD(KW_FILE), KW_WINDOW(KW_FILE), KW_HIGH(KW_FILE), help_file_name, HELP_FILE_NAME_SIZE,
                parm, KW_NO_VALUE(KW_FILE), 0) == ARG_ABSENT)
    return command_failed(parm, KW_MISSING(KW_FILE));
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
