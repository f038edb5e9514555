// keyword_values.h - the values an author may write after a keyword, each
// with what it makes the driver do, taken from the keyword tables
// (check/keywords.h): the input kinds, the VERT= letters and the option
// letters; and the form of every keyword's value in words. The language
// server offers the values as completions and explains them on hover.
#ifndef FORMSTERM_LSP_KEYWORD_VALUES_H
#define FORMSTERM_LSP_KEYWORD_VALUES_H

#include <string>
#include <vector>

#include "check/keywords.h"

namespace formsterm::lsp {

struct KeywordValue {
  std::string value;    // "R", as written after the keyword
  std::string meaning;  // "range check: ..."
};

// The values of a keyword that takes a word or a letter; empty for one that
// takes a number or a name.
std::vector<KeywordValue> values_of(const Keyword &keyword);

// What the keyword's value is, in words ("Y or N, in capitals").
std::string value_form_of(const Keyword &keyword);

}  // namespace formsterm::lsp

#endif
