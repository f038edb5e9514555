// field_check.cpp - every field of a panel read as the driver will read it.
#include "check/field_check.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "check/keywords.h"
#include "common/text.h"

namespace formsterm {

namespace {

constexpr std::size_t kListedValues = 3;            // unfit values named in one finding
constexpr const char *kPrefixFirstDigits = "1234";  // what a VERT=T number begins with
constexpr KeywordWindow kField = window_of(KW_FI), kInput = window_of(KW_INPUT), kLength = window_of(KW_LEN),
                        kMode = window_of(KW_MODE), kVerify = window_of(KW_VERT),
                        kVerifyFile = window_of(KW_VERF), kScreen = window_of(KW_SCRN),
                        kDataId = window_of(KW_DI), kMulti = window_of(KW_MULT);

// The characters the field editor takes for a kind (any for a kind not
// named), and the kinds whose typed letters it stores in capitals.
const std::map<std::string_view, const char *> kTypedCharacters = {
    {"NUM", " ,-.0123456789"},
    {"DATE_AMER", ",-./0123456789"},
    {"DATE_EURO", ",-./0123456789"},
    {"TIME_STD", ",-.:0123456789"},
};
const std::set<std::string_view> kTypedInCapitals = {"ALPHA", "PASSWORD"};

// The message record the driver shows when the field's check refuses a value.
std::string message_of(char letter) {
  const VerifyLetter *verify = find_verify_letter(letter);
  return verify && verify->message ? "message " + std::to_string(verify->message) : "a message";
}

std::vector<std::string> pieces_after(const std::string &text, KeywordWindow keyword) {
  std::vector<std::string> pieces;
  for (int i = 0;; ++i) {
    std::optional<std::string> piece = keyword_piece(text, keyword, i);
    if (!piece) return pieces;
    pieces.push_back(*piece);
  }
}

// A number as the standard conversion reads it; nothing without digits.
std::optional<long> digits_of(const std::string &text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
  return std::atol(text.c_str());
}

// A range bound or value as the range check splits it: integer and fraction.
struct Decimal {
  long integer = 0;
  std::string fraction;
};

Decimal decimal_of(const std::string &text) {
  std::vector<std::string> tokens;
  std::size_t i = 0;
  while (i < text.size() && tokens.size() < 2) {
    while (i < text.size() && std::strchr(". ,", text[i])) ++i;
    std::size_t end = i;
    while (end < text.size() && !std::strchr(". ,", text[end])) ++end;
    if (end > i) tokens.push_back(text.substr(i, end - i));
    i = end;
  }
  Decimal d;
  if (!tokens.empty()) d.integer = std::atol(tokens[0].c_str());
  d.fraction = tokens.size() > 1 ? tokens[1] : "0";
  return d;
}

bool above(Decimal low, Decimal high) {
  if (low.integer != high.integer) return low.integer > high.integer;
  const std::size_t width = std::max(low.fraction.size(), high.fraction.size());
  low.fraction.resize(width, '0');
  high.fraction.resize(width, '0');
  return low.fraction > high.fraction;
}

// Where a finding about a field goes: its record, or the program's line.
Finding field_finding(const char *name, const SourcedText &source, const HelpIndex &help,
                      const std::string &what, bool warning) {
  if (source.record > 0) {
    Finding f{name, help.line_of(source.record), "record " + four_digits(source.record) + ": " + what,
              warning};
    f.record = source.record;
    return f;
  }
  Finding f{name, 0, "a definition from a user variable: " + what, warning, source.where};
  const std::size_t colon = source.where.rfind(':');
  if (colon != std::string::npos) {
    f.file = source.where.substr(0, colon);
    f.line = std::atoi(source.where.c_str() + colon + 1);
  }
  return f;
}

// Points a finding at the keyword's value in the record's line.
Finding &at_keyword(Finding &f, const SourcedText &source, const HelpIndex &help,
                    const std::string &keyword) {
  if (source.record <= 0) return f;
  const HelpRecord *r = help.find(source.record);
  if (!r) return f;
  const std::size_t at = r->text.find(keyword);
  if (at == std::string::npos) return f;
  std::size_t end = at + keyword.size();
  while (end < r->text.size() && r->text[end] != ' ') ++end;
  f.column = at;
  f.length = end - at;
  return f;
}

std::string listed(const std::vector<std::string> &values) {
  std::string out;
  for (std::size_t i = 0; i < values.size() && i < kListedValues; ++i) out += (i ? ", " : "") + values[i];
  if (values.size() > kListedValues) out += " and " + std::to_string(values.size() - kListedValues) + " more";
  return out;
}

bool sets_multi_screen(const SourcedText &options) {
  const std::optional<std::string> value = keyword_piece(options.text, kMulti);
  return value && !value->empty() && (*value)[0] == 'Y';
}

class FieldChecker {
 public:
  FieldChecker(const SourcedText &source, const FieldReading &field, const PanelSetting &setting,
               const HelpIndex &help, ValueFiles &files, std::vector<Finding> &findings)
      : source_(source), field_(field), setting_(setting), help_(help), files_(files), findings_(findings) {}

