// screen.h - the display as text: a framed picture for messages, snapshots
// in text and SVG, and golden screens compared cell by cell with a mask
// character that matches any cell.
#ifndef FORMSTERM_SCREEN_H
#define FORMSTERM_SCREEN_H

#include <optional>
#include <string>
#include <vector>

#include "terminal.h"

namespace formsterm {

// What the display shows at one moment.
struct Snapshot {
  std::vector<std::string> rows;        // 20 rows of 40 characters
  std::vector<std::string> attributes;  // 20 rows of 40 digits
  int cursor_row = 0, cursor_col = 0, cursor_type = 0;
};

Snapshot take_snapshot(const termrt::Terminal &t);

// The 20 rows in a frame with row numbers; rows with highlighted cells get
// their attribute digits beside them; the cursor on a last line.
std::string framed_screen(const Snapshot &s);

// The failure text of a check: what went wrong and the screen now.
std::string failure_with_screen(const std::string &what);

// The golden text form: the 20 rows (trailing blanks dropped), then an
// "@cursor ROW COL" line and an "@attributes" section when asked for.
std::string snapshot_text(const Snapshot &s, bool with_cursor = false, bool with_attributes = false);

// An SVG picture of the display: highlighted cells inverted, the cursor
// underlined when it is shown.
std::string snapshot_svg(const Snapshot &s);

// A golden screen read from its text form. Missing rows and the missing end
// of a short row count as blanks.
struct Golden {
  std::vector<std::string> rows;  // 20 rows of 40 characters
  std::optional<std::vector<std::string>> attributes;
  std::optional<std::pair<int, int>> cursor;
};

// Parses the text form; throws std::runtime_error naming the line at fault.
Golden parse_golden(const std::string &text);

// Empty when s matches the golden; otherwise a description of every row that
// differs, golden and screen side by side.
std::string compare_golden(const Golden &golden, const Snapshot &s, char mask);

// The text form of s as a new golden. The cells that the old golden masked
// stay masked, and the sections it had (or that are asked for) are kept.
std::string updated_golden(const Golden *old, const Snapshot &s, char mask, bool with_cursor,
                           bool with_attributes);

}  // namespace formsterm

#endif
