// script_host.cpp - the script host: fresh starts, running scripts and
// tests, and the callbacks that the terminal runs while the library waits.
// The Lua tables themselves are built in api_*.cpp.
#include "script/script_host.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>
#include <sstream>

#include "common/text.h"
#include "script/api.h"
#include "driver/screen.h"
#include "terminal.h"

namespace formsterm {

namespace {

char host_key;
char tests_key;

bool is_script_file(const std::filesystem::path &name) {
  std::string ext = name.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext == ".lua";
}

}  // namespace

ScriptHost &host_of(lua_State *L) {
  lua_rawgetp(L, LUA_REGISTRYINDEX, &host_key);
  auto *host = static_cast<ScriptHost *>(lua_touserdata(L, -1));
  lua_pop(L, 1);
  return *host;
}

ScriptHost::ScriptHost(HostOptions options) : options_(std::move(options)), lua_(luaL_newstate()) {
  if (!lua_) throw std::runtime_error("cannot create a Lua state");
  luaL_openlibs(lua());
  lua_pushlightuserdata(lua(), this);
  lua_rawsetp(lua(), LUA_REGISTRYINDEX, &host_key);
  lua_newtable(lua());
  lua_rawsetp(lua(), LUA_REGISTRYINDEX, &tests_key);
  install_api();
}

ScriptHost::~ScriptHost() {
  // The terminal outlives this host: drop the hooks and events that call
  // into the Lua state before it closes.
  termrt::terminal().reset();
}

std::filesystem::path ScriptHost::script_dir() const {
  std::filesystem::path dir = options_.script.parent_path();
  return dir.empty() ? std::filesystem::path(".") : dir;
}

std::filesystem::path ScriptHost::resolve(const std::string &path, bool snapshot) const {
  std::filesystem::path p(path);
  if (p.is_absolute()) return p;
  if (snapshot && !options_.snapshot_dir.empty()) return options_.snapshot_dir / p;
  return options_.script.parent_path() / p;
}

void ScriptHost::reload_library() {
  refuse_in_command("forms.reload");
  library_.reset();  // unload first, or the new handle would share the old globals
  library_ = std::make_unique<FormsLibrary>(options_.library_path);
}

void ScriptHost::fresh_start() {
  reload_library();
  reset_terminal();
  session_.forget_expectations();
  last_result_.reset();
  last_command_.clear();
}

void ScriptHost::reset_terminal() {
  refuse_in_command("terminal.reset");
  termrt::Terminal &t = termrt::terminal();
  t.reset();
  t.set_starvation_limit(kStarvationLimitMs);
  t.on_idle([this] {
    if (observer) observer->library_waits();
    run_idle_callback();
  });
  session_.clear();
  clear_callbacks(lua());
  callback_error_.reset();
  load_program_files();
  if (observer) observer->terminal_reset();
  if (on_fresh) on_fresh();
}

// Every regular file of the script's folder except scripts and hidden
// files: help files, validation files, value files.
void ScriptHost::load_program_files() {
  namespace fs = std::filesystem;
  std::error_code ec;
  for (const auto &entry : fs::directory_iterator(script_dir(), ec)) {
    const fs::path &path = entry.path();
    if (!entry.is_regular_file(ec) || is_script_file(path)) continue;
    const std::string name = path.filename().string();
    if (name.empty() || name[0] == '.') continue;
    termrt::terminal().add_file(name, read_file(path).value_or(""));
  }
}

void ScriptHost::refuse_in_command(const char *what) const {
  if (in_command())
    throw ScriptError(std::string(what) +
                      " cannot be used while the library runs a command (from an at or on_idle callback)");
}

int ScriptHost::call_main(int code, const char *parm, const std::string &label) {
  refuse_in_command("forms.main");
  if (!library_) throw ScriptError("no library is loaded");
  if (quit_requested && quit_requested()) throw QuitRequested();
  termrt::Terminal &t = termrt::terminal();
  if (operator_ && operator_->quitting()) throw QuitRequested();
  callback_error_.reset();
  session_.call_started(code == 3 ? "3 \"" + std::string(parm ? parm : "") + "\"" : std::to_string(code));
  ++command_depth_;
  running_command_ = label;
  if (observer) observer->command_starting(code, parm);
  const int result = library_->main(code, parm);
  --command_depth_;
  if (observer) observer->command_ended(result);
  last_result_ = result;
  last_command_ = label;
  std::optional<std::string> report_failure = session_.look(label, false);
  session_.call_ended(result);
  if (operator_) operator_->call_ended();
  if (after_call) after_call();
  if (callback_error_) {
    std::string error = *callback_error_;
    callback_error_.reset();
    throw ScriptError(error + "\n(" + label + " was cut short)", callback_error_located_);
  }
  if (t.starved()) throw ScriptError(failure_with_screen(label + " starved: " + t.starvation()));
  if (report_failure) throw ScriptError(*report_failure);
  if (quit_requested && quit_requested()) throw QuitRequested();
  if (operator_ && operator_->quitting()) throw QuitRequested();
  return result;
}

void ScriptHost::callback_failed(const std::string &error, bool located) {
  if (callback_error_) return;
  callback_error_ = error;
  callback_error_located_ = located;
  if (on_callback_error)
    on_callback_error();
  else
    termrt::terminal().set_starvation_limit(0);  // the command's next wait ends it
}

std::optional<std::string> ScriptHost::take_callback_error() {
  std::optional<std::string> error = std::move(callback_error_);
  callback_error_.reset();
  if (error) termrt::terminal().set_starvation_limit(kStarvationLimitMs);
  return error;
}

void ScriptHost::run_callback(int id, bool once) {
  if (callback_error_) return;  // after a failure nothing more of the script runs
  lua_State *L = lua();
  if (!push_callback(L, id, once)) return;
  bool quit = false;
  std::optional<std::string> error = protected_call(L, 0, &quit);
  if (error) callback_failed(quit ? "quit requested" : *error);
}

void ScriptHost::run_idle_callback() {
  if (callback_error_) return;
  if (std::optional<std::string> failure = session_.look(running_command_, true))
    return callback_failed(*failure, false);
  if (operator_) {
    if (std::optional<std::string> failure = operator_->on_wait(running_command_))
      callback_failed(*failure, operator_->failure_names_action());
    return;
  }
  lua_State *L = lua();
  if (!push_callback(L, kIdleCallback, false)) return;
  bool quit = false;
  std::optional<std::string> error = protected_call(L, 0, &quit);
  if (error) callback_failed(quit ? "quit requested" : *error);
}

std::optional<std::string> ScriptHost::run_script(bool *quit) {
  lua_State *L = lua();
  const std::string chunk = "@" + options_.script.string();
  const std::optional<std::string> read = read_file(options_.script);
  if (!read) return options_.script.string() + ": cannot read the script";
  const std::string &source = *read;
  if (luaL_loadbufferx(L, source.data(), source.size(), chunk.c_str(), "t") != LUA_OK) {
    std::string error = lua_tostring(L, -1) ? lua_tostring(L, -1) : "cannot load the script";
    lua_pop(L, 1);
    return error;
  }
  registering_tests_ = true;
  std::optional<std::string> error = protected_call(L, 0, quit);
  registering_tests_ = false;
  return error;
}

int ScriptHost::test_count() {
  lua_rawgetp(lua(), LUA_REGISTRYINDEX, &tests_key);
  const int n = static_cast<int>(lua_rawlen(lua(), -1));
  lua_pop(lua(), 1);
  return n;
}

std::string ScriptHost::test_name(int index) {
  lua_State *L = lua();
  lua_rawgetp(L, LUA_REGISTRYINDEX, &tests_key);
  lua_rawgeti(L, -1, index + 1);
  lua_rawgeti(L, -1, 1);
  std::string name = lua_tostring(L, -1) ? lua_tostring(L, -1) : "";
  lua_pop(L, 3);
  return name;
}

std::optional<std::string> ScriptHost::run_test(int index) {
  lua_State *L = lua();
  lua_rawgetp(L, LUA_REGISTRYINDEX, &tests_key);
  lua_rawgeti(L, -1, index + 1);
  lua_rawgeti(L, -1, 2);
  lua_remove(L, -2);
  lua_remove(L, -2);
  std::optional<std::string> error = protected_call(L, 0);
  return error ? error : test_end_failure();
}

void ScriptHost::add_test(lua_State *L, const std::string &name, int function_index) {
  if (!registering_tests_)
    throw ScriptError("test() registers a test at the top level of a script, not inside one");
  lua_rawgetp(L, LUA_REGISTRYINDEX, &tests_key);
  const lua_Integer n = static_cast<lua_Integer>(lua_rawlen(L, -1));
  lua_createtable(L, 2, 0);
  lua_pushlstring(L, name.data(), name.size());
  lua_rawseti(L, -2, 1);
  lua_pushvalue(L, function_index);
  lua_rawseti(L, -2, 2);
  lua_rawseti(L, -2, n + 1);
  lua_pop(L, 1);
}

void ScriptHost::operate(int program_index, int actions_index) {
  lua_State *L = lua();
  if (operator_) throw ScriptError("operate: an operator is already at work");
  program_index = lua_absindex(L, program_index);
  if (lua_type(L, program_index) == LUA_TSTRING) {
    const std::filesystem::path path = resolve(lua_tostring(L, program_index), false);
    if (luaL_loadfilex(L, path.string().c_str(), "t") != LUA_OK) {
      std::string error = lua_tostring(L, -1) ? lua_tostring(L, -1) : "cannot load " + path.string();
      lua_pop(L, 1);
      throw ScriptError("operate: " + error);
    }
  } else {
    function_arg(L, program_index, "operate");
    lua_pushvalue(L, program_index);
  }
  Operator op(L, actions_index, session_);
  operator_ = &op;
  bool quit = false;
  std::optional<std::string> error = protected_call(L, 0, &quit);
  operator_ = nullptr;
  if (quit) error.reset();
  if (error) throw ScriptError(*error, true);
  if (std::optional<std::string> unfinished = op.finish()) throw ScriptError(*unfinished);
}

std::optional<std::string> ScriptHost::test_end_failure() { return session_.unmet_expectations(); }

void ScriptHost::say(const std::string &text) {
  if (print)
    print(text);
  else
    std::cout << text << std::endl;
}

void ScriptHost::install_api() {
  lua_State *L = lua();
  install_forms_api(L);
  install_terminal_api(L);
  install_expect_api(L);
}

}  // namespace formsterm