  void run() {
    check_length();
    check_ignored();
    const VerifyLetter *verify = find_verify_letter(field_.verify);
    if (!verify) return;
    if (verify->read_as == READ_AS_BOUNDS)
      check_range();
    else if (verify->read_as == READ_AS_LIST)
      check_list();
    else if (!verify->too_long.empty())  // a prefix after the letter
      check_prefix();
    else if (is_file_letter(field_.verify))
      check_value_file();
  }

 private:
  void say(const char *name, const std::string &keyword, const std::string &what, bool warning = false) {
    Finding f = field_finding(name, source_, help_, what, warning);
    findings_.push_back(at_keyword(f, source_, help_, keyword));
  }

  std::string name() const { return "FI=" + std::to_string(field_.number); }

  void check_length() {
    const InputKind *kind = find_input_kind(field_.kind);
    const std::size_t form = kind ? kind->stored_length : 0;
    if (form == 0 || static_cast<std::size_t>(field_.length) >= form) return;
    say("length-too-short", "LEN=",
        name() + " " + field_.kind + " of LEN=" + std::to_string(field_.length) + " cannot hold " +
            in_quotes(std::string(kind->stored_form)) + " (" + std::to_string(form) +
            " characters): the operator types " + std::to_string(field_.length) +
            ", and the date or time check completes the value to " + std::to_string(form) +
            " and stores all of them; write LEN=" + std::to_string(form));
  }

  void check_ignored() {
    const std::string &text = source_.text;
    if (keyword_piece(text, kScreen) && !setting_.options.empty() &&
        std::none_of(setting_.options.begin(), setting_.options.end(), sets_multi_screen)) {
      const SourcedText &o = setting_.options.front();
      const std::string whose = !setting_.exact ? "no panel option record of the file sets it"
                                : o.record > 0
                                    ? "its panel options (record " + four_digits(o.record) + ") do not set it"
                                    : "its panel options do not set it";
      say("keyword-ignored", "SCRN=",
          "SCRN= is ignored: the driver shows a field's screen only when the panel runs with MULT=Y, and " +
              whose + "; the screen's lines never appear",
          true);
    }
    const bool file_kind = is_file_letter(field_.verify);
    if (!field_.verify_file.empty() && !file_kind)
      say("keyword-ignored", "VERF=",
          "VERF=" + field_.verify_file + " is ignored: VERT=" + std::string(1, field_.verify) +
              " checks no file, so validation never asks " + field_.verify_file,
          true);
  }

  std::optional<int> piece_number(std::size_t i) const {
    if (i >= field_.verify_pieces.size()) return std::nullopt;
    const int n = std::atoi(field_.verify_pieces[i].c_str());
    return n >= KW_LOW(KW_VERT) && n <= KW_HIGH(KW_VERT) ? std::optional<int>(n) : std::nullopt;
  }

