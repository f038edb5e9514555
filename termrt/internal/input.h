// input.h - what waits for the library to take it: keys, sensor records and
// the idle manager's stop request (sticky until cleared).
#ifndef TERMRT_INTERNAL_INPUT_H
#define TERMRT_INTERNAL_INPUT_H

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace termrt {

class InputQueues {
 public:
  void reset();

  void key(std::uint16_t code) { keys_.push_back(code); }
  void keys(std::initializer_list<std::uint16_t> codes);
  void type(std::string_view text);
  std::size_t pending_keys() const { return keys_.size(); }
  std::uint16_t take_key();  // the first queued key; there must be one

  void scan(std::string_view data, unsigned char status);
  void sensor_record(const std::vector<unsigned char> &raw);
  std::size_t pending_scans() const { return scans_.size(); }
  // The first queued record into buffer, cut to size; false when none is
  // queued or there is no room.
  bool take_scan(unsigned char *buffer, int size);

  void request_stop() { stop_ = true; }
  void clear_stop() { stop_ = false; }
  bool stop_requested() const { return stop_; }

  bool anything_pending() const { return !keys_.empty() || !scans_.empty() || stop_; }

 private:
  std::vector<std::uint16_t> keys_;
  std::vector<std::vector<unsigned char>> scans_;
  bool stop_ = false;
};

}  // namespace termrt

#endif
