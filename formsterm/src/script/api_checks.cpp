// api_checks.cpp - the script globals beside `forms` and `terminal`:
//
//   test(name, fn)                 registers a named test (test mode)
//   expect(cond [, message])       the check functions: each failure ends
//   expect_eq(actual, expected [, what])   the test with a message that
//   expect_row(r, text)            shows the screen
//   expect_text(r, c, text)
//   expect_screen_has(text)
//   expect_cursor(r, c)
//   expect_uv(n, text)
//   expect_log(prefix [, count])
//   expect_golden(path [, {mask=, cursor=, attributes=}])
//   KEY.ENTER, KEY.CANCEL, ...      the key codes
//   print(...)                     goes where the mode wants it
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "script/api.h"
#include "common/text.h"
#include "driver/screen.h"
#include "script/script_host.h"
#include "terminal.h"

namespace formsterm {

namespace {

termrt::Terminal &term() { return termrt::terminal(); }

// A Lua value as a check failure shows it.
std::string shown(lua_State *L, int index) {
  switch (lua_type(L, index)) {
    case LUA_TSTRING: {
      std::size_t length = 0;
      const char *text = lua_tolstring(L, index, &length);
      return in_quotes(std::string(text, length));
    }
    case LUA_TNUMBER: {
      std::size_t length = 0;
      lua_pushvalue(L, index);
      const char *text = lua_tolstring(L, -1, &length);
      std::string out(text, length);
      lua_pop(L, 1);
      return out;
    }
    case LUA_TBOOLEAN: return lua_toboolean(L, index) ? "true" : "false";
    case LUA_TNIL:
    case LUA_TNONE: return "nil";
    default: return std::string("a ") + lua_typename(L, lua_type(L, index));
  }
}

[[noreturn]] void fail(const std::string &what) { throw ScriptError(failure_with_screen(what)); }

int l_test(lua_State *L) {
  const std::string name = string_arg(L, 1, "test");
  function_arg(L, 2, "test");
  host_of(L).add_test(L, name, 2);
  return 0;
}

int l_expect(lua_State *L) {
  if (lua_toboolean(L, 1)) return 0;
  const std::optional<std::string> message = opt_string_arg(L, 2, "expect");
  fail("expectation failed" + (message ? ": " + *message : std::string()));
}

int l_expect_eq(lua_State *L) {
  if (lua_rawequal(L, 1, 2)) return 0;
  const std::optional<std::string> what = opt_string_arg(L, 3, "expect_eq");
  fail((what ? *what + ": " : std::string()) + "expected " + shown(L, 2) + ", got " + shown(L, 1));
}

// expect_row: the row reads text; blanks at the end do not count.
int l_expect_row(lua_State *L) {
  const long long r = int_arg(L, 1, "expect_row");
  const std::string text = string_arg(L, 2, "expect_row");
  if (r < 0 || r >= termrt::kRows)
    throw ScriptError("expect_row: row " + std::to_string(r) + " is off the display");
  const std::string actual = right_trimmed(term().row_text(static_cast<int>(r)));
  if (actual == right_trimmed(text)) return 0;
  fail("row " + std::to_string(r) + " reads " + in_quotes(actual) + ", expected " + in_quotes(right_trimmed(text)));
}

int l_expect_text(lua_State *L) {
  const long long r = int_arg(L, 1, "expect_text");
  const long long c = int_arg(L, 2, "expect_text");
  const std::string text = string_arg(L, 3, "expect_text");
  if (r < 0 || r >= termrt::kRows || c < 0 || c + static_cast<long long>(text.size()) > termrt::kCols)
    throw ScriptError("expect_text: the text does not fit the display at " + std::to_string(r) + "," +
                      std::to_string(c));
  const std::string actual =
      term().row_text(static_cast<int>(r)).substr(static_cast<std::size_t>(c), text.size());
  if (actual == text) return 0;
  fail("at " + std::to_string(r) + "," + std::to_string(c) + " the screen reads " + in_quotes(actual) +
       ", expected " + in_quotes(text));
}

int l_expect_screen_has(lua_State *L) {
  const std::string text = string_arg(L, 1, "expect_screen_has");
  for (int r = 0; r < termrt::kRows; ++r)
    if (term().row_text(r).find(text) != std::string::npos) return 0;
  fail("no row of the screen holds " + in_quotes(text));
}

int l_expect_cursor(lua_State *L) {
  const long long r = int_arg(L, 1, "expect_cursor");
  const long long c = int_arg(L, 2, "expect_cursor");
  if (term().cursor_row() == r && term().cursor_col() == c) return 0;
  fail("the cursor is at " + std::to_string(term().cursor_row()) + "," + std::to_string(term().cursor_col()) +
       ", expected " + std::to_string(r) + "," + std::to_string(c));
}

int l_expect_uv(lua_State *L) {
  const long long n = int_arg(L, 1, "expect_uv");
  const std::optional<std::string> text = opt_string_arg(L, 2, "expect_uv");
  const std::optional<std::string> actual = term().variable(static_cast<int>(n));
  if (actual == text) return 0;
  fail("user variable " + std::to_string(n) + " holds " + (actual ? in_quotes(*actual) : "nothing (undefined)") +
       ", expected " + (text ? in_quotes(*text) : "nothing (undefined)"));
}

int l_expect_log(lua_State *L) {
  const std::string prefix = string_arg(L, 1, "expect_log");
  const std::optional<long long> count = opt_int_arg(L, 2, "expect_log");
  const Session &session = host_of(L).session();
  const int actual = session.count_log(prefix);
  if (count ? actual == *count : actual > 0) return 0;
  std::string log;
  for (const termrt::LogEntry &e : session.log()) log += "\n    " + e.what;
  fail("the log has " + std::to_string(actual) + " entries beginning " + in_quotes(prefix) + ", expected " +
       (count ? std::to_string(*count) : std::string("at least one")) +
       "; the log:" + (log.empty() ? std::string(" empty") : log));
}

int l_expect_golden(lua_State *L) {
  ScriptHost &host = host_of(L);
  const std::string name = string_arg(L, 1, "expect_golden");
  const std::string mask_text = string_field(L, 2, "mask").value_or("?");
  if (mask_text.size() != 1) throw ScriptError("expect_golden: the mask is one character");
  const char mask = mask_text[0];
  const bool with_cursor = bool_field(L, 2, "cursor");
  const bool with_attributes = bool_field(L, 2, "attributes");
  const std::filesystem::path path = host.resolve(name, false);
  const Snapshot s = take_snapshot(term());

  std::optional<Golden> golden;
  if (std::optional<std::string> text = read_file(path)) {
    try {
      golden = parse_golden(*text);
    } catch (const std::runtime_error &e) {
      throw ScriptError("expect_golden: " + path.string() + ": " + e.what());
    }
  }
  // The golden file decides which checks run; an option asks for a section
  // the file must have.
  const char *lacking =
      !golden                          ? nullptr
      : with_cursor && !golden->cursor ? "cursor = true asks for the cursor, but the file has no @cursor line"
      : with_attributes && !golden->attributes
          ? "attributes = true asks for the attributes, but the file has no @attributes section"
          : nullptr;
  if (host.update_goldens()) {
    if (golden && !lacking && compare_golden(*golden, s, mask).empty()) return 0;
    std::error_code ec;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary);
    out << updated_golden(golden ? &*golden : nullptr, s, mask, with_cursor, with_attributes);
    if (!out) throw ScriptError("expect_golden: cannot write " + path.string());
    host.say("    wrote golden " + path.string());
    return 0;
  }
  if (!golden)
    fail("the golden screen " + path.string() + " does not exist; `formsterm test --update` writes it");
  if (lacking)
    throw ScriptError("expect_golden: " + path.string() + ": " + lacking +
                      "; the file decides which checks run, and `formsterm test --update` adds it");
  const std::string diff = compare_golden(*golden, s, mask);
  if (diff.empty()) return 0;
  throw ScriptError("the screen differs from the golden " + path.string() + " (mask '" + mask_text +
                    "', rows marked >):\n" + diff);
}

int l_expect_report(lua_State *L) {
  const std::string code = string_arg(L, 1, "expect_report");
  const long long count = opt_int_arg(L, 2, "expect_report").value_or(1);
  const bool two_characters = code.size() == 2 && std::isupper(static_cast<unsigned char>(code[0])) &&
                              std::isalnum(static_cast<unsigned char>(code[1]));
  if (code != "append" && !two_characters)
    throw ScriptError("expect_report: \"" + code +
                      "\" is no result code (a capital and a letter or digit such as \"Z6\", or \"append\" "
                      "for the append report)");
  if (count < 1) throw ScriptError("expect_report: the count is 1 or more");
  host_of(L).session().expect_report(code, static_cast<int>(count));
  return 0;
}

// operate(program, actions): the program (a path beside the script, or a
// function) with an operator playing the actions; returns the popups seen.
int l_operate(lua_State *L) {
  ScriptHost &host = host_of(L);
  const std::size_t first_popup = host.session().popups().size();
  host.operate(1, 2);
  const std::vector<std::string> &popups = host.session().popups();
  lua_createtable(L, static_cast<int>(popups.size() - first_popup), 0);
  for (std::size_t i = first_popup; i < popups.size(); ++i) {
    lua_pushlstring(L, popups[i].data(), popups[i].size());
    lua_rawseti(L, -2, static_cast<lua_Integer>(i - first_popup + 1));
  }
  return 1;
}

// Builds the line on the Lua stack first: tostring may run script code.
// os.exit would skip the test summary, or leave the terminal in curses mode.
int l_no_exit(lua_State *) {
  throw ScriptError("os.exit is not available in formsterm: a program ends by returning from its script");
}

int l_print(lua_State *L) {
  const int n = lua_gettop(L);
  for (int i = 1; i <= n; ++i) {
    luaL_tolstring(L, i, nullptr);
    if (i < n) lua_pushliteral(L, "\t");
  }
  lua_concat(L, n == 0 ? 0 : 2 * n - 1);
  std::size_t length = 0;
  const char *text = lua_tolstring(L, -1, &length);
  host_of(L).say(std::string(text, length));
  return 0;
}

}  // namespace

