// screen.cpp - framed screens, snapshots and golden comparison.
#include "driver/screen.h"

#include <sstream>
#include <stdexcept>

#include "common/text.h"

namespace formsterm {

namespace {

const std::string kFrame = "+" + std::string(termrt::kCols, '-') + "+";

std::string two_digits(int n) {
  std::string s = std::to_string(n);
  return s.size() < 2 ? " " + s : s;
}

std::string padded(std::string row) {
  if (row.size() < static_cast<std::size_t>(termrt::kCols)) row.resize(termrt::kCols, ' ');
  return row;
}

bool has_highlight(const std::string &attributes) {
  return attributes.find_first_not_of('0') != std::string::npos;
}

bool cell_matches(char golden, char actual, char mask) { return golden == mask || golden == actual; }

bool row_matches(const std::string &golden, const std::string &actual, char mask) {
  if (golden.size() != actual.size()) return false;
  for (std::size_t i = 0; i < golden.size(); ++i)
    if (!cell_matches(golden[i], actual[i], mask)) return false;
  return true;
}

std::string xml_escaped(char c) {
  switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    default: return std::string(1, c);
  }
}

}  // namespace

Snapshot take_snapshot(const termrt::Terminal &t) {
  Snapshot s;
  for (int r = 0; r < termrt::kRows; ++r) {
    s.rows.push_back(t.row_text(r));
    s.attributes.push_back(t.row_attributes(r));
  }
  s.cursor_row = t.cursor_row();
  s.cursor_col = t.cursor_col();
  s.cursor_type = t.cursor_type();
  return s;
}

std::string framed_screen(const Snapshot &s) {
  std::ostringstream out;
  out << "   " << kFrame << "\n";
  for (std::size_t r = 0; r < s.rows.size(); ++r) {
    out << two_digits(static_cast<int>(r)) << " |" << s.rows[r] << "|";
    if (r < s.attributes.size() && has_highlight(s.attributes[r])) out << " " << s.attributes[r];
    out << "\n";
  }
  out << "   " << kFrame << "\n";
  out << "   cursor " << s.cursor_row << "," << s.cursor_col << (s.cursor_type == 0 ? " (hidden)" : "")
      << "\n";
  return out.str();
}

std::string snapshot_text(const Snapshot &s, bool with_cursor, bool with_attributes) {
  std::string out;
  for (const std::string &row : s.rows) out += right_trimmed(row) + "\n";
  if (with_cursor)
    out += "@cursor " + std::to_string(s.cursor_row) + " " + std::to_string(s.cursor_col) + "\n";
  if (with_attributes) {
    out += "@attributes\n";
    for (const std::string &row : s.attributes) out += row + "\n";
  }
  return out;
}

std::string snapshot_svg(const Snapshot &s) {
  constexpr int kCellWidth = 12, kCellHeight = 22, kMargin = 10;
  const int width = termrt::kCols * kCellWidth + 2 * kMargin;
  const int height = termrt::kRows * kCellHeight + 2 * kMargin;
  std::ostringstream out;
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
      << "\" viewBox=\"0 0 " << width << " " << height << "\">\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"#1b2b1b\"/>\n"
      << "<rect x=\"" << kMargin / 2 << "\" y=\"" << kMargin / 2 << "\" width=\"" << width - kMargin
      << "\" height=\"" << height - kMargin << "\" fill=\"none\" stroke=\"#3c5a3c\"/>\n"
      << "<g font-family=\"DejaVu Sans Mono, monospace\" font-size=\"18\" fill=\"#b8f0b8\">\n";
  for (std::size_t r = 0; r < s.rows.size(); ++r) {
    const int y = kMargin + static_cast<int>(r) * kCellHeight;
    for (int c = 0; c < termrt::kCols; ++c) {
      const int x = kMargin + c * kCellWidth;
      const bool high = r < s.attributes.size() && s.attributes[r][c] != '0';
      if (high)
        out << "<rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << kCellWidth << "\" height=\""
            << kCellHeight << "\" fill=\"#b8f0b8\"/>\n";
      const char ch = s.rows[r][c];
      if (ch == ' ') continue;
      out << "<text x=\"" << x + 1 << "\" y=\"" << y + kCellHeight - 6 << "\""
          << (high ? " fill=\"#1b2b1b\"" : "") << ">" << xml_escaped(ch) << "</text>\n";
    }
  }
  if (s.cursor_type != 0)
    out << "<rect x=\"" << kMargin + s.cursor_col * kCellWidth << "\" y=\""
        << kMargin + s.cursor_row * kCellHeight + kCellHeight - 3 << "\" width=\"" << kCellWidth
        << "\" height=\"3\" fill=\"#f0f080\"/>\n";
  out << "</g>\n</svg>\n";
  return out.str();
}

