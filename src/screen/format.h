/*
 * format.h - printf-style formatting into a caller's buffer of limited
 * size, shown on the display at a given row and column.
 *
 * The engine knows the flags blank, "+" and "-", width and precision of at
 * most two digits each (precision after "." or ","), the size letters l, h
 * and L, and the conversions d i o u x X c s (n and p produce nothing).
 * Every value takes one 32-bit slot read as an int, except that %s takes a
 * text pointer. A text that would not fit is shown as far as it was built,
 * followed by an error marker.
 */
#ifndef FORMS_SCREEN_FORMAT_H
#define FORMS_SCREEN_FORMAT_H

/* format_to_display results. */
#define FORMAT_DONE 0
#define FORMAT_TOO_LONG 1      /* marker "***" */
#define FORMAT_BAD_WIDTH 2     /* a third width digit, marker "*1*" */
#define FORMAT_BAD_PRECISION 3 /* a third precision digit, marker "*2*" */

/* The row that means: build the text only, show nothing. */
#define FORMAT_NO_DISPLAY (-1)

/* Builds the text of format and its values in buffer, which holds size
   bytes (the text and its terminating zero must fit), and unless row is
   FORMAT_NO_DISPLAY writes it at (row, column). */
int format_to_display(char *buffer, int size, int row, int column, const char *format, ...);

#endif
