// lua_support.h - the Lua state as an owned object, and the rules by which
// C++ bindings talk to Lua.
//
// Lua reports errors with longjmp, which must never cross a C++ frame that
// owns objects. So bindings never raise Lua errors themselves: they throw
// ScriptError, and the guarded() wrapper turns it into a Lua error in a
// frame that owns nothing. Argument helpers below throw as well, instead of
// the luaL_check functions.
#ifndef FORMSTERM_LUA_SUPPORT_H
#define FORMSTERM_LUA_SUPPORT_H

#include <lua.hpp>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace formsterm {

struct LuaCloser {
  void operator()(lua_State *L) const { lua_close(L); }
};
using LuaPtr = std::unique_ptr<lua_State, LuaCloser>;

// A failure to report to the script. located: the text already says where
// it happened, so no script position is put in front of it.
class ScriptError : public std::runtime_error {
 public:
  explicit ScriptError(const std::string &what, bool located = false)
      : std::runtime_error(what), located_(located) {}
  bool located() const { return located_; }

 private:
  bool located_;
};

// Thrown by a binding when the interactive user asked to quit; it unwinds
// the script as a Lua error whose value is quit_marker().
class QuitRequested : public std::exception {
 public:
  const char *what() const noexcept override { return "quit"; }
};
void *quit_marker();

// ---- texts that formsterm writes into files ----
// text as a double-quoted literal: '"' and '\\' escaped, and each byte
// outside printable ASCII written by byte_escape, a printf format of one
// unsigned value ("\\x%02x" for Lua, "\\u%04x" for JSON), so the file stays
// valid whatever bytes the text holds.
std::string quoted_literal(const std::string &text, const char *byte_escape);

// ---- arguments (each throws ScriptError naming the function) ----
long long int_arg(lua_State *L, int index, const char *function);
std::optional<long long> opt_int_arg(lua_State *L, int index, const char *function);
double number_arg(lua_State *L, int index, const char *function);
std::string string_arg(lua_State *L, int index, const char *function);  // numbers are taken as text
std::optional<std::string> opt_string_arg(lua_State *L, int index, const char *function);
void function_arg(lua_State *L, int index, const char *function);
// A field of the table at index, as a string or integer, or nothing.
std::optional<std::string> string_field(lua_State *L, int index, const char *key);
std::optional<long long> int_field(lua_State *L, int index, const char *key);
bool bool_field(lua_State *L, int index, const char *key);

int raise_pending(lua_State *L, bool located);

// Runs binding F; a thrown ScriptError (or other exception) becomes a Lua
// error carrying the script position of the call.
template <int (*F)(lua_State *)>
int guarded(lua_State *L) {
  int results = 0;
  bool failed = false, located = false, quit = false;
  try {
    results = F(L);
  } catch (const QuitRequested &) {
    quit = true;
  } catch (const ScriptError &e) {
    lua_pushstring(L, e.what());
    failed = true;
    located = e.located();
  } catch (const std::exception &e) {
    lua_pushstring(L, e.what());
    failed = true;
  }
  if (quit) {
    lua_pushlightuserdata(L, quit_marker());
    return lua_error(L);
  }
  if (failed) return raise_pending(L, located);
  return results;
}

// Message handler for lua_pcall: the error text, then the script lines of
// the calls that led to it. The quit marker passes unchanged.
int traceback_handler(lua_State *L);

// Calls the function below nargs arguments on the stack with the handler.
// Returns the error text, or nothing on success (results are dropped); a
// quit request is reported through quit.
std::optional<std::string> protected_call(lua_State *L, int nargs, bool *quit = nullptr);

}  // namespace formsterm

#endif
