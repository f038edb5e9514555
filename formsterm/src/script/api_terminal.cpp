// api_terminal.cpp - the `terminal` table: the simulated device as a script
// sees it. Rows and columns are counted from 0, as on the device.
//
// Input:      key(k), keys{...}, type(text), scan(text [, status]),
//             sensor_record(bytes), read_key(), pending_keys(), pending_scans(),
//             request_stop(), clear_stop(), stop_requested()
// Time:       at(seconds, fn), on_idle(fn), steps{fn, ...}, advance(seconds), now(),
//             clock(), time_text(), set_clock(when), set_real_time(on), real_time()
// Display:    row(r), screen(), cell(r, c), attributes(r), cursor(),
//             put_text(r, c, text), snapshot(path [, opts])
// Variables:  uv[n] (read and write; nil removes), define_variable(n, capacity),
//             remove_variable(n), set_unreadable(n [, on]), variables()
// Files:      add_file(name, text), help_file(records [, name]), remove_file(name),
//             has_file(name), load_directory(path), force_validation(name, answer),
//             clear_forced_validation()
// Signals:    log([with_times]), count_log(prefix), clear_log(), waits(),
//             clear_waits(), calls(name), transaction_flag(), last_beep(), last_led()
// Other:      starved(), starvation(), reset()
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <vector>

#include "driver/keys.h"
#include "driver/screen.h"
#include "fields/grammar.h"
#include "input/sensor.h"
#include "script/api.h"
#include "script/script_host.h"
#include "terminal.h"

