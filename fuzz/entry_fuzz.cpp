// entry_fuzz.cpp - fuzz target of the whole library through its entry point.
//
// Each input is a script (script.h) of command strings, user variables,
// help and data file images, keys, scans and raw sensor records, run over
// the simulated terminal. Every input starts from a new terminal and the
// library's globals as at load, so a finding is reproduced by its input
// alone. A command that waits for input the script does not give ends
// by itself: after a few waits with nothing left for it, the run-time asks
// the command to stop and an operator presses cancel and Enter; behind that,
// the terminal's starvation rule (with a low limit) ends any wait. With the
// number of commands bounded, each input costs little virtual time.
//
// Besides the sanitizers' findings, the fixed-size texts of the library's
// globals must stay terminated inside their arrays after every command: an
// overrun inside one global record is invisible to the address sanitizer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "commands/unique.h"
#include "entry/entry.h"
#include "entry/state.h"
#include "fields/table.h"
#include "screen/popup.h"
#include "script.h"
#include "terminal.h"

namespace {

constexpr std::size_t kMaxLines = 400;
constexpr int kMaxCommands = 40;
constexpr long long kStarvationLimitMs = 20 * 1000;
constexpr long long kLongestStepMs = 24LL * 3600 * 1000;
// Waits with nothing left in the script for the command before the operator
// steps in.
constexpr int kEmptyWaits = 4;
// The wait of each pass of the delay routine.
constexpr int kDelayPassMs = 20;

enum class Kind { kCommand, kFile, kInput, kSetting };

Kind kind_of(char tag) {
  switch (tag) {
    case 'C':
    case 'E':
    case 'N': return Kind::kCommand;
    case 'H':
    case 'F':
    case 'G': return Kind::kFile;
    case 'K':
    case 'S':
    case 'R':
    case 'X':
    case 'W': return Kind::kInput;
    default: return Kind::kSetting;
  }
}

struct Script {
  std::vector<fuzz::Line> lines;
  std::size_t next = 0;
  std::map<std::string, std::string> files;  // images by name, as built so far
  int empty_waits = 0;
};

void set_clock(const std::string &digits) {
  int part[6] = {26, 1, 15, 10, 0, 0};
  for (int i = 0; i < 6 && 2 * i + 1 < static_cast<int>(digits.size()); ++i) {
    char hi = digits[2 * i], lo = digits[2 * i + 1];
    if (hi < '0' || hi > '9' || lo < '0' || lo > '9') break;
    part[i] = (hi - '0') * 10 + (lo - '0');
  }
  termrt::DateTime when;
  when.year = part[0] < 90 ? 2000 + part[0] : 1900 + part[0];
  when.month = part[1] < 1 ? 1 : (part[1] > 12 ? 12 : part[1]);
  when.day = part[2] < 1 ? 1 : (part[2] > 31 ? 31 : part[2]);
  when.hour = part[3] > 23 ? 23 : part[3];
  when.minute = part[4] > 59 ? 59 : part[4];
  when.second = part[5] > 59 ? 59 : part[5];
  termrt::terminal().set_clock(when);
}

void add_to_file(Script &s, const std::string &name, const std::string &bytes) {
  std::string &image = s.files[name];
  image += bytes;
  termrt::terminal().add_image(name, image);
}

// Applies a line that is not a command.
void apply(Script &s, const fuzz::Line &line) {
  termrt::Terminal &t = termrt::terminal();
  std::string name, rest;
  fuzz::split_assignment(line.payload, &name, &rest);
  switch (line.tag) {
    case 'V': t.set_variable(fuzz::leading_number(name), rest); break;
    case 'L': {
      int capacity = fuzz::leading_number(rest);
      t.define_variable(fuzz::leading_number(name), capacity < 0 ? 0 : static_cast<std::size_t>(capacity));
      break;
    }
    case 'U': t.set_unreadable(fuzz::leading_number(line.payload)); break;
    case 'D': t.remove_variable(fuzz::leading_number(line.payload)); break;
    case 'H': add_to_file(s, "HELP.VAL", line.payload + std::string(1, '\0')); break;
    case 'F': add_to_file(s, name, rest + std::string(1, '\0')); break;
    case 'G': add_to_file(s, name, rest); break;
    case 'Q': t.force_validation(name, fuzz::leading_number(rest)); break;
    case 'K':
      for (std::uint16_t code : fuzz::key_codes(line.payload)) t.key(code);
      break;
    case 'S': t.scan(line.payload); break;
    case 'R': t.sensor_record(std::vector<unsigned char>(line.payload.begin(), line.payload.end())); break;
    case 'X': t.request_stop(); break;
    case 'x': t.clear_stop(); break;
    case 'W': {
      long long ms = fuzz::leading_number(line.payload);
      t.advance(ms < 0 ? 0 : (ms > kLongestStepMs ? kLongestStepMs : ms));
      break;
    }
    case 'T': set_clock(line.payload); break;
    default: break;
  }
}

// The idle hook: a waiting command takes the script's lines up to and
// including the next input line; commands and files wait for the main loop.
// The passes of a delay (a pause, a timed message) are left to run out, as
// an operator waits for a message to go before typing on. Once the script
// has nothing more for the command, the operator steps in after a few
// waits: first the run-time asks the command to stop, then cancel and Enter
// are pressed in turn, one key a wait, so that little is left over for the
// next command.
void feed_waiting_command(Script &s) {
  termrt::Terminal &t = termrt::terminal();
  if (!t.waits().empty() && t.waits().back() == kDelayPassMs) return;
  while (s.next < s.lines.size()) {
    const fuzz::Line &line = s.lines[s.next];
    Kind kind = kind_of(line.tag);
    if (kind == Kind::kCommand || kind == Kind::kFile) break;
    ++s.next;
    apply(s, line);
    if (kind == Kind::kInput) {
      s.empty_waits = 0;
      return;
    }
  }
  int step = ++s.empty_waits - kEmptyWaits;
  if (step == 0) t.request_stop();
  if (step > 0) t.key(step % 2 ? termrt::kCancel : termrt::kEnter);
}

// A command string in a block of its exact size, up to its first zero byte.
int run_command_string(const std::string &payload) {
  std::size_t n = std::strlen(payload.c_str());
  std::unique_ptr<char[]> parm(new char[n + 1]);
  std::memcpy(parm.get(), payload.c_str(), n + 1);
  return forms_entry(3, parm.get());
}

int run_command(const fuzz::Line &line) {
  switch (line.tag) {
    case 'C': return run_command_string(line.payload);
    case 'E': return forms_entry(fuzz::leading_number(line.payload), "");
    default: return forms_entry(3, nullptr);
  }
}

// With FORMS_FUZZ_TRACE set, each command, its result and the screen after
// it go to standard error: to see what a seed or a finding does.
void trace(const fuzz::Line &line, int result) {
  static const bool on = std::getenv("FORMS_FUZZ_TRACE") != nullptr;
  if (!on) return;
  termrt::Terminal &t = termrt::terminal();
  std::fprintf(stderr, "%c%s -> %d%s\n%s", line.tag, line.payload.c_str(), result,
               t.starved() ? " (starved)" : "", t.screen_text().c_str());
}

bool terminated(const char *text, std::size_t size) { return std::memchr(text, '\0', size) != nullptr; }

void check_globals() {
  bool ok = terminated(decimal_style, sizeof decimal_style) &&
            terminated(help_file_name, sizeof help_file_name) && popup_lines >= 0 &&
            popup_lines <= POPUP_MAX_LINES;
  for (int f = 0; f < FIELD_COUNT; ++f)
    ok = ok && terminated(fields.value[f], FIELD_VALUE_SIZE) &&
         terminated(fields.verify_file[f], VERIFY_FILE_SIZE) &&
         terminated(fields.verify_suffix[f], VERIFY_SUFFIX_SIZE) &&
         terminated(fields.data_id[f], DATA_ID_SIZE);
  for (int l = 0; l < UNIQUE_LIST_COUNT; ++l) {
    ok = ok && unique_next[l] >= 0 && unique_next[l] < UNIQUE_ENTRY_COUNT;
    for (int e = 0; e < UNIQUE_ENTRY_COUNT; ++e)
      ok = ok && terminated(unique_lists[l][e], UNIQUE_VALUE_MAX + 1);
  }
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  termrt::Terminal &t = termrt::terminal();
  t.reset();
  t.set_starvation_limit(kStarvationLimitMs);
  reset_library_state();

  Script s;
  s.lines = fuzz::parse_script(data, size, kMaxLines);
  t.on_idle([&s] { feed_waiting_command(s); });

  int commands = 0;
  while (s.next < s.lines.size() && commands < kMaxCommands) {
    const fuzz::Line &line = s.lines[s.next++];
    if (kind_of(line.tag) != Kind::kCommand) {
      apply(s, line);
      continue;
    }
    ++commands;
    s.empty_waits = 0;
    int result = run_command(line);
    trace(line, result);
    check_globals();
    if (t.starved()) t.clear_starvation();
    t.clear_stop();
  }
  t.on_idle(nullptr);
  t.reset();
  return 0;
}
