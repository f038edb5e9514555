// features.h - the answers of the language server's requests on an open
// help file: hover, completion, definition, references, document symbols
// and code actions, each as the protocol's JSON result.
#ifndef FORMSTERM_LSP_FEATURES_H
#define FORMSTERM_LSP_FEATURES_H

#include <nlohmann/json.hpp>
#include <string>

#include "lsp/document.h"
#include "lsp/file_index.h"

namespace formsterm::lsp {

using nlohmann::json;

// An open file and what is known of it, as one request sees it.
struct FileView {
  const std::string &uri;
  const Document &document;
  const FileIndex &index;
};

json hover(const FileView &file, Position at);
json completion(const FileView &file, Position at);
json definition(const FileView &file, Position at);
json references(const FileView &file, Position at, bool with_declaration);
json document_symbols(const FileView &file);
// diagnostics: those the client sends along, which the actions then fix.
json code_actions(const FileView &file, std::size_t first_line, std::size_t last_line,
                  const json &diagnostics);

// {"start": ..., "end": ...} over bytes of a line.
json range_json(const Document &document, std::size_t line, std::size_t at, std::size_t length);
Position position_from(const json &position);  // clamped to what a size_t holds

}  // namespace formsterm::lsp

#endif
