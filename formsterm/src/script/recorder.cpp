// recorder.cpp - writing an interactive session down as a test script.
#include "script/recorder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <regex>
#include <stdexcept>

#include "driver/keys.h"
#include "driver/screen.h"
#include "script/api.h"
#include "script/lua_support.h"

namespace formsterm {

namespace {

// A pause of the operator shorter than this is no wait worth replaying.
constexpr long long kShortestWaitMs = 2000;
constexpr char kMask = '?';

long long wall_ms() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::string lua_string(const std::string &text) { return quoted_literal(text, "\\x%02x"); }

bool typed(std::uint16_t code) { return code >= 32 && code <= 126; }

std::string key_text(std::uint16_t code) {
  if (const char *name = key_name(code)) return lua_string(name);
  return std::to_string(code);
}

std::string digits_of(const std::string &text) {
  std::string digits;
  for (char c : text)
    if (c >= '0' && c <= '9') digits += c;
  return digits;
}

// The two-digit groups of a date ("15.01.26", "14-01-2026", "2026-01-15"),
// the year cut to its last two digits, in order.
std::vector<std::string> date_groups(const std::string &date) {
  std::vector<std::string> groups;
  std::string group;
  for (std::size_t i = 0; i <= date.size(); ++i) {
    if (i < date.size() && date[i] >= '0' && date[i] <= '9') {
      group += date[i];
      continue;
    }
    if (!group.empty()) groups.push_back(group.size() > 2 ? group.substr(group.size() - 2) : group);
    group.clear();
  }
  std::sort(groups.begin(), groups.end());
  return groups;
}

// Whether the library got this date or time from the clock: its digits are
// those of a clock text (a time: HHMMSS, or HHMM of it; a date: the same
// day, month and year in any order).
bool from_clock(const std::string &text, bool is_date, const std::vector<std::string> &clock_texts) {
  const std::string digits = digits_of(text);
  for (const std::string &given : clock_texts) {
    const std::string clock_digits = digits_of(given);
    if (clock_digits.size() != 6) continue;
    if (!is_date && clock_digits.compare(0, digits.size(), digits) == 0) return true;
    if (is_date) {
      std::vector<std::string> groups = {clock_digits.substr(0, 2), clock_digits.substr(2, 2),
                                         clock_digits.substr(4, 2)};
      std::sort(groups.begin(), groups.end());
      if (groups == date_groups(text)) return true;
    }
  }
  return false;
}

// Calls masked(position, length) for each date or time in text that the
// clock filled in and the operator did not type.
template <typename Masked>
void for_each_clock_text(const std::string &text, const std::vector<std::string> &clock_texts,
                         const std::string &typed_digits, Masked masked) {
  static const std::regex time_of_day("[0-2][0-9]:[0-5][0-9](:[0-5][0-9])?");
  static const std::regex date("[0-9]{2}[./-][0-9]{2}[./-][0-9]{2}([0-9]{2})?|[0-9]{4}-[0-9]{2}-[0-9]{2}");
  for (const std::regex *pattern : {&date, &time_of_day})
    for (auto it = std::sregex_iterator(text.begin(), text.end(), *pattern); it != std::sregex_iterator();
         ++it) {
      const std::string found = it->str();
      if (!from_clock(found, pattern == &date, clock_texts)) continue;
      if (typed_digits.find(digits_of(found)) != std::string::npos) continue;
      masked(static_cast<std::size_t>(it->position()), static_cast<std::size_t>(it->length()));
    }
}

}  // namespace

std::string masked_golden(const termrt::Terminal &t, const std::string &typed_digits) {
  Snapshot s = take_snapshot(t);
  for (std::string &row : s.rows) {
    const std::string text = row;
    for_each_clock_text(text, t.clock_texts(), typed_digits, [&row](std::size_t at, std::size_t length) {
      for (std::size_t i = at; i < at + length; ++i)
        if (row[i] >= '0' && row[i] <= '9') row[i] = kMask;
    });
  }
  return snapshot_text(s, true, true);
}

Recorder::Recorder(std::filesystem::path test, std::filesystem::path program)
    : test_(std::move(test)), program_(std::move(program)), last_ms_(wall_ms()) {
  // The session runs on the real-time clock: the replay starts at the same
  // date and time.
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  started_ = text;
  write("-- the recording stopped here, before the first action", "");
}

void Recorder::note_gap() {
  const long long now = wall_ms();
  if (now - last_ms_ >= kShortestWaitMs)
    actions_.push_back(Action{Action::kWait, 0, "", (now - last_ms_) / 1000, {}});
  last_ms_ = now;
}

void Recorder::paused() { last_ms_ = wall_ms(); }

void Recorder::command_starting(int code, const char *parm) {
  in_panel_ =
      code == 3 && parm != nullptr && std::strlen(parm) >= 9 && std::strncmp(parm + 2, "EXEC_PA", 7) == 0;
  panel_log_mark_ = termrt::terminal().log().size();
}

// The variables the panel wrote, with what they hold now; a value with a
// date or time from the clock is left out (the replay runs at another time).
void Recorder::command_ended(int) {
  if (!in_panel_) return;
  in_panel_ = false;
  const termrt::Terminal &t = termrt::terminal();
  const std::vector<termrt::LogEntry> &log = t.log();
  stored_.clear();
  for (std::size_t i = std::min(panel_log_mark_, log.size()); i < log.size(); ++i) {
    int number = 0;
    if (std::sscanf(log[i].what.c_str(), "write %d", &number) != 1) continue;
    const std::optional<std::string> value = t.variable(number);
    if (!value) continue;
    bool clock = false;
    for_each_clock_text(*value, t.clock_texts(), typed_digits_,
                        [&clock](std::size_t, std::size_t) { clock = true; });
    auto same = [number](const auto &v) { return v.first == number; };
    stored_.erase(std::remove_if(stored_.begin(), stored_.end(), same), stored_.end());
    if (!clock) stored_.emplace_back(number, *value);
  }
}

void Recorder::key(std::uint16_t code) {
  if (code >= '0' && code <= '9') typed_digits_ += static_cast<char>(code);
  note_gap();
  actions_.push_back(Action{Action::kKey, code, "", 0, {}});
  write("-- the recording stopped here, after " + std::to_string(actions_.size()) + " actions", "");
}

void Recorder::scan(const std::string &text) {
  note_gap();
  actions_.push_back(Action{Action::kScan, 0, text, 0, {}});
  write("-- the recording stopped here, after " + std::to_string(actions_.size()) + " actions", "");
}

std::string Recorder::golden(const std::string &name) {
  const std::string relative = "golden/" + test_.stem().string() + "_" + name + ".txt";
  const std::filesystem::path path = test_.parent_path() / relative;
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary);
  out << masked_golden(termrt::terminal(), typed_digits_);
  if (!out) throw std::runtime_error("cannot write the golden screen " + path.string());
  ++goldens_;
  return relative;
}

