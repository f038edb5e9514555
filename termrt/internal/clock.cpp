// clock.cpp - the terminal's clock, and the calendar arithmetic behind it.
#include "internal/clock.h"

#include <chrono>
#include <ctime>

namespace termrt {

namespace {

long long wall_ms() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

DateTime local_time() {
  std::time_t t = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace

// ---------------------------------------------------------------- calendar

long long days_from_civil(int y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 - 10957;  // days since 2000-01-01
}

DateTime civil_from_ms(long long ms) {
  long long secs = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
  long long days = secs >= 0 ? secs / 86400 : (secs - 86399) / 86400;
  long long rest = secs - days * 86400;
  long long z = days + 10957 + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  DateTime t;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
  t.hour = static_cast<int>(rest / 3600);
  t.minute = static_cast<int>(rest / 60 % 60);
  t.second = static_cast<int>(rest % 60);
  return t;
}

long long ms_from_civil(const DateTime &t) {
  return ((days_from_civil(t.year, t.month, t.day) * 24 + t.hour) * 60 + t.minute) * 60000LL +
         t.second * 1000LL;
}

// ---------------------------------------------------------------- clock

void Clock::reset() {
  real_time_ = false;
  virtual_ms_ = ms_from_civil(DateTime{});
}

void Clock::set(const DateTime &when) {
  long long target = ms_from_civil(when);
  if (real_time_) real_offset_ms_ = target - wall_ms();
  virtual_ms_ = target;
}

long long Clock::now_ms() const { return real_time_ ? wall_ms() + real_offset_ms_ : virtual_ms_; }

void Clock::set_real_time(bool on) {
  if (on == real_time_) return;
  if (on) {
    real_time_ = true;
    set(local_time());
  } else {
    virtual_ms_ = now_ms();
    real_time_ = false;
  }
}

}  // namespace termrt
