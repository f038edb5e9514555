// result_codes.h - what each two-character result code of the panel driver
// means, in the panel author's words: the command that raises it, one short
// phrase, and what to change. One table serves check findings, test
// failures, the interactive side panel and `formsterm explain`.
#ifndef FORMSTERM_RESULT_CODES_H
#define FORMSTERM_RESULT_CODES_H

#include <string>
#include <string_view>
#include <vector>

namespace formsterm {

struct ResultCode {
  std::string_view code;     // "Z6"
  std::string_view command;  // the command (or commands) that raise it, e.g. "SET_FIE"
  std::string_view meaning;  // one short phrase: "INPUT= missing or not in capitals"
  std::string_view remedy;   // what to change
};

// Every known code, in the order of the result-code index.
const std::vector<ResultCode> &result_codes();

// The entry of code, or nullptr when the driver has no such code.
const ResultCode *find_result_code(std::string_view code);

}  // namespace formsterm

#endif
