// variables.cpp - the user variables as the host sets them up and as the
// library reads and writes them.
#include "internal/variables.h"

#include <algorithm>
#include <cstring>

#include "platform/answers.h"

namespace termrt {

namespace {

// The numbers a new terminal defines.
constexpr int kFirstVariable = 1;
constexpr int kLastVariable = 99;

}  // namespace

void Variables::reset() {
  variables_.clear();
  for (int n = kFirstVariable; n <= kLastVariable; ++n) variables_[n] = Variable{};
}

void Variables::define(int number, std::size_t capacity) {
  Variable &v = variables_[number];
  v.capacity = capacity;
  if (v.text.size() > capacity) v.text.resize(capacity);
}

void Variables::set(int number, std::string_view text) {
  Variable &v = variables_[number];
  v.text = text.substr(0, kMaxText);
  if (v.capacity < v.text.size()) v.capacity = v.text.size();
}

std::optional<std::string> Variables::text(int number) const {
  auto it = variables_.find(number);
  if (it == variables_.end()) return std::nullopt;
  return it->second.text;
}

std::vector<int> Variables::numbers() const {
  std::vector<int> out;
  for (const auto &kv : variables_) out.push_back(kv.first);
  return out;
}

int Variables::read(int number, char *buffer) const {
  auto it = variables_.find(number);
  if (it == variables_.end() || it->second.unreadable || buffer == nullptr) return RT_VARIABLE_UNREADABLE;
  const std::string &t = it->second.text;
  std::size_t n = std::min(t.size(), kMaxText);
  std::memcpy(buffer, t.data(), n);
  buffer[n] = '\0';
  return RT_OK;
}

int Variables::write(int number, const char *text) {
  std::string t = text ? text : "";
  int result = RT_OK;
  auto it = variables_.find(number);
  if (it == variables_.end())
    result = RT_VARIABLE_UNREADABLE;
  else if (t.size() > it->second.capacity || t.size() > kMaxText)
    result = RT_VARIABLE_TOO_LONG;
  else
    it->second.text = t;
  log_.note_write("write " + std::to_string(number) + " \"" + t + "\" -> " + std::to_string(result),
                  VariableWrite{number, t, result});
  return result;
}

int Variables::clear(int number) {
  log_.note("clear " + std::to_string(number));
  auto it = variables_.find(number);
  if (it == variables_.end()) return RT_VARIABLE_UNREADABLE;
  it->second.text.clear();
  return RT_OK;
}

}  // namespace termrt
