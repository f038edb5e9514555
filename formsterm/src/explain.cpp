// explain.cpp - `formsterm explain CODE` over the table of result codes.
#include "explain.h"

#include <cctype>
#include <ostream>
#include <utility>

#include "result_codes.h"

namespace formsterm {

namespace {

const std::pair<char, const char *> kFamilies[] = {
    {'M', "command dispatch"},
    {'C', "COMPARE, CMP_INT, INTMATH"},
    {'D', "DICOUNT"},
    {'E', "TM_DATE"},
    {'F', "TRANMSG"},
    {'P', "POPUPWN"},
    {'U', "CHKUNIQ"},
    {'V', "V_DELAY"},
    {'W', "WAIT_UV"},
    {'X', "EXEC_PA and field validation"},
    {'Y', "message prompt, check digits"},
    {'Z', "SET_FIE and SET_HEL"},
};

}  // namespace

int explain_code(std::string_view code, std::ostream &out) {
  if (const ResultCode *entry = find_result_code(code)) {
    out << entry->code << ": " << entry->meaning << "\n"
        << "raised by: " << entry->command << "\n"
        << "to change: " << entry->remedy << "\n";
    return 0;
  }
  out << code << ": no such result code.";
  for (const ResultCode &entry : result_codes())
    if (code.size() == 2 && std::toupper(static_cast<unsigned char>(code[0])) == entry.code[0] &&
        std::toupper(static_cast<unsigned char>(code[1])) ==
            std::toupper(static_cast<unsigned char>(entry.code[1])))
      out << " Letter case counts: " << entry.code << " is " << entry.meaning << ".";
  out << " A code is two characters, its family the first:";
  for (const auto &[family, commands] : kFamilies) out << "\n  " << family << "  " << commands;
  out << "\n";
  return 1;
}

}  // namespace formsterm
