// session.cpp - the session record: reports and popups read off the
// display, and the notes of formsterm merged into the terminal's log.
#include "driver/session.h"

#include "common/text.h"
#include "driver/result_codes.h"
#include "entry/reports.h"
#include "screen/popup.h"
#include "script/api.h"

namespace formsterm {

namespace {

termrt::Terminal &term() { return termrt::terminal(); }

// The report's head up to its code, and what follows the code.
constexpr std::size_t kCodeLength = 2;
const std::string_view kReportHead = std::string_view(REPORT_HEAD).substr(0, REPORT_CODE_COLUMN);
const std::string_view kAfterCode = std::string_view(REPORT_HEAD).substr(REPORT_CODE_COLUMN + kCodeLength);
const std::string_view kAppendHead = APPEND_HEAD;
const std::string kPressAnyKey = right_trimmed(REPORT_PROMPT);
const char kPopupBorder[] = POPUP_BORDER;
constexpr int kPopupLeft = POPUP_FRAME_COLUMN, kPopupWidth = POPUP_TEXT_WIDTH;

}  // namespace

std::optional<StandingReport> report_on_row(const std::string &row0) {
  // "Bad CZEB(Z8):" and 18 characters of text; "ZEB append too long:" and 12.
  if (row0.size() >= REPORT_TEXT_COLUMN + REPORT_TEXT_MAX && starts_with(row0, kReportHead) &&
      row0.compare(REPORT_CODE_COLUMN + kCodeLength, kAfterCode.size(), kAfterCode) == 0)
    return StandingReport{row0.substr(REPORT_CODE_COLUMN, kCodeLength),
                          right_trimmed(row0.substr(REPORT_TEXT_COLUMN, REPORT_TEXT_MAX))};
  if (row0.size() >= APPEND_TEXT_COLUMN + APPEND_TEXT_MAX && starts_with(row0, kAppendHead))
    return StandingReport{"append", right_trimmed(row0.substr(APPEND_TEXT_COLUMN, APPEND_TEXT_MAX))};
  return std::nullopt;
}

std::optional<StandingReport> standing_report(const termrt::Terminal &t) {
  if (!starts_with(t.row_text(REPORT_PROMPT_ROW), kPressAnyKey)) return std::nullopt;
  return report_on_row(t.row_text(0));
}

std::optional<std::string> standing_popup(const termrt::Terminal &t) {
  if (t.row_text(POPUP_FRAME_ROW).compare(kPopupLeft, sizeof kPopupBorder - 1, kPopupBorder) != 0)
    return std::nullopt;
  std::string text;
  for (int r = POPUP_TEXT_ROW; r < termrt::kRows; ++r) {
    const std::string row = t.row_text(r);
    if (row.compare(kPopupLeft, sizeof kPopupBorder - 1, kPopupBorder) == 0) return text;
    if (row[kPopupLeft] != '|' || row[kPopupLeft + kPopupWidth + 1] != '|') return std::nullopt;
    if (r > POPUP_TEXT_ROW) text += " / ";
    text += right_trimmed(row.substr(kPopupLeft + 1, kPopupWidth));
  }
  return std::nullopt;
}

std::string describe_report(const StandingReport &report) {
  std::string meaning = "the value does not fit its user variable (DICOUNT, TM_DATE)";
  if (report.code != "append") {
    const ResultCode *entry = find_result_code(report.code);
    meaning = entry ? std::string(entry->meaning) + " (" + std::string(entry->command) + ")"
                    : std::string("no such result code");
  }
  return report.code + " " + in_quotes(report.text) + ": " + meaning;
}

void Session::clear() {
  notes_.clear();
  traced_ = 0;
  popups_.clear();
  popup_seen_.reset();
  report_seen_.reset();
}

std::vector<termrt::LogEntry> Session::log() const {
  const std::vector<termrt::LogEntry> &own = term().log();
  std::vector<termrt::LogEntry> merged;
  merged.reserve(own.size() + notes_.size());
  std::size_t next_note = 0;
  for (std::size_t i = 0; i <= own.size(); ++i) {
    for (; next_note < notes_.size() && notes_[next_note].position <= i; ++next_note)
      merged.push_back(notes_[next_note].entry);
    if (i < own.size()) merged.push_back(own[i]);
  }
  return merged;
}

int Session::count_log(const std::string &prefix) const {
  int n = 0;
  for (const termrt::LogEntry &e : log())
    if (starts_with(e.what, prefix)) ++n;
  return n;
}

void Session::clear_log() {
  term().clear_log();
  notes_.clear();
  traced_ = 0;
}

void Session::note(const std::string &what) {
  // Notes made after entries the terminal has since dropped keep their order.
  const std::size_t position = term().log().size();
  for (Note &n : notes_) n.position = std::min(n.position, position);
  notes_.push_back(Note{position, termrt::LogEntry{term().now_ms(), what}});
  flush_trace();
}

void Session::flush_trace() {
  if (!trace) return;
  const std::vector<termrt::LogEntry> entries = log();
  if (traced_ > entries.size()) traced_ = 0;
  for (; traced_ < entries.size(); ++traced_) trace(entries[traced_].what);
}

void Session::call_started(const std::string &what) { note("main " + what); }

void Session::call_ended(int result) { note("main returned " + std::to_string(result)); }

std::optional<std::string> Session::look(const std::string &command, bool at_wait) {
  flush_trace();
  std::optional<std::string> failure;
  const std::optional<StandingReport> report = standing_report(term());
  const std::optional<std::string> report_key =
      report ? std::optional<std::string>(report->code + report->text) : std::nullopt;
  if (report && report_key != report_seen_) {
    note("report " + describe_report(*report));
    popups_.push_back(right_trimmed(term().row_text(0)));
    int &expected = expected_[report->code];
    const int seen = ++seen_[report->code];
    if (expected > 0) {
      --expected;
    } else if (reports_fail) {
      const std::string advice =
          seen == 1 ? "expect_report(\"" + report->code + "\") before it if the test means it"
                    : "it is the test's report number " + std::to_string(seen) +
                          " with this code; expect_report(\"" + report->code + "\", " + std::to_string(seen) +
                          ") if the test means them all";
      failure = failure_with_screen("an error report the test did not expect: " + describe_report(*report) +
                                    "\n  shown by " + command + "; " + advice);
    }
  }
  report_seen_ = report_key;
  // A popup counts once the library waits with it on the display: a
  // program's POPUPWN window is still empty when the command returns.
  if (!at_wait) return failure;
  const std::optional<std::string> popup = standing_popup(term());
  if (popup && popup != popup_seen_) popups_.push_back(*popup);
  popup_seen_ = popup;
  return failure;
}

void Session::expect_report(const std::string &code, int count) { expected_[code] += count; }

std::optional<std::string> Session::unmet_expectations() const {
  std::string missing;
  for (const auto &[code, count] : expected_)
    if (count > 0)
      missing += (missing.empty() ? "" : ", ") + code + (count > 1 ? " x" + std::to_string(count) : "");
  if (missing.empty()) return std::nullopt;
  return "the error reports the test expected did not come: " + missing;
}

}  // namespace formsterm
