// device.h - the parts of one simulated terminal, and the run-time side's
// way to them.
//
// Only the run-time functions (runtime.cpp) and the Terminal that owns the
// parts include this header; hosts reach the parts through Terminal alone.
#ifndef TERMRT_INTERNAL_DEVICE_H
#define TERMRT_INTERNAL_DEVICE_H

#include "internal/clock.h"
#include "internal/display.h"
#include "internal/events.h"
#include "internal/files.h"
#include "internal/input.h"
#include "internal/log.h"
#include "internal/variables.h"
#include "terminal.h"

namespace termrt {

// Declared in this order because each part is given those above it.
struct Device {
  Clock clock;
  Log log{clock};
  Display display;
  InputQueues input;
  Events events{clock, input};
  Variables variables{log};
  Files files{log};

  void reset() {
    clock.reset();
    log.reset();
    display.reset();
    input.reset();
    events.reset();
    variables.reset();
    files.reset();
  }
};

// The parts of terminal.
Device &device_of(Terminal &terminal);

}  // namespace termrt

#endif
