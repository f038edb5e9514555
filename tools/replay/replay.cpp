// replay.cpp - the transcript replayer: runs scripts of the entry fuzz
// target's form (fuzz/script.h) through a build of the library, loaded at
// run time as the terminal loads it, and prints what each step did.
//
//   replay [--time-limit SECONDS] LIBRARY SCRIPT|FOLDER...
//
// A folder stands for its files in name order. Each script gets a freshly
// loaded library and a new terminal; its transcript (transcript.h) follows
// a line "=== NAME". The head of a step is written out before the command
// runs, so a crash leaves the script and step it happened in as the last
// lines. A script that runs longer than the time limit (wall time, default
// 20 s) ends the replayer with status 3 and a message naming the step.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "library.h"
#include "session.h"
#include "transcript.h"

namespace {

constexpr int kDefaultTimeLimitSeconds = 20;
constexpr int kStatusTimeLimit = 3;

// Ends the process when a script runs past its time limit: an alarm signal
// on POSIX systems (no thread: qemu-i386 does not run the threads of 32-bit
// programs), a timer of the timer queue on Windows. The message is made up
// in advance, as a signal handler may only write it out.
class Watchdog {
 public:
  explicit Watchdog(int seconds) : seconds_(seconds) {
#if !defined(_WIN32)
    std::signal(SIGALRM, expire);
#endif
  }
  ~Watchdog() { disarm(); }
  void start(const std::string &script) {
    script_ = script;
    at_step(0);
    disarm();
#if defined(_WIN32)
    CreateTimerQueueTimer(&timer_, nullptr, expire_timer, nullptr, static_cast<DWORD>(seconds_) * 1000, 0,
                          WT_EXECUTEONLYONCE);
#else
    alarm(static_cast<unsigned>(seconds_));
#endif
  }
  void at_step(int step) {
    std::snprintf(message_, sizeof message_,
                  "replay: %.200s step %d: still running after the time limit of %d s\n", script_.c_str(),
                  step, seconds_);
  }

 private:
  void disarm() {
#if defined(_WIN32)
    if (timer_) DeleteTimerQueueTimer(nullptr, timer_, nullptr);
    timer_ = nullptr;
#else
    alarm(0);
#endif
  }
  static void expire(int) {
    std::size_t length = std::strlen(message_);
#if defined(_WIN32)
    _write(2, message_, static_cast<unsigned>(length));
#else
    ssize_t ignored = write(2, message_, length);
    (void)ignored;
#endif
    std::_Exit(kStatusTimeLimit);
  }
#if defined(_WIN32)
  static void CALLBACK expire_timer(void *, BOOLEAN) { expire(0); }
  HANDLE timer_ = nullptr;
#endif

  int seconds_;
  std::string script_;
  static char message_[300];
};

char Watchdog::message_[300];

void write_out(const std::string &text) { std::fwrite(text.data(), 1, text.size(), stdout); }

std::vector<std::filesystem::path> scripts_of(const std::vector<std::string> &arguments) {
  std::vector<std::filesystem::path> scripts;
  for (const std::string &argument : arguments) {
    std::filesystem::path path(argument);
    if (!std::filesystem::is_directory(path)) {
      scripts.push_back(path);
      continue;
    }
    std::vector<std::filesystem::path> inside;
    for (const auto &entry : std::filesystem::directory_iterator(path))
      if (entry.is_regular_file()) inside.push_back(entry.path());
    std::sort(inside.begin(), inside.end(),
              [](const auto &a, const auto &b) { return a.filename().string() < b.filename().string(); });
    scripts.insert(scripts.end(), inside.begin(), inside.end());
  }
  return scripts;
}

bool read_file(const std::filesystem::path &path, std::string *bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

// Runs one script on a fresh load of the library; false (and a message on
// standard error) when the library cannot be loaded.
bool replay_script(const std::string &library, const std::string &name, const std::string &script,
                   Watchdog &watchdog) {
  std::string error;
  std::unique_ptr<replay::LoadedLibrary> loaded = replay::load_build(library, &error);
  if (!loaded) {
    std::fprintf(stderr, "replay: %s\n", error.c_str());
    return false;
  }
  watchdog.start(name);
  write_out("=== " + name + "\n");
  replay::Recorder recorder;
  fuzz::StepHooks hooks;
  hooks.before = [&](const fuzz::Line &line, int step) {
    watchdog.at_step(step);
    write_out(recorder.begin_step(line, step));
    std::fflush(stdout);
  };
  hooks.after = [&](const fuzz::Line &, int, int result) { write_out(recorder.end_step(result)); };
  fuzz::run_script(reinterpret_cast<const std::uint8_t *>(script.data()), script.size(), loaded->entry(),
                   hooks);
  return true;
}

int usage() {
  std::fprintf(stderr, "usage: replay [--time-limit SECONDS] LIBRARY SCRIPT|FOLDER...\n");
  return 2;
}

}  // namespace

int main(int argc, char **argv) {
#if defined(_WIN32)
  // The transcript's lines end in \n alone on every build.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  int seconds = kDefaultTimeLimitSeconds;
  int first = 1;
  if (argc > 2 && std::string(argv[1]) == "--time-limit") {
    seconds = std::atoi(argv[2]);
    if (seconds <= 0) return usage();
    first = 3;
  }
  if (argc - first < 2) return usage();
  std::string library = argv[first];
  std::vector<std::filesystem::path> scripts =
      scripts_of(std::vector<std::string>(argv + first + 1, argv + argc));
  Watchdog watchdog(seconds);
  for (const auto &path : scripts) {
    std::string bytes;
    if (!read_file(path, &bytes)) {
      std::fprintf(stderr, "replay: cannot read the script %s\n", path.string().c_str());
      return 1;
    }
    if (!replay_script(library, path.filename().string(), bytes, watchdog)) return 1;
  }
  write_out("=== end\n");
  std::fflush(stdout);
  return 0;
}