  void check_range() {
    const std::optional<int> low = piece_number(1), high = piece_number(2);
    if (!low || !high) return;  // the driver reports it
    const HelpRecord *low_record = help_.find(*low), *high_record = help_.find(*high);
    if (!low_record || !high_record) return;  // record-missing says so
    bool numbers = true;
    for (const HelpRecord *r : {low_record, high_record}) {
      const std::string bound = text_of(r->text);
      if (digits_of(bound)) continue;
      numbers = false;
      say("not-a-number", "VERT=",
          "VERT=R reads the range bound " + in_quotes(bound) + " of record " + r->text.substr(0, 4) +
              ", which is not a number; the range check reads it as 0");
    }
    const Decimal from = decimal_of(text_of(low_record->text)), to = decimal_of(text_of(high_record->text));
    if (numbers && above(from, to))
      say("range-empty", "VERT=",
          "VERT=R," + std::to_string(*low) + "," + std::to_string(*high) + ": the lower bound " +
              in_quotes(text_of(low_record->text)) + " (record " + four_digits(*low) +
              ") is above the upper bound " + in_quotes(text_of(high_record->text)) + " (record " +
              four_digits(*high) + "), so no value can pass: the range check refuses every value (" +
              message_of('R') + ")");
  }

  void check_list() {
    const std::optional<int> low = piece_number(1), high = piece_number(2);
    if (!low || !high) return;
    const std::string range = "VERT=S," + std::to_string(*low) + "," + std::to_string(*high);
    if (*low > *high) {
      say("list-no-fit", "VERT=",
          range +
              " names no records (the first is above the last), so no value can pass: the list check "
              "refuses every value (" +
              message_of('S') + ")");
      return;
    }
    std::vector<std::string> missing, unfit;
    int fitting = 0;
    for (int n = *low; n <= *high; ++n) {
      const HelpRecord *r = help_.find(n);
      if (!r) {
        missing.push_back(four_digits(n));
        continue;
      }
      std::string entry = text_of(r->text);
      if (!entry.empty() && entry[0] == 'b') entry.assign(entry.size(), ' ');
      if (std::optional<std::string> why = why_unfit(field_, entry))
        unfit.push_back(four_digits(n) + " " + in_quotes(entry) + " (" + *why + ")");
      else
        ++fitting;
    }
    const int count = *high - *low + 1;
    if (!missing.empty())
      say("record-missing", "VERT=",
          range + " names missing record" + (missing.size() == 1 ? " " : "s ") + listed(missing) +
              (static_cast<int>(missing.size()) == count
                   ? "; the list check skips missing records, so it has no entry and refuses every value "
                     "(" +
                         message_of('S') + ")"
                   : "; the list check skips them"),
          static_cast<int>(missing.size()) != count);
    if (!unfit.empty() && static_cast<int>(missing.size()) != count)
      say(fitting == 0 ? "list-no-fit" : "value-unfit", "VERT=",
          range + ": " + (fitting == 0 ? "no entry fits " : "entries that never fit ") + name() + " " +
              field_.kind + " LEN=" + std::to_string(field_.length) + ": " + listed(unfit) +
              (fitting == 0
                   ? "; no value can pass: the list check refuses every value (" + message_of('S') + ")"
                   : "; the list check never matches them"),
          fitting != 0);
  }

  void check_prefix() {
    const std::string &letter = field_.verify_pieces.front();
    if (letter.size() < 2 || std::strchr(kPrefixFirstDigits, letter[1])) return;
    say("check-impossible", "VERT=",
        "VERT=" + letter + ": the check passes only numbers that begin with " + in_quotes(letter.substr(1)) +
            " and with 1, 2, 3 or 4, so no value can pass (" + message_of('T') + ")");
  }

  void check_value_file() {
    if (field_.verify_file.empty() || field_.verify_file.size() > static_cast<std::size_t>(KW_HIGH(KW_VERF)))
      return;
    const std::string file =
        field_.verify_file.size() == 1 ? field_.verify_file : field_.verify_file + ".VAL";
    const std::vector<std::string> *values = files_.records(file);
    if (!values) return;  // verify-file-missing says so
    const bool local = field_.verify_file.compare(0, 2, "B_") == 0;
    if (local) check_order(file, *values);
    std::vector<std::string> unfit;
    for (const std::string &value : *values) {
      if (value.find(';') != std::string::npos) return;  // a group key of fields that share the file
      if (std::optional<std::string> why = why_unfit(field_, value))
        unfit.push_back(in_quotes(value) + " (" + *why + ")");
    }
    if (unfit.empty()) return;
    const bool none = unfit.size() == values->size() && (field_.verify == 'I' || field_.verify == 'i');
    say(none ? "list-no-fit" : "value-unfit", "VERF=",
        file + " holds " + (none ? "no value that fits " : "values that never fit ") + name() + " " +
            field_.kind + " LEN=" + std::to_string(field_.length) + ": " + listed(unfit) +
            (none ? "; no value can pass: the file check refuses every value (" + message_of('I') + ")" : ""),
        !none);
  }

