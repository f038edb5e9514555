// recorder.cpp - writing an interactive session down as a test script.
#include "script/recorder.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <regex>
#include <stdexcept>

#include "script/api.h"
#include "script/lua_support.h"
#include "driver/keys.h"
#include "driver/screen.h"

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

std::string two_digits(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", n % 100);
  return text;
}

// Dates of the clock's day in the forms programs show them, and any time
// of day: the cells that change from run to run.
void mask_clock(std::string &row, const termrt::DateTime &d) {
  static const std::regex time_of_day("[0-2][0-9]:[0-5][0-9](:[0-5][0-9])?");
  static const std::regex date("[0-9]{2}[./-][0-9]{2}[./-][0-9]{2}([0-9]{2})?|[0-9]{4}-[0-9]{2}-[0-9]{2}");
  const std::string day = two_digits(d.day), month = two_digits(d.month), year = std::to_string(d.year);
  auto is_today = [&](const std::string &text) {
    const bool has_year =
        text.find(year) != std::string::npos || text.substr(text.size() - 2) == year.substr(2);
    return has_year && text.find(day) != std::string::npos && text.find(month) != std::string::npos;
  };
  for (const std::regex *pattern : {&date, &time_of_day}) {
    std::string copy = row;
    for (auto it = std::sregex_iterator(copy.begin(), copy.end(), *pattern); it != std::sregex_iterator();
         ++it) {
      if (pattern == &date && !is_today(it->str())) continue;
      for (std::size_t i = 0; i < static_cast<std::size_t>(it->length()); ++i) {
        char &c = row[static_cast<std::size_t>(it->position()) + i];
        if (c >= '0' && c <= '9') c = kMask;
      }
    }
  }
}

}  // namespace

std::string masked_golden(const termrt::Terminal &t) {
  Snapshot s = take_snapshot(t);
  for (std::string &row : s.rows) mask_clock(row, t.clock());
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
    actions_.push_back(Action{Action::kWait, 0, "", (now - last_ms_) / 1000});
  last_ms_ = now;
}

void Recorder::paused() { last_ms_ = wall_ms(); }

void Recorder::key(std::uint16_t code) {
  note_gap();
  actions_.push_back(Action{Action::kKey, code, "", 0});
  write("-- the recording stopped here, after " + std::to_string(actions_.size()) + " actions", "");
}

void Recorder::scan(const std::string &text) {
  note_gap();
  actions_.push_back(Action{Action::kScan, 0, text, 0});
  write("-- the recording stopped here, after " + std::to_string(actions_.size()) + " actions", "");
}

std::string Recorder::golden(const std::string &name) {
  const std::string relative = "golden/" + test_.stem().string() + "_" + name + ".txt";
  const std::filesystem::path path = test_.parent_path() / relative;
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary);
  out << masked_golden(termrt::terminal());
  if (!out) throw std::runtime_error("cannot write the golden screen " + path.string());
  ++goldens_;
  return relative;
}

bool Recorder::input_wait() {
  if (!snapshot_requested_) return false;
  snapshot_requested_ = false;
  actions_.push_back(Action{Action::kGolden, 0, golden(std::to_string(goldens_ + 1)), 0});
  write("-- the recording stopped here, after " + std::to_string(actions_.size()) + " actions", "");
  return true;
}

void Recorder::ended(Ending ending, const std::string &how) {
  std::string after;
  if (ending == Ending::kEnded) after = "  expect_golden(" + lua_string(golden("end")) + ")\n";
  if (ending == Ending::kQuit) actions_.push_back(Action{Action::kQuit, 0, "", 0});
  write("-- " + how, after);
}

void Recorder::write(const std::string &footer, const std::string &after_operate) const {
  namespace fs = std::filesystem;
  const fs::path base = test_.parent_path().empty() ? fs::path(".") : test_.parent_path();
  std::error_code ec;
  const fs::path program = fs::relative(fs::absolute(program_), fs::absolute(base), ec);
  std::string text =
      "-- " + test_.filename().string() + " - a session of " + program_.filename().string() +
      " recorded by `formsterm run --record`.\n"
      "-- Replays its keys and scans as operator actions; the golden screens mask the clock.\n\n"
      "test(\"a recorded session of " +
      program_.filename().string() + "\", function()\n  terminal.set_clock(\"" + started_ + "\")\n";
  if (fs::absolute(program_).parent_path() != fs::absolute(base))
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
