// panel_tracker.cpp - the field table as the program's commands build it.
#include "check/panel_tracker.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "check/keywords.h"
#include "terminal.h"

namespace formsterm {

namespace {

int number_after(const std::string &text, const char *keyword, std::size_t window, int piece = 0) {
  const std::optional<std::string> value = keyword_piece(text, keyword, window, piece);
  return value ? std::atoi(value->c_str()) : 0;
}

std::string upper(std::string text) {
  for (char &c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::optional<std::pair<int, int>> range_after(const std::string &text, const char *keyword) {
  if (!keyword_piece(text, keyword, 15)) return std::nullopt;
  return std::make_pair(number_after(text, keyword, 15), number_after(text, keyword, 15, 1));
}

}  // namespace

FieldFacts facts_of(const std::string &definition) {
  FieldFacts f;
  f.number = number_after(definition, "FI=", 10);
  f.row = number_after(definition, "ROW=", 10);
  f.col = number_after(definition, "COL=", 10);
  f.length = std::abs(number_after(definition, "LEN=", 10));
  if (keyword_piece(definition, "RUV=", 10)) f.result_variable = number_after(definition, "RUV=", 10);
  f.help = range_after(definition, "HELP=");
  f.screen = range_after(definition, "SCRN=");
  f.verify_file = keyword_piece(definition, "VERF=", 15).value_or("");
  return f;
}

PanelTracker::PanelTracker(std::string help_name, std::map<int, std::string> records)
    : help_name_(upper(std::move(help_name))), records_(std::move(records)) {}

std::optional<SourcedText> PanelTracker::source_text(const std::string &text,
                                                     const std::string &where) const {
  if (text.find("VAR=") != std::string::npos) {
    const std::optional<std::string> variable = termrt::terminal().variable(number_after(text, "VAR=", 10));
    if (!variable) return std::nullopt;
    return SourcedText{0, *variable, where};
  }
  const int number = number_after(text, "HELP=", 10);
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
    if (std::optional<std::string> file = keyword_piece(text, "FILE=", 15)) current_help_ = upper(*file);
  }
  if (name == "SET_FIE") {
    if (std::optional<SourcedText> definition = source_text(text, where)) {
      const int number = facts_of(definition->text).number;
      if (number >= 1 && number <= 20) pending_ = std::make_pair(number, *definition);
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
