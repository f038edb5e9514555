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
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "library.h"
#include "session.h"
#include "transcript.h"

namespace {

constexpr int kDefaultTimeLimitSeconds = 20;
constexpr int kStatusTimeLimit = 3;

// Ends the process when a script runs past its time limit.
class Watchdog {
 public:
  explicit Watchdog(int seconds) : limit_(seconds), thread_([this] { watch(); }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      quit_ = true;
    }
    changed_.notify_one();
    thread_.join();
  }
  void start(const std::string &script) {
    std::lock_guard<std::mutex> lock(mutex_);
    script_ = script;
    step_ = 0;
    ++round_;
    changed_.notify_one();
  }
  void at_step(int step) {
    std::lock_guard<std::mutex> lock(mutex_);
    step_ = step;
  }

 private:
  void watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
      long round = round_;
      if (script_.empty()) {
        changed_.wait(lock, [&] { return quit_ || round_ != round; });
        continue;
      }
      if (changed_.wait_for(lock, limit_, [&] { return quit_ || round_ != round; })) continue;
      std::fflush(stdout);
      std::fprintf(stderr, "replay: %s step %d: still running after the time limit of %d s\n", script_.c_str(),
                   step_, static_cast<int>(limit_.count()));
      std::fflush(stderr);
      std::_Exit(kStatusTimeLimit);
    }
  }

  std::chrono::seconds limit_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::string script_;
  int step_ = 0;
  long round_ = 0;
  bool quit_ = false;
  std::thread thread_;  // last: it starts once the rest is set up
};

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
  fuzz::run_script(reinterpret_cast<const std::uint8_t *>(script.data()), script.size(), loaded->entry(), hooks);
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