namespace formsterm {

namespace {

termrt::Terminal &term() { return termrt::terminal(); }

char callbacks_key;

int checked_row(lua_State *L, int index, const char *function) {
  const long long r = int_arg(L, index, function);
  if (r < 0 || r >= termrt::kRows)
    throw ScriptError(std::string(function) + ": row " + std::to_string(r) + " is off the display (0 to " +
                      std::to_string(termrt::kRows - 1) + ")");
  return static_cast<int>(r);
}

int checked_col(lua_State *L, int index, const char *function) {
  const long long c = int_arg(L, index, function);
  if (c < 0 || c >= termrt::kCols)
    throw ScriptError(std::string(function) + ": column " + std::to_string(c) + " is off the display (0 to " +
                      std::to_string(termrt::kCols - 1) + ")");
  return static_cast<int>(c);
}

int checked_variable(lua_State *L, int index, const char *function) {
  const long long n = int_arg(L, index, function);
  if (n < 0 || n > 65535)
    throw ScriptError(std::string(function) + ": no user variable " + std::to_string(n));
  return static_cast<int>(n);
}

void push_string(lua_State *L, const std::string &s) { lua_pushlstring(L, s.data(), s.size()); }

void push_seconds_or_nil(lua_State *L, long long ms) {
  if (ms < 0)
    lua_pushnil(L);
  else
    lua_pushnumber(L, static_cast<double>(ms) / 1000.0);
}

// ---- input ----

int t_key(lua_State *L) {
  term().key(static_cast<std::uint16_t>(key_code(L, 1, "terminal.key")));
  return 0;
}

int t_keys(lua_State *L) {
  if (lua_type(L, 1) != LUA_TTABLE) throw ScriptError("terminal.keys: argument 1 must be a list of keys");
  const lua_Integer n = static_cast<lua_Integer>(lua_rawlen(L, 1));
  std::vector<std::uint16_t> codes;
  for (lua_Integer i = 1; i <= n; ++i) {
    lua_rawgeti(L, 1, i);
    codes.push_back(static_cast<std::uint16_t>(key_code(L, -1, "terminal.keys")));
    lua_pop(L, 1);
  }
  for (std::uint16_t code : codes) term().key(code);
  return 0;
}

int t_type(lua_State *L) {
  term().type(string_arg(L, 1, "terminal.type"));
  return 0;
}

int t_scan(lua_State *L) {
  const std::string text = string_arg(L, 1, "terminal.scan");
  if (text.size() > SENSOR_DATA_MAX)
    throw ScriptError("terminal.scan: a sensor record holds " + std::to_string(SENSOR_DATA_MAX) +
                      " characters at most");
  const long long status = opt_int_arg(L, 2, "terminal.scan").value_or(0);
  term().scan(text, static_cast<unsigned char>(status));
  return 0;
}

int t_sensor_record(lua_State *L) {
  const std::string bytes = string_arg(L, 1, "terminal.sensor_record");
  term().sensor_record(std::vector<unsigned char>(bytes.begin(), bytes.end()));
  return 0;
}

// The next queued key as the library would read it, or nil.
int t_read_key(lua_State *L) {
  if (const std::optional<std::uint16_t> code = term().take_key())
    lua_pushinteger(L, *code);
  else
    lua_pushnil(L);
  return 1;
}

int t_pending_keys(lua_State *L) {
  lua_pushinteger(L, static_cast<lua_Integer>(term().pending_keys()));
  return 1;
}

int t_pending_scans(lua_State *L) {
  lua_pushinteger(L, static_cast<lua_Integer>(term().pending_scans()));
  return 1;
}

int t_request_stop(lua_State *) {
  term().request_stop();
  return 0;
}

int t_clear_stop(lua_State *) {
  term().clear_stop();
  return 0;
}

int t_stop_requested(lua_State *L) {
  lua_pushboolean(L, term().stop_requested());
  return 1;
}

// ---- time ----

int t_at(lua_State *L) {
  const double seconds = number_arg(L, 1, "terminal.at");
  function_arg(L, 2, "terminal.at");
  if (seconds < 0) throw ScriptError("terminal.at: the time must not lie in the past");
  ScriptHost &host = host_of(L);
  const int id = host.next_callback_id();
  store_callback(L, 2, id);
  term().at(seconds, [&host, id] { host.run_callback(id, true); });
  return 0;
}

int t_on_idle(lua_State *L) {
  if (lua_isnoneornil(L, 1)) {
    forget_callback(L, kIdleCallback);
    return 0;
  }
  function_arg(L, 1, "terminal.on_idle");
  store_callback(L, 1, kIdleCallback);
  return 0;
}

int t_advance(lua_State *L) {
  const double seconds = number_arg(L, 1, "terminal.advance");
  if (seconds < 0) throw ScriptError("terminal.advance: time does not run backwards");
  ScriptHost &host = host_of(L);
  host.refuse_in_command("terminal.advance");
  term().advance(static_cast<long long>(seconds * 1000.0 + 0.5));
  if (std::optional<std::string> error = host.take_callback_error())
    throw ScriptError("a callback failed while the clock advanced:\n" + *error);
  return 0;
}

int t_now(lua_State *L) {
  lua_pushnumber(L, static_cast<double>(term().now_ms()) / 1000.0);
  return 1;
}

std::string time_text(const termrt::DateTime &d) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day, d.hour, d.minute,
                d.second);
  return text;
}

int t_clock(lua_State *L) {
  const termrt::DateTime d = term().clock();
  lua_createtable(L, 0, 6);
  const std::pair<const char *, int> parts[] = {{"year", d.year}, {"month", d.month},   {"day", d.day},
                                                {"hour", d.hour}, {"minute", d.minute}, {"second", d.second}};
  for (const auto &[name, value] : parts) {
    lua_pushinteger(L, value);
    lua_setfield(L, -2, name);
  }
  return 1;
}

int t_time_text(lua_State *L) {
  push_string(L, time_text(term().clock()));
  return 1;
}

