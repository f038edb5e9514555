// lua_support.cpp - argument helpers, the error wrapper's tail, and the
// traceback message handler.
#include "script/lua_support.h"

#include <cstdio>
#include <cstring>

namespace formsterm {

namespace {

std::string where(const char *function, int index) {
  return std::string(function) + ": argument " + std::to_string(index);
}

}  // namespace

void *quit_marker() {
  static char marker;
  return &marker;
}

long long int_arg(lua_State *L, int index, const char *function) {
  int is_number = 0;
  lua_Integer n = lua_tointegerx(L, index, &is_number);
  if (!is_number) throw ScriptError(where(function, index) + " must be a whole number");
  return n;
}

std::optional<long long> opt_int_arg(lua_State *L, int index, const char *function) {
  if (lua_isnoneornil(L, index)) return std::nullopt;
  return int_arg(L, index, function);
}

double number_arg(lua_State *L, int index, const char *function) {
  int is_number = 0;
  lua_Number n = lua_tonumberx(L, index, &is_number);
  if (!is_number) throw ScriptError(where(function, index) + " must be a number");
  return n;
}

std::string string_arg(lua_State *L, int index, const char *function) {
  if (lua_type(L, index) != LUA_TSTRING && lua_type(L, index) != LUA_TNUMBER)
    throw ScriptError(where(function, index) + " must be a string");
  std::size_t length = 0;
  const char *text = lua_tolstring(L, index, &length);
  return std::string(text, length);
}

std::optional<std::string> opt_string_arg(lua_State *L, int index, const char *function) {
  if (lua_isnoneornil(L, index)) return std::nullopt;
  return string_arg(L, index, function);
}

void function_arg(lua_State *L, int index, const char *function) {
  if (lua_type(L, index) != LUA_TFUNCTION) throw ScriptError(where(function, index) + " must be a function");
}

std::optional<std::string> string_field(lua_State *L, int index, const char *key) {
  if (lua_type(L, index) != LUA_TTABLE) return std::nullopt;
  lua_pushstring(L, key);
  lua_rawget(L, index < 0 ? index - 1 : index);
  std::optional<std::string> out;
  if (lua_type(L, -1) == LUA_TSTRING || lua_type(L, -1) == LUA_TNUMBER) {
    std::size_t length = 0;
    const char *text = lua_tolstring(L, -1, &length);
    out = std::string(text, length);
  }
  lua_pop(L, 1);
  return out;
}

std::optional<long long> int_field(lua_State *L, int index, const char *key) {
  if (lua_type(L, index) != LUA_TTABLE) return std::nullopt;
  lua_pushstring(L, key);
  lua_rawget(L, index < 0 ? index - 1 : index);
  int is_number = 0;
  lua_Integer n = lua_tointegerx(L, -1, &is_number);
  lua_pop(L, 1);
  if (!is_number) return std::nullopt;
  return n;
}

bool bool_field(lua_State *L, int index, const char *key) {
  if (lua_type(L, index) != LUA_TTABLE) return false;
  lua_pushstring(L, key);
  lua_rawget(L, index < 0 ? index - 1 : index);
  bool out = lua_toboolean(L, -1) != 0;
  lua_pop(L, 1);
  return out;
}

// The message is on top of the stack; put the script position in front of
// it unless it already says where, and raise it. Owns no C++ objects.
std::string quoted_literal(const std::string &text, const char *byte_escape) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c < 32 || c > 126) {
      char escape[16];
      std::snprintf(escape, sizeof escape, byte_escape, static_cast<unsigned>(c));
      out += escape;
      continue;
    }
    if (c == '"' || c == '\\') out += '\\';
    out += static_cast<char>(c);
  }
  return out + "\"";
}

int raise_pending(lua_State *L, bool located) {
  if (!located) {
    luaL_where(L, 1);
    lua_insert(L, -2);
    lua_concat(L, 2);
  }
  return lua_error(L);
}

// Uses only the Lua API (no C++ objects), as it may be left by longjmp.
int traceback_handler(lua_State *L) {
  if (lua_touserdata(L, 1) == quit_marker()) return 1;
  if (lua_type(L, 1) != LUA_TSTRING) {
    luaL_tolstring(L, 1, nullptr);
    lua_replace(L, 1);
  }
  lua_settop(L, 1);
  lua_Debug ar;
  int frames = 0;
  char last[LUA_IDSIZE + 16] = "";
  for (int level = 1; lua_getstack(L, level, &ar); ++level) {
    lua_getinfo(L, "Sl", &ar);
    if (ar.currentline <= 0 || ar.source[0] != '@') continue;
    // The innermost script line is already named by the message itself,
    // and a line that calls a function on the same line is named once.
    char place[sizeof last];
    std::snprintf(place, sizeof place, "%s:%d", ar.short_src, ar.currentline);
    const bool repeated = std::strcmp(place, last) == 0;
    std::memcpy(last, place, sizeof last);
    if (++frames == 1 || repeated) continue;
    // A message that already carries this frame (a failure raised again on
    // its way out of the library) keeps its one chain.
    char line[sizeof last + 20];
    std::snprintf(line, sizeof line, "\n    called from %s", place);
    if (std::strstr(lua_tostring(L, 1), line) != nullptr) continue;
    lua_pushstring(L, line);
  }
  lua_concat(L, lua_gettop(L));
  return 1;
}

std::optional<std::string> protected_call(lua_State *L, int nargs, bool *quit) {
  int base = lua_gettop(L) - nargs;
  lua_pushcfunction(L, traceback_handler);
  lua_insert(L, base);
  int status = lua_pcall(L, nargs, 0, base);
  lua_remove(L, base);
  if (status == LUA_OK) return std::nullopt;
  std::optional<std::string> error;
  if (lua_touserdata(L, -1) == quit_marker()) {
    if (quit) *quit = true;
    error = "quit";
  } else {
    const char *text = lua_tostring(L, -1);
    error = text ? text : "an error without a message";
  }
  lua_pop(L, 1);
  return error;
}

}  // namespace formsterm
