// transcript.cpp - taking the terminal's state and writing what changed.
#include "transcript.h"

#include <cstdio>

#include "terminal.h"

namespace replay {

namespace {

constexpr char kUndefined[] = "(undefined)";

std::string cell_bytes(int row) {
  std::string text;
  for (int c = 0; c < termrt::kCols; ++c) text += static_cast<char>(termrt::terminal().cell(row, c).ch);
  return text;
}

// hh:mm:ss.mmm of a virtual time.
std::string clock_text(long long ms) {
  termrt::DateTime when = termrt::civil_from_ms(ms);
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", when.hour, when.minute, when.second,
                static_cast<int>(ms % 1000));
  return text;
}

}  // namespace

std::string escaped(const std::string &bytes) {
  std::string out;
  for (char c : bytes) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7f && u != '\\') {
      out += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", u);
      out += hex;
    }
  }
  return out;
}

Recorder::State Recorder::take() {
  const termrt::Terminal &t = termrt::terminal();
  State s;
  for (int r = 0; r < termrt::kRows; ++r) {
    s.rows.push_back(cell_bytes(r));
    s.attributes.push_back(t.row_attributes(r));
  }
  s.cursor_row = t.cursor_row();
  s.cursor_col = t.cursor_col();
  s.cursor_type = t.cursor_type();
  for (int n : t.variable_numbers()) s.variables[n] = t.variable(n).value_or(kUndefined);
  s.log_size = t.log().size();
  return s;
}

std::string Recorder::begin_step(const fuzz::Line &line, int step) {
  before_ = take();
  return "step " + std::to_string(step) + " " + escaped(std::string(1, line.tag) + line.payload) + "\n";
}

std::string Recorder::end_step(int result) {
  const termrt::Terminal &t = termrt::terminal();
  State after = take();
  std::string out = "  -> " + std::to_string(result) + "\n";
  const std::string no_attributes(termrt::kCols, '0');
  for (int r = 0; r < termrt::kRows; ++r) {
    bool text_changed = after.rows[r] != before_.rows[r];
    bool attributes_changed = after.attributes[r] != before_.attributes[r];
    if (!text_changed && !attributes_changed) continue;
    char label[16];
    std::snprintf(label, sizeof label, "  row %2d ", r);
    out += label + std::string("|") + escaped(after.rows[r]) + "|\n";
    if (attributes_changed || after.attributes[r] != no_attributes)
      out += "      attr |" + after.attributes[r] + "|\n";
  }
  if (after.cursor_row != before_.cursor_row || after.cursor_col != before_.cursor_col ||
      after.cursor_type != before_.cursor_type)
    out += "  cursor " + std::to_string(after.cursor_row) + "," + std::to_string(after.cursor_col) +
           " type " + std::to_string(after.cursor_type) + "\n";
  for (const auto &kv : after.variables) {
    auto was = before_.variables.find(kv.first);
    if (was == before_.variables.end() || was->second != kv.second)
      out += "  uv " + std::to_string(kv.first) + " \"" + escaped(kv.second) + "\"\n";
  }
  for (const auto &kv : before_.variables)
    if (after.variables.count(kv.first) == 0)
      out += "  uv " + std::to_string(kv.first) + " " + kUndefined + "\n";
  const auto &log = t.log();
  for (std::size_t i = before_.log_size; i < log.size(); ++i)
    out += "  log " + clock_text(log[i].at_ms) + " " + escaped(log[i].what) + "\n";
  if (t.starved()) out += "  starved: " + escaped(t.starvation()) + "\n";
  return out;
}

}  // namespace replay
