// document.cpp - the editor's copy of a help file and its positions.
#include "lsp/document.h"

#include <algorithm>

namespace formsterm::lsp {

namespace {

bool is_continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// UTF-16 units of the sequence at text[at] of len bytes: two for a
// character beyond the basic plane.
std::size_t units_of(std::size_t len) { return len == 4 ? 2 : 1; }

}  // namespace

std::size_t sequence_length(std::string_view text, std::size_t at) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  std::size_t len = lead < 0x80           ? 1
                    : (lead >> 5) == 0x6  ? 2
                    : (lead >> 4) == 0xE  ? 3
                    : (lead >> 3) == 0x1E ? 4
                                          : 1;
  if (at + len > text.size()) return 1;
  for (std::size_t i = 1; i < len; ++i)
    if (!is_continuation(static_cast<unsigned char>(text[at + i]))) return 1;
  return len;
}

Document::Document(std::string text) : text_(std::move(text)) { index_lines(); }

void Document::index_lines() {
  line_starts_.assign(1, 0);
  for (std::size_t i = 0; i < text_.size(); ++i)
    if (text_[i] == '\n') line_starts_.push_back(i + 1);
}

std::string_view Document::line(std::size_t index) const {
  index = std::min(index, line_starts_.size() - 1);
  const std::size_t start = line_starts_[index];
  std::size_t end = index + 1 < line_starts_.size() ? line_starts_[index + 1] - 1 : text_.size();
  if (end > start && text_[end - 1] == '\r') --end;
  return std::string_view(text_).substr(start, end - start);
}

std::size_t Document::offset_of(Position at) const {
  if (at.line >= line_starts_.size()) return text_.size();
  const std::string_view text = line(at.line);
  std::size_t byte = 0, units = 0;
  while (byte < text.size() && units < at.character) {
    const std::size_t len = sequence_length(text, byte);
    units += units_of(len);
    byte += len;
  }
  return line_starts_[at.line] + byte;
}

Position Document::position_at(std::size_t line_index, std::size_t byte) const {
  line_index = std::min(line_index, line_starts_.size() - 1);
  const std::string_view text = line(line_index);
  byte = std::min(byte, text.size());
  std::size_t at = 0, units = 0;
  while (at < byte) {
    const std::size_t len = sequence_length(text, at);
    units += units_of(len);
    at += len;
  }
  return {line_index, units};
}

void Document::replace(Position from, Position to, std::string_view with) {
  std::size_t start = offset_of(from), end = offset_of(to);
  if (start > end) std::swap(start, end);
  text_.replace(start, end - start, with);
  index_lines();
}

void Document::set_text(std::string text) {
  text_ = std::move(text);
  index_lines();
}

}  // namespace formsterm::lsp
