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

namespace formsterm {

namespace {

// The windows of the keywords read here, and the forms of the values that
// dates and times are kept in.
constexpr std::size_t kShortWindow = 10, kLongWindow = 15;
constexpr std::size_t kListedValues = 3;  // unfit values named in one finding

struct InputKind {
  const char *word;
  const char *stored_form;  // the form the driver keeps a value of the kind in, or ""
  bool typed_capitals;      // typed letters are stored in capitals
  const char *characters;   // the characters it takes, nullptr for any
};

const std::vector<InputKind> kInputKinds = {
    {"AI", "", false, nullptr},
    {"AIALPHA", "", false, nullptr},
    {"ALPHA", "", true, nullptr},
    {"NUM", "", false, " ,-.0123456789"},
    {"AINUM", "", false, nullptr},
    {"DATE_AMER", "MM-DD-YYYY", false, ",-./0123456789"},
    {"DATE_EURO", "DD-MM-YYYY", false, ",-./0123456789"},
    {"TIME_STD", "HH:MM:SS", false, ",-.:0123456789"},
    {"PASSWORD", "", true, nullptr},
};

// The codes a bad VERT= value gives, besides its table's own.
const char *const kVertCodes[] = {"ZI", "ZO", "ZK", "ZL", "ZM", "ZN", "ZJ"};

const InputKind *input_kind(const std::string &word) {
  for (const InputKind &k : kInputKinds)
    if (word == k.word) return &k;
  return nullptr;
}

std::string upper(std::string text) {
  for (char &c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string in_quotes(const std::string &text) { return "\"" + text + "\""; }

std::vector<std::string> pieces_after(const std::string &text, const char *keyword, std::size_t window) {
  std::vector<std::string> pieces;
  for (int i = 0;; ++i) {
    std::optional<std::string> piece = keyword_piece(text, keyword, window, i);
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
  const std::optional<std::string> value = keyword_piece(options.text, "MULT=", kShortWindow);
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
    switch (field_.verify) {
      case 'R': check_range(); break;
      case 'S': check_list(); break;
      case 'T': check_prefix(); break;
      case 'I':
      case 'i':
      case 'E':
      case 'e': check_value_file(); break;
      default: break;
    }
  }

 private:
  void say(const char *name, const std::string &keyword, const std::string &what, bool warning = false) {
    Finding f = field_finding(name, source_, help_, what, warning);
    findings_.push_back(at_keyword(f, source_, help_, keyword));
  }

  std::string name() const { return "FI=" + std::to_string(field_.number); }

  void check_length() {
    const InputKind *kind = input_kind(field_.kind);
    const std::size_t form = kind ? std::strlen(kind->stored_form) : 0;
    if (form == 0 || static_cast<std::size_t>(field_.length) >= form) return;
    say("length-too-short", "LEN=",
        name() + " " + field_.kind + " of LEN=" + std::to_string(field_.length) + " cannot hold " +
            in_quotes(kind->stored_form) + " (" + std::to_string(form) + " characters): the operator types " +
            std::to_string(field_.length) + ", and the date or time check completes the value to " +
            std::to_string(form) + " and stores all of them; write LEN=" + std::to_string(form));
  }

  void check_ignored() {
    const std::string &text = source_.text;
    if (keyword_piece(text, "SCRN=", kLongWindow) && !setting_.options.empty() &&
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
    const bool file_kind = std::strchr("IiEe", field_.verify) != nullptr;
    if (!field_.verify_file.empty() && !file_kind)
      say("keyword-ignored", "VERF=",
          "VERF=" + field_.verify_file + " is ignored: VERT=" + std::string(1, field_.verify) +
              " checks no file, so validation never asks " + field_.verify_file,
          true);
  }

  std::optional<int> piece_number(std::size_t i) const {
    if (i >= field_.verify_pieces.size()) return std::nullopt;
    const int n = std::atoi(field_.verify_pieces[i].c_str());
    return n >= 1 && n <= 9999 ? std::optional<int>(n) : std::nullopt;
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
              four_digits(*high) +
              "), so no value can pass: the range check refuses every value (message 4)");
  }

  void check_list() {
    const std::optional<int> low = piece_number(1), high = piece_number(2);
    if (!low || !high) return;
    const std::string range = "VERT=S," + std::to_string(*low) + "," + std::to_string(*high);
    if (*low > *high) {
      say("list-no-fit", "VERT=",
          range +
              " names no records (the first is above the last), so no value can pass: the list check "
              "refuses every value (message 4)");
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
                     "(message 4)"
                   : "; the list check skips them"),
          static_cast<int>(missing.size()) != count);
    if (!unfit.empty() && static_cast<int>(missing.size()) != count)
      say(fitting == 0 ? "list-no-fit" : "value-unfit", "VERT=",
          range + ": " + (fitting == 0 ? "no entry fits " : "entries that never fit ") + name() + " " +
              field_.kind + " LEN=" + std::to_string(field_.length) + ": " + listed(unfit) +
              (fitting == 0 ? "; no value can pass: the list check refuses every value (message 4)"
                            : "; the list check never matches them"),
          fitting != 0);
  }

  void check_prefix() {
    const std::string &letter = field_.verify_pieces.front();
    if (letter.size() < 2 || std::strchr("1234", letter[1])) return;
    say("check-impossible", "VERT=",
        "VERT=" + letter + ": the check passes only numbers that begin with " + in_quotes(letter.substr(1)) +
            " and with 1, 2, 3 or 4, so no value can pass (message 6)");
  }

  void check_value_file() {
    if (field_.verify_file.empty() || field_.verify_file.size() > 8) return;
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
            (none ? "; no value can pass: the file check refuses every value (message 3)" : ""),
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
  const std::optional<std::string> number = keyword_piece(definition, "FI=", kShortWindow);
  const std::optional<std::string> kind = keyword_piece(definition, "INPUT=", kShortWindow);
  const std::optional<std::string> length = keyword_piece(definition, "LEN=", kShortWindow);
  if (!number || !kind || !length) return std::nullopt;
  f.number = std::atoi(number->c_str());
  f.kind = upper(*kind);
  const long len = std::atol(length->c_str());
  f.length = static_cast<int>(std::labs(len));
  f.is_signed = len < 0;
  if (f.number < 1 || f.number > 20 || !input_kind(f.kind) || f.length < 1 || f.length > 39)
    return std::nullopt;
  const std::optional<std::string> mode = keyword_piece(definition, "MODE=", kShortWindow);
  f.fixed = mode && !mode->empty() && (*mode)[0] == 'F';
  f.verify_pieces = pieces_after(definition, "VERT=", kLongWindow);
  if (!f.verify_pieces.empty() && !f.verify_pieces[0].empty()) f.verify = f.verify_pieces[0][0];
  f.verify_file = keyword_piece(definition, "VERF=", kLongWindow).value_or("");
  if (!f.verify_file.empty() && f.verify == 'N') f.verify = 'I';
  f.data_id = keyword_piece(definition, "DI=", kShortWindow).value_or("");
  return f;
}

std::optional<std::string> why_unfit(const FieldReading &field, const std::string &value) {
  if (value.size() > static_cast<std::size_t>(field.length))
    return std::to_string(value.size()) + " characters";
  if (field.fixed && value.size() != static_cast<std::size_t>(field.length))
    return "MODE=F takes " + std::to_string(field.length) + " characters";
  const InputKind *kind = input_kind(field.kind);
  if (!kind) return std::nullopt;
  const bool scanned = !field.data_id.empty();  // a scan brings any text
  for (char c : value) {
    if (kind->characters && !std::strchr(kind->characters, c) && !scanned)
      return std::string(field.kind) + " takes no " + in_quotes(std::string(1, c));
    if (kind->typed_capitals && !scanned && std::islower(static_cast<unsigned char>(c)))
      return field.kind + " stores letters in capitals";
  }
  return std::nullopt;
}

bool is_verify_code(const std::string &code) {
  return std::find(std::begin(kVertCodes), std::end(kVertCodes), code) != std::end(kVertCodes);
}

std::optional<std::string> nearest_form(const std::string &definition, const std::string &code) {
  if (!is_verify_code(code)) return std::nullopt;
  const std::vector<std::string> pieces = pieces_after(definition, "VERT=", kLongWindow);
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
  const std::size_t wanted = letter == 'F' ? 1 : (letter == 'R' || letter == 'S') ? 2 : 0;
  if (wanted == 0 || !all_digits || numbers.size() != wanted) {
    if (letter != first[0] && std::strchr("0BeiEIFRST", letter))
      return "VERT=" + std::string(1, letter) + first.substr(1);
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
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
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