  void check_order(const std::string &file, const std::vector<std::string> &values) {
    for (std::size_t i = 1; i < values.size(); ++i) {
      const int order = std::strcmp(values[i - 1].c_str(), values[i].c_str());
      if (order < 0) continue;
      say("value-file-order", "VERF=",
          file + ": value " + in_quotes(values[i]) + " (line " + std::to_string(i + 1) + ") " +
              (order == 0 ? "stands twice" : "follows " + in_quotes(values[i - 1])) +
              "; the driver searches the file in place by halving it and needs the values in ascending "
              "byte order, so it may not find them");
      return;
    }
  }

  const SourcedText &source_;
  const FieldReading &field_;
  const PanelSetting &setting_;
  const HelpIndex &help_;
  ValueFiles &files_;
  std::vector<Finding> &findings_;
};

}  // namespace

std::optional<FieldReading> read_field(const std::string &definition) {
  FieldReading f;
  const std::optional<std::string> number = keyword_piece(definition, kField);
  const std::optional<std::string> kind = keyword_piece(definition, kInput);
  const std::optional<std::string> length = keyword_piece(definition, kLength);
  if (!number || !kind || !length) return std::nullopt;
  f.number = std::atoi(number->c_str());
  f.kind = upper(*kind);
  const long len = std::atol(length->c_str());
  f.length = static_cast<int>(std::labs(len));
  f.is_signed = len < 0;
  if (f.number < KW_LOW(KW_FI) || f.number > KW_HIGH(KW_FI) || !find_input_kind(f.kind) ||
      f.length < KW_LOW(KW_LEN) || f.length > KW_HIGH(KW_LEN))
    return std::nullopt;
  const std::optional<std::string> mode = keyword_piece(definition, kMode);
  f.fixed = mode && !mode->empty() && (*mode)[0] == 'F';
  f.verify_pieces = pieces_after(definition, kVerify);
  if (!f.verify_pieces.empty() && !f.verify_pieces[0].empty()) f.verify = f.verify_pieces[0][0];
  f.verify_file = keyword_piece(definition, kVerifyFile).value_or("");
  if (!f.verify_file.empty() && f.verify == 'N') f.verify = 'I';
  f.data_id = keyword_piece(definition, kDataId).value_or("");
  f.required = keyword_piece(definition, window_of(KW_REQ)).value_or("Y").substr(0, 1) != "N";
  f.data_id_needed = keyword_piece(definition, window_of(KW_MANDI)).value_or("N").substr(0, 1) == "Y";
  f.has_help = keyword_piece(definition, window_of(KW_HELP)).has_value();
  return f;
}

std::optional<std::string> why_unfit(const FieldReading &field, const std::string &value) {
  if (value.size() > static_cast<std::size_t>(field.length))
    return std::to_string(value.size()) + " characters";
  if (field.fixed && value.size() != static_cast<std::size_t>(field.length))
    return "MODE=F takes " + std::to_string(field.length) + " characters";
  if (!field.data_id.empty()) return std::nullopt;  // a scan with the Data ID brings any text
  const auto typed = kTypedCharacters.find(field.kind);
  const bool capitals = kTypedInCapitals.count(field.kind) > 0;
  for (char c : value) {
    if (typed != kTypedCharacters.end() && !std::strchr(typed->second, c))
      return field.kind + " takes no " + in_quotes(std::string(1, c));
    if (capitals && std::islower(static_cast<unsigned char>(c)))
      return field.kind + " stores letters in capitals";
  }
  return std::nullopt;
}

bool is_file_letter(char letter) {
  const VerifyLetter *verify = find_verify_letter(letter);
  return verify && verify->message == MSG_NOT_IN_FILE;
}

bool is_verify_code(const std::string &code) {
  if (code == KW_NO_VALUE(KW_VERT) || code == KW_BAD(KW_VERT)) return true;
  for (const VerifyLetter &l : verify_letters())
    for (std::string_view c : {l.no_first, l.bad_first, l.no_second, l.bad_second, l.too_long})
      if (!c.empty() && code == c) return true;
  return false;
}

std::optional<std::string> nearest_form(const std::string &definition, const std::string &code) {
  if (!is_verify_code(code)) return std::nullopt;
  const std::vector<std::string> pieces = pieces_after(definition, kVerify);
  if (pieces.empty() || pieces[0].empty()) return std::nullopt;
  const std::string &first = pieces[0];
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(first[0])));
  std::vector<std::string> numbers;
  if (first.size() > 1) numbers.push_back(first.substr(1));
  numbers.insert(numbers.end(), pieces.begin() + 1, pieces.end());
  const bool all_digits = std::all_of(numbers.begin(), numbers.end(), [](const std::string &n) {
    return !n.empty() && std::all_of(n.begin(), n.end(),
                                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
  });
  const VerifyLetter *verify = find_verify_letter(letter);
  const std::size_t wanted = verify ? static_cast<std::size_t>(verify->records) : 0;
  if (wanted == 0 || !all_digits || numbers.size() != wanted) {
    if (letter != first[0] && verify) return "VERT=" + std::string(1, letter) + first.substr(1);
    return std::nullopt;
  }
  std::string form = "VERT=" + std::string(1, letter);
  for (const std::string &n : numbers) form += "," + n;
  return form;
}