termrt::DateTime date_time_arg(lua_State *L, int index) {
  termrt::DateTime d;
  d.hour = d.minute = d.second = 0;
  if (lua_type(L, index) == LUA_TTABLE) {
    d.year = static_cast<int>(int_field(L, index, "year").value_or(d.year));
    d.month = static_cast<int>(int_field(L, index, "month").value_or(d.month));
    d.day = static_cast<int>(int_field(L, index, "day").value_or(d.day));
    d.hour = static_cast<int>(int_field(L, index, "hour").value_or(0));
    d.minute = static_cast<int>(int_field(L, index, "minute").value_or(0));
    d.second = static_cast<int>(int_field(L, index, "second").value_or(0));
  } else {
    const std::string text = string_arg(L, index, "terminal.set_clock");
    char rest = 0;
    const int n = std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &d.year, &d.month, &d.day, &d.hour,
                              &d.minute, &d.second, &rest);
    if (n != 3 && n != 5 && n != 6)
      throw ScriptError("terminal.set_clock: \"" + text + "\" is not of the form YYYY-MM-DD [HH:MM[:SS]]");
  }
  const bool valid = d.year >= 1950 && d.year <= 2099 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
                     d.day <= 31 && d.hour >= 0 && d.hour <= 23 && d.minute >= 0 && d.minute <= 59 &&
                     d.second >= 0 && d.second <= 59 &&
                     termrt::civil_from_ms(termrt::ms_from_civil(d)).day == d.day;
  if (!valid) throw ScriptError("terminal.set_clock: " + time_text(d) + " is not a date and time");
  return d;
}

int t_set_clock(lua_State *L) {
  term().set_clock(date_time_arg(L, 1));
  return 0;
}

int t_set_real_time(lua_State *L) {
  term().set_real_time(lua_toboolean(L, 1) != 0);
  return 0;
}

int t_real_time(lua_State *L) {
  lua_pushboolean(L, term().real_time());
  return 1;
}

// ---- display ----

int t_row(lua_State *L) {
  push_string(L, term().row_text(checked_row(L, 1, "terminal.row")));
  return 1;
}

int t_screen(lua_State *L) {
  push_string(L, term().screen_text());
  return 1;
}

int t_cell(lua_State *L) {
  const int r = checked_row(L, 1, "terminal.cell");
  const int c = checked_col(L, 2, "terminal.cell");
  const termrt::Cell &cell = term().cell(r, c);
  const char ch = static_cast<char>(cell.ch);
  lua_pushlstring(L, &ch, 1);
  lua_pushinteger(L, cell.attr);
  return 2;
}

int t_attributes(lua_State *L) {
  push_string(L, term().row_attributes(checked_row(L, 1, "terminal.attributes")));
  return 1;
}

int t_cursor(lua_State *L) {
  lua_pushinteger(L, term().cursor_row());
  lua_pushinteger(L, term().cursor_col());
  lua_pushinteger(L, term().cursor_type());
  return 3;
}

int t_put_text(lua_State *L) {
  const int r = checked_row(L, 1, "terminal.put_text");
  const int c = checked_col(L, 2, "terminal.put_text");
  term().put_text(r, c, string_arg(L, 3, "terminal.put_text"));
  return 0;
}

void write_file(const std::filesystem::path &path, const std::string &content, const char *function) {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary);
  out << content;
  if (!out) throw ScriptError(std::string(function) + ": cannot write " + path.string());
}

int t_snapshot(lua_State *L) {
  const std::string name = string_arg(L, 1, "terminal.snapshot");
  const std::filesystem::path path = host_of(L).resolve(name, true);
  const Snapshot s = take_snapshot(term());
  if (path.extension() == ".svg")
    write_file(path, snapshot_svg(s), "terminal.snapshot");
  else
    write_file(path, snapshot_text(s, bool_field(L, 2, "cursor"), bool_field(L, 2, "attributes")),
               "terminal.snapshot");
  push_string(L, path.string());
  return 1;
}

// ---- user variables ----

int uv_index(lua_State *L) {
  const std::optional<std::string> text = term().variable(checked_variable(L, 2, "terminal.uv"));
  if (text)
    push_string(L, *text);
  else
    lua_pushnil(L);
  return 1;
}

