// operator.cpp - playing a test's actions against the library's waits.
#include "script/operator.h"

#include <set>

#include "driver/keys.h"
#include "driver/screen.h"
#include "driver/session.h"
#include "entry/reports.h"
#include "input/sensor.h"
#include "script/api.h"
#include "script/lua_support.h"
#include "terminal.h"

namespace formsterm {

namespace {

termrt::Terminal &term() { return termrt::terminal(); }

// The wait of the driver's delay routine (banner, timed messages, V_DELAY):
// a pause, not a wait for input. Input waits are 0 or whole seconds.
constexpr int kPauseWaitMs = DELAY_PASS_MS;

const char kActionNames[] = "key, type, scan, stop, quit, wait, check, golden, snapshot, popup";

}  // namespace

const std::vector<Operator::TableKind> &Operator::table_kinds() {
  static const std::vector<TableKind> kinds = {
      {"type", Kind::kKey, {"key"}},
      {"key", Kind::kKey, {}},
      {"scan", Kind::kScan, {"status"}},
      {"stop", Kind::kStop, {}},
      {"quit", Kind::kQuit, {}},
      {"wait", Kind::kWait, {}},
      {"check", Kind::kCheck, {}},
      {"golden", Kind::kGolden, {"mask", "cursor", "attributes"}},
      {"snapshot", Kind::kSnapshot, {"cursor", "attributes"}},
      {"popup", Kind::kPopup, {}},
  };
  return kinds;
}

namespace {

// The action as a script would write it, cut short for messages.
std::string shown_value(lua_State *L, int index) {
  switch (lua_type(L, index)) {
    case LUA_TSTRING: return "\"" + std::string(lua_tostring(L, index)) + "\"";
    case LUA_TNUMBER:
    case LUA_TBOOLEAN: {
      std::string text = luaL_tolstring(L, index, nullptr);
      lua_pop(L, 1);
      return text;
    }
    default: return std::string("a ") + luaL_typename(L, index);
  }
}

std::string shown_table(lua_State *L, int index) {
  std::string text = "{";
  lua_pushnil(L);
  while (lua_next(L, index) != 0) {
    if (text.size() > 1) text += ", ";
    text += (lua_type(L, -2) == LUA_TSTRING ? std::string(lua_tostring(L, -2)) : shown_value(L, -2)) + " = " +
            shown_value(L, -1);
    lua_pop(L, 1);
  }
  return text + "}";
}

}  // namespace

Operator::Operator(lua_State *L, int index, Session &session) : L_(L), session_(session) {
  index = lua_absindex(L, index);
  if (lua_type(L, index) != LUA_TTABLE) throw ScriptError("operate: argument 2 must be a list of actions");
  const lua_Integer n = static_cast<lua_Integer>(lua_rawlen(L, index));
  try {
    for (lua_Integer i = 1; i <= n; ++i) {
      lua_rawgeti(L, index, i);
      read_action(lua_gettop(L), static_cast<int>(i));
      lua_pop(L, 1);
    }
  } catch (...) {
    for (const Step &s : steps_) luaL_unref(L, LUA_REGISTRYINDEX, s.ref);
    throw;
  }
  waits_seen_ = term().waits().size();
  popups_matched_ = session_.popups().size();
}

Operator::~Operator() {
  for (const Step &s : steps_) luaL_unref(L_, LUA_REGISTRYINDEX, s.ref);
  if (stop_pending_ || quitting_) term().clear_stop();
}

void Operator::read_action(int index, int position) {
  const std::string where = "operate: action " + std::to_string(position);
  if (lua_type(L_, index) == LUA_TNUMBER && !lua_isinteger(L_, index))
    throw ScriptError(where + " is " + shown_value(L_, index) + "; a key code is a whole number");
  switch (lua_type(L_, index)) {
    case LUA_TSTRING:
    case LUA_TNUMBER:
      steps_.push_back(Step{Kind::kKey, position, shown_value(L_, index), "",
                            key_code(L_, index, where.c_str()), 0, LUA_NOREF});
      return;
    case LUA_TFUNCTION:
      lua_pushvalue(L_, index);
      steps_.push_back(Step{Kind::kCheck, position, "a function", "", 0, 0, luaL_ref(L_, LUA_REGISTRYINDEX)});
      return;
    case LUA_TTABLE:
      if (lua_rawlen(L_, index) > 0) {
        // A list inside the list (a helper's actions): played in its place.
        lua_pushnil(L_);
        while (lua_next(L_, index) != 0) {
          lua_pop(L_, 1);
          if (!lua_isinteger(L_, -1)) {
            lua_pop(L_, 1);
            throw ScriptError(where + " " + shown_table(L_, index) +
                              " mixes a list of actions with named fields; write them as separate actions");
          }
        }
        for (lua_Integer i = 1; i <= static_cast<lua_Integer>(lua_rawlen(L_, index)); ++i) {
          lua_rawgeti(L_, index, i);
          read_action(lua_gettop(L_), position);
          lua_pop(L_, 1);
        }
        return;
      }
      read_table_action(index, position, shown_table(L_, index));
      return;
    default:
      throw ScriptError(
          where + " is " + shown_value(L_, index) +
          "; an action is a key name, a function (a check) or a table with one of: " + kActionNames);
  }
}

// The kind of a table action: the one action field it holds. Every other
// field must belong to that action, so a misspelled name is an error.
const Operator::TableKind &Operator::table_kind_of(int index, const std::string &where) {
  const TableKind *kind = nullptr;
  for (const TableKind &k : table_kinds()) {
    lua_getfield(L_, index, k.name);
    const bool present = !lua_isnil(L_, -1);
    lua_pop(L_, 1);
    if (present) {
      kind = &k;
      break;
    }
  }
  lua_pushnil(L_);
  while (lua_next(L_, index) != 0) {
    lua_pop(L_, 1);
    const std::string field = lua_type(L_, -1) == LUA_TSTRING ? lua_tostring(L_, -1) : "";
    if (kind == nullptr || (field != kind->name && !kind->extras.count(field))) {
      lua_pop(L_, 1);
      throw ScriptError(where + ": no action field named \"" + field + "\"; the actions are " + kActionNames +
                        " (type takes key; scan takes status; golden takes mask, cursor, attributes)");
    }
  }
  if (kind == nullptr) throw ScriptError(where + " is empty; the actions are " + std::string(kActionNames));
  return *kind;
}

// {type = "AB", key = "enter"}: a key step per character, and the key after.
void Operator::read_typing(int index, int value, Step step, const std::string &where) {
  for (unsigned char c : string_arg(L_, value, (where + ": type").c_str())) {
    step.number = c;
    steps_.push_back(step);
  }
  lua_getfield(L_, index, "key");
  if (!lua_isnil(L_, -1)) {
    step.number = key_code(L_, -1, (where + ": key").c_str());
    steps_.push_back(step);
  }
  lua_pop(L_, 1);
}

void Operator::read_table_action(int index, int position, const std::string &shown) {
  const std::string where = "operate: action " + std::to_string(position) + " " + shown;
  const TableKind &kind = table_kind_of(index, where);
  lua_getfield(L_, index, kind.name);
  const int value = lua_gettop(L_);
  Step step{kind.kind, position, shown, "", 0, 0, LUA_NOREF};
  const std::string arg = where + ": " + kind.name;
  switch (kind.kind) {
    case Kind::kKey:
      if (std::string_view(kind.name) == "type") {
        read_typing(index, value, step, where);
        lua_pop(L_, 1);
        return;
      }
      step.number = key_code(L_, value, arg.c_str());
      break;
    case Kind::kScan:
      step.text = string_arg(L_, value, arg.c_str());
      if (step.text.size() > SENSOR_DATA_MAX)
        throw ScriptError(arg + ": a sensor record holds " + std::to_string(SENSOR_DATA_MAX) +
                          " characters at most");
      step.number = static_cast<int>(int_field(L_, index, "status").value_or(0));
      break;
    case Kind::kStop:
    case Kind::kQuit: break;
    case Kind::kWait:
      step.seconds = number_arg(L_, value, arg.c_str());
      if (step.seconds < 0) throw ScriptError(arg + ": time does not run backwards");
      break;
    case Kind::kCheck:
      function_arg(L_, value, arg.c_str());
      lua_pushvalue(L_, value);
      step.ref = luaL_ref(L_, LUA_REGISTRYINDEX);
      break;
    case Kind::kGolden:
    case Kind::kSnapshot:
    case Kind::kPopup:
      step.text = string_arg(L_, value, arg.c_str());
      lua_pushvalue(L_, index);
      step.ref = luaL_ref(L_, LUA_REGISTRYINDEX);
      break;
  }
  lua_pop(L_, 1);
  steps_.push_back(step);
}

bool Operator::is_input(Kind kind) {
  return kind == Kind::kKey || kind == Kind::kScan || kind == Kind::kStop || kind == Kind::kQuit ||
         kind == Kind::kWait;
}

// "action 1 {type = "AB"}: key 'A'" for the log.
std::string Operator::action_note(const Step &step) {
  std::string note = "action " + std::to_string(step.position) + " " + step.shown;
  if (step.kind != Kind::kKey) return note;
  const char *name = key_name(step.number);
  if (name) return note + ": key " + name;
  if (step.number >= 32 && step.number <= 126) return note + ": key '" + static_cast<char>(step.number) + "'";
  return note + ": key " + std::to_string(step.number);
}

std::string Operator::failure(const Step &step, const std::string &what) {
  failure_names_action_ = true;
  return "action " + std::to_string(step.position) + " " + step.shown + ": " + what;
}

// A check, snapshot, golden screen or popup: runs at once.
std::optional<std::string> Operator::run_passive(const Step &step) {
  if (step.kind == Kind::kPopup) {
    const std::vector<std::string> &popups = session_.popups();
    for (std::size_t i = popups_matched_; i < popups.size(); ++i)
      if (popups[i].find(step.text) != std::string::npos) {
        popups_matched_ = i + 1;
        session_.popup_matched(i);
        return std::nullopt;
      }
    std::string seen;
    for (std::size_t i = popups_matched_; i < popups.size(); ++i) seen += "\n    " + popups[i];
    return failure_with_screen(failure(step, "no popup holding \"" + step.text +
                                                 "\" appeared; since the last one " +
                                                 "matched:" + (seen.empty() ? std::string(" none") : seen)));
  }
  if (step.kind == Kind::kCheck) {
    lua_rawgeti(L_, LUA_REGISTRYINDEX, step.ref);
  } else {
    lua_getglobal(L_, step.kind == Kind::kGolden ? "expect_golden" : "terminal");
    if (step.kind == Kind::kSnapshot) {
      lua_getfield(L_, -1, "snapshot");
      lua_remove(L_, -2);
    }
  }
  int nargs = 0;
  if (step.kind != Kind::kCheck) {
    lua_pushlstring(L_, step.text.data(), step.text.size());
    lua_rawgeti(L_, LUA_REGISTRYINDEX, step.ref);
    nargs = 2;
  }
  std::optional<std::string> error = protected_call(L_, nargs);
  if (error) return failure(step, *error);
  return std::nullopt;
}

std::optional<std::string> Operator::on_wait(const std::string &command) {
  const std::vector<int> &waits = term().waits();
  const bool pause = waits.size() != waits_seen_ && !waits.empty() && waits.back() == kPauseWaitMs;
  waits_seen_ = waits.size();
  if (pause || quitting_) return std::nullopt;
  for (; next_ < steps_.size(); ++next_) {
    const Step &step = steps_[next_];
    if (!is_input(step.kind)) {
      if (std::optional<std::string> error = run_passive(step)) return error;
      continue;
    }
    if (step.kind != Kind::kWait || !wait_until_ms_) session_.note(action_note(step));
    switch (step.kind) {
      case Kind::kWait:
        if (!wait_until_ms_) {
          wait_until_ms_ = term().now_ms() + static_cast<long long>(step.seconds * 1000.0 + 0.5);
          term().at(step.seconds, [] {});  // the clock goes straight there
        }
        if (term().now_ms() < *wait_until_ms_) return std::nullopt;
        wait_until_ms_.reset();
        continue;
      case Kind::kKey: term().key(static_cast<std::uint16_t>(step.number)); break;
      case Kind::kScan: term().scan(step.text, static_cast<unsigned char>(step.number)); break;
      case Kind::kStop:
        stop_pending_ = true;
        term().request_stop();
        break;
      default:
        quitting_ = true;
        term().request_stop();
        break;
    }
    ++next_;
    return std::nullopt;
  }
  const int played = steps_.empty() ? 0 : steps_.back().position;
  return failure_with_screen("the program waits for input and no action is left (" + std::to_string(played) +
                             (played == 1 ? " action" : " actions") + " played); it waits in " + command);
}

void Operator::call_ended() {
  if (!stop_pending_) return;
  stop_pending_ = false;
  term().clear_stop();
}

std::optional<std::string> Operator::finish() {
  for (; next_ < steps_.size(); ++next_) {
    const Step &step = steps_[next_];
    if (step.kind == Kind::kWait && wait_until_ms_) continue;  // the program ended during it
    if (is_input(step.kind)) {
      const int left = steps_.back().position - step.position + 1;
      return failure_with_screen("the program ended with " + std::to_string(left) +
                                 (left == 1 ? " action" : " actions") + " left, the first: action " +
                                 std::to_string(step.position) + " " + step.shown);
    }
    if (std::optional<std::string> error = run_passive(step)) return error;
  }
  return std::nullopt;
}

}  // namespace formsterm
