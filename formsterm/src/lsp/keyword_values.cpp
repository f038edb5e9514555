// keyword_values.cpp - the value table of the keywords that take a word or
// a letter, and the value form of every keyword.
#include "lsp/keyword_values.h"

#include <map>

namespace formsterm::lsp {

namespace {

const std::vector<KeywordValue> kYesNo = {{"Y", "yes"}, {"N", "no"}};

const std::map<std::string_view, std::vector<KeywordValue>> &value_table() {
  static const std::map<std::string_view, std::vector<KeywordValue>> table = {
      {"INPUT=",
       {{"NUM", "digits, with LEN=-n a sign, LEN=n.d decimals"},
        {"AINUM", "digits, keyed or scanned with a Data ID"},
        {"ALPHA", "any characters"},
        {"AIALPHA", "any characters, keyed or scanned with a Data ID"},
        {"AI", "a scan with its Data ID"},
        {"DATE_AMER", "a date, month-day-year"},
        {"DATE_EURO", "a date, day-month-year"},
        {"TIME_STD", "a time of day"},
        {"PASSWORD", "characters shown as stars"}}},
      {"VERT=",
       {{"I", "the value must be in the VERF= file; the check must be made"},
        {"i", "the value must be in the VERF= file; accepted when the file cannot be consulted"},
        {"E", "the value must not be in the VERF= file; the check must be made"},
        {"e", "the value must not be in the VERF= file; accepted when the file cannot be consulted"},
        {"F", "mask check: F,n checks the value against the text of record n"},
        {"R", "range check: R,n,m, the value as a number between those in records n and m"},
        {"S", "list check: S,n,m, the value equals the text of one of records n to m"},
        {"B", "check-digit number starting with 0"},
        {"T", "check-digit number starting with the 0 to 2 characters after T (T4)"},
        {"0", "no check"}}},
      {"MODE=", {{"F", "fixed length: the field must be full"}, {"V", "variable length"}}},
      {"REQ=", kYesNo},
      {"KEEPDI=", kYesNo},
      {"MANDI=", kYesNo},
      {"EDIT=", kYesNo},
      {"TOE=",
       {{"A", "a time-out ends the panel"},
        {"N", "a time-out ends the panel"},
        {"S", "a time-out ends the panel"},
        {"T", "a field's time-out tries to complete the panel"}}},
      {"ERET=",
       {{"A", "return-value scheme A"}, {"N", "return-value scheme N"}, {"S", "return-value scheme S"}}},
      {"CON=", kYesNo},
      {"MULT=", kYesNo},
      {"L=", kYesNo},
      {"CNP=", kYesNo},
  };
  return table;
}

const std::map<std::string_view, std::string_view> &value_forms() {
  static const std::map<std::string_view, std::string_view> forms = {
      {"FI=", "the field number, 1 to 20"},
      {"INPUT=", "the input kind, a word (letter case ignored)"},
      {"LEN=", "the length 1 to 39; -n signed, n.d with d decimals"},
      {"ROW=", "the row, 1 to 20"},
      {"COL=", "the column, 1 to 39"},
      {"VERT=", "a letter, for F one record number and for R and S two, after commas (R,210,211)"},
      {"MODE=", "F or V, in capitals"},
      {"REQ=", "Y or N, in capitals"},
      {"KEEPDI=", "Y or N, in capitals"},
      {"MANDI=", "Y or N, in capitals"},
      {"EDIT=", "Y or N, in capitals"},
      {"RUV=", "the user variable that receives the value, 1 to 19"},
      {"PUV=", "the user variable whose content fills the field at the start"},
      {"VERF=",
       "the validation file's name, at most 8 characters (B_ names a value file beside the help file)"},
      {"HELP=", "the first and last record of the help text, 1 to 9999 (HELP=100,105)"},
      {"SCRN=", "the first and last record of the field's own screen, 1 to 9999"},
      {"DI=", "the Data ID, at most 4 characters"},
      {"TOE=", "A, N, S or T, in capitals"},
      {"ERET=", "A, N or S, in capitals"},
      {"CON=", "Y or N, in capitals"},
      {"MULT=", "Y or N, in capitals"},
      {"L=", "Y or N, in capitals"},
      {"CNP=", "Y or N, in capitals"},
      {"T=", "the time-out in seconds (0 for none)"},
      {"HVR=", "the user variable 10 to 19 that holds a one-time help range"},
      {"SF=", "the field the panel starts on, 1 to 20"},
      {"REASON=", "the user variable that receives OK, CANCEL or TIMEOUT"},
  };
  return forms;
}

}  // namespace

const std::vector<KeywordValue> &values_of(std::string_view keyword) {
  static const std::vector<KeywordValue> none;
  auto it = value_table().find(keyword);
  return it == value_table().end() ? none : it->second;
}

std::string_view value_form_of(std::string_view keyword) {
  auto it = value_forms().find(keyword);
  return it == value_forms().end() ? std::string_view() : it->second;
}

}  // namespace formsterm::lsp