bool Recorder::input_wait() {
  // The replay checks the stored variables here, where they must still hold.
  std::vector<std::pair<int, std::string>> holding;
  for (const auto &[number, value] : stored_)
    if (termrt::terminal().variable(number) == value) holding.emplace_back(number, value);
  stored_.clear();
  if (!holding.empty()) {
    actions_.push_back(Action{Action::kVariables, 0, "", 0, holding});
    write("-- the recording stopped here, after " + std::to_string(actions_.size()) + " actions", "");
  }
  if (!snapshot_requested_) return false;
  snapshot_requested_ = false;
  actions_.push_back(Action{Action::kGolden, 0, golden(std::to_string(goldens_ + 1)), 0, {}});
  write("-- the recording stopped here, after " + std::to_string(actions_.size()) + " actions", "");
  return true;
}

void Recorder::ended(Ending ending, const std::string &how) {
  std::string after;
  if (ending == Ending::kEnded) after = "  expect_golden(" + lua_string(golden("end")) + ")\n";
  if (ending == Ending::kQuit) actions_.push_back(Action{Action::kQuit, 0, "", 0, {}});
  write("-- " + how, after);
}

void Recorder::write(const std::string &footer, const std::string &after_operate) const {
  namespace fs = std::filesystem;
  const fs::path base = test_.parent_path().empty() ? fs::path(".") : test_.parent_path();
  std::error_code ec;
  // Normal forms: "folder/." is the folder, so a test recorded in the
  // program's own folder loads nothing more.
  const fs::path program_path = fs::absolute(program_).lexically_normal();
  const fs::path base_path = fs::absolute(base).lexically_normal();
  const fs::path program = program_path.lexically_relative(base_path);
  std::string text =
      "-- " + test_.filename().string() + " - a session of " + program_.filename().string() +
      " recorded by `formsterm run --record`.\n"
      "-- Replays its keys and scans as operator actions; the golden screens mask the clock.\n\n"
      "test(\"a recorded session of " +
      program_.filename().string() + "\", function()\n  terminal.set_clock(\"" + started_ + "\")\n";
  if (!program.parent_path().empty())
    text += "  terminal.load_directory(" + lua_string(program.parent_path().generic_string()) + ")\n";
  text += "  operate(" + lua_string(program.generic_string()) + ", {\n";
  for (std::size_t i = 0; i < actions_.size(); ++i) {
    const Action &a = actions_[i];
    std::string line;
    if (a.kind == Action::kKey && typed(a.code)) {
      std::string letters;
      for (; i < actions_.size() && actions_[i].kind == Action::kKey && typed(actions_[i].code); ++i)
        letters += static_cast<char>(actions_[i].code);
      line = "{type = " + lua_string(letters);
      if (i < actions_.size() && actions_[i].kind == Action::kKey)
        line += ", key = " + key_text(actions_[i].code);
      else
        --i;
      line += "}";
    } else if (a.kind == Action::kKey) {
      line = key_text(a.code);
    } else if (a.kind == Action::kScan) {
      line = "{scan = " + lua_string(a.text) + "}";
    } else if (a.kind == Action::kWait) {
      line = "{wait = " + std::to_string(a.seconds) + "}";
    } else if (a.kind == Action::kVariables) {
      line = "function()  -- what the panel stored\n";
      for (const auto &[number, value] : a.variables)
        line += "      expect_uv(" + std::to_string(number) + ", " + lua_string(value) + ")\n";
      line += "    end";
    } else if (a.kind == Action::kGolden) {
      line = "{golden = " + lua_string(a.text) + "}";
    } else {
      line = "{quit = true}";
    }
    text += "    " + line + ",\n";
  }
  text += "  })\n" + after_operate + "end)\n" + footer + "\n";
  const fs::path temporary = test_.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error("cannot write the recorded test " + temporary.string());
  }
  fs::rename(temporary, test_, ec);
  if (ec) throw std::runtime_error("cannot write the recorded test " + test_.string() + ": " + ec.message());
}

}  // namespace formsterm
