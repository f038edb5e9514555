// log.h - what the library did that a terminal user would notice or a test
// would ask about: the signal and host-call log, the waits, the run-time
// calls by function, the transaction flag, and when it last beeped and lit
// the LED.
#ifndef TERMRT_INTERNAL_LOG_H
#define TERMRT_INTERNAL_LOG_H

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "internal/clock.h"
#include "terminal.h"

namespace termrt {

class Log {
 public:
  explicit Log(const Clock &clock) : clock_(clock) {}
  void reset();

  void note(std::string what) { entries_.push_back(LogEntry{clock_.now_ms(), std::move(what)}); }
  void note_write(std::string what, VariableWrite write) {
    entries_.push_back(LogEntry{clock_.now_ms(), std::move(what), std::move(write)});
  }
  const std::vector<LogEntry> &entries() const { return entries_; }
  void clear() { entries_.clear(); }
  int count(std::string_view prefix) const;

  void note_wait(int ms) { waits_.push_back(ms); }
  const std::vector<int> &waits() const { return waits_; }
  void clear_waits() { waits_.clear(); }

  // function is the name as the run-time passes it, the same pointer each time.
  void count_call(const char *function) { ++calls_[function]; }
  int calls(std::string_view function) const;

  void beep() { last_beep_ms_ = clock_.now_ms(); }
  void led() { last_led_ms_ = clock_.now_ms(); }
  long long last_beep_ms() const { return last_beep_ms_; }
  long long last_led_ms() const { return last_led_ms_; }
  void set_transaction_flag(int flag) { transaction_flag_ = flag; }
  int transaction_flag() const { return transaction_flag_; }

 private:
  const Clock &clock_;
  std::vector<LogEntry> entries_;
  std::vector<int> waits_;  // each _WaitEvent argument
  std::map<const char *, int> calls_;
  int transaction_flag_ = -1;
  long long last_beep_ms_ = -1, last_led_ms_ = -1;
};

}  // namespace termrt

#endif
