// terminal.cpp - the state of the simulated terminal and its host interface.
#include "terminal.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/termrt.h"

namespace termrt {

namespace {

std::string upper(const std::string &s) {
  std::string out = s;
  for (char &c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// After starvation the library is answered with these keys in turn: Enter
// ends a display test, cancel ends a panel, and either ends a key wait.
constexpr std::uint16_t kStarveKeys[2] = {kEnter, kCancel};
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
// The longest text a user variable holds.
constexpr std::size_t kMaxText = USER_VARIABLE_MAX;

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

// ---------------------------------------------------------------- set-up

Terminal &terminal() {
  static Terminal the_terminal;
  return the_terminal;
}

Terminal::Terminal() { reset(); }

void Terminal::reset() {
  for (auto &row : cells_)
    for (auto &c : row) c = Cell{};
  cursor_row_ = cursor_col_ = cursor_type_ = 0;
  keys_.clear();
  scans_.clear();
  stop_ = false;
  real_time_ = false;
  now_ms_ = ms_from_civil(DateTime{});
  events_.clear();
  idle_hook_ = nullptr;
  wait_pump_ = nullptr;
  starved_ = false;
  starvation_.clear();
  starve_limit_ms_ = kDefaultStarveLimitMs;
  idle_since_input_ms_ = 0;
  empty_polls_ = 0;
  zero_waits_ = 0;
  unread_waits_ = 0;
  starved_calls_ = 0;
  starved_keys_ = 0;
  variables_.clear();
  for (int n = 1; n <= 99; ++n) variables_[n] = Variable{};
  files_.clear();
  images_.clear();
  forced_.clear();
  log_.clear();
  waits_.clear();
  calls_.clear();
  transaction_flag_ = -1;
  last_beep_ms_ = last_led_ms_ = -1;
}

// ---------------------------------------------------------------- display

const Cell &Terminal::cell(int row, int col) const {
  static const Cell outside{};
  if (row < 0 || row >= kRows || col < 0 || col >= kCols) return outside;
  return cells_[row][col];
}

std::string Terminal::row_text(int row) const {
  std::string out(kCols, ' ');
  if (row < 0 || row >= kRows) return out;
  for (int c = 0; c < kCols; ++c) {
    unsigned char ch = cells_[row][c].ch;
    out[c] = (ch < 32 || ch > 126) ? ' ' : static_cast<char>(ch);
  }
  return out;
}

std::string Terminal::screen_text() const {
  std::string out;
  for (int r = 0; r < kRows; ++r) out += row_text(r) + "\n";
  return out;
}

std::string Terminal::row_attributes(int row) const {
  std::string out(kCols, '0');
  if (row < 0 || row >= kRows) return out;
  for (int c = 0; c < kCols; ++c) out[c] = static_cast<char>('0' + cells_[row][c].attr % 10);
  return out;
}

void Terminal::put_text(int row, int col, const std::string &text) {
  rt_write(row, col, text.data(), static_cast<int>(text.size()), 0, false);
}

void Terminal::rt_write(int row, int col, const char *text, int length, int attr, bool set_attr) {
  if (text == nullptr || row < 0 || row >= kRows) return;
  for (int i = 0; i < length; ++i) {
    int c = col + i;
    if (c >= kCols) break;
    if (c < 0) continue;
    cells_[row][c].ch = static_cast<unsigned char>(text[i]);
    if (set_attr) cells_[row][c].attr = static_cast<unsigned char>(attr);
  }
}

void Terminal::rt_fill(int row, int col, int character, int count) {
  if (row < 0 || row >= kRows) return;
  for (int i = 0; i < count; ++i) {
    int c = col + i;
    if (c >= kCols) break;
    if (c >= 0) cells_[row][c].ch = static_cast<unsigned char>(character);
  }
}

void Terminal::rt_read_cells(unsigned char *cells, int count, int row, int col) const {
  if (cells == nullptr) return;
  for (int i = 0; i < count; ++i) {
    const Cell &c = cell(row, col + i);
    bool inside = row >= 0 && row < kRows && col + i >= 0 && col + i < kCols;
    cells[2 * i] = inside ? c.ch : ' ';
    cells[2 * i + 1] = inside ? c.attr : 0;
  }
}

void Terminal::rt_write_cells(const unsigned char *cells, int count, int row, int col) {
  if (cells == nullptr || row < 0 || row >= kRows) return;
  for (int i = 0; i < count; ++i) {
    int c = col + i;
    if (c >= kCols) break;
    if (c < 0) continue;
    cells_[row][c].ch = cells[2 * i];
    cells_[row][c].attr = cells[2 * i + 1];
  }
}

void Terminal::rt_clear() {
  for (auto &row : cells_)
    for (auto &c : row) c = Cell{};
}

int Terminal::rt_set_cursor(int row, int col) {
  if (row < 0 || row >= kRows || col < 0 || col >= kCols) return 1;
  cursor_row_ = row;
  cursor_col_ = col;
  return 0;
}

// ---------------------------------------------------------------- input

void Terminal::key(std::uint16_t code) { keys_.push_back(code); }

void Terminal::keys(std::initializer_list<std::uint16_t> codes) {
  keys_.insert(keys_.end(), codes.begin(), codes.end());
}

void Terminal::type(const std::string &text) {
  for (unsigned char c : text) keys_.push_back(c);
}

void Terminal::scan(const std::string &data, unsigned char status) {
  std::vector<unsigned char> raw{status, 0, 0};
  std::size_t n = std::min<std::size_t>(data.size(), 97);
  raw[2] = static_cast<unsigned char>(n);
  raw.insert(raw.end(), data.begin(), data.begin() + static_cast<long>(n));
  scans_.push_back(raw);
}

void Terminal::sensor_record(const std::vector<unsigned char> &raw) {
  std::vector<unsigned char> rec(raw.begin(),
                                 raw.begin() + static_cast<long>(std::min<std::size_t>(raw.size(), 100)));
  scans_.push_back(rec);
}

int Terminal::rt_read_key(std::uint16_t *code) {
  if (starved_) {
    if (++starved_calls_ > kStarvedCallLimit) {
      std::fprintf(stderr, "termrt: the library kept waiting after starvation: %s\n", starvation_.c_str());
      std::abort();
    }
    if (code) *code = kStarveKeys[starved_keys_++ % 2];
    return 0;
  }
  if (keys_.empty() && real_time_ && wait_pump_) wait_pump_(0);
  if (keys_.empty()) {
    // A library that polls the keyboard without waiting is waiting all the
    // same: after enough empty polls, treat them as one idle wait.
    if (++empty_polls_ >= kBusyPollLimit) {
      empty_polls_ = 0;
      if (!real_time_) idle_wait(0, "polled the keyboard");
    }
    if (keys_.empty()) return 5;
  }
  empty_polls_ = 0;
  zero_waits_ = 0;
  unread_waits_ = 0;
  idle_since_input_ms_ = 0;
  if (code) *code = keys_.front();
  keys_.erase(keys_.begin());
  return 0;
}

int Terminal::rt_read_scan(unsigned char *buffer, int size) {
  if (scans_.empty() || buffer == nullptr || size <= 0) return 1;
  const std::vector<unsigned char> &rec = scans_.front();
  int n = std::min<int>(size, static_cast<int>(rec.size()));
  if (n > 0) std::memcpy(buffer, rec.data(), static_cast<std::size_t>(n));
  for (int i = n; i < std::min(size, 3); ++i) buffer[i] = 0;
  scans_.erase(scans_.begin());
  zero_waits_ = 0;
  unread_waits_ = 0;
  idle_since_input_ms_ = 0;
  return 0;
}

int Terminal::rt_idle() {
  if (starved_ && ++starved_calls_ > kStarvedCallLimit) {
    std::fprintf(stderr, "termrt: the library kept running after starvation: %s\n", starvation_.c_str());
    std::abort();
  }
  return stop_ ? 1 : 0;
}

// ---------------------------------------------------------------- time

void Terminal::set_clock(const DateTime &when) {
  long long target = ms_from_civil(when);
  if (real_time_) {
    long long wall = std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    real_offset_ms_ = target - wall;
  }
  now_ms_ = target;
}

long long Terminal::now_ms() const {
  if (!real_time_) return now_ms_;
  long long wall = std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
  return wall + real_offset_ms_;
}

DateTime Terminal::clock() const { return civil_from_ms(now_ms()); }

void Terminal::set_real_time(bool on) {
  if (on == real_time_) return;
  if (on) {
    std::time_t t = std::time(nullptr);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    DateTime now{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                 local.tm_hour,        local.tm_min,     local.tm_sec};
    real_time_ = true;
    set_clock(now);
  } else {
    now_ms_ = now_ms();
    real_time_ = false;
  }
}

void Terminal::advance(long long ms) {
  long long target = now_ms_ + std::max(0LL, ms);
  while (!events_.empty()) {
    auto next = std::min_element(events_.begin(), events_.end(), [](const Event &a, const Event &b) {
      return a.at_ms != b.at_ms ? a.at_ms < b.at_ms : a.order < b.order;
    });
    if (next->at_ms > target) break;
    now_ms_ = std::max(now_ms_, next->at_ms);
    run_due_events();
  }
  now_ms_ = target;
}

void Terminal::at(double seconds_from_now, std::function<void()> action) {
  long long when = now_ms() + static_cast<long long>(seconds_from_now * 1000.0 + 0.5);
  events_.push_back(Event{when, event_order_++, std::move(action)});
}

void Terminal::run_due_events() {
  long long now = now_ms();
  for (;;) {
    auto due = events_.end();
    for (auto it = events_.begin(); it != events_.end(); ++it)
      if (it->at_ms <= now && (due == events_.end() || it->at_ms < due->at_ms ||
                               (it->at_ms == due->at_ms && it->order < due->order)))
        due = it;
    if (due == events_.end()) return;
    std::function<void()> action = std::move(due->action);
    events_.erase(due);
    if (action) action();
  }
}

void Terminal::clear_starvation() {
  starved_ = false;
  starvation_.clear();
  starved_calls_ = 0;
  starved_keys_ = 0;
  idle_since_input_ms_ = 0;
  empty_polls_ = 0;
  zero_waits_ = 0;
  unread_waits_ = 0;
  stop_ = false;
}

void Terminal::starve(const std::string &why) {
  if (starved_) return;
  starved_ = true;
  starvation_ = why;
  stop_ = true;
}

// The library waits up to ms (0: without limit) and nothing is queued.
// Returns true when something was queued or happened during the wait.
bool Terminal::idle_wait(long long ms, const char *what) {
  if (idle_hook_) {
    std::size_t keys = keys_.size(), scans = scans_.size();
    bool stop = stop_;
    idle_hook_();
    if (keys_.size() != keys || scans_.size() != scans || stop_ != stop) return true;
  }
  const Event *next = nullptr;
  for (const Event &e : events_)
    if (next == nullptr || e.at_ms < next->at_ms) next = &e;
  // A wait without limit lasts at most to the clock's next second.
  long long limit = ms > 0 ? ms : 1000 - now_ms_ % 1000;
  if (next != nullptr && next->at_ms <= now_ms_ + limit) {
    long long step = std::max(0LL, next->at_ms - now_ms_);
    idle_since_input_ms_ += step;
    now_ms_ += step;
    zero_waits_ = 0;
    run_due_events();
    return true;
  }
  if (ms == 0) {
    // Waiting without limit: the next thing that can happen is the clock's
    // next second, which a time-out that has run down to 0 waits for. Ticks
    // that go on with nothing else happening mean the library starves.
    if (next == nullptr && ++zero_waits_ > kZeroWaitLimit) {
      starve(std::string("the library ") + what +
             (stop_ ? " in spite of a stop request, with no key or scan queued or scheduled"
              : scans_.empty()
                  ? " with no key, scan or stop request queued or scheduled, and no idle hook gave one"
                  : " with no key or stop request queued or scheduled, leaving the queued scan unread,"
                    " and no idle hook gave one"));
      return false;
    }
    now_ms_ += limit;
    idle_since_input_ms_ += limit;
    return false;
  }
  now_ms_ += ms;
  zero_waits_ = 0;
  idle_since_input_ms_ += ms;
  if (idle_since_input_ms_ > starve_limit_ms_)
    starve(std::string("the library ") + what + " for more than " + std::to_string(starve_limit_ms_ / 1000) +
           " virtual seconds without input");
  return false;
}

int Terminal::rt_wait(int ms) {
  waits_.push_back(ms);
  if (starved_) {
    rt_idle();
    return 0;
  }
  bool unread = input_pending();
  if (unread && ++unread_waits_ <= kUnreadWaitLimit) return 0;
  if (!unread) unread_waits_ = 0;
  if (real_time_) {
    run_due_events();
    if (!unread && input_pending()) return 0;
    if (wait_pump_) {
      wait_pump_(ms);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(ms > 0 ? std::min(ms, 50) : 10));
    }
    run_due_events();
    return 0;
  }
  idle_wait(ms < 0 ? 0 : ms, ms > 0 ? "waited" : "waited for an event");
  return 0;
}

// ---------------------------------------------------------------- variables

void Terminal::define_variable(int number, std::size_t capacity) {
  Variable &v = variables_[number];
  v.capacity = capacity;
  if (v.text.size() > capacity) v.text.resize(capacity);
}

void Terminal::remove_variable(int number) { variables_.erase(number); }

void Terminal::set_unreadable(int number, bool unreadable) { variables_[number].unreadable = unreadable; }

void Terminal::set_variable(int number, const std::string &text) {
  Variable &v = variables_[number];
  v.text = text.substr(0, kMaxText);
  if (v.capacity < v.text.size()) v.capacity = v.text.size();
}

std::optional<std::string> Terminal::variable(int number) const {
  auto it = variables_.find(number);
  if (it == variables_.end()) return std::nullopt;
  return it->second.text;
}

std::vector<int> Terminal::variable_numbers() const {
  std::vector<int> out;
  for (const auto &kv : variables_) out.push_back(kv.first);
  return out;
}

int Terminal::rt_read_variable(int number, char *buffer) {
  auto it = variables_.find(number);
  if (it == variables_.end() || it->second.unreadable || buffer == nullptr) return 3;
  const std::string &t = it->second.text;
  std::size_t n = std::min<std::size_t>(t.size(), kMaxText);
  std::memcpy(buffer, t.data(), n);
  buffer[n] = '\0';
  return 0;
}

int Terminal::rt_write_variable(int number, const char *text) {
  std::string t = text ? text : "";
  int result = 0;
  auto it = variables_.find(number);
  if (it == variables_.end())
    result = 3;
  else if (t.size() > it->second.capacity || t.size() > kMaxText)
    result = 5;
  else
    it->second.text = t;
  rt_log("write " + std::to_string(number) + " \"" + t + "\" -> " + std::to_string(result));
  return result;
}

int Terminal::rt_clear_variable(int number) {
  rt_log("clear " + std::to_string(number));
  auto it = variables_.find(number);
  if (it == variables_.end()) return 3;
  it->second.text.clear();
  return 0;
}

// ---------------------------------------------------------------- files

void Terminal::add_image(const std::string &name, const std::string &bytes) {
  std::string key = upper(name);
  files_[key] = bytes;
  // The library gets a block of exactly the image's size, so that a read
  // past the image's end is a read outside the block.
  std::unique_ptr<char[]> block(new char[bytes.size()]);
  if (!bytes.empty()) std::memcpy(block.get(), bytes.data(), bytes.size());
  images_[key] = std::move(block);
}

void Terminal::add_file(const std::string &name, const std::string &content) {
  if (content.find('\0') != std::string::npos) {
    add_image(name, content);
    return;
  }
  std::string image;
  std::istringstream in(content);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    image += line;
    image += '\0';
  }
  add_image(name, image);
}

void Terminal::remove_file(const std::string &name) {
  files_.erase(upper(name));
  images_.erase(upper(name));
}

bool Terminal::has_file(const std::string &name) const { return find_file(name) != nullptr; }

const std::string *Terminal::find_file(const std::string &name) const {
  auto it = files_.find(upper(name));
  return it == files_.end() ? nullptr : &it->second;
}

std::size_t Terminal::load_directory(const std::string &path) {
  namespace fs = std::filesystem;
  std::size_t loaded = 0;
  std::error_code ec;
  for (const auto &entry : fs::directory_iterator(path, ec)) {
    if (!entry.is_regular_file(ec)) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    add_file(entry.path().filename().string(), content.str());
    ++loaded;
  }
  return loaded;
}

void Terminal::force_validation(const std::string &name, int answer) { forced_[upper(name)] = answer; }

int Terminal::rt_data_file(const char *name, const char **image, unsigned int *size) {
  const std::string *file = name ? find_file(name) : nullptr;
  if (file == nullptr || image == nullptr || size == nullptr) return 2;
  *image = images_.at(upper(name)).get();
  *size = static_cast<unsigned int>(file->size());
  return 0;
}

int Terminal::rt_validation(const char *name, const char *mode, const char *text) {
  std::string file = name ? name : "";
  std::string m = mode ? mode : "";
  std::string value = text ? text : "";
  int answer;
  auto forced = forced_.find(upper(file));
  if (forced == forced_.end()) forced = forced_.find("");
  if (forced != forced_.end()) {
    answer = forced->second;
  } else if (const std::string *image = find_file(file)) {
    bool listed = false;
    std::size_t start = 0;
    while (start < image->size() && !listed) {
      std::size_t end = image->find('\0', start);
      if (end == std::string::npos) end = image->size();
      listed = image->compare(start, end - start, value) == 0;
      start = end + 1;
    }
    answer = (m == "3") == listed ? 0 : 1;
  } else {
    answer = 4;
  }
  rt_log("validation " + file + " " + m + " \"" + value + "\" -> " + std::to_string(answer));
  return answer;
}

// ---------------------------------------------------------------- log

void Terminal::rt_log(const std::string &what) { log_.push_back(LogEntry{now_ms(), what}); }

int Terminal::count_log(const std::string &prefix) const {
  return static_cast<int>(std::count_if(log_.begin(), log_.end(), [&](const LogEntry &e) {
    return e.what.compare(0, prefix.size(), prefix) == 0;
  }));
}

int Terminal::calls(const std::string &function) const {
  int count = 0;
  for (const auto &entry : calls_)
    if (function == entry.first) count += entry.second;
  return count;
}

}  // namespace termrt
