// display.cpp - writing and reading the display's cells.
#include "internal/display.h"

namespace termrt {

namespace {

bool on_display(int row, int col) { return row >= 0 && row < kRows && col >= 0 && col < kCols; }

}  // namespace

void Display::reset() {
  ++changes_;
  clear();
  cursor_row_ = cursor_col_ = cursor_type_ = 0;
}

const Cell &Display::cell(int row, int col) const {
  static const Cell outside{};
  return on_display(row, col) ? cells_[row][col] : outside;
}

std::string Display::row_text(int row) const {
  std::string out(kCols, ' ');
  if (row < 0 || row >= kRows) return out;
  for (int c = 0; c < kCols; ++c) {
    unsigned char ch = cells_[row][c].ch;
    out[c] = (ch < 32 || ch > 126) ? ' ' : static_cast<char>(ch);
  }
  return out;
}

std::string Display::row_attributes(int row) const {
  std::string out(kCols, '0');
  if (row < 0 || row >= kRows) return out;
  for (int c = 0; c < kCols; ++c) out[c] = static_cast<char>('0' + cells_[row][c].attr % 10);
  return out;
}

void Display::write(int row, int col, const char *text, int length, int attr, bool set_attr) {
  ++changes_;
  if (text == nullptr || row < 0 || row >= kRows) return;
  for (int i = 0; i < length; ++i) {
    int c = col + i;
    if (c >= kCols) break;
    if (c < 0) continue;
    cells_[row][c].ch = static_cast<unsigned char>(text[i]);
    if (set_attr) cells_[row][c].attr = static_cast<unsigned char>(attr);
  }
}

void Display::fill(int row, int col, int character, int count) {
  ++changes_;
  if (row < 0 || row >= kRows) return;
  for (int i = 0; i < count; ++i) {
    int c = col + i;
    if (c >= kCols) break;
    if (c >= 0) cells_[row][c].ch = static_cast<unsigned char>(character);
  }
}

void Display::read_cells(unsigned char *cells, int count, int row, int col) const {
  if (cells == nullptr) return;
  for (int i = 0; i < count; ++i) {
    const Cell &c = cell(row, col + i);
    cells[2 * i] = c.ch;
    cells[2 * i + 1] = c.attr;
  }
}

void Display::write_cells(const unsigned char *cells, int count, int row, int col) {
  ++changes_;
  if (cells == nullptr || row < 0 || row >= kRows) return;
  for (int i = 0; i < count; ++i) {
    int c = col + i;
    if (c >= kCols) break;
    if (c < 0) continue;
    cells_[row][c].ch = cells[2 * i];
    cells_[row][c].attr = cells[2 * i + 1];
  }
}

void Display::clear() {
  ++changes_;
  for (auto &row : cells_)
    for (auto &c : row) c = Cell{};
}

bool Display::set_cursor(int row, int col) {
  ++changes_;
  if (!on_display(row, col)) return false;
  cursor_row_ = row;
  cursor_col_ = col;
  return true;
}

}  // namespace termrt