int uv_newindex(lua_State *L) {
  const int n = checked_variable(L, 2, "terminal.uv");
  if (lua_isnil(L, 3)) {
    term().remove_variable(n);
    return 0;
  }
  if (lua_type(L, 3) != LUA_TSTRING && lua_type(L, 3) != LUA_TNUMBER)
    throw ScriptError("terminal.uv[" + std::to_string(n) + "] takes a string, a number or nil, not a " +
                      lua_typename(L, lua_type(L, 3)));
  term().set_variable(n, string_arg(L, 3, "terminal.uv"));
  return 0;
}

int t_define_variable(lua_State *L) {
  const int n = checked_variable(L, 1, "terminal.define_variable");
  const long long capacity = opt_int_arg(L, 2, "terminal.define_variable").value_or(255);
  if (capacity < 0 || capacity > 255)
    throw ScriptError("terminal.define_variable: a capacity of 0 to 255 characters");
  term().define_variable(n, static_cast<std::size_t>(capacity));
  return 0;
}

int t_remove_variable(lua_State *L) {
  term().remove_variable(checked_variable(L, 1, "terminal.remove_variable"));
  return 0;
}

int t_set_unreadable(lua_State *L) {
  const int n = checked_variable(L, 1, "terminal.set_unreadable");
  term().set_unreadable(n, lua_isnone(L, 2) ? true : lua_toboolean(L, 2) != 0);
  return 0;
}

int t_variables(lua_State *L) {
  lua_newtable(L);
  for (int n : term().variable_numbers()) {
    const std::optional<std::string> text = term().variable(n);
    if (!text) continue;
    push_string(L, *text);
    lua_rawseti(L, -2, n);
  }
  return 1;
}

// ---- files ----

int t_add_file(lua_State *L) {
  term().add_file(string_arg(L, 1, "terminal.add_file"), string_arg(L, 2, "terminal.add_file"));
  return 0;
}

// A help file from a table of record number -> text: records "0001 text"
// in ascending order, as the lookup needs them.
int t_help_file(lua_State *L) {
  if (lua_type(L, 1) != LUA_TTABLE)
    throw ScriptError("terminal.help_file: argument 1 must be a table of records");
  const std::string name = opt_string_arg(L, 2, "terminal.help_file").value_or(KW_DEFAULT(KW_FILE));
  std::map<int, std::string> records;
  lua_pushnil(L);
  while (lua_next(L, 1) != 0) {
    int is_number = 0;
    const lua_Integer number = lua_tointegerx(L, -2, &is_number);
    const bool is_text = lua_type(L, -1) == LUA_TSTRING || lua_type(L, -1) == LUA_TNUMBER;
    if (!is_number || number < 0 || number > RECORD_NUMBER_MAX || !is_text) {
      lua_pop(L, 2);
      throw ScriptError("terminal.help_file: records are numbers 0 to " + std::to_string(RECORD_NUMBER_MAX) +
                        " with a text each");
    }
    std::size_t length = 0;
    const char *text = lua_tolstring(L, -1, &length);
    records[static_cast<int>(number)] = std::string(text, length);
    lua_pop(L, 1);
  }
  std::string content;
  for (const auto &[number, text] : records) {
    char key[16];
    std::snprintf(key, sizeof key, "%04d ", number);
    content += key + text + "\n";
  }
  term().add_file(name, content);
  return 0;
}

int t_remove_file(lua_State *L) {
  term().remove_file(string_arg(L, 1, "terminal.remove_file"));
  return 0;
}

int t_has_file(lua_State *L) {
  lua_pushboolean(L, term().has_file(string_arg(L, 1, "terminal.has_file")));
  return 1;
}

int t_load_directory(lua_State *L) {
  const std::filesystem::path dir = host_of(L).resolve(string_arg(L, 1, "terminal.load_directory"), false);
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec))
    throw ScriptError("terminal.load_directory: no folder " + dir.string());
  lua_pushinteger(L, static_cast<lua_Integer>(term().load_directory(dir.string())));
  return 1;
}

