// keyword_values.cpp - the values and value forms of the keywords, from the
// keyword tables and the library's grammar.
#include "lsp/keyword_values.h"

#include <map>

namespace formsterm::lsp {

namespace {

// What an input kind lets the operator enter, for people.
std::string input_meaning(std::string_view word, std::string_view template_text) {
  static const std::map<std::string_view, std::string_view> meanings = {
      {"NUM", "digits; LEN=-n allows a sign, LEN=n.d decimals"},
      {"AINUM", "digits, keyed or scanned with a Data ID"},
      {"ALPHA", "any characters"},
      {"AIALPHA", "any characters, keyed or scanned with a Data ID"},
      {"AI", "a scan with its Data ID"},
      {"DATE_AMER", "a date"},
      {"DATE_EURO", "a date"},
      {"TIME_STD", "a time of day"},
      {"PASSWORD", "characters shown as stars"},
  };
  auto it = meanings.find(word);
  std::string meaning = it == meanings.end() ? std::string() : std::string(it->second);
  if (!template_text.empty()) meaning += ", as " + std::string(template_text);
  return meaning;
}

std::vector<KeywordValue> input_kind_values() {
  std::vector<KeywordValue> kinds;
  for (const InputKind &k : input_kinds())
    kinds.push_back({std::string(k.word), input_meaning(k.word, k.stored_form)});
  return kinds;
}

std::string range_text(long long low, long long high) {
  return high > low ? " " + std::to_string(low) + " to " + std::to_string(high) : std::string();
}

}  // namespace

std::vector<KeywordValue> values_of(const Keyword &keyword) {
  std::vector<KeywordValue> values;
  switch (keyword.form) {
    case ValueForm::input_word: return input_kind_values();
    case ValueForm::verify:
      for (const VerifyLetter &v : verify_letters())
        values.push_back({std::string(1, v.letter), std::string(v.meaning)});
      break;
    case ValueForm::yes_no: return {{"Y", "yes"}, {"N", "no"}};
    case ValueForm::letter:
      for (char letter : keyword.letters)
        values.push_back({std::string(1, letter), std::string(1, letter) == keyword.default_value
                                                      ? "as without " + std::string(keyword.name)
                                                      : std::string()});
      break;
    default: break;
  }
  return values;
}

std::string value_form_of(const Keyword &keyword) {
  std::string form;
  switch (keyword.form) {
    case ValueForm::number: form = "a number" + range_text(keyword.low, keyword.high); break;
    case ValueForm::variable: form = "a user variable" + range_text(keyword.low, keyword.high); break;
    case ValueForm::letter: {
      std::string letters;
      for (char c : keyword.letters) letters += (letters.empty() ? "" : ", ") + std::string(1, c);
      form = "one letter of " + letters + ", as written";
      break;
    }
    case ValueForm::yes_no: form = "Y or N, in capitals"; break;
    case ValueForm::name:
      form =
          "a name" + (keyword.high > 0 ? " of at most " + std::to_string(keyword.high) + " characters" : "");
      break;
    case ValueForm::input_word: form = "an input kind, letter case ignored"; break;
    case ValueForm::length:
      form = "a length" + range_text(keyword.low, keyword.high) + "; -n signed, n.d with d decimals";
      break;
    case ValueForm::records:
      form = "the first and last record" + range_text(keyword.low, keyword.high) + ", after a comma";
      break;
    case ValueForm::verify:
      form = "a letter; after F one record number, after R and S two, after commas";
      break;
  }
  if (!keyword.example.empty())
    form += ". E.g. " + std::string(keyword.example) +
            (keyword.example_means.empty() ? "" : ": " + std::string(keyword.example_means));
  return form;
}

}  // namespace formsterm::lsp
