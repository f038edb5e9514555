/*
 * inspect.h - the field inspection display: with the debug flag on, the
 * definition of each field the editor starts on is written onto rows 1 to
 * 19, one item a row, for whoever writes panels to check on the terminal.
 */
#ifndef FORMS_INPUT_INSPECT_H
#define FORMS_INPUT_INSPECT_H

/* Writes the definition of the field current_field, labels from column 0
   and values from column 16. Clears nothing and waits for nothing. */
void show_field_definition(void);

#endif
