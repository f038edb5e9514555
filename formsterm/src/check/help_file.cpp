// help_file.cpp - reading a help file as numbered records.
#include "check/help_file.h"

#include <cctype>
#include <cstdio>

#include "check/keywords.h"

namespace formsterm {

std::string four_digits(int n) {
  char key[16];
  std::snprintf(key, sizeof key, "%04d", n);
  return key;
}

std::string text_of(const std::string &record) {
  return record.size() > 5 ? record.substr(5) : std::string();
}

bool is_field_definition(const std::string &text) { return text.find(KW_WORD(KW_FI)) != std::string::npos; }

bool is_panel_options(const std::string &text) {
  if (is_field_definition(text)) return false;
  for (const Keyword &k : keywords_of(Command::panel_options))
    if (k.name.size() > 2 && text.find(k.name) != std::string::npos) return true;
  // The short ones only as tokens of their own: "T=" is in many a text.
  for (const KeywordToken &token : keyword_tokens(text))
    if (token.word == KW_WORD(KW_T) || token.word == KW_WORD(KW_L)) return true;
  return false;
}

std::vector<HelpRecord> split_records(const std::string &content) {
  std::vector<HelpRecord> records;
  const bool image = content.find('\0') != std::string::npos;
  const char end_of_record = image ? '\0' : '\n';
  std::size_t start = 0;
  int line = 0;
  while (start < content.size()) {
    std::size_t end = content.find(end_of_record, start);
    if (end == std::string::npos) end = content.size();
    std::string text = content.substr(start, end - start);
    if (!image && !text.empty() && text.back() == '\r') text.pop_back();
    records.push_back(HelpRecord{++line, text});
    start = end + 1;
  }
  return records;
}

std::optional<int> record_number(const std::string &record) {
  if (record.size() < 4) return std::nullopt;
  int number = 0;
  for (int i = 0; i < 4; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(record[i]))) return std::nullopt;
    number = number * 10 + (record[i] - '0');
  }
  return number;
}

HelpIndex::HelpIndex(const std::vector<HelpRecord> &records) {
  for (const HelpRecord &r : records)
    if (std::optional<int> n = record_number(r.text)) by_number_.emplace(*n, &r);
}

const HelpRecord *HelpIndex::find(int number) const {
  auto it = by_number_.find(number);
  return it == by_number_.end() ? nullptr : it->second;
}

int HelpIndex::line_of(int number) const {
  const HelpRecord *r = find(number);
  return r ? r->line : 0;
}

}  // namespace formsterm
