// events.h - scheduled events, and the library's waits and reads of input.
//
// While the library waits with nothing queued, virtual time jumps to the
// next scheduled event, after the idle hook has had its chance to queue
// input. In real-time mode the host's pump runs instead of a sleep. When the
// library waits for input that nothing will ever give, the terminal starves:
// it says why, requests a stop and answers key reads with Enter and cancel
// in turn, so that no run can hang.
#ifndef TERMRT_INTERNAL_EVENTS_H
#define TERMRT_INTERNAL_EVENTS_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "internal/clock.h"
#include "internal/input.h"

namespace termrt {

class Events {
 public:
  Events(Clock &clock, InputQueues &input) : clock_(clock), input_(input) { reset(); }
  void reset();

  void at(double seconds_from_now, std::function<void()> action);
  std::size_t pending() const { return events_.size(); }
  void advance(long long ms);  // moves virtual time, running what falls due
  void on_idle(std::function<void()> hook) { idle_hook_ = std::move(hook); }
  void on_wait(std::function<void(int)> pump) { wait_pump_ = std::move(pump); }

  bool starved() const { return starved_; }
  const std::string &starvation() const { return starvation_; }
  void set_starvation_limit(long long ms) { starve_limit_ms_ = ms; }
  void clear_starvation();

  // The library's side. A key read stores the next key in code and is true,
  // or is false when there is none.
  bool read_key(std::uint16_t &code);
  bool read_scan(unsigned char *buffer, int size);  // as InputQueues::take_scan
  bool idle();                                      // true: stop the running command
  void wait(int ms);                                // 0 or less: without limit

 private:
  struct Event {
    long long at_ms;
    long long order;
    std::function<void()> action;
  };

  std::vector<Event>::iterator next_event();
  void run_due_events();
  void note_input();
  bool idle_wait(long long ms, const char *what);
  void starve(std::string why);
  void count_starved_call(const char *going_on);

  Clock &clock_;
  InputQueues &input_;
  std::vector<Event> events_;
  long long event_order_ = 0;
  std::function<void()> idle_hook_;
  std::function<void(int)> wait_pump_;
  bool starved_ = false;
  std::string starvation_;
  long long starve_limit_ms_ = 0;  // set by reset
  long long idle_since_input_ms_ = 0;
  int empty_polls_ = 0;
  int zero_waits_ = 0;
  int unread_waits_ = 0;
  long long starved_calls_ = 0;
  long long starved_keys_ = 0;  // keys given since starvation, in turn from the starvation keys
};

}  // namespace termrt

#endif