std::string failure_with_screen(const std::string &what) {
  std::string screen = framed_screen(take_snapshot(term()));
  screen.pop_back();  // the last line break; a traceback may follow
  return what + "\n" + screen;
}

// The parts of the API written in Lua (prelude.lua, built in).
extern const char kPrelude[];

void install_expect_api(lua_State *L) {
  static const luaL_Reg functions[] = {
      {"test", guarded<l_test>},
      {"expect", guarded<l_expect>},
      {"expect_eq", guarded<l_expect_eq>},
      {"expect_row", guarded<l_expect_row>},
      {"expect_text", guarded<l_expect_text>},
      {"expect_screen_has", guarded<l_expect_screen_has>},
      {"expect_cursor", guarded<l_expect_cursor>},
      {"expect_uv", guarded<l_expect_uv>},
      {"expect_log", guarded<l_expect_log>},
      {"expect_golden", guarded<l_expect_golden>},
      {"expect_report", guarded<l_expect_report>},
      {"operate", guarded<l_operate>},
      {"print", l_print},
      {nullptr, nullptr},
  };
  lua_pushglobaltable(L);
  luaL_setfuncs(L, functions, 0);
  lua_pop(L, 1);
  lua_getglobal(L, "os");
  lua_pushcfunction(L, guarded<l_no_exit>);
  lua_setfield(L, -2, "exit");
  lua_pop(L, 1);

  const std::pair<const char *, int> keys[] = {
      {"ENTER", termrt::kEnter},       {"CANCEL", termrt::kCancel},    {"PREVIOUS", termrt::kPrevious},
      {"COMPLETE", termrt::kComplete}, {"BLANK", termrt::kBlankEntry}, {"BACKSPACE", termrt::kBackspace},
      {"NEXT", termrt::kNext},         {"HELP", termrt::kHelp},        {"LEFT", termrt::kLeft},
      {"RIGHT", termrt::kRight},
  };
  lua_createtable(L, 0, 10);
  for (const auto &[name, code] : keys) {
    lua_pushinteger(L, code);
    lua_setfield(L, -2, name);
  }
  lua_setglobal(L, "KEY");

  if (luaL_loadbufferx(L, kPrelude, std::strlen(kPrelude), "=formsterm", "t") != LUA_OK ||
      lua_pcall(L, 0, 0, 0) != LUA_OK)
    throw std::runtime_error(std::string("formsterm's Lua prelude: ") + lua_tostring(L, -1));
}

}  // namespace formsterm
