// display.h - the terminal's 20x40 display of cells and its cursor.
//
// Writes are clipped at the edges and never wrap; reads outside give blanks.
#ifndef TERMRT_INTERNAL_DISPLAY_H
#define TERMRT_INTERNAL_DISPLAY_H

#include <string>

#include "terminal.h"

namespace termrt {

class Display {
 public:
  void reset();

  const Cell &cell(int row, int col) const;
  std::string row_text(int row) const;
  std::string row_attributes(int row) const;
  int cursor_row() const { return cursor_row_; }
  int cursor_col() const { return cursor_col_; }
  int cursor_type() const { return cursor_type_; }
  // How many writes, clears and cursor moves there have been: a host that
  // keeps pictures of the display takes a new one only when this moved.
  unsigned long long changes() const { return changes_; }

  // Characters from text; their attribute too when set_attr.
  void write(int row, int col, const char *text, int length, int attr, bool set_attr);
  void fill(int row, int col, int character, int count);
  // cells holds count (character, attribute) pairs.
  void read_cells(unsigned char *cells, int count, int row, int col) const;
  void write_cells(const unsigned char *cells, int count, int row, int col);
  void clear();
  bool set_cursor(int row, int col);  // false when the place is off the display
  void set_cursor_type(int type) {
    ++changes_;
    cursor_type_ = type;
  }

 private:
  Cell cells_[kRows][kCols];
  int cursor_row_ = 0, cursor_col_ = 0, cursor_type_ = 0;
  unsigned long long changes_ = 0;
};

}  // namespace termrt

#endif