int t_force_validation(lua_State *L) {
  const std::string name = string_arg(L, 1, "terminal.force_validation");
  term().force_validation(name, static_cast<int>(int_arg(L, 2, "terminal.force_validation")));
  return 0;
}

int t_clear_forced_validation(lua_State *) {
  term().clear_forced_validation();
  return 0;
}

// ---- signals and calls ----

int t_log(lua_State *L) {
  const bool with_times = lua_toboolean(L, 1) != 0;
  const std::vector<termrt::LogEntry> log = host_of(L).session().log();
  lua_createtable(L, static_cast<int>(log.size()), 0);
  lua_Integer i = 0;
  for (const termrt::LogEntry &e : log) {
    if (with_times) {
      lua_createtable(L, 0, 2);
      push_string(L, e.what);
      lua_setfield(L, -2, "what");
      lua_pushnumber(L, static_cast<double>(e.at_ms) / 1000.0);
      lua_setfield(L, -2, "time");
    } else {
      push_string(L, e.what);
    }
    lua_rawseti(L, -2, ++i);
  }
  return 1;
}

int t_count_log(lua_State *L) {
  lua_pushinteger(L, host_of(L).session().count_log(string_arg(L, 1, "terminal.count_log")));
  return 1;
}

int t_clear_log(lua_State *L) {
  host_of(L).session().clear_log();
  return 0;
}

int t_waits(lua_State *L) {
  const std::vector<int> &waits = term().waits();
  lua_createtable(L, static_cast<int>(waits.size()), 0);
  lua_Integer i = 0;
  for (int ms : waits) {
    lua_pushinteger(L, ms);
    lua_rawseti(L, -2, ++i);
  }
  return 1;
}

int t_clear_waits(lua_State *) {
  term().clear_waits();
  return 0;
}

int t_calls(lua_State *L) {
  lua_pushinteger(L, term().calls(string_arg(L, 1, "terminal.calls")));
  return 1;
}

int t_transaction_flag(lua_State *L) {
  const int flag = term().transaction_flag();
  if (flag < 0)
    lua_pushnil(L);
  else
    lua_pushinteger(L, flag);
  return 1;
}

int t_last_beep(lua_State *L) {
  push_seconds_or_nil(L, term().last_beep_ms());
  return 1;
}

int t_last_led(lua_State *L) {
  push_seconds_or_nil(L, term().last_led_ms());
  return 1;
}

int t_starved(lua_State *L) {
  lua_pushboolean(L, term().starved());
  return 1;
}

int t_starvation(lua_State *L) {
  push_string(L, term().starvation());
  return 1;
}

int t_reset(lua_State *L) {
  host_of(L).reset_terminal();
  return 0;
}

}  // namespace

int key_code(lua_State *L, int index, const char *function) {
  if (lua_type(L, index) == LUA_TNUMBER) {
    const long long code = int_arg(L, index, function);
    if (code < 0 || code > 65535)
      throw ScriptError(std::string(function) + ": key code " + std::to_string(code) + " is not 0 to 65535");
    return static_cast<int>(code);
  }
  const std::string name = string_arg(L, index, function);
  if (name.size() == 1) return static_cast<unsigned char>(name[0]);
  if (const std::optional<int> code = key_code_named(name)) return *code;
  throw ScriptError(std::string(function) + ": no key named \"" + name + "\" (" +
                    std::string(key_names_offered()) + ")");
}

void store_callback(lua_State *L, int function_index, int id) {
  function_index = lua_absindex(L, function_index);
  lua_rawgetp(L, LUA_REGISTRYINDEX, &callbacks_key);
  lua_pushvalue(L, function_index);
  lua_rawseti(L, -2, id);
  lua_pop(L, 1);
}

