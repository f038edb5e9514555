/*
 * popup.cpp - opening, restoring and forgetting the popup window.
 */
#include "screen/popup.h"

#include "platform/termrt.h"

#define FRAME_COLUMN 2
#define TEXT_ROW 2
#define TEXT_COLUMN 3
#define TEXT_WIDTH 22

int popup_lines = 0;
unsigned char popup_save[POPUP_SAVE_ROWS][POPUP_FRAME_WIDTH * 2];

static const char kBorder[] = "+----------------------+";
static const char kSide[] = "|                      |";

static unsigned char open_popup(int attribute, int lines, int *out_lines, int *out_width,
                                unsigned char *out_row, unsigned char *out_col) {
  unsigned short status;
  if (lines > POPUP_MAX_LINES) lines = POPUP_MAX_LINES;
  if (lines < 0) lines = 0;
  popup_lines = lines;
  for (int row = 1; row <= popup_lines + 2; ++row)
    _VioReadCellStr(popup_save[row - 1], POPUP_FRAME_WIDTH, row, FRAME_COLUMN, &status, 0);
  *out_col = TEXT_COLUMN;
  *out_row = TEXT_ROW;
  *out_lines = popup_lines;
  *out_width = TEXT_WIDTH;
  _VioWrtCharStrAtt(kBorder, POPUP_FRAME_WIDTH, 1, FRAME_COLUMN, attribute, &status, 0);
  for (int row = 2; row <= popup_lines + 1; ++row)
    _VioWrtCharStrAtt(kSide, POPUP_FRAME_WIDTH, row, FRAME_COLUMN, attribute, &status, 0);
  _VioWrtCharStrAtt(kBorder, POPUP_FRAME_WIDTH, popup_lines + 2, FRAME_COLUMN, attribute, &status, 0);
  return 2;
}

static void restore_popup(int *out_lines, int *out_width, unsigned char *out_row, unsigned char *out_col) {
  unsigned short status;
  for (int row = 1; row <= popup_lines + 2; ++row)
    _VioWrtCellStr(popup_save[row - 1], POPUP_FRAME_WIDTH, row, FRAME_COLUMN, &status, 0);
  popup_lines = 0;
  *out_col = 0;
  *out_row = 0;
  *out_lines = 0;
  *out_width = 0;
}

unsigned char popup_window(char op, int attribute, int lines, int *out_lines, int *out_width,
                           unsigned char *out_row, unsigned char *out_col) {
  switch (op) {
    case 'C':
    case 'c': return open_popup(attribute, lines, out_lines, out_width, out_row, out_col);
    case 'R':
    case 'r': restore_popup(out_lines, out_width, out_row, out_col); return 0;
    case 'X':
    case 'x': popup_lines = 0; return 0;
    default: return 0;
  }
}
