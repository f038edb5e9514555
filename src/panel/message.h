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

/* The operator messages: the help records that hold their texts. */
#define MSG_CHECKING 1         /* standing while validation runs */
#define MSG_KEY_TOO_LONG 2     /* a group key would grow past its limit */
#define MSG_NOT_IN_FILE 3      /* rejected by the validation file */
#define MSG_NOT_LISTED 4       /* not in the list, or outside the range */
#define MSG_ZERO_NUMBER 5      /* verify kind "B" */
#define MSG_PREFIXED_NUMBER 6  /* verify kind "T" */
#define MSG_FILE_UNAVAILABLE 7 /* a mandatory file check could not be made */
#define MSG_REQUIRED_EMPTY 8   /* a required field is empty */
#define MSG_NOT_FULL 9         /* a fixed-length field is not full */
#define MSG_KEY_REFUSED 10     /* a key the field does not take */
#define MSG_TIMED_OUT 11       /* the field's time-out expired */
#define MSG_DOES_NOT_FIT 12    /* a scan longer than its field */
#define MSG_NO_SENSOR_INPUT 13 /* a scan into a field that takes none */
#define MSG_DATA_ID_MISSING 15 /* a scan without the field's Data ID */
#define MSG_CLOSING_LINE 16    /* the last line of every acknowledged message */
#define MSG_BAD_DATE_TIME 17   /* not a valid date or time */
#define MSG_MASK 18            /* the value does not fit the mask */

#include "screen/popup.h"

/* Where the lines of the message being shown go. */
extern struct PopupArea message_area;

/* Shows the help records first to last (none when first > last) by type. */
void show_message(int first, int last, signed char type);
/* Closes the popup that a standing message left open. */
void close_message(void);

#endif
