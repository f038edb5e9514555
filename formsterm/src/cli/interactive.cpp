// interactive.cpp - the interactive terminal.
//
// Everything runs on one thread: the library waits through the terminal's
// real-time pump, and the pump draws the display and reads the keys. The
// screen (80x24 is enough):
//
//   row 0       title, status text, clock
//   rows 1-22   the 20x40 display in a frame; highlighted cells reversed
//   beside it   LED, beep and transaction flag, main's last result, the
//               user variables that hold text
//   row 23      the key legend
#include "cli/interactive.h"

#include <curses.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <vector>

#include "driver/library.h"
#include "driver/session.h"
#include "entry/reports.h"
#include "input/sensor.h"
#include "script/recorder.h"
#include "script/script_host.h"
#include "terminal.h"

namespace formsterm {

namespace {

volatile std::sig_atomic_t g_signalled = 0;

extern "C" void on_signal(int) { g_signalled = 1; }

// A crash (most likely in the library under development) must not leave
// the user's terminal in curses mode: give it back, then crash as before.
extern "C" void on_crash(int signal_number) {
  endwin();
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

constexpr int kFrameTop = 1;
constexpr int kFrameLeft = 0;
constexpr int kPanelLeft = 44;
// Pumps after a quit request that keep answering the library's waits before
// the process gives up on it.
constexpr int kQuitPumpLimit = 3000;
constexpr int kScanLimit = SENSOR_DATA_MAX;
// The frame of the display and the legend below it.
constexpr int kLeastColumns = termrt::kCols + 2, kLeastLines = termrt::kRows + 4;
// The wait of the driver's delay routine: a pause, not a wait for input.
constexpr int kPauseWaitMs = DELAY_PASS_MS;
const char kLegend[] = "Esc cancel Tab/Dn next S-Tab/Up prev F10 done F5 blank F1 help F6 scan F12 quit";
const char kRecordLegend[] = "Esc cancel Tab next S-Tab prev F10 done F1 help F6 scan F8 snapshot F12 stop";

// The curses screen for the lifetime of the object; the terminal is always
// given back, whichever way the object goes.
class CursesScreen {
 public:
  static std::unique_ptr<CursesScreen> open(std::string *why) {
    SCREEN *screen = newterm(nullptr, stdout, stdin);
    if (screen == nullptr) {
      *why = "TERM is not a terminal type this machine knows";
      return nullptr;
    }
    return std::unique_ptr<CursesScreen>(new CursesScreen(screen));
  }
  ~CursesScreen() {
    endwin();
    delscreen(screen_);
  }
  CursesScreen(const CursesScreen &) = delete;
  CursesScreen &operator=(const CursesScreen &) = delete;

 private:
  explicit CursesScreen(SCREEN *screen) : screen_(screen) {
    set_term(screen_);
    raw();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    set_escdelay(25);
  }
  SCREEN *screen_;
};

// Signal handlers for the time curses is on, put back when the object
// goes: the stop signals only raise a flag, crashes restore the terminal.
class SignalHandlers {
 public:
  SignalHandlers() {
    g_signalled = 0;
    for (int i = 0; i < kCount; ++i) old_[i] = std::signal(kSignals[i], i < kStops ? on_signal : on_crash);
  }
  ~SignalHandlers() {
    for (int i = 0; i < kCount; ++i) std::signal(kSignals[i], old_[i]);
  }
  SignalHandlers(const SignalHandlers &) = delete;
  SignalHandlers &operator=(const SignalHandlers &) = delete;

 private:
  static constexpr int kStops = 3, kCount = 8;
  static constexpr int kSignals[kCount] = {SIGINT, SIGTERM, SIGHUP, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
  void (*old_[kCount])(int);
};

class Console {
 public:
  Console(ScriptHost &host, std::string title, Recorder *recorder)
      : host_(host), title_(std::move(title)), recorder_(recorder) {}

  bool quitting() const { return quitting_; }
  // How the user stopped the program: the key, and what main was doing.
  const std::string &stopped_by() const { return stopped_by_; }
  void set_status(const std::string &text) { status_ = text; }

  // The terminal's real-time pump: draw, then wait up to ms for keys (a
  // short while for 0, not at all for a negative ms).
  void pump(int ms) noexcept {
    try {
      if (quitting_) {
        answer_while_quitting();
        return;
      }
      in_pause_ = ms == kPauseWaitMs;
      if (recorder_ && in_pause_) recorder_->paused();
      if (recorder_ && ms >= 0 && ms != kPauseWaitMs && recorder_->input_wait())
        status_ = "snapshot " + std::to_string(recorder_->goldens()) + " taken";
      draw();
      timeout(ms > 0 ? std::min(ms, 50) : ms == 0 ? 10 : 0);
      for (int ch = getch(); ch != ERR; ch = getch()) {
        handle(ch);
        if (quitting_) return;
        timeout(0);
      }
      if (g_signalled) quit("a signal");
    } catch (const std::exception &e) {
      quit(e.what());
    } catch (...) {
      quit("a failure");
    }
  }

  // Called between Lua instructions: true when the script should stop. A
  // callback that runs inside a command is left alone: the stop request
  // ends the command, and the script stops when it returns.
  bool poll() noexcept {
    if (host_.in_command()) return false;
    pump(-1);
    return quitting_;
  }

  void quit(const char *by) noexcept {
    if (!quitting_) {
      try {
        stopped_by_ = std::string("stopped by ") + by +
                      (host_.in_command() ? " while main ran " + host_.running_command()
                                          : std::string(" between calls of main"));
      } catch (...) {
      }
    }
    quitting_ = true;
    termrt::terminal().request_stop();
  }

  // After the program ended: the last screen stays until a key.
  void wait_for_leave() {
    status_ = "program ended; press a key to leave";
    while (!quitting_) {
      draw();
      timeout(200);
      const int ch = getch();
      if (ch != ERR && ch != KEY_RESIZE) break;
      if (g_signalled) break;
    }
  }

 private:
  // A command that goes on waiting after the stop request gets Enter and
  // cancel in turn, which end every wait of the library.
  void answer_while_quitting() {
    termrt::Terminal &t = termrt::terminal();
    t.request_stop();
    if (t.pending_keys() == 0) t.key(++quit_pumps_ % 2 ? termrt::kEnter : termrt::kCancel);
    if (quit_pumps_ > kQuitPumpLimit) {
      endwin();
      std::cerr << "formsterm: the library did not stop after the quit request; giving up\n";
      std::_Exit(3);
    }
  }

  // A key pressed during one of the driver's pauses is read and dropped by
  // it: the replay, which gives keys only at input waits, leaves it out.
  void press(std::uint16_t code) {
    termrt::terminal().key(code);
    if (recorder_ && !in_pause_) recorder_->key(code);
  }

  void handle(int ch) {
    switch (ch) {
      case KEY_F(12): quit("F12"); return;
      case 3: quit("Ctrl-C"); return;
      case KEY_F(6): scan_prompt(); return;
      case KEY_F(8):
        if (recorder_) recorder_->request_snapshot();
        status_ = recorder_ ? "snapshot at the next wait for input"
                            : "F8 takes a snapshot when recording (run --record)";
        return;
      case KEY_RESIZE: clear(); return;
      case '\r':
      case '\n':
      case KEY_ENTER: press(termrt::kEnter); return;
      case 27: press(termrt::kCancel); return;
      case '\t':
      case KEY_DOWN: press(termrt::kNext); return;
      case KEY_BTAB:
      case KEY_UP: press(termrt::kPrevious); return;
      case KEY_F(10): press(termrt::kComplete); return;
      case KEY_F(5): press(termrt::kBlankEntry); return;
      case KEY_F(1): press(termrt::kHelp); return;
      case KEY_BACKSPACE:
      case 127:
      case 8: press(termrt::kBackspace); return;
      case KEY_LEFT: press(termrt::kLeft); return;
      case KEY_RIGHT: press(termrt::kRight); return;
      default:
        if (ch >= 32 && ch <= 126) press(static_cast<std::uint16_t>(ch));
    }
  }

  // F6: a line for the text of a scan, queued as a sensor record on Enter.
  void scan_prompt() {
    std::string text;
    for (;;) {
      draw();
      move(LINES - 1, 0);
      clrtoeol();
      attron(A_REVERSE);
      mvaddnstr(LINES - 1, 0, ("Scan (Enter queues it, Esc drops it): " + text).c_str(), COLS - 1);
      attroff(A_REVERSE);
      curs_set(1);
      refresh();
      timeout(200);
      const int ch = getch();
      if (g_signalled) return;
      if (ch == '\r' || ch == '\n' || ch == KEY_ENTER) {
        termrt::terminal().scan(text);
        if (recorder_) recorder_->scan(text);
        status_ = "scanned \"" + text + "\"";
        return;
      }
      if (ch == 27) return;
      if ((ch == KEY_BACKSPACE || ch == 127 || ch == 8) && !text.empty()) text.pop_back();
      if (ch >= 32 && ch <= 126 && static_cast<int>(text.size()) < kScanLimit) text += static_cast<char>(ch);
    }
  }

  void draw() {
    const termrt::Terminal &t = termrt::terminal();
    erase();
    if (COLS < kLeastColumns || LINES < kLeastLines) {
      draw_too_small();
      return;
    }
    draw_title(t);
    draw_display(t);
    if (COLS >= kPanelLeft + 20) draw_panel(t);
    attron(A_DIM);
    mvaddnstr(LINES - 1, 0, recorder_ ? kRecordLegend : kLegend, COLS - 1);
    attroff(A_DIM);
    if (t.cursor_type() != 0) {
      curs_set(1);
      move(kFrameTop + 1 + t.cursor_row(), kFrameLeft + 1 + t.cursor_col());
    } else {
      curs_set(0);
    }
    refresh();
  }

  // Rather than a display with rows cut off: how large the terminal must be.
  void draw_too_small() {
    const std::string text = "formsterm needs a terminal of at least " + std::to_string(kLeastColumns) +
                             " columns and " + std::to_string(kLeastLines) +
                             " rows for the 20x40 display; this one has " + std::to_string(COLS) + "x" +
                             std::to_string(LINES) + ". Enlarge it (F12 quits).";
    int y = 0, x = 0;
    std::size_t at = 0;
    while (at < text.size() && y < LINES) {  // word by word, wrapped to the width
      std::size_t end = text.find(' ', at);
      if (end == std::string::npos) end = text.size();
      const int length = static_cast<int>(end - at);
      if (x > 0 && x + length > COLS) ++y, x = 0;
      mvaddnstr(y, x, text.c_str() + at, std::min(length, COLS));
      x += length + 1;
      at = end + 1;
    }
    curs_set(0);
    refresh();
  }

  void draw_title(const termrt::Terminal &t) {
    const termrt::DateTime d = t.clock();
    char clock_text[32];
    std::snprintf(clock_text, sizeof clock_text, "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day,
                  d.hour, d.minute, d.second);
    attron(A_BOLD);
    mvaddnstr(0, 0, ("formsterm " + title_).c_str(), COLS);
    attroff(A_BOLD);
    const int status_col = static_cast<int>(title_.size()) + 12;
    const int clock_col = COLS - 20;
    if (clock_col > status_col) mvaddnstr(0, status_col, status_.c_str(), clock_col - status_col - 1);
    if (clock_col > 0) mvaddstr(0, clock_col, clock_text);
  }

  void draw_display(const termrt::Terminal &t) {
    const std::string border = "+" + std::string(termrt::kCols, '-') + "+";
    mvaddstr(kFrameTop, kFrameLeft, border.c_str());
    mvaddstr(kFrameTop + termrt::kRows + 1, kFrameLeft, border.c_str());
    for (int r = 0; r < termrt::kRows; ++r) {
      const int y = kFrameTop + 1 + r;
      mvaddch(y, kFrameLeft, '|');
      const std::string text = t.row_text(r);
      for (int c = 0; c < termrt::kCols; ++c) {
        const bool high = t.cell(r, c).attr != 0;
        mvaddch(y, kFrameLeft + 1 + c,
                static_cast<chtype>(static_cast<unsigned char>(text[c])) | (high ? A_REVERSE : 0));
      }
      mvaddch(y, kFrameLeft + 1 + termrt::kCols, '|');
    }
  }

  void indicator(int y, int x, const char *label, bool on) {
    if (on) attron(A_REVERSE | A_BOLD);
    mvaddstr(y, x, label);
    if (on) attroff(A_REVERSE | A_BOLD);
  }

  void draw_panel(const termrt::Terminal &t) {
    const int width = COLS - kPanelLeft - 1;
    const long long now = t.now_ms();
    const bool led = t.last_led_ms() >= 0 && now - t.last_led_ms() < 1000;
    const bool beep = t.last_beep_ms() >= 0 && now - t.last_beep_ms() < 500;
    indicator(kFrameTop + 1, kPanelLeft, " LED ", led);
    indicator(kFrameTop + 1, kPanelLeft + 6, " BEEP ", beep);
    const int flag = t.transaction_flag();
    mvaddstr(kFrameTop + 1, kPanelLeft + 13, flag < 0 ? " TX - " : (flag ? " TX 1 " : " TX 0 "));

    if (host_.in_command()) {
      mvaddnstr(kFrameTop + 3, kPanelLeft, "main is running", width);
      mvaddnstr(kFrameTop + 4, kPanelLeft, ("  " + host_.running_command()).c_str(), width);
    } else if (host_.last_result()) {
      mvaddnstr(kFrameTop + 3, kPanelLeft, ("main returned " + std::to_string(*host_.last_result())).c_str(),
                width);
      mvaddnstr(kFrameTop + 4, kPanelLeft, ("  for " + host_.last_command()).c_str(), width);
    } else {
      mvaddnstr(kFrameTop + 3, kPanelLeft, "main not called yet", width);
    }
    // An error report on the display: its code in plain words.
    if (std::optional<StandingReport> report = standing_report(t)) {
      attron(A_BOLD);
      mvaddnstr(kFrameTop + 5, kPanelLeft, describe_report(*report).c_str(), width);
      attroff(A_BOLD);
    }

    attron(A_UNDERLINE);
    mvaddnstr(kFrameTop + 6, kPanelLeft, "user variables", width);
    attroff(A_UNDERLINE);
    int y = kFrameTop + 7;
    const int last_row = kFrameTop + termrt::kRows;
    const std::vector<int> numbers = t.variable_numbers();
    int shown = 0, filled = 0;
    for (int n : numbers) {
      const std::optional<std::string> text = t.variable(n);
      if (!text || text->empty()) continue;
      ++filled;
      if (y > last_row) continue;
      char number[8];
      std::snprintf(number, sizeof number, "%3d ", n);
      mvaddnstr(y++, kPanelLeft, (number + *text).c_str(), width);
      ++shown;
    }
    if (filled > shown)
      mvaddnstr(last_row, kPanelLeft, ("... and " + std::to_string(filled - shown + 1) + " more").c_str(),
                width);
  }

  ScriptHost &host_;
  std::string title_;
  std::string status_;
  Recorder *recorder_;
  bool in_pause_ = false;  // the library waits in one of the driver's pauses
  bool quitting_ = false;
  std::string stopped_by_;
  int quit_pumps_ = 0;
};

// What the user reads after curses has given the terminal back.
std::string how_it_ended(const ScriptHost &host, const std::string &stopped_by) {
  std::string text = "formsterm run: " + (stopped_by.empty() ? std::string("the program ended") : stopped_by);
  if (host.last_result())
    text += "; main last returned " + std::to_string(*host.last_result()) + " for " + host.last_command();
  return text;
}

Console *g_console = nullptr;

// Runs between Lua instructions, so that F12 and signals reach a program
// that loops without calling the library. Owns no C++ objects.
void count_hook(lua_State *L, lua_Debug *) {
  if (g_console == nullptr || !g_console->poll()) return;
  lua_pushlightuserdata(L, quit_marker());
  lua_error(L);
}

}  // namespace

std::optional<std::string> missing_terminal() {
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO))
    return std::string("standard input and output are not a terminal");
  const char *term = std::getenv("TERM");
  if (term == nullptr || *term == '\0') return std::string("TERM is not set");
  const std::string name = term;
  if (name == "dumb" || name == "unknown") return "TERM=" + name + " cannot place the cursor";
  return std::nullopt;
}

int run_interactive(const RunOptions &options, std::ostream &err) {
  const std::string hint = "; `formsterm test SCRIPT.lua` runs scripts without a terminal";
  if (std::optional<std::string> why = missing_terminal()) {
    err << "formsterm run: no terminal here: " << *why << hint << "\n";
    return 2;
  }
  if (!std::ifstream(options.program)) {
    err << "formsterm run: " << options.program << ": cannot read the program\n";
    return 2;
  }
  HostOptions host_options;
  host_options.library_path = options.library_path;
  host_options.script = options.program;
  ScriptHost host(host_options);
  try {
    host.fresh_start();
  } catch (const LoadError &e) {
    err << "formsterm run: " << e.what() << "\n";
    return 2;
  }

  std::optional<std::string> error;
  std::string ended;
  bool quit = false;
  {
    std::string why;
    std::unique_ptr<CursesScreen> screen = CursesScreen::open(&why);
    if (!screen) {
      err << "formsterm run: no terminal here: " << why << hint << "\n";
      return 2;
    }
    SignalHandlers signals;
    std::unique_ptr<Recorder> recorder;
    if (!options.record.empty()) recorder = std::make_unique<Recorder>(options.record, options.program);
    Console console(host, std::filesystem::path(options.program).filename().string(), recorder.get());
    g_console = &console;
    host.on_fresh = [&console] {
      termrt::Terminal &t = termrt::terminal();
      t.set_real_time(true);
      t.on_wait([&console](int ms) { console.pump(std::max(ms, 0)); });
    };
    host.after_call = [&console] { console.pump(-1); };
    host.quit_requested = [&console] { return console.quitting(); };
    host.on_callback_error = [&console] { console.quit("a failing callback"); };
    host.print = [&console](const std::string &text) { console.set_status(text); };
    host.reset_terminal();
    lua_sethook(host.lua(), count_hook, LUA_MASKCOUNT, 100000);

    error = host.run_script(&quit);
    if (recorder) {
      if (quit || console.quitting())
        recorder->ended(Recorder::Ending::kQuit, "the recording stopped here: " + console.stopped_by());
      else if (error)
        recorder->ended(Recorder::Ending::kFailed, "the recording stopped here: the program failed");
      else
        recorder->ended(Recorder::Ending::kEnded, "the program ended");
    }
    if (!error && !console.quitting()) console.wait_for_leave();
    ended = how_it_ended(host, console.stopped_by());

    lua_sethook(host.lua(), nullptr, 0, 0);
    g_console = nullptr;
    host.on_fresh = nullptr;
    host.after_call = nullptr;
    host.quit_requested = nullptr;
    host.on_callback_error = nullptr;
    host.print = nullptr;
    termrt::terminal().reset();  // drops the pump, which refers to the console
  }
  if (!options.record.empty()) err << "formsterm run: recorded the session in " << options.record << "\n";
  if (error && !quit) {
    err << *error << "\n";
    return 1;
  }
  err << ended << "\n";
  return 0;
}

}  // namespace formsterm
