// result_codes.cpp - the table of result codes and their meanings.
#include "result_codes.h"

namespace formsterm {

const std::vector<ResultCode> &result_codes() {
  static const std::vector<ResultCode> table = {
      {"Z6", "SET_FIE", "INPUT= missing or not in capitals",
       "give INPUT= one of the input kinds, in capitals"},
  };
  return table;
}

const ResultCode *find_result_code(std::string_view code) {
  for (const ResultCode &entry : result_codes())
    if (entry.code == code) return &entry;
  return nullptr;
}

std::string describe_code(std::string_view code) {
  const ResultCode *entry = find_result_code(code);
  std::string text(code);
  text += ": ";
  text += entry ? entry->meaning : std::string_view("no such result code");
  return text;
}

}  // namespace formsterm
