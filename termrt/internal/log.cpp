// log.cpp - counting what the log holds.
#include "internal/log.h"

#include <algorithm>

namespace termrt {

void Log::reset() {
  entries_.clear();
  waits_.clear();
  clock_texts_.clear();
  calls_.clear();
  transaction_flag_ = -1;
  last_beep_ms_ = last_led_ms_ = -1;
}

void Log::note_clock_text(std::string text) {
  constexpr std::size_t kLimit = 4096;  // a long real-time session asks the clock every second
  if (clock_texts_.size() >= kLimit ||
      std::find(clock_texts_.begin(), clock_texts_.end(), text) != clock_texts_.end())
    return;
  clock_texts_.push_back(std::move(text));
}

int Log::count(std::string_view prefix) const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(), [&](const LogEntry &e) {
    return e.what.compare(0, prefix.size(), prefix) == 0;
  }));
}

int Log::calls(std::string_view function) const {
  int count = 0;
  for (const auto &entry : calls_)
    if (function == entry.first) count += entry.second;
  return count;
}

}  // namespace termrt