std::optional<std::string> ValueFiles::content_of(const std::string &upper_name) const {
  if (held_ != nullptr) {
    for (const auto &[file, content] : *held_)
      if (upper(file) == upper_name) return content;
    return std::nullopt;
  }
  std::error_code ec;
  for (const auto &entry : std::filesystem::directory_iterator(folder_, ec)) {
    if (upper(entry.path().filename().string()) != upper_name) continue;
    return read_file(entry.path());
  }
  return std::nullopt;
}

const std::vector<std::string> *ValueFiles::records(const std::string &name) {
  const std::string key = upper(name);
  auto it = read_.find(key);
  if (it == read_.end()) {
    std::optional<std::vector<std::string>> lines;
    if (const std::optional<std::string> content = content_of(key)) {
      lines.emplace();
      for (const HelpRecord &r : split_records(*content)) lines->push_back(r.text);
    }
    it = read_.emplace(key, std::move(lines)).first;
  }
  return it->second ? &*it->second : nullptr;
}

namespace {

bool is_date_or_time(const FieldReading &f) {
  const InputKind *kind = find_input_kind(f.kind);
  return kind && !kind->stored_form.empty();
}

// The message records that a field brings to its panel, and why.
std::vector<std::pair<int, std::string>> messages_of(const FieldReading &f) {
  std::vector<std::pair<int, std::string>> messages;
  const std::string name = "FI=" + std::to_string(f.number);
  const bool file_check = is_file_letter(f.verify) && !f.verify_file.empty();
  const VerifyLetter *verify = find_verify_letter(f.verify);
  if (verify && verify->message && (file_check || verify->records > 0 || std::strchr("BT", f.verify)))
    messages.emplace_back(verify->message, name + " VERT=" + std::string(1, f.verify));
  if (file_check && verify && verify->mandatory == 1)
    messages.emplace_back(MSG_FILE_UNAVAILABLE, name + " VERF=");
  if (f.required && !is_date_or_time(f)) messages.emplace_back(MSG_REQUIRED_EMPTY, name + " required");
  if (f.fixed) messages.emplace_back(MSG_NOT_FULL, name + " MODE=F");
  if (f.kind != "AI") messages.emplace_back(MSG_KEY_REFUSED, name + " " + f.kind);
  if (f.kind == "ALPHA" || f.kind == "NUM") messages.emplace_back(MSG_NO_SENSOR_INPUT, name + " " + f.kind);
  if (!f.data_id.empty() && f.data_id_needed) messages.emplace_back(MSG_DATA_ID_MISSING, name + " MANDI=Y");
  if (is_date_or_time(f)) messages.emplace_back(MSG_BAD_DATE_TIME, name + " " + f.kind);
  if (f.fixed || f.has_help) messages.emplace_back(MSG_CLOSING_LINE, name + (f.fixed ? " MODE=F" : " HELP="));
  return messages;
}

bool option_is(const PanelSetting &setting, KeywordWindow keyword, char letter) {
  return std::any_of(setting.options.begin(), setting.options.end(), [&](const SourcedText &o) {
    const std::optional<std::string> value = keyword_piece(o.text, keyword);
    return value && !value->empty() && (*value)[0] == letter;
  });
}

bool has_time_out(const PanelSetting &setting) {
  return std::any_of(setting.options.begin(), setting.options.end(),
                     [](const SourcedText &o) { return keyword_number(o.text, window_of(KW_T)) != 0; });
}

}  // namespace

