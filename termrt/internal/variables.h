// variables.h - the numbered user variables: a text each, with a capacity,
// and readable or not. A new terminal has 1 to 99, each of 255 characters.
#ifndef TERMRT_INTERNAL_VARIABLES_H
#define TERMRT_INTERNAL_VARIABLES_H

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "internal/log.h"
#include "platform/termrt.h"

namespace termrt {

class Variables {
 public:
  explicit Variables(Log &log) : log_(log) { reset(); }
  void reset();

  void define(int number, std::size_t capacity = kMaxText);
  void remove(int number) {
    ++changes_;
    variables_.erase(number);
  }
  void set_unreadable(int number, bool unreadable) {
    ++changes_;
    variables_[number].unreadable = unreadable;
  }
  void set(int number, std::string_view text);  // defines it when needed
  std::optional<std::string> text(int number) const;
  std::vector<int> numbers() const;
  // How many changes there have been: equal counts, same variables.
  unsigned long long changes() const { return changes_; }

  // The library's side, with the run-time's answers; writes and clears are
  // logged.
  int read(int number, char *buffer) const;
  int write(int number, const char *text);
  int clear(int number);

 private:
  // The longest text a user variable holds, and its capacity unless
  // defined otherwise.
  static constexpr std::size_t kMaxText = USER_VARIABLE_MAX;
  struct Variable {
    std::string text;
    std::size_t capacity = kMaxText;
    bool unreadable = false;
  };

  Log &log_;
  std::map<int, Variable> variables_;
  unsigned long long changes_ = 0;
};

}  // namespace termrt

#endif
