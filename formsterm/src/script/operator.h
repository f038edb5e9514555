// operator.h - the operator of a test: a list of actions (keys, typed text,
// scans, stop requests, time let pass, checks, snapshots, popups to see)
// played against a program. An input action fires only when the library
// waits for input; the driver's own pauses (the banner, timed messages,
// V_DELAY) pass untouched. Checks run at the wait where they stand, before
// the next input action.
#ifndef FORMSTERM_OPERATOR_H
#define FORMSTERM_OPERATOR_H

#include <lua.hpp>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace formsterm {

class Session;

class Operator {
 public:
  // Reads the list at index (raising ScriptError for a bad action, with its
  // position and the valid names); functions and tables are kept in the
  // Lua registry until the operator goes.
  Operator(lua_State *L, int index, Session &session);
  ~Operator();
  Operator(const Operator &) = delete;
  Operator &operator=(const Operator &) = delete;

  // The library waits: give it the next input, or let a pause pass.
  // Returns the failure that ends the test, if any.
  std::optional<std::string> on_wait(const std::string &command);
  // A call of main ended: a stop request made during it is taken back.
  void call_ended();
  bool quitting() const { return quitting_; }
  // Whether the last failure names its action (a check, golden or popup that
  // failed), so that the program's line would only mislead.
  bool failure_names_action() const { return failure_names_action_; }
  // The program ended: runs the checks left, and fails when inputs remain.
  std::optional<std::string> finish();

 private:
  enum class Kind { kKey, kScan, kStop, kQuit, kWait, kCheck, kGolden, kSnapshot, kPopup };
  struct Step {
    Kind kind;
    int position;       // in the list, from 1
    std::string shown;  // the action as the script wrote it, for messages
    std::string text;   // scan text, path or popup text
    int number = 0;     // key code or scan status
    double seconds = 0;
    int ref = LUA_NOREF;  // check function or golden options
  };

  void read_action(int index, int position);
  // A table action's name, its kind of step and the other fields it takes.
  struct TableKind {
    const char *name;
    Kind kind;
    std::set<std::string> extras;
  };
  static const std::vector<TableKind> &table_kinds();
  const TableKind &table_kind_of(int index, const std::string &where);
  void read_typing(int index, int value, Step step, const std::string &where);
  void read_table_action(int index, int position, const std::string &shown);
  std::optional<std::string> run_passive(const Step &step);
  std::string failure(const Step &step, const std::string &what);
  static std::string action_note(const Step &step);
  static bool is_input(Kind kind);

  lua_State *L_;
  Session &session_;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  std::size_t waits_seen_ = 0;
  std::size_t popups_matched_ = 0;
  std::optional<long long> wait_until_ms_;
  bool stop_pending_ = false;
  bool quitting_ = false;
  bool failure_names_action_ = false;
};

}  // namespace formsterm

#endif
