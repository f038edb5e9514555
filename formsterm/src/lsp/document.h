// document.h - an open help file as the editor holds it: its text, the
// edits the editor sends, and the translation between the editor's
// positions (line, UTF-16 unit) and byte offsets. Every position is clamped
// to the text, whatever the editor sends; bytes that are not UTF-8 count as
// one unit each.
#ifndef FORMSTERM_LSP_DOCUMENT_H
#define FORMSTERM_LSP_DOCUMENT_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace formsterm::lsp {

struct Position {
  std::size_t line = 0;
  std::size_t character = 0;  // UTF-16 units from the line's start
};

class Document {
 public:
  explicit Document(std::string text = {});

  const std::string &text() const { return text_; }
  std::size_t line_count() const { return line_starts_.size(); }
  // The line's bytes without its line end (the last line clamped).
  std::string_view line(std::size_t index) const;

  // Replaces the bytes between two positions (clamped, in either order).
  void replace(Position from, Position to, std::string_view with);
  void set_text(std::string text);

  std::size_t offset_of(Position at) const;  // a byte offset in text()
  // The position of a byte of a line, clamped to the line.
  Position position_at(std::size_t line, std::size_t byte) const;

 private:
  void index_lines();
  std::string text_;
  std::vector<std::size_t> line_starts_;
};

// The byte length of the UTF-8 sequence that starts with lead (1 for a byte
// that starts none).
std::size_t sequence_length(std::string_view text, std::size_t at);

}  // namespace formsterm::lsp

#endif
