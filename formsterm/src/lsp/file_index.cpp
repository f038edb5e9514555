// file_index.cpp - records and record-number uses of an open help file,
// found by the driver's own rules (a keyword at the first place its
// characters occur, its value cut at separators within its window).
#include "lsp/file_index.h"

#include <cctype>
#include <cstdlib>

#include "check/check_mode.h"

namespace formsterm::lsp {

namespace {

struct Piece {
  std::size_t at, length;
};

// The pieces of the value after the keyword found at keyword_at, in the
// keyword's window: bytes of text.
std::vector<Piece> value_pieces(const std::string &text, std::size_t keyword_at, const Keyword &k) {
  std::vector<Piece> pieces;
  const std::size_t start = keyword_at + k.name.size();
  const std::size_t end = std::min(text.size(), start + k.window);
  std::size_t i = start;
  while (i < end) {
    while (i < end && is_separator(text[i])) ++i;
    if (i >= end) break;
    std::size_t stop = i;
    while (stop < end && !is_separator(text[stop])) ++stop;
    pieces.push_back({i, stop - i});
    i = stop;
  }
  return pieces;
}

// The pieces of the keyword's value that are record numbers, and how many
// numbers its range takes (the second closes the range).
void add_uses(const std::string &line_text, std::size_t line, int record, std::vector<NumberUse> &uses) {
  const std::string text = line_text.size() > kTextStart ? line_text.substr(kTextStart) : std::string();
  for (const char *name : {"HELP=", "SCRN=", "VERT="}) {
    const Keyword *k = find_keyword(Command::field_definition, name);
    const std::size_t at = text.find(name);
    if (k == nullptr || at == std::string::npos) continue;
    std::vector<Piece> pieces = value_pieces(text, at, *k);
    std::size_t numbers = 2;
    if (k->name == "VERT=") {
      const char letter = pieces.empty() ? ' ' : text[pieces.front().at];
      numbers = letter == 'F' ? 1 : (letter == 'R' || letter == 'S') ? 2 : 0;
      if (!pieces.empty()) pieces.erase(pieces.begin());
    }
    if (pieces.size() > numbers) pieces.resize(numbers);
    if (pieces.empty()) continue;
    const int first = std::atoi(text.c_str() + pieces[0].at);
    const int last = pieces.size() > 1 ? std::atoi(text.c_str() + pieces[1].at) : first;
    for (const Piece &p : pieces)
      uses.push_back({line, record, std::string(k->name), at + kTextStart, p.at + kTextStart, p.length,
                      std::atoi(text.c_str() + p.at), first, last});
  }
}

bool is_word_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

}  // namespace

std::optional<Command> command_of(RecordKind kind) {
  switch (kind) {
    case RecordKind::field_definition: return Command::field_definition;
    case RecordKind::panel_options: return Command::panel_options;
    case RecordKind::text: break;
  }
  return std::nullopt;
}

FileIndex::FileIndex(const Document &document) {
  record_of_line_.resize(document.line_count());
  for (std::size_t line = 0; line < document.line_count(); ++line) {
    const std::string line_text(document.line(line));
    const std::optional<int> number = record_number(line_text);
    if (!number) continue;
    const std::string text = text_of(line_text);
    const RecordKind kind = is_field_definition(text) ? RecordKind::field_definition
                            : is_panel_options(text)  ? RecordKind::panel_options
                                                      : RecordKind::text;
    record_of_line_[line] = records_.size();
    records_.push_back({line, *number, kind});
    if (kind == RecordKind::field_definition) add_uses(line_text, line, *number, uses_);
  }
}

const LineRecord *FileIndex::record_at(std::size_t line) const {
  if (line >= record_of_line_.size() || !record_of_line_[line]) return nullptr;
  return &records_[*record_of_line_[line]];
}

const LineRecord *FileIndex::record_numbered(int number) const {
  for (const LineRecord &r : records_)
    if (r.number == number) return &r;
  return nullptr;
}

const NumberUse *FileIndex::use_at(std::size_t line, std::size_t byte) const {
  for (const NumberUse &u : uses_)
    if (u.line == line && byte >= u.at && byte <= u.at + u.length) return &u;
  return nullptr;
}

std::vector<const NumberUse *> FileIndex::uses_reading(int number) const {
  std::vector<const NumberUse *> reading;
  for (const NumberUse &u : uses_) {
    const bool same_keyword =
        !reading.empty() && reading.back()->line == u.line && reading.back()->keyword_at == u.keyword_at;
    if (!same_keyword && number >= u.first && number <= u.last) reading.push_back(&u);
  }
  return reading;
}

std::optional<WordAt> word_at(const std::string &text, std::size_t byte) {
  if (byte > text.size()) return std::nullopt;
  std::size_t start = byte;
  while (start > 0 && is_word_char(text[start - 1])) --start;
  std::size_t end = byte;
  while (end < text.size() && is_word_char(text[end])) ++end;
  if (start == end) return std::nullopt;
  if (end < text.size() && text[end] == '=') ++end;
  return WordAt{start, end - start, text.substr(start, end - start)};
}

}  // namespace formsterm::lsp
