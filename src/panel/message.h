/*
 * message.h - the message prompt: operator messages shown from numbered
 * records of the help file.
 *
 * A range of help records is shown one record a line, in a popup window over
 * the panel or on the cleared display, with the error signal of LED and
 * speaker. By its display type the message then waits a fixed time, waits for
 * a fresh Enter, or stays standing. The system has no message texts of its
 * own: every text comes from the help file.
 */
#ifndef FORMS_PANEL_MESSAGE_H
#define FORMS_PANEL_MESSAGE_H

/* Display types. */
#define MESSAGE_TIMED 0        /* popup, double signal, closes after a pause */
#define MESSAGE_ACKNOWLEDGED 1 /* popup closed by record 16, waits for Enter */
#define MESSAGE_STANDING 2     /* popup, single signal, stays until close_message */
#define MESSAGE_FULL_SCREEN 3  /* cleared display, no signal, never restored */

/* The help record whose text closes every acknowledged message. */
#define CLOSING_LINE_RECORD 16

/* Shows the help records first to last (none when first > last) by type. */
void show_message(int first, int last, signed char type);
/* Closes the popup that a standing message left open. */
void close_message(void);

#endif
