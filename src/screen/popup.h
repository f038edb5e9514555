/*
 * popup.h - the framed popup window near the top left of the display.
 *
 * Opening a popup saves the cells it will cover and draws its frame;
 * restoring writes the saved cells back, so the screen underneath is as it
 * was. Only one popup exists at a time. The frame spans columns 2 to 25 and
 * rows 1 to lines + 2; its text area starts at row 2, column 3, 22 wide.
 */
#ifndef FORMS_SCREEN_POPUP_H
#define FORMS_SCREEN_POPUP_H

#define POPUP_MAX_LINES 16
#define POPUP_FRAME_WIDTH 24
#define POPUP_FRAME_ROW 1    /* the top border */
#define POPUP_FRAME_COLUMN 2 /* the left side */
#define POPUP_TEXT_ROW 2     /* the first text line */
#define POPUP_TEXT_COLUMN 3
#define POPUP_TEXT_WIDTH 22
#define POPUP_BORDER "+----------------------+"
#define POPUP_SIDE "|                      |"
#define POPUP_SAVE_ROWS (POPUP_MAX_LINES + 2)

/* The text area of a popup, as popup_window hands it out. */
struct PopupArea {
  int lines;         /* text lines */
  int width;         /* characters a line */
  unsigned char row; /* row of the first line */
  unsigned char col; /* column of the first character */
};

/* Line count of the open popup; 0 when none is open. */
extern int popup_lines;
/* Slot i holds the 24 cells (character, attribute) of row i + 1 from column 2. */
extern unsigned char popup_save[POPUP_SAVE_ROWS][POPUP_FRAME_WIDTH * 2];

/* op "C"/"c" opens a popup of lines text lines (at most 16) and returns 2;
   "R"/"r" restores the screen under it and closes it; "X"/"x" forgets it
   without touching the screen; any other op does nothing. An open puts the
   text area in *area, a restore an area of zeros; area may be 0. Returns 0
   but after an open. */
unsigned char popup_window(char op, int attribute, int lines, struct PopupArea *area);

#endif
