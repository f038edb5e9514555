// terminal.h - the simulated terminal behind the run-time functions.
//
// One Terminal stands for the device: a 20x40 display of cells, a keyboard
// queue, a sensor queue, speaker and LED, a clock, numbered user variables,
// data files and validation files. The run-time functions of termrt.h act on
// it; host programs and tests use the methods below to set it up, to feed it
// keys and scans and to read back what a terminal user would see.
//
// Time is virtual unless real-time mode is switched on: the clock moves only
// while the library waits, straight to the next thing that can happen, so a
// ten-minute time-out costs no wall time. When the library waits for input
// that nothing will ever give, the terminal says so (starvation) and ends the
// wait with a stop request and keys, so that no run can hang.
#ifndef TERMRT_TERMINAL_H
#define TERMRT_TERMINAL_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "key_names.h"
#include "platform/termrt.h"

namespace termrt {

constexpr int kRows = DISPLAY_ROWS;
constexpr int kCols = DISPLAY_COLUMNS;

struct Cell {
  unsigned char ch = ' ';
  unsigned char attr = 0;
};

struct DateTime {
  int year = 2026, month = 1, day = 15;
  int hour = 10, minute = 0, second = 0;
};

// One entry of the signal and host-call log: when, and what, as text such as
// "beep 0,0,2", "led 0,5", "transaction 1", "write 5 \"3\" -> 0", "clear 5",
// "validation PARTS.VAL 3 \"P1\" -> 0", "flagged 2,3 \"ABC\"".
// A write of a user variable also carries its parts, for hosts that follow
// what a program stored without reading the text back.
struct VariableWrite {
  int variable = 0;
  std::string text;
  int result = 0;  // the run-time's answer
};
struct LogEntry {
  long long at_ms;
  std::string what;
  std::optional<VariableWrite> write = std::nullopt;
};

// The terminal's parts (display, input queues, clock, events, variables,
// files and log), which only the run-time side sees.
struct Device;

class Terminal {
 public:
  Terminal();
  ~Terminal();
  Terminal(const Terminal &) = delete;
  Terminal &operator=(const Terminal &) = delete;

  // Back to a new device: blank screen, empty queues, default variables
  // (1 to 99, each of 255 characters), no files, clock at its default.
  void reset();

  // ---- display ----
  const Cell &cell(int row, int col) const;
  std::string row_text(int row) const;        // 40 characters, control bytes as blanks
  std::string screen_text() const;            // the 20 rows, each ended by '\n'
  std::string row_attributes(int row) const;  // one digit per cell ('0', '1', ...)
  int cursor_row() const;
  int cursor_col() const;
  int cursor_type() const;
  void put_text(int row, int col, std::string_view text);  // as a program would
  void clear_screen();                                     // blank cells, attributes 0

  // ---- keyboard and sensor ----
  void key(std::uint16_t code);
  void keys(std::initializer_list<std::uint16_t> codes);
  void type(std::string_view text);  // one key per character
  std::size_t pending_keys() const;
  // The next queued key, taken as the library would read it; nothing when
  // none is queued.
  std::optional<std::uint16_t> take_key();
  void scan(std::string_view data, unsigned char status = 0);
  void sensor_record(const std::vector<unsigned char> &raw);  // raw bytes, up to SENSOR_RECORD_SIZE
  std::size_t pending_scans() const;

  // ---- stop requests of the idle manager (sticky until cleared) ----
  void request_stop();
  void clear_stop();
  bool stop_requested() const;

  // ---- clock ----
  void set_clock(const DateTime &when);
  DateTime clock() const;
  long long now_ms() const;    // milliseconds since 2000-01-01 00:00:00
  void advance(long long ms);  // moves virtual time, running what falls due
  void set_real_time(bool on);
  bool real_time() const;

  // ---- scheduled events and hooks ----
  void at(double seconds_from_now, std::function<void()> action);
  // Runs when the library waits and nothing is queued; it may queue input.
  void on_idle(std::function<void()> hook);
  // Real-time mode: runs instead of sleeping, given the milliseconds the
  // library is willing to wait (the host reads its own input there).
  void on_wait(std::function<void(int)> pump);

  // ---- starvation ----
  bool starved() const;
  const std::string &starvation() const;
  void set_starvation_limit(long long ms);
  // Forgets a starvation and its stop request, so that input is read again.
  void clear_starvation();

  // ---- user variables ----
  void define_variable(int number);  // of the full 255 characters
  void define_variable(int number, std::size_t capacity);
  void remove_variable(int number);
  void set_unreadable(int number, bool unreadable = true);
  void set_variable(int number, std::string_view text);  // defines it when needed
  std::optional<std::string> variable(int number) const;
  std::vector<int> variable_numbers() const;

  // ---- data and validation files ----
  // Text with one record per line becomes zero-terminated records in line
  // order; text that already holds zero bytes is taken as the image itself.
  void add_file(std::string_view name, std::string_view content);
  void add_image(std::string_view name, std::string_view bytes);
  void remove_file(std::string_view name);
  bool has_file(std::string_view name) const;
  std::size_t load_directory(std::string_view path);         // every regular file
  void force_validation(std::string_view name, int answer);  // "" forces all
  void clear_forced_validation();

  // ---- what happened ----
  const std::vector<LogEntry> &log() const;
  void clear_log();
  int count_log(std::string_view prefix) const;
  const std::vector<int> &waits() const;  // each _WaitEvent argument
  void clear_waits();
  int calls(std::string_view function) const;
  int transaction_flag() const;
  long long last_beep_ms() const;
  long long last_led_ms() const;

 private:
  friend Device &device_of(Terminal &terminal);
  std::unique_ptr<Device> device_;
};

// The one terminal of this process.
Terminal &terminal();

// The number of run-time functions of termrt.h running now: 0 while the
// library's own code runs (or no library call is under way).
int runtime_depth();

// Calendar helpers shared with hosts.
long long days_from_civil(int year, int month, int day);
DateTime civil_from_ms(long long ms);
long long ms_from_civil(const DateTime &when);

}  // namespace termrt

#endif
