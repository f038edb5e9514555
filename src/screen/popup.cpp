/*
 * popup.cpp - opening, restoring and forgetting the popup window.
 */
#include "screen/popup.h"

#include "platform/termrt.h"

static const char kBorder[] = POPUP_BORDER;
static const char kSide[] = POPUP_SIDE;

static void hand_out(struct PopupArea *area, int lines, int width, unsigned char row, unsigned char col) {
  if (area == 0) return;
  area->lines = lines;
  area->width = width;
  area->row = row;
  area->col = col;
}

static unsigned char open_popup(int attribute, int lines, struct PopupArea *area) {
  unsigned short status;
  if (lines > POPUP_MAX_LINES) lines = POPUP_MAX_LINES;
  if (lines < 0) lines = 0;
  popup_lines = lines;
  for (int row = POPUP_FRAME_ROW; row <= popup_lines + 2; ++row)
    _VioReadCellStr(popup_save[row - 1], POPUP_FRAME_WIDTH, row, POPUP_FRAME_COLUMN, &status, 0);
  hand_out(area, popup_lines, POPUP_TEXT_WIDTH, POPUP_TEXT_ROW, POPUP_TEXT_COLUMN);
  _VioWrtCharStrAtt(kBorder, POPUP_FRAME_WIDTH, POPUP_FRAME_ROW, POPUP_FRAME_COLUMN, attribute, &status, 0);
  for (int row = POPUP_TEXT_ROW; row <= popup_lines + 1; ++row)
    _VioWrtCharStrAtt(kSide, POPUP_FRAME_WIDTH, row, POPUP_FRAME_COLUMN, attribute, &status, 0);
  _VioWrtCharStrAtt(kBorder, POPUP_FRAME_WIDTH, popup_lines + 2, POPUP_FRAME_COLUMN, attribute, &status, 0);
  return 2;
}

static void restore_popup(struct PopupArea *area) {
  unsigned short status;
  for (int row = POPUP_FRAME_ROW; row <= popup_lines + 2; ++row)
    _VioWrtCellStr(popup_save[row - 1], POPUP_FRAME_WIDTH, row, POPUP_FRAME_COLUMN, &status, 0);
  popup_lines = 0;
  hand_out(area, 0, 0, 0, 0);
}

unsigned char popup_window(char op, int attribute, int lines, struct PopupArea *area) {
  switch (op) {
    case 'C':
    case 'c': return open_popup(attribute, lines, area);
    case 'R':
    case 'r': restore_popup(area); return 0;
    case 'X':
    case 'x': popup_lines = 0; return 0;
    default: return 0;
  }
}