void forget_callback(lua_State *L, int id) {
  lua_rawgetp(L, LUA_REGISTRYINDEX, &callbacks_key);
  lua_pushnil(L);
  lua_rawseti(L, -2, id);
  lua_pop(L, 1);
}

bool push_callback(lua_State *L, int id, bool forget) {
  lua_rawgetp(L, LUA_REGISTRYINDEX, &callbacks_key);
  lua_rawgeti(L, -1, id);
  if (forget) {
    lua_pushnil(L);
    lua_rawseti(L, -3, id);
  }
  lua_remove(L, -2);
  if (lua_type(L, -1) == LUA_TFUNCTION) return true;
  lua_pop(L, 1);
  return false;
}

void clear_callbacks(lua_State *L) {
  lua_newtable(L);
  lua_rawsetp(L, LUA_REGISTRYINDEX, &callbacks_key);
}

void install_terminal_api(lua_State *L) {
  static const luaL_Reg functions[] = {
      {"key", guarded<t_key>},
      {"keys", guarded<t_keys>},
      {"type", guarded<t_type>},
      {"scan", guarded<t_scan>},
      {"sensor_record", guarded<t_sensor_record>},
      {"read_key", guarded<t_read_key>},
      {"pending_keys", guarded<t_pending_keys>},
      {"pending_scans", guarded<t_pending_scans>},
      {"request_stop", guarded<t_request_stop>},
      {"clear_stop", guarded<t_clear_stop>},
      {"stop_requested", guarded<t_stop_requested>},
      {"at", guarded<t_at>},
      {"on_idle", guarded<t_on_idle>},
      {"advance", guarded<t_advance>},
      {"now", guarded<t_now>},
      {"clock", guarded<t_clock>},
      {"time_text", guarded<t_time_text>},
      {"set_clock", guarded<t_set_clock>},
      {"set_real_time", guarded<t_set_real_time>},
      {"real_time", guarded<t_real_time>},
      {"row", guarded<t_row>},
      {"screen", guarded<t_screen>},
      {"cell", guarded<t_cell>},
      {"attributes", guarded<t_attributes>},
      {"cursor", guarded<t_cursor>},
      {"put_text", guarded<t_put_text>},
      {"snapshot", guarded<t_snapshot>},
      {"define_variable", guarded<t_define_variable>},
      {"remove_variable", guarded<t_remove_variable>},
      {"set_unreadable", guarded<t_set_unreadable>},
      {"variables", guarded<t_variables>},
      {"add_file", guarded<t_add_file>},
      {"help_file", guarded<t_help_file>},
      {"remove_file", guarded<t_remove_file>},
      {"has_file", guarded<t_has_file>},
      {"load_directory", guarded<t_load_directory>},
      {"force_validation", guarded<t_force_validation>},
      {"clear_forced_validation", guarded<t_clear_forced_validation>},
      {"log", guarded<t_log>},
      {"count_log", guarded<t_count_log>},
      {"clear_log", guarded<t_clear_log>},
      {"waits", guarded<t_waits>},
      {"clear_waits", guarded<t_clear_waits>},
      {"calls", guarded<t_calls>},
      {"transaction_flag", guarded<t_transaction_flag>},
      {"last_beep", guarded<t_last_beep>},
      {"last_led", guarded<t_last_led>},
      {"starved", guarded<t_starved>},
      {"starvation", guarded<t_starvation>},
      {"reset", guarded<t_reset>},
      {nullptr, nullptr},
  };
  luaL_newlib(L, functions);

  // terminal.uv: a proxy table over the user variables.
  lua_newtable(L);
  lua_newtable(L);
  lua_pushcfunction(L, guarded<uv_index>);
  lua_setfield(L, -2, "__index");
  lua_pushcfunction(L, guarded<uv_newindex>);
  lua_setfield(L, -2, "__newindex");
  lua_setmetatable(L, -2);
  lua_setfield(L, -2, "uv");

  lua_setglobal(L, "terminal");
  clear_callbacks(L);
}

}  // namespace formsterm
