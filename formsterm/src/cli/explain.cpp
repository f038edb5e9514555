// explain.cpp - `formsterm explain CODE|KEYWORD=|FAMILY` over the table of
// result codes and the keyword tables, and `formsterm help keywords`: the
// reference of the driver's grammar, from the library's own tables.
#include "cli/explain.h"

#include <cctype>
#include <climits>
#include <ostream>
#include <string>
#include <utility>

#include "check/keywords.h"
#include "common/text.h"
#include "driver/result_codes.h"
#include "entry/reports.h"
#include "input/sensor.h"

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

namespace {

// "Z8: write one of NUM AINUM ..." - what to write, by the code of a bad value.
std::string remedy_of(std::string_view code) {
  const ResultCode *entry = code.empty() ? nullptr : find_result_code(code);
  return entry ? std::string(code) + ": " + std::string(entry->remedy) : std::string();
}

// "one of A, N, S, T"
std::string listed(std::string_view letters) {
  std::string out;
  for (std::size_t i = 0; i < letters.size(); ++i)
    out += std::string(i == 0 ? "" : i + 1 == letters.size() ? " or " : ", ") + letters[i];
  return out;
}

#define INPUT_WORD_TEXT(kind, word, template_text, stored) word ", "
constexpr std::string_view kInputWords = INPUT_KINDS(INPUT_WORD_TEXT);

// What a good value of the keyword is.
std::string value_form(const Keyword &k) {
  const std::string range = std::to_string(k.low) + " to " + std::to_string(k.high);
  switch (k.form) {
    case ValueForm::number: return k.high == INT_MAX ? std::string("a number") : "a number from " + range;
    case ValueForm::letter: return listed(k.letters) + ", taken with its case";
    case ValueForm::yes_no: return "Y or N, in capitals";
    case ValueForm::name:
      return k.high > 0 ? "a name of at most " + std::to_string(k.high) + " characters"
                        : std::string("a name");
    case ValueForm::input_word:
      return "one of " + std::string(kInputWords.substr(0, kInputWords.size() - 2)) + ", in any case";
    case ValueForm::length:
      return "a length from " + range + "; a - before it gives a sign, .N after it N decimals";
    case ValueForm::records: return "two help record numbers from " + range + ", first,last";
    case ValueForm::verify:
      return "a letter, " + listed(k.letters) +
             " (taken with its case); F takes one record number, R and S two";
    case ValueForm::variable: return "the number of a user variable whose text the field starts with";
  }
  return "";
}

std::string codes_text(const Keyword &k) {
  std::string out = k.missing.empty() ? "" : "missing " + std::string(k.missing) + ", ";
  out += "no value " + std::string(k.no_value);
  if (!k.bad.empty()) out += ", bad value " + std::string(k.bad);
  if (!k.further.empty()) {
    out += "; further:";
    for (std::string_view code : k.further) out += " " + std::string(code);
  }
  return out;
}

// One keyword: the heading line and the remedy of its bad value (as before),
// then its value form, an example, its codes and what it reads.
void print_keyword(const Keyword &k, std::ostream &out) {
  out << "  " << k.name << std::string(k.name.size() < 8 ? 8 - k.name.size() : 1, ' ');
  if (!k.missing.empty())
    out << "required (" << k.missing << " without it)";
  else
    out << "without it: " << k.absent;
  out << "; window " << k.window << "\n";
  const std::string indent(10, ' ');
  const std::string remedy = remedy_of(k.bad.empty() ? k.no_value : k.bad);
  if (!remedy.empty()) out << indent << remedy << "\n";
  out << indent << "value: " << value_form(k)
      << (k.default_value.empty() ? "" : "; default " + std::string(k.default_value)) << "\n";
  if (!k.example.empty()) out << indent << "e.g. " << k.example << ": " << k.example_means << "\n";
  out << indent << "codes: " << codes_text(k) << "\n";
  if (!k.reads.empty()) out << indent << "reads: " << k.reads << "\n";
}

std::string message_type(int type) {
  switch (type) {
    case MESSAGE_TIMED: return "a popup that closes after a pause";
    case MESSAGE_ACKNOWLEDGED: return "a popup that waits for Enter";
    case MESSAGE_STANDING: return "a popup that stands until the checks end";
  }
  return "a line of other messages";
}

void print_letter(const VerifyLetter &v, std::ostream &out) {
  out << "  " << v.letter << "  " << v.meaning << "\n";
  std::string codes;
  for (std::string_view code : {v.no_first, v.bad_first, v.no_second, v.bad_second, v.too_long})
    if (!code.empty()) codes += " " + std::string(code);
  if (v.records > 0) {
    out << "     reads record" << (v.records == 1 ? " n" : "s n,m") << " as " << read_as_name(v.read_as);
    if (!v.missing_first.empty())
      out << "; a record not there: " << v.missing_first << (v.missing_second.empty() ? "" : " (n), ")
          << v.missing_second << (v.missing_second.empty() ? "" : " (m)");
    else
      out << "; records not there are skipped";
    out << "\n";
  }
  if (v.message > 0) out << "     refused: message " << v.message << "\n";
  if (!codes.empty()) out << "     SET_FIE codes:" << codes << "\n";
}

void print_letters(std::ostream &out) {
  out << "\n= VERT= letters (e.g. VERT=R,30,31; the checks run at completion)\n";
  for (const VerifyLetter &v : verify_letters()) print_letter(v, out);
}

void print_messages(std::ostream &out) {
  out << "\n= Message records: the driver shows help record N\n";
  for (const MessageRecord &m : message_records())
    out << "  " << (m.number < 10 ? " " : "") << m.number << "  " << m.when << "; " << message_type(m.type)
        << "\n";
}

// Which records a row of RECORDS_READ names, and as what.
std::string_view records_read(int read_as) {
  switch (read_as) {
    case READ_AS_FIELD_TEXT: return "n of the command's HELP=n, as a field definition";
    case READ_AS_OPTION_TEXT: return "n of the command's HELP=n, as panel options";
    case READ_AS_MASK: return "n of VERT=F,n at completion, as a mask";
    case READ_AS_BOUNDS: return "n and m of VERT=R,n,m at completion, as the lowest and highest number";
    case READ_AS_LIST: return "n to m of VERT=S,n,m at completion, as the permitted values";
    case READ_AS_HELP_LINES: return "n to m of HELP=n,m, as the lines the help key (F1) shows";
    case READ_AS_SCREEN_LINES: return "n to m of SCRN=n,m, as the field's own screen (MULT=Y)";
    case READ_AS_MESSAGE: return "n to m of HELP=n,m in the HVR= variable, once, instead of message 3";
  }
  return "";
}

#define RECORD_READ_TEXT(command, keyword, read_as) {command, keyword, read_as},
struct RecordRead {
  std::string_view command, keyword;
  int read_as;
};
const RecordRead kRecordsRead[] = {RECORDS_READ(RECORD_READ_TEXT)};

void print_records_and_kinds(std::ostream &out) {
  out << "\n= Help records the driver reads, and as what\n";
  for (const RecordRead &r : kRecordsRead)
    out << "  " << r.command << " " << r.keyword << std::string(8 - r.keyword.size(), ' ')
        << records_read(r.read_as) << "\n";
  out << "\n= Input kinds: what a completed panel stores in the field's RUV= variable\n";
  for (const InputKind &k : input_kinds()) {
    out << "  " << k.word << std::string(11 - k.word.size(), ' ');
    if (k.stored_length > 0)
      out << k.stored_form << " (" << k.stored_length
          << " characters, blanks after it to a longer LEN=; place-holders are filled from the clock)\n";
    else
      out << "the value, padded with blanks to LEN=\n";
  }
}

void print_limits(std::ostream &out) {
  out << "\n= Limits\n"
      << "  fields 1 to " << FIELD_COUNT << "; a field of 1 to " << FIELD_LENGTH_MAX
      << " characters from column 1 to " << FIELD_COLUMN_MAX << ", row 1 to " << DISPLAY_ROWS << "\n"
      << "  a popup line shows " << POPUP_TEXT_WIDTH << " characters, a popup " << POPUP_MAX_LINES
      << " lines; an error report " << REPORT_TEXT_MAX << " characters of text\n"
      << "  a scan holds at most " << SENSOR_DATA_MAX << " characters; the driver's pauses wait in passes of "
      << DELAY_PASS_MS << " ms\n";
}

const char kWhenChecked[] =
    "\nField checks (VERT=, VERF=, required fields, dates and times) run when the\n"
    "panel is completed, not at Enter: the complete key (F10), a scan after which\n"
    "every required field holds a value and has a Data ID, or a time-out with\n"
    "TOE=T. Enter and the field keys only move between fields; what they refuse\n"
    "at once is a MODE=F field not full (message 9), and a key the field does not\n"
    "take is refused as it is typed (message 10).\n";

// Every keyword named word ("VERT=", "vert", ...), from every command.
bool explain_keyword(std::string_view word, std::ostream &out) {
  std::string name = upper(word);
  if (name.empty() || name.back() != '=') name += '=';
  bool found = false;
  for (Command command :
       {Command::field_definition, Command::panel_options, Command::help_file, Command::help_range}) {
    const Keyword *k = find_keyword(command, name);
    if (k == nullptr) continue;
    out << (found ? "\n" : "") << "= " << command_name(command) << "\n";
    print_keyword(*k, out);
    if (k->form == ValueForm::verify) {
      print_letters(out);
      out << kWhenChecked;
    }
    found = true;
  }
  return found;
}

// Every code of a family, with its meaning.
bool explain_family(char family, std::ostream &out) {
  family = static_cast<char>(std::toupper(static_cast<unsigned char>(family)));
  for (const auto &[letter, commands] : kFamilies) {
    if (letter != family) continue;
    out << family << ": " << commands << "\n";
    for (const ResultCode &entry : result_codes())
      if (entry.code[0] == family) out << "  " << entry.code << "  " << entry.meaning << "\n";
    return true;
  }
  return false;
}

}  // namespace

int explain_code(std::string_view code, std::ostream &out) {
  if (code.size() == 1 && explain_family(code[0], out)) return 0;
  if (code.size() > 2 || (!code.empty() && code.back() == '=')) {
    if (explain_keyword(code, out)) return 0;
    out << code << ": no such keyword; `formsterm help keywords` lists them all\n";
    return 1;
  }
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

void print_keywords(std::ostream &out) {
  out << "Keywords, as the driver finds them: the first place the characters occur\n"
         "anywhere in the text; the value is the first piece of the window after it,\n"
         "cut at commas, blanks and equals signs. ROW= and COL= count from 1.\n";
  for (Command command :
       {Command::field_definition, Command::panel_options, Command::help_file, Command::help_range}) {
    out << "\n= " << command_name(command) << "\n";
    for (const Keyword &k : keywords_of(command)) print_keyword(k, out);
  }
  print_letters(out);
  print_messages(out);
  out << kWhenChecked;
  print_records_and_kinds(out);
  print_limits(out);
}

}  // namespace formsterm
