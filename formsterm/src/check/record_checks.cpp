// record_checks.cpp - the layout of a help file, its message records and
// the records that VERT= masks and bounds name.
#include "check/record_checks.h"

#include <cstdlib>
#include <cstring>
#include <map>

#include "check/keywords.h"
#include "driver/result_codes.h"

namespace formsterm {

namespace {

constexpr KeywordWindow kVerify = window_of(KW_VERT);

}  // namespace

// "Z8 (INPUT= word not known)"
std::string code_with_meaning(const std::string &code) {
  const ResultCode *entry = find_result_code(code);
  return code + (entry ? " (" + std::string(entry->meaning) + ")" : std::string());
}

std::vector<Finding> check_layout(const std::vector<HelpRecord> &records) {
  std::vector<Finding> findings;
  std::map<int, int> lines_of_number;
  const HelpRecord *previous = nullptr;
  for (const HelpRecord &r : records) {
    const std::optional<int> number = record_number(r.text);
    if (!number) {
      findings.push_back({"no-record-number", r.line,
                          r.text.empty() ? "an empty record: every record begins with a four-digit number"
                                         : "the record does not begin with a four-digit number: \"" +
                                               r.text.substr(0, 20) + "\""});
      continue;
    }
    auto [it, inserted] = lines_of_number.emplace(*number, r.line);
    if (!inserted)
      findings.push_back({"record-twice", r.line,
                          "record " + four_digits(*number) + " again: line " + std::to_string(it->second) +
                              " has the same number, and the lookup finds only one of them"});
    else if (previous != nullptr &&
             std::strcmp(previous->text.c_str(), r.text.c_str()) > 0)  // the lookup's byte order
      findings.push_back({"record-order", r.line,
                          "record " + four_digits(*number) + " is out of order: it follows record " +
                              previous->text.substr(0, 4) + " of line " + std::to_string(previous->line) +
                              ", and the lookup's binary search needs ascending order"});
    previous = &r;
  }
  return findings;
}

std::vector<Finding> check_messages(const std::vector<HelpRecord> &records) {
  std::map<int, const HelpRecord *> by_number;
  for (const HelpRecord &r : records)
    if (std::optional<int> n = record_number(r.text)) by_number.emplace(*n, &r);
  std::vector<Finding> findings;
  for (const MessageRecord &message : message_records()) {
    const int number = message.number;
    auto it = by_number.find(number);
    if (it == by_number.end()) {
      findings.push_back({"message-missing", 0,
                          "message record " + four_digits(number) + " is missing; the driver shows it " +
                              std::string(message.when)});
      continue;
    }
    const std::string text = text_of(it->second->text);
    if (text.size() > kPopupWidth)
      findings.push_back({"message-too-wide", it->second->line,
                          "record " + four_digits(number) + ": a message of " + std::to_string(text.size()) +
                              " characters; its popup line shows the first " + std::to_string(kPopupWidth) +
                              ": \"" + text.substr(0, kPopupWidth) + "\"",
                          true});
  }
  return findings;
}

std::vector<Finding> check_references(const std::vector<HelpRecord> &records) {
  std::map<int, bool> present;
  for (const HelpRecord &r : records)
    if (std::optional<int> n = record_number(r.text)) present[*n] = true;
  std::vector<Finding> findings;
  for (const HelpRecord &r : records) {
    const std::optional<int> number = record_number(r.text);
    const std::string text = text_of(r.text);
    if (!number || !is_field_definition(text)) continue;
    const std::optional<std::string> letter = keyword_piece(text, kVerify);
    if (!letter || letter->empty()) continue;
    const char kind = (*letter)[0];
    const VerifyLetter *verify = find_verify_letter(kind);
    // The list check skips missing records: only a letter with a code for them counts.
    if (verify == nullptr || verify->missing_first.empty()) continue;
    const std::string_view codes[2] = {verify->missing_first, verify->missing_second};
    for (int bound = 0; bound < verify->records; ++bound) {
      const std::optional<std::string> piece = keyword_piece(text, kVerify, bound + 1);
      if (!piece) break;
      const int referenced = std::atoi(piece->c_str());
      if (referenced < KW_LOW(KW_VERT) || referenced > KW_HIGH(KW_VERT) || present.count(referenced))
        continue;
      findings.push_back({"record-missing", r.line,
                          "record " + four_digits(*number) + ": VERT=" + std::string(1, kind) +
                              " reads record " + four_digits(referenced) +
                              ", which is missing; validation reports " +
                              code_with_meaning(std::string(codes[bound])) + " and refuses the value"});
    }
  }
  return findings;
}

}  // namespace formsterm
