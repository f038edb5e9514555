// keys.cpp - the one table of key names.
#include "driver/keys.h"

#include <cctype>
#include <string>

#include "key_names.h"

namespace formsterm {

namespace {

struct KeyName {
  const char *name;
  int code;
};
const KeyName kKeyNames[] = {
    {"enter", termrt::kEnter},         {"cancel", termrt::kCancel},     {"next", termrt::kNext},
    {"previous", termrt::kPrevious},   {"complete", termrt::kComplete}, {"blank", termrt::kBlankEntry},
    {"backspace", termrt::kBackspace}, {"help", termrt::kHelp},         {"left", termrt::kLeft},
    {"right", termrt::kRight},         {"esc", termrt::kCancel},        {"prev", termrt::kPrevious},
    {"up", termrt::kPrevious},         {"tab", termrt::kNext},          {"down", termrt::kNext},
};

}  // namespace

std::optional<int> key_code_named(std::string_view name) {
  std::string lower;
  for (unsigned char c : name) lower += static_cast<char>(std::tolower(c));
  for (const KeyName &key : kKeyNames)
    if (lower == key.name) return key.code;
  return std::nullopt;
}

const char *key_name(int code) {
  for (const KeyName &key : kKeyNames)
    if (key.code == code) return key.name;
  return nullptr;
}

std::string_view key_names_offered() {
  return "enter, cancel, next, previous, complete, blank, backspace, help, left, right";
}

}  // namespace formsterm
