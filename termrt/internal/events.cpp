// events.cpp - running scheduled events, and how the library's waits pass
// time, end, or starve.
#include "internal/events.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <thread>

#include "platform/keys.h"

namespace termrt {

namespace {

// After starvation the library is answered with these keys in turn: Enter
// ends a display test, cancel ends a panel, and either ends a key wait.
constexpr std::uint16_t kStarveKeys[2] = {KEY_ENTER, KEY_CANCEL};
// Calls into a starved terminal after which the process is ended.
constexpr long long kStarvedCallLimit = 200000;
// Keyboard polls without any wait between them that count as one idle wait.
constexpr int kBusyPollLimit = 1000;
// Waits without limit in a row, each a clock tick, after which nothing will come.
constexpr int kZeroWaitLimit = 120;
// Waits in a row that end at once because input is queued (a scan, a key,
// a stop request) that the library does not take; after these the library
// is taken to wait for something else, and its waits pass time again.
constexpr int kUnreadWaitLimit = 1000;
// Virtual time a library may wait without input before it starves.
constexpr long long kDefaultStarveLimitMs = 48LL * 3600 * 1000;
// A wait without limit lasts at most to the clock's next second.
constexpr long long kTickMs = 1000;
// In real-time mode without a pump, the longest sleep of one wait, and the
// sleep of a wait without limit.
constexpr int kLongestSleepMs = 50;
constexpr int kUnlimitedSleepMs = 10;

}  // namespace

void Events::reset() {
  events_.clear();
  idle_hook_ = nullptr;
  wait_pump_ = nullptr;
  starve_limit_ms_ = kDefaultStarveLimitMs;
  clear_starvation();
}

// ---------------------------------------------------------------- events

void Events::at(double seconds_from_now, std::function<void()> action) {
  long long when = clock_.now_ms() + static_cast<long long>(seconds_from_now * 1000.0 + 0.5);
  events_.push_back(Event{when, event_order_++, std::move(action)});
}

// The event to run first: the earliest, and of those the first scheduled.
std::vector<Events::Event>::iterator Events::next_event() {
  return std::min_element(events_.begin(), events_.end(), [](const Event &a, const Event &b) {
    return a.at_ms != b.at_ms ? a.at_ms < b.at_ms : a.order < b.order;
  });
}

void Events::run_due_events() {
  long long now = clock_.now_ms();
  for (;;) {
    auto due = next_event();
    if (due == events_.end() || due->at_ms > now) return;
    std::function<void()> action = std::move(due->action);
    events_.erase(due);
    if (action) action();
  }
}

void Events::advance(long long ms) {
  long long target = clock_.virtual_ms() + std::max(0LL, ms);
  for (auto next = next_event(); next != events_.end() && next->at_ms <= target; next = next_event()) {
    clock_.set_virtual_ms(std::max(clock_.virtual_ms(), next->at_ms));
    run_due_events();
  }
  clock_.set_virtual_ms(target);
}

// ---------------------------------------------------------------- starvation

void Events::clear_starvation() {
  starved_ = false;
  starvation_.clear();
  starved_calls_ = 0;
  starved_keys_ = 0;
  idle_since_input_ms_ = 0;
  empty_polls_ = 0;
  zero_waits_ = 0;
  unread_waits_ = 0;
  input_.clear_stop();
}

void Events::starve(std::string why) {
  if (starved_) return;
  starved_ = true;
  starvation_ = std::move(why);
  input_.request_stop();
}

// A library that goes on calling a starved terminal would run for ever.
void Events::count_starved_call(const char *going_on) {
  if (++starved_calls_ <= kStarvedCallLimit) return;
  std::fprintf(stderr, "termrt: the library kept %s after starvation: %s\n", going_on, starvation_.c_str());
  std::abort();
}

// ---------------------------------------------------------------- the library's side

// Input was taken: the library is not idle.
void Events::note_input() {
  zero_waits_ = 0;
  unread_waits_ = 0;
  idle_since_input_ms_ = 0;
}

bool Events::read_key(std::uint16_t &code) {
  if (starved_) {
    count_starved_call("waiting");
    code = kStarveKeys[starved_keys_++ % std::size(kStarveKeys)];
    return true;
  }
  if (input_.pending_keys() == 0 && clock_.real_time() && wait_pump_) wait_pump_(0);
  if (input_.pending_keys() == 0) {
    // A library that polls the keyboard without waiting is waiting all the
    // same: after enough empty polls, treat them as one idle wait.
    if (++empty_polls_ >= kBusyPollLimit) {
      empty_polls_ = 0;
      if (!clock_.real_time()) idle_wait(0, "polled the keyboard");
    }
    if (input_.pending_keys() == 0) return false;
  }
  empty_polls_ = 0;
  note_input();
  code = input_.take_key();
  return true;
}

bool Events::read_scan(unsigned char *buffer, int size) {
  if (!input_.take_scan(buffer, size)) return false;
  note_input();
  return true;
}

bool Events::idle() {
  if (starved_) count_starved_call("running");
  return input_.stop_requested();
}

void Events::wait(int ms) {
  if (starved_) {
    idle();
    return;
  }
  bool unread = input_.anything_pending();
  if (unread && ++unread_waits_ <= kUnreadWaitLimit) return;
  if (!unread) unread_waits_ = 0;
  if (clock_.real_time()) {
    run_due_events();
    if (!unread && input_.anything_pending()) return;
    if (wait_pump_)
      wait_pump_(ms);
    else
      std::this_thread::sleep_for(
          std::chrono::milliseconds(ms > 0 ? std::min(ms, kLongestSleepMs) : kUnlimitedSleepMs));
    run_due_events();
    return;
  }
  idle_wait(ms < 0 ? 0 : ms, ms > 0 ? "waited" : "waited for an event");
}

// The library waits up to ms (0: without limit) and nothing is queued.
// Returns true when something was queued or happened during the wait.
bool Events::idle_wait(long long ms, const char *what) {
  if (idle_hook_) {
    std::size_t keys = input_.pending_keys(), scans = input_.pending_scans();
    bool stop = input_.stop_requested();
    idle_hook_();
    if (input_.pending_keys() != keys || input_.pending_scans() != scans || input_.stop_requested() != stop)
      return true;
  }
  const long long now = clock_.virtual_ms();
  auto next = next_event();
  const bool scheduled = next != events_.end();
  long long limit = ms > 0 ? ms : kTickMs - now % kTickMs;
  if (scheduled && next->at_ms <= now + limit) {
    long long step = std::max(0LL, next->at_ms - now);
    idle_since_input_ms_ += step;
    clock_.set_virtual_ms(now + step);
    zero_waits_ = 0;
    run_due_events();
    return true;
  }
  if (ms == 0) {
    // Waiting without limit: the next thing that can happen is the clock's
    // next second, which a time-out that has run down to 0 waits for. Ticks
    // that go on with nothing else happening mean the library starves.
    if (!scheduled && ++zero_waits_ > kZeroWaitLimit) {
      starve(std::string("the library ") + what +
             (input_.stop_requested() ? " in spite of a stop request, with no key or scan queued or scheduled"
              : input_.pending_scans() == 0
                  ? " with no key, scan or stop request queued or scheduled, and no idle hook gave one"
                  : " with no key or stop request queued or scheduled, leaving the queued scan unread,"
                    " and no idle hook gave one"));
      return false;
    }
    clock_.set_virtual_ms(now + limit);
    idle_since_input_ms_ += limit;
    return false;
  }
  clock_.set_virtual_ms(now + ms);
  zero_waits_ = 0;
  idle_since_input_ms_ += ms;
  if (idle_since_input_ms_ > starve_limit_ms_)
    starve(std::string("the library ") + what + " for more than " + std::to_string(starve_limit_ms_ / 1000) +
           " virtual seconds without input");
  return false;
}

}  // namespace termrt
