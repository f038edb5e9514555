// session.cpp - applying a script's lines to the terminal and feeding its
// commands to the entry point (session.h).
//
// A command that waits for input the script does not give ends by itself:
// after a few waits with nothing left for it, the run-time asks the command
// to stop and an operator presses cancel and Enter; behind that, the
// terminal's starvation rule (with a low limit) ends any wait. With the
// number of commands bounded, each script costs little virtual time.
#include "session.h"

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "terminal.h"

namespace fuzz {

namespace {

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
  std::vector<Line> lines;
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
void apply(Script &s, const Line &line) {
  termrt::Terminal &t = termrt::terminal();
  std::string name, rest;
  split_assignment(line.payload, &name, &rest);
  switch (line.tag) {
    case 'V': t.set_variable(leading_number(name), rest); break;
    case 'L': {
      int capacity = leading_number(rest);
      t.define_variable(leading_number(name), capacity < 0 ? 0 : static_cast<std::size_t>(capacity));
      break;
    }
    case 'U': t.set_unreadable(leading_number(line.payload)); break;
    case 'D': t.remove_variable(leading_number(line.payload)); break;
    case 'H': add_to_file(s, "HELP.VAL", line.payload + std::string(1, '\0')); break;
    case 'F': add_to_file(s, name, rest + std::string(1, '\0')); break;
    case 'G': add_to_file(s, name, rest); break;
    case 'Q': t.force_validation(name, leading_number(rest)); break;
    case 'K':
      for (std::uint16_t code : key_codes(line.payload)) t.key(code);
      break;
    case 'S': t.scan(line.payload); break;
    case 'R': t.sensor_record(std::vector<unsigned char>(line.payload.begin(), line.payload.end())); break;
    case 'X': t.request_stop(); break;
    case 'x': t.clear_stop(); break;
    case 'W': {
      long long ms = leading_number(line.payload);
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
    const Line &line = s.lines[s.next];
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

// A command string in a block of its exact size, up to its first zero byte,
// so that a read past its end is a read outside the block.
int run_command_string(EntryPoint entry, const std::string &payload) {
  std::size_t n = std::strlen(payload.c_str());
  std::unique_ptr<char[]> parm(new char[n + 1]);
  std::memcpy(parm.get(), payload.c_str(), n + 1);
  return entry(3, parm.get());
}

int run_command(EntryPoint entry, const Line &line) {
  switch (line.tag) {
    case 'C': return run_command_string(entry, line.payload);
    case 'E': return entry(leading_number(line.payload), "");
    default: return entry(3, nullptr);
  }
}

}  // namespace

void run_script(const std::uint8_t *data, std::size_t size, EntryPoint entry, const StepHooks &hooks) {
  termrt::Terminal &t = termrt::terminal();
  t.reset();
  t.set_starvation_limit(kStarvationLimitMs);

  Script s;
  s.lines = parse_script(data, size, kMaxLines);
  t.on_idle([&s] { feed_waiting_command(s); });

  int commands = 0;
  while (s.next < s.lines.size() && commands < kMaxCommands) {
    const Line &line = s.lines[s.next++];
    if (kind_of(line.tag) != Kind::kCommand) {
      apply(s, line);
      continue;
    }
    ++commands;
    s.empty_waits = 0;
    if (hooks.before) hooks.before(line, commands);
    int result = run_command(entry, line);
    if (hooks.after) hooks.after(line, commands, result);
    if (t.starved()) t.clear_starvation();
    t.clear_stop();
  }
  t.on_idle(nullptr);
  t.reset();
}

}  // namespace fuzz
