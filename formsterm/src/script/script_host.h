// script_host.h - a Lua script driving libforms.so on the simulated
// terminal: the `forms` and `terminal` tables, the `expect` checks and the
// `test` registry that transaction programs and test scripts use.
//
// A fresh start loads the library anew (dlclose, dlopen), resets the
// terminal and loads the data and validation files of the script's folder.
#ifndef FORMSTERM_SCRIPT_HOST_H
#define FORMSTERM_SCRIPT_HOST_H

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "driver/library.h"
#include "script/lua_support.h"
#include "script/operator.h"
#include "driver/session.h"

namespace formsterm {

// Watches a run without taking part in it (the help-file check's program
// run, test coverage).
struct RunObserver {
  virtual ~RunObserver() = default;
  virtual void terminal_reset() {}  // the folder's files are loaded
  virtual void command_starting(int /*code*/, const char * /*parm*/) {}
  virtual void command_ended(int /*result*/) {}
  virtual void library_waits() {}  // the library waits with nothing queued
};

struct HostOptions {
  std::string library_path;
  std::filesystem::path script;
  std::filesystem::path snapshot_dir;  // where relative snapshot paths go; empty: the script's folder
  bool update_goldens = false;
};

// How long the library may wait without any input before the terminal
// calls it starvation, in virtual milliseconds.
constexpr long long kStarvationLimitMs = 48LL * 3600 * 1000;

class ScriptHost {
 public:
  explicit ScriptHost(HostOptions options);
  ~ScriptHost();
  ScriptHost(const ScriptHost &) = delete;
  ScriptHost &operator=(const ScriptHost &) = delete;

  // A freshly loaded library and a fresh terminal. Throws LoadError.
  void fresh_start();
  // A fresh terminal (with the folder's files) under the same library.
  void reset_terminal();

  // Runs the script file. Returns the error text, or nothing; quit tells
  // that the script ended on a quit request.
  std::optional<std::string> run_script(bool *quit = nullptr);

  // The tests that the script registered with test(name, fn).
  int test_count();
  std::string test_name(int index);
  std::optional<std::string> run_test(int index);

  lua_State *lua() { return lua_.get(); }
  const HostOptions &options() const { return options_; }
  std::filesystem::path script_dir() const;
  std::filesystem::path resolve(const std::string &path, bool snapshot) const;

  // ---- what the modes hook into ----
  // After every fresh start (interactive mode sets up real time there).
  std::function<void()> on_fresh;
  // After every call of main (interactive mode redraws and reads keys).
  std::function<void()> after_call;
  // When a callback of the script failed while the library ran a command:
  // must make the command end soon. The default lets the terminal starve.
  std::function<void()> on_callback_error;
  // Polled after every call of main: true ends the script (interactive F12).
  std::function<bool()> quit_requested;
  // Where Lua's print goes (interactive mode shows it on its status line);
  // standard output when unset.
  std::function<void(const std::string &)> print;
  void say(const std::string &text);
  RunObserver *observer = nullptr;

  // ---- state the bindings share ----
  int call_main(int code, const char *parm, const std::string &label);
  std::optional<int> last_result() const { return last_result_; }
  const std::string &last_command() const { return last_command_; }
  // The command main is running now (valid while in_command()).
  const std::string &running_command() const { return running_command_; }
  void reload_library();
  void load_program_files();
  // located: the error names its script line (a callback's own failure).
  void callback_failed(const std::string &error, bool located = true);
  // The error of a callback that ran outside a command (terminal.advance).
  std::optional<std::string> take_callback_error();
  void run_callback(int id, bool once);
  void run_idle_callback();
  int next_callback_id() { return ++callback_id_; }
  void add_test(lua_State *L, const std::string &name, int function_index);
  bool in_command() const { return command_depth_ > 0; }
  void refuse_in_command(const char *what) const;
  bool update_goldens() const { return options_.update_goldens; }

  // The session record (log notes, popups, expected reports).
  Session &session() { return session_; }
  // Plays the actions at the list on the stack against the program (a path
  // or a function at program_index); raises ScriptError on a failure.
  void operate(int program_index, int actions_index);
  // The failure of a test that ended without a failure of its own.
  std::optional<std::string> test_end_failure();

 private:
  void install_api();

  HostOptions options_;
  LuaPtr lua_;
  std::unique_ptr<FormsLibrary> library_;
  Session session_;
  Operator *operator_ = nullptr;  // while operate() runs
  std::optional<int> last_result_;
  std::string last_command_;
  std::string running_command_;
  std::optional<std::string> callback_error_;
  bool callback_error_located_ = true;
  int callback_id_ = 0;
  int command_depth_ = 0;
  bool registering_tests_ = false;
};

// The host of the running Lua state (kept in its registry).
ScriptHost &host_of(lua_State *L);

}  // namespace formsterm

#endif
