// input.cpp - queuing keys and sensor records, and taking them off.
#include "internal/input.h"

#include <algorithm>
#include <cstring>

#include "input/sensor.h"

namespace termrt {

namespace {

// A sensor record is at most this long: a header of status, an unused
// byte and the data length, then the data; the driver reads it in this form.
constexpr std::size_t kRecordSize = SENSOR_RECORD_SIZE;
constexpr std::size_t kHeaderSize = SENSOR_DATA;

}  // namespace

void InputQueues::reset() {
  keys_.clear();
  scans_.clear();
  stop_ = false;
}

void InputQueues::keys(std::initializer_list<std::uint16_t> codes) {
  keys_.insert(keys_.end(), codes.begin(), codes.end());
}

void InputQueues::type(std::string_view text) {
  for (unsigned char c : text) keys_.push_back(c);
}

std::uint16_t InputQueues::take_key() {
  std::uint16_t code = keys_.front();
  keys_.erase(keys_.begin());
  return code;
}

void InputQueues::scan(std::string_view data, unsigned char status) {
  std::size_t n = std::min(data.size(), kRecordSize - kHeaderSize);
  std::vector<unsigned char> record{status, 0, static_cast<unsigned char>(n)};
  record.insert(record.end(), data.begin(), data.begin() + static_cast<long>(n));
  scans_.push_back(record);
}

void InputQueues::sensor_record(const std::vector<unsigned char> &raw) {
  scans_.emplace_back(raw.begin(), raw.begin() + static_cast<long>(std::min(raw.size(), kRecordSize)));
}

bool InputQueues::take_scan(unsigned char *buffer, int size) {
  if (scans_.empty() || buffer == nullptr || size <= 0) return false;
  const std::vector<unsigned char> &record = scans_.front();
  int n = std::min<int>(size, static_cast<int>(record.size()));
  if (n > 0) std::memcpy(buffer, record.data(), static_cast<std::size_t>(n));
  // A short raw record still reads as a whole header.
  for (int i = n; i < std::min(size, static_cast<int>(kHeaderSize)); ++i) buffer[i] = 0;
  scans_.erase(scans_.begin());
  return true;
}

}  // namespace termrt
