// panel_ending.cpp - following each panel of a test from the run-time's
// side, to tell how the last one ended (see panel_ending.h).
#include "driver/panel_ending.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "check/keywords.h"
#include "common/text.h"
#include "fields/grammar.h"
#include "panel/message.h"
#include "screen/popup.h"
#include "terminal.h"
#include "validate/lookup.h"

namespace formsterm {

namespace {

termrt::Terminal &term() { return termrt::terminal(); }

const char kHelpFile[] = KW_DEFAULT(KW_FILE);
// The message popup: its top border, its first line of text.
const std::string kPopupBorder = POPUP_BORDER;
constexpr int kPopupRow = POPUP_FRAME_ROW, kPopupCol = POPUP_FRAME_COLUMN, kPopupTextCol = POPUP_TEXT_COLUMN,
              kPopupWidth = POPUP_TEXT_WIDTH;
constexpr std::size_t kRecordKeyWidth = RECORD_KEY_WIDTH;
// The signal that comes with each of the driver's messages.
const char kMessageSignal[] = "beep 0,0,2";

// The records of a help file's image: four digits, a separator, the text.
std::map<int, std::string> help_records(std::string_view image) {
  std::map<int, std::string> records;
  for (std::size_t start = 0; start < image.size();) {
    std::size_t end = image.find('\0', start);
    if (end == std::string_view::npos) end = image.size();
    const std::string_view record = image.substr(start, end - start);
    start = end + 1;
    if (record.size() < kRecordKeyWidth ||
        !std::all_of(record.begin(), record.begin() + kRecordKeyWidth,
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
      continue;
    const int number = std::stoi(std::string(record.substr(0, kRecordKeyWidth)));
    records.emplace(number, record.size() > kRecordKeyWidth + 1
                                ? std::string(record.substr(kRecordKeyWidth + 1))
                                : std::string());
  }
  return records;
}

bool is_panel_command(const char *parm) {
  return parm != nullptr && std::strlen(parm) >= 9 && upper(std::string(parm + 2, 7)) == "EXEC_PA";
}

}  // namespace

void PanelEnding::terminal_reset() {
  const std::optional<std::string_view> image = term().file_image(kHelpFile);
  records_ = image ? help_records(*image) : std::map<int, std::string>();
  tracker_.emplace(kHelpFile, records_);
  panels_.clear();
  popup_line_.reset();
  popup_refused_ = false;
  missed_mark_ = 0;
  beep_mark_ = 0;
  in_panel_ = false;
  frozen_ = false;
}

void PanelEnding::command_starting(int code, const char *parm) {
  if (code != 3 || !tracker_ || frozen_) return;
  tracker_->command_starting(parm, "");
  if (!is_panel_command(parm)) return;
  Panel panel;
  panel.command = std::string(parm + 2);
  panels_.push_back(panel);
  in_panel_ = true;
  popup_line_.reset();
  popup_refused_ = false;
  count_beeps();  // the beeps before the panel are not its own
  panels_.back().beeps = panels_.back().beeps_after_completion = 0;
  missed_mark_ = term().missed_files().size();
}

void PanelEnding::command_ended(int result) {
  if (frozen_) return;
  if (tracker_) tracker_->command_ended(standing_report(term()).has_value());
  if (!in_panel_) return;
  count_beeps();
  note_popup_line(std::nullopt);
  in_panel_ = false;
  panels_.back().running = false;
  panels_.back().result = result;
}

// The driver's message signal in the terminal's log since the last look,
// and the files it looked up in vain meanwhile.
void PanelEnding::count_beeps() {
  if (panels_.empty()) return;
  Panel &panel = panels_.back();
  const std::vector<termrt::LogEntry> &log = term().log();
  if (beep_mark_ > log.size()) beep_mark_ = 0;  // the log was cleared
  for (; beep_mark_ < log.size(); ++beep_mark_)
    if (log[beep_mark_].what == kMessageSignal) {
      ++panel.beeps;
      if (panel.completion_pressed) ++panel.beeps_after_completion;
    }
  const std::vector<std::string> &missed = term().missed_files();
  if (missed_mark_ > missed.size()) missed_mark_ = 0;
  for (; missed_mark_ < missed.size(); ++missed_mark_) panel.missed.push_back(missed[missed_mark_]);
}

void PanelEnding::library_waits() {
  if (!in_panel_ || frozen_) return;
  const termrt::Terminal &t = term();
  count_beeps();
  std::optional<std::string> line;
  if (t.row_text(kPopupRow).compare(kPopupCol, kPopupBorder.size(), kPopupBorder) == 0)
    line = right_trimmed(t.row_text(kPopupRow + 1).substr(kPopupTextCol, kPopupWidth));
  note_popup_line(line);
}

// A popup came, changed or went. A refusing message is noted when it
// comes, and given the field where the driver puts the cursor when it goes.
void PanelEnding::note_popup_line(const std::optional<std::string> &line) {
  if (line == popup_line_) return;
  Panel &panel = panels_.back();
  if (popup_refused_ && !panel.refusals.empty()) panel.refusals.back().field = field_at_cursor();
  popup_line_ = line;
  popup_refused_ = false;
  if (!line) return;
  ++panel.popups;
  for (const MessageRecord &r : message_records()) {
    if (!r.refuses) continue;
    auto it = records_.find(r.number);
    if (it == records_.end() || right_trimmed(it->second.substr(0, kPopupWidth)) != *line) continue;
    Refusal refusal;
    refusal.message = r.number;
    refusal.text = *line;
    refusal.field = field_at_cursor();
    refusal.after_completion = panel.completion_pressed;
    refusal.popup = session_.popups().size();  // the session notes it at this wait
    panel.refusals.push_back(refusal);
    popup_refused_ = true;
    return;
  }
}

void PanelEnding::log_entry(const termrt::LogEntry &entry) {
  if (!in_panel_ || frozen_ || entry.what.compare(0, 7, "action ") != 0) return;
  const std::string complete = ": key complete";
  const std::string &w = entry.what;
  if (w.size() < complete.size() || w.compare(w.size() - complete.size(), complete.size(), complete) != 0)
    return;
  // A new completion: what the last one met is no longer the reason.
  count_beeps();
  Panel &panel = panels_.back();
  panel.completion_pressed = true;
  panel.beeps_after_completion = 0;
  for (Refusal &r : panel.refusals) r.after_completion = false;
}

int PanelEnding::field_at_cursor() const {
  if (!tracker_) return 0;
  const SourcedText *field = tracker_->field_at(term().cursor_row(), term().cursor_col());
  return field ? facts_of(field->text).number : 0;
}

std::string PanelEnding::field_check(int message, int field) const {
  for (const MessageRecord &r : message_records()) {
    if (r.number != message || !r.refuses) continue;
    if (message != MSG_NOT_LISTED) return std::string(r.failed);
    // The one message of both the list and the range check: the field's letter tells which.
    if (!tracker_) return "its range check";
    auto it = tracker_->fields().find(field);
    if (it == tracker_->fields().end()) return std::string(r.failed);
    const std::optional<std::string> kind = keyword_piece(it->second.text, window_of(KW_VERT));
    return kind && !kind->empty() && (*kind)[0] == 'R' ? "its range check" : "its list check";
  }
  return "a check";
}

std::string PanelEnding::file_kind(const std::string &name) const {
  if (upper(name) == kHelpFile) return "the help file ";
  if (tracker_)
    for (const auto &[number, field] : tracker_->fields()) {
      const std::string verify = upper(facts_of(field.text).verify_file);
      if (!verify.empty() && (upper(name) == verify || upper(name) == verify + ".VAL"))
        return "the value file ";
    }
  return "the file ";
}

std::string PanelEnding::describe(const Refusal &r) const {
  return (r.field ? "field " + std::to_string(r.field) : std::string("a field")) + " failed " +
         field_check(r.message, r.field) + " (message " + std::to_string(r.message) + ", " +
         in_quotes(r.text) + ")";
}

std::string PanelEnding::missing_files(const Panel &p) const {
  std::string text;
  for (const std::string &name : p.missed) text += "; " + file_kind(name) + name + " is not there";
  return text;
}

std::string PanelEnding::explanation() const {
  if (panels_.empty()) return "";
  const Panel &last = panels_.back();
  const bool completed = !last.running && last.result == 1;
  std::vector<const Refusal *> refused;
  for (const Refusal &r : last.refusals)
    if (r.after_completion) refused.push_back(&r);
  std::string text;
  if (!completed && (!refused.empty() || last.beeps_after_completion > 0)) {
    text = "the last panel (" + last.command + (last.running ? ") was running" : ") ended") +
           ": completion refused: ";
    for (std::size_t i = 0; i < refused.size(); ++i) text += (i ? "; " : "") + describe(*refused[i]);
    const int beeps = last.beeps_after_completion;
    if (beeps > 0)
      text += (refused.empty() ? "" : "; ") + std::to_string(beeps) + (beeps == 1 ? " beep" : " beeps");
    text += missing_files(last);
  } else if (!completed && !last.missed.empty()) {
    text = "the last panel (" + last.command + (last.running ? ") was running" : ") ended") +
           missing_files(last);
  }
  // The refusals and bare beeps of the whole test that the test did not ask for.
  const std::vector<std::size_t> &matched = session_.matched_popups();
  std::string unexpected;
  for (const Panel &p : panels_) {
    for (const Refusal &r : p.refusals)
      if (std::find(matched.begin(), matched.end(), r.popup) == matched.end())
        unexpected += "\n    " + describe(r);
    // A message gives one or two signals; beeps with no message at all are
    // a refusal of their own.
    if (p.popups == 0 && p.beeps > 0)
      unexpected += "\n    " + std::to_string(p.beeps) + (p.beeps == 1 ? " beep" : " beeps") +
                    " and no message in " + p.command + missing_files(p);
  }
  if (!unexpected.empty())
    text += std::string(text.empty() ? "" : "\n") +
            "refusals and beeps that no popup action expected:" + unexpected;
  return text;
}

}  // namespace formsterm