std::vector<Finding> check_ignored_options(const TrackedPanel &panel, const PanelSetting &setting,
                                           const HelpIndex &help, std::set<int> &seen) {
  std::vector<Finding> findings;
  if (!setting.exact || setting.options.size() != 1) return findings;
  const SourcedText &options = setting.options.front();
  if (options.record <= 0 || !seen.insert(options.record).second) return findings;
  auto say = [&](const char *keyword, const std::string &what) {
    Finding f{"keyword-ignored", help.line_of(options.record),
              "record " + four_digits(options.record) + ": " + what, true};
    f.record = options.record;
    if (const HelpRecord *r = help.find(options.record)) point_at(f, r->text, keyword);
    findings.push_back(f);
  };
  const KeywordWindow time_out_end = window_of(KW_TOE), help_variable = window_of(KW_HVR);
  if (keyword_piece(options.text, time_out_end) && keyword_number(options.text, window_of(KW_T)) == 0)
    say(KW_WORD(KW_TOE),
        "TOE= is ignored: the panel has no time-out (no T=, or T=0), so it never ends by one");
  const bool file_check = std::any_of(panel.fields.begin(), panel.fields.end(), [](const SourcedText &f) {
    const std::optional<FieldReading> field = read_field(f.text);
    return field && is_file_letter(field->verify) && !field->verify_file.empty();
  });
  if (keyword_piece(options.text, help_variable) && !file_check)
    say(KW_WORD(KW_HVR),
        "HVR= is ignored: the driver reads the one-time help range only when a validation file refuses a "
        "value, "
        "and no field of the panel has a file check (VERF=)");
  return findings;
}

std::vector<Finding> check_panel_messages(const TrackedPanel &panel, const PanelSetting &setting,
                                          const HelpIndex &help, std::set<int> &reported) {
  std::vector<Finding> findings;
  if (panel.fields.empty()) return findings;
  // What every panel can show, and what its options bring.
  std::vector<std::pair<const SourcedText *, std::pair<int, std::string>>> causes = {
      {&panel.fields.front(), {MSG_CHECKING, "the panel"}},
      {&panel.fields.front(), {MSG_DOES_NOT_FIT, "the panel"}}};
  if (has_time_out(setting)) causes.push_back({&panel.fields.front(), {MSG_TIMED_OUT, "the panel's T="}});
  if (option_is(setting, window_of(KW_CON), 'Y')) {
    causes.push_back({&panel.fields.front(), {MSG_KEY_TOO_LONG, "the panel's CON=Y"}});
    causes.push_back({&panel.fields.front(), {MSG_CLOSING_LINE, "the panel's CON=Y"}});
  }
  for (const SourcedText &source : panel.fields)
    if (const std::optional<FieldReading> field = read_field(source.text))
      for (auto &message : messages_of(*field)) causes.push_back({&source, message});
  for (const auto &[source, message] : causes) {
    const int number = message.first;
    const std::string &why = message.second;
    if (help.has(number) || !reported.insert(number).second) continue;
    const auto &all = message_records();
    const auto known =
        std::find_if(all.begin(), all.end(), [&](const MessageRecord &m) { return m.number == number; });
    const std::string when = known == all.end() ? "" : " " + std::string(known->when);
    findings.push_back(field_finding("message-missing", *source, help,
                                     "message record " + four_digits(number) +
                                         " is missing; the driver shows it" + when + " (" + why + ")",
                                     false));
  }
  return findings;
}

std::vector<Finding> check_panel_fields(const TrackedPanel &panel, const PanelSetting &setting,
                                        const HelpIndex &help, ValueFiles &files, std::set<int> &seen) {
  std::vector<Finding> findings;
  for (const SourcedText &source : panel.fields) {
    if (source.record > 0 && !seen.insert(source.record).second) continue;
    const std::optional<FieldReading> field = read_field(source.text);
    if (field) FieldChecker(source, *field, setting, help, files, findings).run();
  }
  return findings;
}

}  // namespace formsterm
