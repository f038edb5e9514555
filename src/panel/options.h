/*
 * options.h - the options of one EXEC_PA call.
 *
 * The option text comes from a user variable ("VAR=") or a help file record
 * ("HELP="). "CON=", "MULT=" and "HVR=" set the shared globals
 * concatenate_values, multi_screen and help_variable; the others live in
 * panel_options for the duration of the call.
 */
#ifndef FORMS_PANEL_OPTIONS_H
#define FORMS_PANEL_OPTIONS_H

struct PanelOptions {
  char time_out_ending; /* "TOE=": 'T' tries to complete; 'A', 'N', 'S' end */
  char return_scheme;   /* "ERET=": 'N', 'S' or 'A' */
  char clear_unfilled;  /* "CNP=": 'Y' empties fields that were not prefilled */
  int time_out;         /* "T=": seconds per field; 0 for none */
  int start_field;      /* "SF=": field index, or -1 for the first defined */
  int reason_variable;  /* "REASON=": variable for OK/CANCEL/TIMEOUT; 0 none */
  int blank_entry;      /* not an option: 1 while the editor starts the field empty */
};

extern struct PanelOptions panel_options;

/* Reads the option text named by the command string into command_buffer and
   the options from it ("L=" is checked and then ignored). Returns ARG_OK,
   ARG_ABSENT or ARG_REPORTED (an error report was shown). */
int read_panel_options(const char *parm);

#endif
