// keyword_values.h - the values an author may write after a keyword, each
// with what it makes the driver do: the input kinds, the VERT= letters and
// the option letters. The language server offers them as completions and
// explains them on hover.
#ifndef FORMSTERM_LSP_KEYWORD_VALUES_H
#define FORMSTERM_LSP_KEYWORD_VALUES_H

#include <string_view>
#include <vector>

namespace formsterm::lsp {

struct KeywordValue {
  std::string_view value;    // "R", as written after the keyword
  std::string_view meaning;  // "range check: ..."
};

// The values of keyword ("VERT="), empty for a keyword that takes a number
// or a name.
const std::vector<KeywordValue> &values_of(std::string_view keyword);

// What the value of keyword is, in a few words ("two record numbers ...").
std::string_view value_form_of(std::string_view keyword);

}  // namespace formsterm::lsp

#endif
