// api.h - the Lua tables of the script host: `forms` (the library),
// `terminal` (the simulated device), and the `test` and `expect` functions.
#ifndef FORMSTERM_API_H
#define FORMSTERM_API_H

#include <lua.hpp>
#include <string>

namespace formsterm {

void install_forms_api(lua_State *L);
void install_terminal_api(lua_State *L);
void install_expect_api(lua_State *L);

// Functions of the script that the terminal calls back (terminal.at and
// terminal.on_idle), kept by number in a registry table.
constexpr int kIdleCallback = 0;
void store_callback(lua_State *L, int function_index, int id);
void forget_callback(lua_State *L, int id);
bool push_callback(lua_State *L, int id, bool forget);  // false: none stored
void clear_callbacks(lua_State *L);

// The key code for a key name ("enter", "cancel", "next"...), a single
// character, or a number; throws ScriptError.
int key_code(lua_State *L, int index, const char *function);

// The failure text of an expect check: what went wrong and the screen.
std::string failure_with_screen(const std::string &what);

}  // namespace formsterm

#endif
