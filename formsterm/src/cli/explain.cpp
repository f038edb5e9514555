// explain.cpp - `formsterm explain CODE` over the table of result codes,
// and `formsterm help keywords` over the keyword tables.
#include "cli/explain.h"

#include <cctype>
#include <ostream>
#include <utility>

#include "check/keywords.h"
#include "driver/result_codes.h"

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

namespace {

// "Z8: write AI, AIALPHA, ..." - what to write, by the code of a bad value.
std::string remedy_of(std::string_view code) {
  const ResultCode *entry = code.empty() ? nullptr : find_result_code(code);
  return entry ? std::string(code) + ": " + std::string(entry->remedy) : std::string();
}

}  // namespace

void print_keywords(std::ostream &out) {
  out << "Keywords, as the driver finds them: the first place the characters occur\n"
         "anywhere in the text; the value is the first piece of the window after it,\n"
         "cut at commas, blanks and equals signs. ROW= and COL= count from 1.\n";
  for (Command command :
       {Command::field_definition, Command::panel_options, Command::help_file, Command::help_range}) {
    out << "\n= " << command_name(command) << "\n";
    for (const Keyword &k : keywords_of(command)) {
      out << "  " << k.name << std::string(k.name.size() < 8 ? 8 - k.name.size() : 1, ' ');
      if (!k.missing.empty())
        out << "required (" << k.missing << " without it)";
      else
        out << "without it: " << k.absent;
      out << "; window " << k.window << "\n";
      const std::string remedy = remedy_of(k.bad.empty() ? k.no_value : k.bad);
      if (!remedy.empty()) out << "          " << remedy << "\n";
    }
  }
}

}  // namespace formsterm
