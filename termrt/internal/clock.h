// clock.h - the terminal's clock: virtual time, or the wall clock in
// real-time mode.
//
// Virtual time moves only when told to (by the waits of events.h or by a
// host), so that a long time-out costs no wall time. Real-time mode follows
// the wall clock from the time it was set to.
#ifndef TERMRT_INTERNAL_CLOCK_H
#define TERMRT_INTERNAL_CLOCK_H

#include "terminal.h"

namespace termrt {

class Clock {
 public:
  Clock() { reset(); }
  void reset();

  void set(const DateTime &when);
  long long now_ms() const;  // milliseconds since 2000-01-01 00:00:00
  void set_real_time(bool on);
  bool real_time() const { return real_time_; }

  // Virtual time, which the waits move on; it stands still in real-time mode.
  long long virtual_ms() const { return virtual_ms_; }
  void set_virtual_ms(long long ms) { virtual_ms_ = ms; }

 private:
  long long virtual_ms_ = 0;
  long long real_offset_ms_ = 0;  // from the wall clock to the terminal's
  bool real_time_ = false;
};

}  // namespace termrt

#endif
