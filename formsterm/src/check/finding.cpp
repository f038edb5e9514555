// finding.cpp - the kinds of finding of the help-file check, and what
// `formsterm explain NAME` says of each.
#include "check/finding.h"

#include <ostream>

#include "entry/entry.h"
#include "fields/grammar.h"
#include "screen/popup.h"

namespace formsterm {

namespace {

const std::vector<FindingKind> kKinds = {
    {"not-text", "the file holds bytes that are not text",
     "The driver reads the help file as text records; a control byte becomes part of a record, so "
     "numbers, keywords and messages read wrong. The check stops there. Save the file as plain text."},
    {"crlf", "the lines end in CR-LF",
     "A terminal that loads the file as it is keeps the CR at the end of each record, so the last value "
     "of a record reads with a CR (DI=P gives \"P\\r\"). Save the file with LF line ends."},
    {"definition-too-long", "a definition or option text longer than the driver reads",
     "The driver copies at most " GRAMMAR_TEXT(
         COMMAND_TEXT_MAX) " characters of a definition or option text; what follows is lost, "
                           "keywords included. Shorten the text: drop optional keywords whose value is the "
                           "default."},
    {"no-record-number", "a record that does not begin with a four-digit number",
     "Every record begins with its number in four digits (0001 to " GRAMMAR_TEXT(
         RECORD_NUMBER_MAX) ") and a separator; the lookup "
                            "compares those four characters. A record without them is never found and can "
                            "break the binary "
                            "search for its neighbours."},
    {"record-twice", "two records with one number",
     "The lookup's binary search finds one of them, which one depends on the file's size. Give each "
     "record its own number."},
    {"record-order", "records out of ascending order",
     "The driver searches the file in place by halving it; it finds a record only when all records "
     "stand in ascending byte order. Sort the file."},
    {"message-missing", "a message record that the panel can show is missing",
     "The driver shows operator messages from fixed records (formsterm help keywords lists them) when their "
     "situation comes up; "
     "the finding says when. Without the record the message prompt shows an error report instead. "
     "Add the record with a short text."},
    {"message-too-wide", "a message wider than its popup line",
     "A message popup line holds " GRAMMAR_TEXT(
         POPUP_TEXT_WIDTH) " characters; the driver cuts the rest. Shorten the text."},
    {"driver-report", "the driver rejects a definition or option record",
     "The check runs every definition (SET_FIE) and option record (EXEC_PA) through the library; the "
     "finding gives the result code, its meaning and, where a value is almost right, the form to write. "
     "A field with a report stays undefined and EXEC_PA skips it; an option report ends EXEC_PA."},
    {"command-never-ends", "a command that did not end in the check",
     "The check answers every wait of the driver; a command that still waits after that would hang a "
     "terminal. Look at what the finding says it waited for."},
    {"unknown-keyword", "a keyword that the driver does not know",
     "The driver looks only for its own keywords, written in capitals; any other word is ignored "
     "without a word, so what it meant to set keeps its default. Fix the spelling."},
    {"keyword-inside-another", "a keyword found inside a longer one",
     "The driver finds a keyword at the first place its characters occur, also at the end of a longer "
     "keyword (DI= in KEEPDI=, T= in ERET=), and reads the value from there. Put the short keyword "
     "before the long one."},
    {"range-records-missing", "HELP= or SCRN= names records that are missing",
     "The driver shows the records it finds of a help or screen range and leaves the others out; a "
     "range with none shows an empty popup or screen. Add the records or correct the range."},
    {"line-too-wide", "a help or screen line wider than where it is shown",
     "Help lines are shown in a popup " GRAMMAR_TEXT(POPUP_TEXT_WIDTH) " characters wide, screen lines on "
                                                                       "the " GRAMMAR_TEXT(
                                                                           DISPLAY_COLUMNS) "-column "
                                                                                            "display; the "
                                                                                            "driver cuts the "
                                                                                            "rest. Shorten "
                                                                                            "the line or "
                                                                                            "split it over "
                                                                                            "two records."},
    {"verify-file-missing", "a validation or value file that is not beside the help file",
     "VERF= names a validation file (NAME.VAL; a one-letter name as it stands). A B_ value file the "
     "driver searches itself; without it the terminal's validation is asked instead. Without any other "
     "file the terminal refuses the value. Put the file beside the help file."},
    {"same-user-variable", "two fields of a panel write one user variable",
     "At completion the driver writes each field's value to its RUV= variable (1 without RUV=), field "
     "by field; the field with the higher number wins. Give each field its own RUV=."},
    {"reason-variable-overwritten", "a field writes the panel's REASON= variable",
     "The driver writes the field's value, then OK over it. Give the field another RUV=."},
    {"fields-overlap", "two fields of a panel overlap on the display",
     "The driver draws each field over the other, so neither shows whole. Move one of them."},
    {"field-past-edge", "a field that runs past column 40",
     "The display is 40 columns wide; the driver draws what fits and the operator cannot see the rest. "
     "Move the field left or shorten it."},
    {"program-report", "the checked program met an error report",
     "Running the program (--program) showed an error report; the driver waits for a key and the "
     "command does nothing more."},
    {"program-failed", "the checked program failed",
     "The program stopped with an error before its end; the panels it started before are checked."},
    {"record-missing", "a record that a field's keywords make the driver read is missing",
     "VERT=F reads a mask record, VERT=R two bound records, VERT=S a list of records. A missing mask or "
     "bound gives an error report (XU, XL, XM) at validation and the value is refused; a missing list "
     "entry is skipped, and a list with none refuses every value. Add the records."},
    {"not-a-number", "a range bound that does not read as a number",
     "The range check reads each bound as a number, up to the first character that is not a digit; a "
     "bound without digits reads as 0. Write the bound as a number, e.g. 500 or -50.25."},
    {"range-empty", "range bounds that no value lies between",
     "The range check passes a value that lies between the lower and the upper bound; with the lower "
     "above the upper, every value is refused (message 4). Swap the records' texts."},
    {"list-no-fit", "a list with no entry that the field can hold",
     "The list check passes a value equal to one entry; when no entry fits the field's length and input "
     "kind (ALPHA stores letters in capitals, NUM takes digits), every value is refused (message 4)."},
    {"value-unfit", "a value that the field can never hold",
     "A list entry or a value file's value longer than the field, or with characters its input kind "
     "does not take, never equals what the operator enters. Correct the value or the field."},
    {"value-file-order", "a value file out of the order its search needs",
     "The driver searches a B_ value file in place by halving it; values out of ascending byte order "
     "(or twice) may not be found. Sort the file."},
    {"keyword-ignored", "a keyword that the driver ignores in this setting",
     "The keyword is read but has no effect here: SCRN= without MULT=Y on the panel, VERF= under a "
     "VERT= letter that checks no file, MANDI= or KEEPDI= without DI=, DI= on ALPHA or NUM fields "
     "without a scan. Drop it or add what it needs."},
    {"length-too-short", "a length that the input kind cannot hold",
     "Dates are kept as DD-MM-YYYY or MM-DD-YYYY (10 characters), times as HH:MM:SS (8); a shorter "
     "field lets the operator type only part, and the check fills the rest from the clock's form and "
     "stores more than the field shows. Give the field that length."},
    {"check-impossible", "a field check that no value can pass",
     "VERT=T passes numbers that begin with its prefix and with 1, 2, 3 or 4; a prefix that begins "
     "otherwise refuses every value (message 6). Correct the prefix."},
};

}  // namespace

const std::vector<FindingKind> &finding_kinds() { return kKinds; }

const FindingKind *find_finding_kind(std::string_view name) {
  for (const FindingKind &k : kKinds)
    if (k.name == name) return &k;
  return nullptr;
}

bool explain_finding(std::string_view name, std::ostream &out) {
  const FindingKind *kind = find_finding_kind(name);
  if (!kind) return false;
  out << kind->name << ": " << kind->summary << "\n"
      << kind->explanation << "\n"
      << "silence it for one record: formsterm check --ignore " << kind->name << ":RECORD HELPFILE\n";
  return true;
}

void point_at(Finding &finding, const std::string &line, const std::string &word) {
  if (word.empty()) return;
  const std::size_t at = line.find(word);
  if (at == std::string::npos) return;
  finding.column = at;
  finding.length = word.size();
}

}  // namespace formsterm
