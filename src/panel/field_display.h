/*
 * field_display.h - the fixed-decimal redraw of a field whose value the
 * operator changed.
 */
#ifndef FORMS_PANEL_FIELD_DISPLAY_H
#define FORMS_PANEL_FIELD_DISPLAY_H

/* For a field with decimal places, rewrites its value as a fixed-point text
   that fills the field (integer part, the panel's decimal mark, the decimal
   digits, leading zeros) and draws it again. Other fields are left alone. */
void format_decimal_field(int index);

#endif
