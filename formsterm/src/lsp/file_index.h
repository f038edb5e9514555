// file_index.h - what the language server knows of an open help file beyond
// its findings: the records on each line, the keyword under a position, and
// the record numbers that HELP=, SCRN= and VERT= name, with their bytes.
#ifndef FORMSTERM_LSP_FILE_INDEX_H
#define FORMSTERM_LSP_FILE_INDEX_H

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "check/keywords.h"
#include "lsp/document.h"

namespace formsterm::lsp {

enum class RecordKind { field_definition, panel_options, text };

struct LineRecord {
  std::size_t line = 0;
  int number = 0;
  RecordKind kind = RecordKind::text;
};

// A record number in a keyword's value: HELP=100,105 holds two, each naming
// the range 100 to 105; VERT=F,31 one.
struct NumberUse {
  std::size_t line = 0;            // the line of the definition
  int record = 0;                  // the definition's own number
  std::string keyword;             // "HELP="
  std::size_t keyword_at = 0;      // bytes of the line
  std::size_t at = 0, length = 0;  // the number's bytes of the line
  int names = 0;                   // the number as the driver reads it
  int first = 0, last = 0;         // the records the keyword reads
};

// The text of a line after its record number and separator.
constexpr std::size_t kTextStart = 5;

class FileIndex {
 public:
  explicit FileIndex(const Document &document);

  const std::vector<LineRecord> &records() const { return records_; }
  const std::vector<NumberUse> &number_uses() const { return uses_; }
  const LineRecord *record_at(std::size_t line) const;
  const LineRecord *record_numbered(int number) const;  // the first line with it
  // The use whose number holds the byte of the line.
  const NumberUse *use_at(std::size_t line, std::size_t byte) const;
  // The uses whose keyword reads record number.
  std::vector<const NumberUse *> uses_reading(int number) const;

 private:
  std::vector<LineRecord> records_;
  std::vector<std::optional<std::size_t>> record_of_line_;
  std::vector<NumberUse> uses_;
};

std::optional<Command> command_of(RecordKind kind);

// The WORD= token (or the word being typed) that holds the byte of text.
struct WordAt {
  std::size_t at = 0, length = 0;  // the word's bytes, "=" included when written
  std::string word;
};
std::optional<WordAt> word_at(const std::string &text, std::size_t byte);

}  // namespace formsterm::lsp

#endif
