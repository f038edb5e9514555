// terminal.cpp - the host interface of the simulated terminal, over its
// parts.
#include "terminal.h"

#include "internal/device.h"

namespace termrt {

Terminal &terminal() {
  static Terminal the_terminal;
  return the_terminal;
}

Device &device_of(Terminal &terminal) { return *terminal.device_; }

Terminal::Terminal() : device_(std::make_unique<Device>()) {}
Terminal::~Terminal() = default;

void Terminal::reset() { device_->reset(); }

// ---------------------------------------------------------------- display

const Cell &Terminal::cell(int row, int col) const { return device_->display.cell(row, col); }
std::string Terminal::row_text(int row) const { return device_->display.row_text(row); }
std::string Terminal::row_attributes(int row) const { return device_->display.row_attributes(row); }
int Terminal::cursor_row() const { return device_->display.cursor_row(); }
int Terminal::cursor_col() const { return device_->display.cursor_col(); }
int Terminal::cursor_type() const { return device_->display.cursor_type(); }
void Terminal::clear_screen() { device_->display.clear(); }

std::string Terminal::screen_text() const {
  std::string out;
  for (int r = 0; r < kRows; ++r) out += row_text(r) + "\n";
  return out;
}

void Terminal::put_text(int row, int col, std::string_view text) {
  device_->display.write(row, col, text.data(), static_cast<int>(text.size()), 0, false);
}

// ---------------------------------------------------------------- input

void Terminal::key(std::uint16_t code) { device_->input.key(code); }
void Terminal::keys(std::initializer_list<std::uint16_t> codes) { device_->input.keys(codes); }
void Terminal::type(std::string_view text) { device_->input.type(text); }
std::size_t Terminal::pending_keys() const { return device_->input.pending_keys(); }
void Terminal::scan(std::string_view data, unsigned char status) { device_->input.scan(data, status); }
void Terminal::sensor_record(const std::vector<unsigned char> &raw) { device_->input.sensor_record(raw); }
std::size_t Terminal::pending_scans() const { return device_->input.pending_scans(); }
void Terminal::request_stop() { device_->input.request_stop(); }
void Terminal::clear_stop() { device_->input.clear_stop(); }
bool Terminal::stop_requested() const { return device_->input.stop_requested(); }

std::optional<std::uint16_t> Terminal::take_key() {
  std::uint16_t code = 0;
  if (pending_keys() == 0 || !device_->events.read_key(code)) return std::nullopt;
  return code;
}

// ---------------------------------------------------------------- clock and events

void Terminal::set_clock(const DateTime &when) { device_->clock.set(when); }
DateTime Terminal::clock() const { return civil_from_ms(now_ms()); }
long long Terminal::now_ms() const { return device_->clock.now_ms(); }
void Terminal::advance(long long ms) { device_->events.advance(ms); }
void Terminal::set_real_time(bool on) { device_->clock.set_real_time(on); }
bool Terminal::real_time() const { return device_->clock.real_time(); }

void Terminal::at(double seconds_from_now, std::function<void()> action) {
  device_->events.at(seconds_from_now, std::move(action));
}
void Terminal::on_idle(std::function<void()> hook) { device_->events.on_idle(std::move(hook)); }
void Terminal::on_wait(std::function<void(int)> pump) { device_->events.on_wait(std::move(pump)); }

bool Terminal::starved() const { return device_->events.starved(); }
const std::string &Terminal::starvation() const { return device_->events.starvation(); }
void Terminal::set_starvation_limit(long long ms) { device_->events.set_starvation_limit(ms); }
void Terminal::clear_starvation() { device_->events.clear_starvation(); }

// ---------------------------------------------------------------- variables and files

void Terminal::define_variable(int number) { device_->variables.define(number); }
void Terminal::define_variable(int number, std::size_t capacity) {
  device_->variables.define(number, capacity);
}
void Terminal::remove_variable(int number) { device_->variables.remove(number); }
void Terminal::set_unreadable(int number, bool unreadable) {
  device_->variables.set_unreadable(number, unreadable);
}
void Terminal::set_variable(int number, std::string_view text) { device_->variables.set(number, text); }
std::optional<std::string> Terminal::variable(int number) const { return device_->variables.text(number); }
std::vector<int> Terminal::variable_numbers() const { return device_->variables.numbers(); }

void Terminal::add_file(std::string_view name, std::string_view content) {
  device_->files.add_file(name, content);
}
void Terminal::add_image(std::string_view name, std::string_view bytes) {
  device_->files.add_image(name, bytes);
}
void Terminal::remove_file(std::string_view name) { device_->files.remove(name); }
bool Terminal::has_file(std::string_view name) const { return device_->files.has(name); }
std::size_t Terminal::load_directory(std::string_view path) { return device_->files.load_directory(path); }
void Terminal::force_validation(std::string_view name, int answer) {
  device_->files.force_validation(name, answer);
}
void Terminal::clear_forced_validation() { device_->files.clear_forced_validation(); }

// ---------------------------------------------------------------- log

const std::vector<LogEntry> &Terminal::log() const { return device_->log.entries(); }
void Terminal::clear_log() { device_->log.clear(); }
int Terminal::count_log(std::string_view prefix) const { return device_->log.count(prefix); }
const std::vector<int> &Terminal::waits() const { return device_->log.waits(); }
void Terminal::clear_waits() { device_->log.clear_waits(); }
int Terminal::calls(std::string_view function) const { return device_->log.calls(function); }
int Terminal::transaction_flag() const { return device_->log.transaction_flag(); }
long long Terminal::last_beep_ms() const { return device_->log.last_beep_ms(); }
long long Terminal::last_led_ms() const { return device_->log.last_led_ms(); }

}  // namespace termrt
