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

/* The operator messages: MESSAGE(name, record, type, refuses) names the
   help record that holds a message's text, the display type it is shown
   with (-1: it is a line of other messages), and whether it tells the
   operator that a value was refused. */
#define MESSAGE_RECORDS(X)                                                                       \
  X(MSG_CHECKING, 1, MESSAGE_STANDING, 0)         /* standing while validation runs */           \
  X(MSG_KEY_TOO_LONG, 2, MESSAGE_ACKNOWLEDGED, 0) /* a group key would grow too long */          \
  X(MSG_NOT_IN_FILE, 3, MESSAGE_TIMED, 1)         /* rejected by the validation file */          \
  X(MSG_NOT_LISTED, 4, MESSAGE_TIMED, 1)          /* not in the list, or outside the range */    \
  X(MSG_ZERO_NUMBER, 5, MESSAGE_TIMED, 1)         /* verify kind "B" */                          \
  X(MSG_PREFIXED_NUMBER, 6, MESSAGE_TIMED, 1)     /* verify kind "T" */                          \
  X(MSG_FILE_UNAVAILABLE, 7, MESSAGE_TIMED, 1)    /* a mandatory file check could not be made */ \
  X(MSG_REQUIRED_EMPTY, 8, MESSAGE_TIMED, 1)      /* a required field is empty */                \
  X(MSG_NOT_FULL, 9, MESSAGE_ACKNOWLEDGED, 1)     /* a fixed-length field is not full */         \
  X(MSG_KEY_REFUSED, 10, MESSAGE_TIMED, 1)        /* a key the field does not take */            \
  X(MSG_TIMED_OUT, 11, MESSAGE_TIMED, 1)          /* the field's time-out expired */             \
  X(MSG_DOES_NOT_FIT, 12, MESSAGE_TIMED, 1)       /* a scan longer than its field */             \
  X(MSG_NO_SENSOR_INPUT, 13, MESSAGE_TIMED, 1)    /* a scan into a field that takes none */      \
  X(MSG_DATA_ID_MISSING, 15, MESSAGE_TIMED, 1)    /* a scan without the field's Data ID */       \
  X(MSG_CLOSING_LINE, 16, -1, 0)                  /* the last line of acknowledged ones */       \
  X(MSG_BAD_DATE_TIME, 17, MESSAGE_TIMED, 1)      /* not a valid date or time */                 \
  X(MSG_MASK, 18, MESSAGE_TIMED, 1)               /* the value does not fit the mask */

#define MESSAGE_AS_ENUM(name, record, type, refuses) name = record,
enum MessageRecord { MESSAGE_RECORDS(MESSAGE_AS_ENUM) };
#undef MESSAGE_AS_ENUM

#include "screen/popup.h"

/* Where the lines of the message being shown go. */
extern struct PopupArea message_area;

/* Shows the help records first to last (none when first > last) by type. */
void show_message(int first, int last, signed char type);
/* Closes the popup that a standing message left open. */
void close_message(void);

#endif
