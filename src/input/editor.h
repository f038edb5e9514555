/*
 * editor.h - the field input editor: the operator fills the current field
 * from the keyboard or the sensor.
 *
 * The editor draws the field, applies the character rules of its input kind
 * while the operator types (accepted characters, sign position and decimal
 * mark, date and time separators, password masking, fixed length) and
 * returns when the operator leaves the field, cancels, completes, or the
 * time-out expires. The entered text stays in edit_buffer.
 */
#ifndef FORMS_INPUT_EDITOR_H
#define FORMS_INPUT_EDITOR_H

#include "fields/table.h"

#define EDIT_BUFFER_SIZE 64

/* Results of edit_field besides the key codes of the leaving keys. */
#define EDIT_SCANNED 1   /* a scanned value was placed for current_field */
#define EDIT_TIMED_OUT 2 /* the field's time-out expired */

/* The state of one edit_field call. */
struct EditorCall {
  int field;                  /* the field being edited */
  int field_length;           /* its length, 0 to 40 */
  int text_end;               /* characters that make up the text */
  unsigned char decimal_flag; /* 1: the numeric text holds a mark */
  unsigned char working_kind; /* input_kind, AINUM made NUM by a key */
  int range_low, range_high;  /* characters low < c < high are candidates */
  int timeout;                /* seconds, 0 for none */
  int last_activity;          /* clock_seconds of the last key or scan */
  int elapsed;                /* seconds since last_activity */
  char initial_text[FIELD_VALUE_SIZE];
};

extern struct EditorCall editing;

/* The text being edited, NUL-terminated at its end after every redraw; the
   bytes behind the end keep what they held. */
extern char edit_buffer[EDIT_BUFFER_SIZE];
/* The position in edit_buffer under the display cursor. */
extern int edit_cursor;

/* Edits the field current_field, starting from initial (up to 40
   characters), with a time-out in seconds (0: none). Returns EDIT_SCANNED,
   EDIT_TIMED_OUT or the key code that ended the edit (13, 256, 512, 768,
   1024, 1536); 256 also when the run-time asks the command to stop. */
int edit_field(const char *initial, int timeout_seconds);

#endif