Golden parse_golden(const std::string &text) {
  Golden g;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  std::vector<std::string> *section = &g.rows;
  const char *section_name = "screen";
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("@cursor", 0) == 0) {
      std::istringstream words(line.substr(7));
      int row = -1, col = -1;
      if (!(words >> row >> col))
        throw std::runtime_error("line " + std::to_string(number) + ": @cursor needs a row and a column");
      g.cursor = std::make_pair(row, col);
      continue;
    }
    if (line == "@attributes") {
      g.attributes.emplace();
      section = &*g.attributes;
      section_name = "attribute";
      continue;
    }
    if (line.size() > static_cast<std::size_t>(termrt::kCols))
      throw std::runtime_error("line " + std::to_string(number) + ": a " + section_name + " row of " +
                               std::to_string(line.size()) + " characters (" + std::to_string(termrt::kCols) +
                               " at most)");
    if (section->size() >= static_cast<std::size_t>(termrt::kRows))
      throw std::runtime_error("line " + std::to_string(number) + ": more than " +
                               std::to_string(termrt::kRows) + " " + section_name + " rows");
    section->push_back(line);
  }
  for (auto *rows : {&g.rows, g.attributes ? &*g.attributes : nullptr}) {
    if (rows == nullptr) continue;
    const char fill = rows == &g.rows ? ' ' : '0';
    rows->resize(termrt::kRows);
    for (std::string &row : *rows) row.resize(termrt::kCols, fill);
  }
  return g;
}

std::string compare_golden(const Golden &golden, const Snapshot &s, char mask) {
  std::ostringstream out;
  bool differs = false;
  for (int r = 0; r < termrt::kRows; ++r) {
    const std::string actual = padded(s.rows[r]);
    const bool same = row_matches(golden.rows[r], actual, mask);
    if (!same) differs = true;
    out << (same ? "  " : "> ") << two_digits(r) << " |" << golden.rows[r] << "|  |" << actual << "|\n";
  }
  if (golden.attributes) {
    for (int r = 0; r < termrt::kRows; ++r) {
      if (row_matches((*golden.attributes)[r], s.attributes[r], mask)) continue;
      differs = true;
      out << "> attributes of row " << r << ": golden " << (*golden.attributes)[r] << "\n"
          << "                          screen " << s.attributes[r] << "\n";
    }
  }
  if (golden.cursor && (golden.cursor->first != s.cursor_row || golden.cursor->second != s.cursor_col)) {
    differs = true;
    out << "> cursor: golden " << golden.cursor->first << "," << golden.cursor->second << ", screen "
        << s.cursor_row << "," << s.cursor_col << "\n";
  }
  if (!differs) return "";
  return "      golden" + std::string(termrt::kCols - 3, ' ') + "screen\n" + out.str();
}

std::string updated_golden(const Golden *old, const Snapshot &s, char mask, bool with_cursor,
                           bool with_attributes) {
  Snapshot masked = s;
  if (old != nullptr) {
    for (int r = 0; r < termrt::kRows; ++r)
      for (int c = 0; c < termrt::kCols; ++c) {
        if (old->rows[r][c] == mask) masked.rows[r][c] = mask;
        if (old->attributes && (*old->attributes)[r][c] == mask) masked.attributes[r][c] = mask;
      }
    with_cursor = with_cursor || old->cursor.has_value();
    with_attributes = with_attributes || old->attributes.has_value();
  }
  return snapshot_text(masked, with_cursor, with_attributes);
}

std::string failure_with_screen(const std::string &what) {
  std::string screen = framed_screen(take_snapshot(termrt::terminal()));
  screen.pop_back();  // the last line break; a traceback may follow
  return what + "\n" + screen;
}

}  // namespace formsterm
