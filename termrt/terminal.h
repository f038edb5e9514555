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
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace termrt {

constexpr int kRows = 20;
constexpr int kCols = 40;

// Key codes as the keyboard delivers them.
enum Key : std::uint16_t {
  kEnter = 13,
  kLeft = 174,
  kRight = 175,
  kCancel = 256,
  kPrevious = 512,
  kComplete = 768,
  kBlankEntry = 1024,
  kBackspace = 1280,
  kNext = 1536,
  kHelp = 15104,
};

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
struct LogEntry {
  long long at_ms;
  std::string what;
};

class Terminal {
 public:
  Terminal();

  // Back to a new device: blank screen, empty queues, default variables
  // (1 to 99, each of 255 characters), no files, clock at its default.
  void reset();

  // ---- display ----
  const Cell &cell(int row, int col) const;
  std::string row_text(int row) const;  // 40 characters, control bytes as blanks
  std::string screen_text() const;      // the 20 rows, each ended by '\n'
  std::string row_attributes(int row) const;  // one digit per cell ('0', '1', ...)
  int cursor_row() const { return cursor_row_; }
  int cursor_col() const { return cursor_col_; }
  int cursor_type() const { return cursor_type_; }
  void put_text(int row, int col, const std::string &text);  // as a program would

  // ---- keyboard and sensor ----
  void key(std::uint16_t code);
  void keys(std::initializer_list<std::uint16_t> codes);
  void type(const std::string &text);  // one key per character
  std::size_t pending_keys() const { return keys_.size(); }
  void scan(const std::string &data, unsigned char status = 0);
  void sensor_record(const std::vector<unsigned char> &raw);  // raw bytes, up to 100
  std::size_t pending_scans() const { return scans_.size(); }

  // ---- stop requests of the idle manager (sticky until cleared) ----
  void request_stop() { stop_ = true; }
  void clear_stop() { stop_ = false; }
  bool stop_requested() const { return stop_; }

  // ---- clock ----
  void set_clock(const DateTime &when);
  DateTime clock() const;
  long long now_ms() const;    // milliseconds since 2000-01-01 00:00:00
  void advance(long long ms);  // moves virtual time, running what falls due
  void set_real_time(bool on);
  bool real_time() const { return real_time_; }

  // ---- scheduled events and hooks ----
  void at(double seconds_from_now, std::function<void()> action);
  std::size_t pending_events() const { return events_.size(); }
  // Runs when the library waits and nothing is queued; it may queue input.
  void on_idle(std::function<void()> hook) { idle_hook_ = std::move(hook); }
  // Real-time mode: runs instead of sleeping, given the milliseconds the
  // library is willing to wait (the host reads its own input there).
  void on_wait(std::function<void(int)> pump) { wait_pump_ = std::move(pump); }

  // ---- starvation ----
  bool starved() const { return starved_; }
  const std::string &starvation() const { return starvation_; }
  void set_starvation_limit(long long ms) { starve_limit_ms_ = ms; }
  // Forgets a starvation and its stop request, so that input is read again.
  void clear_starvation();

  // ---- user variables ----
  void define_variable(int number, std::size_t capacity = 255);
  void remove_variable(int number);
  void set_unreadable(int number, bool unreadable = true);
  void set_variable(int number, const std::string &text);  // defines it when needed
  std::optional<std::string> variable(int number) const;
  std::vector<int> variable_numbers() const;

  // ---- data and validation files ----
  // Text with one record per line becomes zero-terminated records in line
  // order; text that already holds zero bytes is taken as the image itself.
  void add_file(const std::string &name, const std::string &content);
  void add_image(const std::string &name, const std::string &bytes);
  void remove_file(const std::string &name);
  bool has_file(const std::string &name) const;
  std::size_t load_directory(const std::string &path);  // every regular file
  void force_validation(const std::string &name, int answer);  // "" forces all
  void clear_forced_validation() { forced_.clear(); }

  // ---- what happened ----
  const std::vector<LogEntry> &log() const { return log_; }
  void clear_log() { log_.clear(); }
  int count_log(const std::string &prefix) const;
  const std::vector<int> &waits() const { return waits_; }  // each _WaitEvent argument
  void clear_waits() { waits_.clear(); }
  int calls(const std::string &function) const;
  int transaction_flag() const { return transaction_flag_; }
  long long last_beep_ms() const { return last_beep_ms_; }
  long long last_led_ms() const { return last_led_ms_; }

  // ---- the run-time side: called by the functions of termrt.h ----
  void rt_write(int row, int col, const char *text, int length, int attr, bool set_attr);
  void rt_fill(int row, int col, int character, int count);
  void rt_read_cells(unsigned char *cells, int count, int row, int col) const;
  void rt_write_cells(const unsigned char *cells, int count, int row, int col);
  void rt_clear();
  int rt_set_cursor(int row, int col);
  void rt_set_cursor_type(int type) { cursor_type_ = type; }
  int rt_read_key(std::uint16_t *code);
  int rt_idle();
  int rt_wait(int ms);
  bool rt_has_scan() const { return !scans_.empty(); }
  int rt_read_scan(unsigned char *buffer, int size);
  int rt_read_variable(int number, char *buffer);
  int rt_write_variable(int number, const char *text);
  int rt_clear_variable(int number);
  int rt_data_file(const char *name, const char **image, unsigned int *size);
  int rt_validation(const char *name, const char *mode, const char *text);
  void rt_log(const std::string &what);
  void rt_beep() { last_beep_ms_ = now_ms(); }
  void rt_led() { last_led_ms_ = now_ms(); }
  void rt_transaction(int flag) { transaction_flag_ = flag; }
  void rt_count(const char *function) { ++calls_[function]; }

 private:
  struct Variable {
    std::string text;
    std::size_t capacity = 255;
    bool unreadable = false;
  };
  struct Event {
    long long at_ms;
    long long order;
    std::function<void()> action;
  };

  bool input_pending() const { return !keys_.empty() || !scans_.empty() || stop_; }
  void run_due_events();
  bool idle_wait(long long ms, const char *what);
  void starve(const std::string &why);
  const std::string *find_file(const std::string &name) const;

  Cell cells_[kRows][kCols];
  int cursor_row_ = 0, cursor_col_ = 0, cursor_type_ = 0;
  std::vector<std::uint16_t> keys_;
  std::vector<std::vector<unsigned char>> scans_;
  bool stop_ = false;
  long long now_ms_ = 0;
  long long real_offset_ms_ = 0;
  bool real_time_ = false;
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
  std::map<int, Variable> variables_;
  std::map<std::string, std::string> files_;               // by upper-case name
  std::map<std::string, std::unique_ptr<char[]>> images_;  // the same, in blocks of their exact size
  std::map<std::string, int> forced_;
  std::vector<LogEntry> log_;
  std::vector<int> waits_;
  std::map<const char *, int> calls_;  // by the function's name as the run-time passes it
  int transaction_flag_ = -1;
  long long last_beep_ms_ = -1, last_led_ms_ = -1;
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
