// api_forms.cpp - the `forms` table: the library's entry point and the
// commands a transaction program sends through it.
//
//   forms.main(code [, parm])   raw entry point; returns main's result
//   forms.run(text)             a command: adds the two length digits
//   forms.field(def [, var])    SET_FIE from a definition text in a user variable
//   forms.panel(opts [, var])   EXEC_PA from an option text in a user variable
//   forms.set_help(name), forms.clear_panel()
//   forms.reset(), forms.toggle_debug(), forms.display_test()   codes 0, 4, 5
//   forms.reload()              unload and load the library again
//   forms.last_result(), forms.library()
#include <string>

#include "common/text.h"
#include "driver/library.h"
#include "script/api.h"
#include "script/script_host.h"
#include "terminal.h"

namespace formsterm {

namespace {

// The user variable that forms.field and forms.panel put their text into.
constexpr int kScratchVariable = 99;

int run_text(lua_State *L, const std::string &body) {
  std::string command;
  try {
    command = command_string(body);
  } catch (const std::length_error &e) {
    throw ScriptError(std::string("forms.run: ") + e.what());
  }
  const int result = host_of(L).call_main(3, command.c_str(), "the command " + in_quotes(body));
  lua_pushinteger(L, result);
  return 1;
}

int forms_main(lua_State *L) {
  const long long code = int_arg(L, 1, "forms.main");
  const std::optional<std::string> parm = opt_string_arg(L, 2, "forms.main");
  const std::string label =
      code == 3 ? "the command string " + in_quotes(parm.value_or("")) : "main(" + std::to_string(code) + ")";
  const int result = host_of(L).call_main(static_cast<int>(code), parm ? parm->c_str() : nullptr, label);
  lua_pushinteger(L, result);
  return 1;
}

int forms_run(lua_State *L) { return run_text(L, string_arg(L, 1, "forms.run")); }

// Puts text into a user variable and runs "NAME VAR=n" over it.
int run_over_variable(lua_State *L, const char *function, const char *name) {
  const std::string text = string_arg(L, 1, function);
  const long long var = opt_int_arg(L, 2, function).value_or(kScratchVariable);
  termrt::terminal().set_variable(static_cast<int>(var), text);
  return run_text(L, std::string(name) + " VAR=" + std::to_string(var));
}

int forms_field(lua_State *L) { return run_over_variable(L, "forms.field", "SET_FIE"); }
int forms_panel(lua_State *L) { return run_over_variable(L, "forms.panel", "EXEC_PA"); }
int forms_set_help(lua_State *L) { return run_text(L, "SET_HEL FILE=" + string_arg(L, 1, "forms.set_help")); }
int forms_clear_panel(lua_State *L) { return run_text(L, "CLEAR_P"); }

int call_code(lua_State *L, int code) {
  const int result = host_of(L).call_main(code, "", "main(" + std::to_string(code) + ")");
  lua_pushinteger(L, result);
  return 1;
}

int forms_reset(lua_State *L) { return call_code(L, 0); }
int forms_toggle_debug(lua_State *L) { return call_code(L, 4); }
int forms_display_test(lua_State *L) { return call_code(L, 5); }

int forms_reload(lua_State *L) {
  host_of(L).reload_library();
  return 0;
}

int forms_last_result(lua_State *L) {
  const std::optional<int> result = host_of(L).last_result();
  if (result)
    lua_pushinteger(L, *result);
  else
    lua_pushnil(L);
  return 1;
}

int forms_library(lua_State *L) {
  const std::string &path = host_of(L).options().library_path;
  lua_pushlstring(L, path.data(), path.size());
  return 1;
}

}  // namespace

void install_forms_api(lua_State *L) {
  static const luaL_Reg functions[] = {
      {"main", guarded<forms_main>},
      {"run", guarded<forms_run>},
      {"field", guarded<forms_field>},
      {"panel", guarded<forms_panel>},
      {"set_help", guarded<forms_set_help>},
      {"clear_panel", guarded<forms_clear_panel>},
      {"reset", guarded<forms_reset>},
      {"toggle_debug", guarded<forms_toggle_debug>},
      {"display_test", guarded<forms_display_test>},
      {"reload", guarded<forms_reload>},
      {"last_result", guarded<forms_last_result>},
      {"library", guarded<forms_library>},
      {nullptr, nullptr},
  };
  luaL_newlib(L, functions);
  lua_setglobal(L, "forms");
}

}  // namespace formsterm
