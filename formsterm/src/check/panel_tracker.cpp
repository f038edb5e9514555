// panel_tracker.cpp - the field table as the program's commands build it.
#include "check/panel_tracker.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "check/keywords.h"
#include "common/text.h"
#include "terminal.h"

namespace formsterm {

namespace {

constexpr KeywordWindow kField = window_of(KW_FI), kRow = window_of(KW_ROW), kCol = window_of(KW_COL),
                        kLength = window_of(KW_LEN), kResult = window_of(KW_RUV), kHelp = window_of(KW_HELP),
                        kScreen = window_of(KW_SCRN), kVerifyFile = window_of(KW_VERF),
                        kHelpFile = window_of(KW_FILE);
// Where SET_FIE and EXEC_PA find their text: a user variable or a help record.
constexpr KeywordWindow kSourceVariable = window_of(KW_VAR), kSourceRecord = window_of(KW_SOURCE_HELP);

std::optional<std::pair<int, int>> range_after(const std::string &text, KeywordWindow keyword) {
  if (!keyword_piece(text, keyword)) return std::nullopt;
  return std::make_pair(keyword_number(text, keyword), keyword_number(text, keyword, 1));
}

}  // namespace

FieldFacts facts_of(const std::string &definition) {
  FieldFacts f;
  f.number = keyword_number(definition, kField);
  f.row = keyword_number(definition, kRow);
  f.col = keyword_number(definition, kCol);
  f.length = std::abs(keyword_number(definition, kLength));
  if (keyword_piece(definition, kResult)) f.result_variable = keyword_number(definition, kResult);
  f.help = range_after(definition, kHelp);
  f.screen = range_after(definition, kScreen);
  f.verify_file = keyword_piece(definition, kVerifyFile).value_or("");
  return f;
}

PanelTracker::PanelTracker(std::string help_name, std::map<int, std::string> records)
    : help_name_(upper(std::move(help_name))), records_(std::move(records)) {}

std::optional<SourcedText> PanelTracker::source_text(const std::string &text,
                                                     const std::string &where) const {
  if (text.find(kSourceVariable.word) != std::string::npos) {
    const std::optional<std::string> variable =
        termrt::terminal().variable(keyword_number(text, kSourceVariable));
    if (!variable) return std::nullopt;
    return SourcedText{0, *variable, where};
  }
  const int number = keyword_number(text, kSourceRecord);
  auto it = records_.find(number);
  if (current_help_ != help_name_ || it == records_.end()) return std::nullopt;
  return SourcedText{number, it->second, where};
}

std::optional<TrackedPanel> PanelTracker::command_starting(const char *parm, const std::string &where) {
  pending_.reset();
  if (parm == nullptr || std::strlen(parm) < 9) return std::nullopt;
  const std::string command(parm);
  const std::size_t length = static_cast<std::size_t>(std::max(0, std::atoi(command.substr(0, 2).c_str())));
  const std::string text = command.substr(2, length);
  const std::string name = upper(text.substr(0, 7));
  if (name == "CLEAR_P") fields_.clear();
  if (name == "SET_HEL") {
    if (std::optional<std::string> file = keyword_piece(text, kHelpFile)) current_help_ = upper(*file);
  }
  if (name == "SET_FIE") {
    if (std::optional<SourcedText> definition = source_text(text, where)) {
      const int number = facts_of(definition->text).number;
      if (number >= KW_LOW(KW_FI) && number <= KW_HIGH(KW_FI)) pending_ = std::make_pair(number, *definition);
    }
  }
  if (name != "EXEC_PA") return std::nullopt;
  TrackedPanel panel;
  for (const auto &[number, field] : fields_) panel.fields.push_back(field);
  panel.options = source_text(text, where).value_or(SourcedText{0, "", where});
  return panel;
}

void PanelTracker::command_ended(bool failed) {
  if (!pending_) return;
  if (failed)
    fields_.erase(pending_->first);
  else
    fields_[pending_->first] = pending_->second;
  pending_.reset();
}

const SourcedText *PanelTracker::field_at(int row, int col) const {
  for (const auto &[number, field] : fields_) {
    const FieldFacts f = facts_of(field.text);
    if (f.row - 1 == row && col >= f.col - 1 && col < f.col - 1 + std::max(1, f.length)) return &field;
  }
  return nullptr;
}

}  // namespace formsterm
