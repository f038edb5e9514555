/*
 * panel.h - running a panel: EXEC_PA draws the defined fields, lets the
 * operator fill them one at a time through the field input editor, has the
 * panel validated when the operator completes it, and stores each value in
 * its user variable.
 */
#ifndef FORMS_PANEL_PANEL_H
#define FORMS_PANEL_PANEL_H

/* The display cursor when the panel loop began, put back at completion. */
extern unsigned char saved_cursor_row;
extern unsigned char saved_cursor_col;

/* Makes the next (step +1) or previous (step -1) defined field current;
   with skip_filled, the next such field whose value is empty if there is
   one. */
void move_to_field(int step, int skip_filled);

/* Re-opens validation of the current field, or with concatenate_values of
   every field that shares its validation file. */
void mark_for_revalidation(void);

#endif
