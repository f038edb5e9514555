// check_panels.cpp - the help-file check's rules for what the driver does
// without a word: unknown keywords, keywords read inside others, colliding
// fields, missing ranges and files, texts cut by their window, bad files.
#include "check/check_panels.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>

#include "check/field_check.h"
#include "check/keywords.h"
#include "common/text.h"
#include "driver/library.h"
#include "driver/session.h"
#include "entry/entry.h"
#include "script/lua_support.h"
#include "script/script_host.h"
#include "terminal.h"

namespace formsterm {

namespace {

// The longest definition or option text the driver reads (its command buffer).
constexpr std::size_t kDefinitionLimit = COMMAND_TEXT_MAX;
// How long a checked program may wait without input before it counts as
// waiting for the operator (virtual time).
constexpr long long kProgramPatienceMs = 5LL * 60 * 1000;
// Where a record's text begins in its line: after the number and separator.
constexpr std::size_t kRecordTextColumn = 5;
// Missing record numbers listed in one finding.
constexpr std::size_t kListedNumbers = 5;

std::map<int, const HelpRecord *> by_number(const std::vector<HelpRecord> &records) {
  std::map<int, const HelpRecord *> numbered;
  for (const HelpRecord &r : records)
    if (std::optional<int> n = record_number(r.text)) numbered.emplace(*n, &r);
  return numbered;
}

Finding record_finding(const char *name, const HelpRecord &r, int number, const std::string &text,
                       bool warning = false) {
  Finding f{name, r.line, "record " + four_digits(number) + ": " + text, warning, ""};
  f.record = number;
  return f;
}

// The finding of a field or option text: at its record, or at the
// program's line that handed it to the driver.
Finding sourced_finding(const char *name, const SourcedText &source, const std::map<int, int> &line_of_record,
                        const std::string &label, const std::string &text) {
  if (source.record > 0) {
    auto it = line_of_record.find(source.record);
    Finding f{name, it == line_of_record.end() ? 0 : it->second,
              "record " + four_digits(source.record) + ": " + text, false, ""};
    f.record = source.record;
    return f;
  }
  const std::size_t colon = source.where.rfind(':');
  Finding f{name, 0, label + " from a user variable: " + text, false, source.where};
  if (colon != std::string::npos) {
    f.file = source.where.substr(0, colon);
    f.line = std::atoi(source.where.c_str() + colon + 1);
  }
  return f;
}

std::string source_name(const SourcedText &source) {
  return source.record > 0 ? "record " + four_digits(source.record) : source.where;
}

bool has_own_token(const std::string &text, std::string_view keyword) {
  for (std::size_t at = text.find(keyword); at != std::string::npos; at = text.find(keyword, at + 1))
    if (at == 0 || is_separator(text[at - 1])) return true;
  return false;
}

bool differs_in_case_only(const std::string &word, std::string_view keyword) {
  return std::equal(word.begin(), word.end(), keyword.begin(), [](char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
  });
}

// A problem of a definition or option text, before it is placed.
struct TextProblem {
  std::string what;
  bool warning;
  const char *name;
  std::string word;  // the token it is about
};

std::vector<TextProblem> unknown_keywords(const std::string &text, Command command) {
  std::vector<TextProblem> findings;
  for (const KeywordToken &token : keyword_tokens(text)) {
    if (find_keyword(command, token.word)) continue;
    std::string what = token.word + ": no such keyword of a " + std::string(command_name(command));
    std::string effect = "the driver ignores it";
    if (const Keyword *near = nearest_keyword(command, token.word)) {
      const bool only_case =
          token.word.size() == near->name.size() && differs_in_case_only(token.word, near->name);
      what += only_case ? ", keywords are written in capitals: " + std::string(near->name)
                        : ", did you mean " + std::string(near->name) + "?";
      if (!near->absent.empty() && !has_own_token(text, near->name))
        effect += ", so: " + std::string(near->absent);
    }
    findings.push_back({what + "; " + effect, false, "unknown-keyword", token.word});
  }
  return findings;
}

// The whole WORD= token that holds the text's offset at.
std::string enclosing_word(const std::string &text, std::size_t at) {
  std::size_t start = at;
  while (start > 0 && !is_separator(text[start - 1])) --start;
  std::size_t end = text.find('=', at);
  return text.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
}

std::vector<TextProblem> keywords_inside_others(const std::string &text, Command command) {
  std::vector<TextProblem> findings;
  for (const Keyword &k : keywords_of(command)) {
    const std::size_t at = text.find(k.name);
    if (at == std::string::npos || at == 0 || is_separator(text[at - 1])) continue;
    const std::string value = keyword_piece(text, {k.name, k.window}).value_or("");
    const bool own = has_own_token(text, k.name);
    if (!own && k.name == KW_WORD(KW_T) && std::atoi(value.c_str()) == 0)
      continue;  // reads as no time-out, the default
    const std::string word = enclosing_word(text, at);
    std::string said = std::string(k.name) + " reads " + in_quotes(value) + " from " + word + value + "; ";
    said += own ? "put " + std::string(k.name) + " before " + word
                : "the driver takes it as the " + std::string(k.name) + " value";
    findings.push_back({said, true, "keyword-inside-another", word});
  }
  return findings;
}

std::string numbers_list(const std::vector<int> &numbers) {
  std::string out;
  for (std::size_t i = 0; i < numbers.size() && i < kListedNumbers; ++i)
    out += (i ? " " : "") + four_digits(numbers[i]);
  if (numbers.size() > kListedNumbers)
    out += " and " + std::to_string(numbers.size() - kListedNumbers) + " more";
  return out;
}

struct RangeUse {
  const char *keyword;  // "HELP=" or "SCRN="
  std::size_t width;
  const char *shown;  // where its lines are shown
};

void check_range(const HelpRecord &r, int number, const std::pair<int, int> &range, const RangeUse &use,
                 const std::map<int, const HelpRecord *> &numbered, std::set<int> &wide_reported,
                 std::vector<Finding> &findings) {
  const auto [first, last] = range;
  if (first < KW_LOW(KW_HELP) || last > KW_HIGH(KW_HELP) || first > last)
    return;  // the driver's own report, or an empty range
  std::vector<int> missing;
  for (int n = first; n <= last; ++n) {
    auto it = numbered.find(n);
    if (it == numbered.end()) {
      missing.push_back(n);
      continue;
    }
    const std::string text = text_of(it->second->text);
    if (text.size() > use.width && wide_reported.insert(n).second)
      findings.push_back(record_finding(
          "line-too-wide", *it->second, n,
          "a line of " + std::to_string(text.size()) + " characters, shown in " + use.shown + " of " +
              std::to_string(use.width) + " (" + use.keyword + " of record " + four_digits(number) +
              "); the driver cuts it to " + in_quotes(text.substr(0, use.width)),
          true));
  }
  if (missing.empty()) return;
  const std::string range_text =
      std::string(use.keyword) + std::to_string(first) + "," + std::to_string(last);
  findings.push_back(
      record_finding("range-records-missing", r, number,
                     range_text + " names missing record" + (missing.size() == 1 ? " " : "s ") +
                         numbers_list(missing) + "; " +
                         (missing.size() == static_cast<std::size_t>(last - first + 1)
                              ? std::string("the driver shows ") + use.shown + " without a line of text"
                              : std::string("the driver leaves ") + (missing.size() == 1 ? "it" : "them") +
                                    " out of " + use.shown)));
}

bool same_name(const std::string &file, const std::string &name) {
  return file.size() == name.size() && std::equal(file.begin(), file.end(), name.begin(), [](char a, char b) {
           return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
         });
}

bool folder_has(const std::string &folder, const FolderFiles *files, const std::string &name) {
  if (files != nullptr)
    return std::any_of(files->begin(), files->end(),
                       [&](const auto &file) { return same_name(file.first, name); });
  std::error_code ec;
  for (const auto &entry : std::filesystem::directory_iterator(folder, ec))
    if (same_name(entry.path().filename().string(), name)) return true;
  return false;
}

}  // namespace

std::vector<Finding> check_raw(const std::string &content, const std::vector<HelpRecord> &records,
                               bool &stop) {
  std::vector<Finding> findings;
  stop = false;
  const bool image = content.find('\0') != std::string::npos;
  int line = 1;
  for (unsigned char c : content) {
    if (c == '\n') ++line;
    if (c >= 0x20 || c == '\n' || c == '\r' || c == '\t' || (c == 0 && image)) continue;
    char byte[8];
    std::snprintf(byte, sizeof byte, "0x%02X", c);
    findings.push_back({"not-text", image ? 0 : line,
                        std::string("the file is not text (a byte ") + byte +
                            "); the driver would read such bytes as part of its records",
                        false, ""});
    stop = true;
    return findings;
  }
  const std::size_t crlf = image ? std::string::npos : content.find("\r\n");
  if (crlf != std::string::npos)
    findings.push_back(
        {"crlf", 1 + static_cast<int>(std::count(content.begin(), content.begin() + crlf, '\n')),
         "the lines end in CR-LF; a terminal that loads the file as it is keeps the CR at the end "
         "of each record, so a record's last value reads with a CR (DI=P gives \"P\\r\")",
         false, ""});
  for (const HelpRecord &r : records) {
    const std::optional<int> number = record_number(r.text);
    const std::string text = text_of(r.text);
    if (!number || text.size() <= kDefinitionLimit || (!is_field_definition(text) && !is_panel_options(text)))
      continue;
    findings.push_back(record_finding(
        "definition-too-long", r, *number,
        "a text of " + std::to_string(text.size()) + " characters; the driver reads " +
            std::to_string(kDefinitionLimit) + " and loses " + in_quotes(text.substr(kDefinitionLimit))));
  }
  return findings;
}

std::vector<Finding> check_keywords(const std::vector<HelpRecord> &records) {
  std::vector<Finding> findings;
  for (const HelpRecord &r : records) {
    const std::optional<int> number = record_number(r.text);
    const std::string text = text_of(r.text);
    if (!number) continue;
    const bool field = is_field_definition(text);
    if (!field && !is_panel_options(text)) continue;
    const Command command = field ? Command::field_definition : Command::panel_options;
    for (const auto &part : {unknown_keywords(text, command), keywords_inside_others(text, command)})
      for (const TextProblem &p : part) {
        Finding f = record_finding(p.name, r, *number, p.what, p.warning);
        point_at(f, r.text, p.word);
        findings.push_back(f);
      }
  }
  return findings;
}

std::vector<Finding> check_field_records(const std::vector<HelpRecord> &records, const std::string &folder,
                                         const FolderFiles *files) {
  const std::map<int, const HelpRecord *> numbered = by_number(records);
  const RangeUse help{KW_WORD(KW_HELP), kPopupWidth, "the help popup"};
  const RangeUse screen{KW_WORD(KW_SCRN), termrt::kCols, "the field's screen"};
  std::set<int> wide_help, wide_screen;
  std::vector<Finding> findings;
  for (const HelpRecord &r : records) {
    const std::optional<int> number = record_number(r.text);
    const std::string text = text_of(r.text);
    if (!number || !is_field_definition(text)) continue;
    const FieldFacts f = facts_of(text);
    if (f.help) check_range(r, *number, *f.help, help, numbered, wide_help, findings);
    if (f.screen) check_range(r, *number, *f.screen, screen, numbered, wide_screen, findings);
    if (f.verify_file.empty() || f.verify_file.size() > KW_HIGH(KW_VERF)) continue;
    // Under a VERT= letter that checks no file the name is never used (keyword-ignored says so).
    const std::string letter = keyword_piece(text, window_of(KW_VERT)).value_or("I");
    if (!letter.empty() && !is_file_letter(letter[0])) continue;
    const std::string file = f.verify_file.size() == 1 ? f.verify_file : f.verify_file + ".VAL";
    if (folder_has(folder, files, file)) continue;
    const bool local = f.verify_file.compare(0, 2, "B_") == 0;
    findings.push_back(record_finding(
        "verify-file-missing", r, *number,
        "VERF=" + f.verify_file + " names " + file + ", which is not in the help file's folder; " +
            (local ? "the driver cannot read the local value file and asks the terminal's validation instead"
                   : "the terminal needs it to validate the field, or refuses the value (message 7)"),
        true));
  }
  return findings;
}

std::vector<TrackedPanel> panels_in_file(const std::vector<HelpRecord> &records) {
  std::vector<TrackedPanel> panels;
  std::set<int> numbers;
  bool open = false;
  for (const HelpRecord &r : records) {
    const std::optional<int> number = record_number(r.text);
    const std::string text = text_of(r.text);
    if (!number || !is_field_definition(text)) {
      open = false;
      continue;
    }
    const int field = facts_of(text).number;
    if (!open || numbers.count(field)) {
      panels.emplace_back();
      numbers.clear();
      open = true;
    }
    numbers.insert(field);
    panels.back().fields.push_back({*number, text, ""});
  }
  return panels;
}

std::vector<Finding> check_panel(const TrackedPanel &panel, const std::vector<SourcedText> &options,
                                 const std::map<int, int> &line_of_record) {
  std::vector<Finding> findings;
  std::vector<FieldFacts> facts;
  for (const SourcedText &field : panel.fields) facts.push_back(facts_of(field.text));
  for (std::size_t j = 0; j < facts.size(); ++j) {
    const FieldFacts &b = facts[j];
    const std::string name = "FI=" + std::to_string(b.number);
    // keyword: the one whose value the finding is about, for its place in the line.
    auto say = [&](const char *kind, const std::string &text, const char *keyword) {
      Finding f = sourced_finding(kind, panel.fields[j], line_of_record, "a definition", text);
      const std::size_t at = panel.fields[j].text.find(keyword);
      if (panel.fields[j].record > 0 && at != std::string::npos) {
        f.column = kRecordTextColumn + at;
        f.length = std::strlen(keyword);
      }
      findings.push_back(f);
    };
    for (std::size_t i = 0; i < j; ++i) {
      const FieldFacts &a = facts[i];
      const std::string other = "FI=" + std::to_string(a.number) + " of " + source_name(panel.fields[i]);
      if (a.result_variable == b.result_variable)
        say("same-user-variable",
            name + " writes user variable " + std::to_string(b.result_variable) +
                (keyword_piece(panel.fields[j].text, window_of(KW_RUV)) ? ""
                                                                        : " (no RUV=: 1 is the default)") +
                ", as " + other + " does; the driver stores both there and FI=" +
                std::to_string(std::max(a.number, b.number)) + "'s value wins",
            "RUV=");
      if (a.row == b.row && a.col < b.col + b.length && b.col < a.col + a.length)
        say("fields-overlap",
            name + " (row " + std::to_string(b.row) + ", columns " + std::to_string(b.col) + "-" +
                std::to_string(b.col + b.length - 1) + ") overlaps " + other + " (columns " +
                std::to_string(a.col) + "-" + std::to_string(a.col + a.length - 1) +
                "); the driver draws each over the other",
            "COL=");
    }
    if (b.col >= 1 && b.length >= KW_LOW(KW_LEN) && b.length <= KW_HIGH(KW_LEN) &&
        b.col + b.length - 1 > termrt::kCols)
      say("field-past-edge",
          name + " runs from column " + std::to_string(b.col) + " to " +
              std::to_string(b.col + b.length - 1) +
              ", past column 40; the display cuts it and the operator cannot see the rest",
          "COL=");
    for (const SourcedText &option : options) {
      const std::optional<std::string> reason = keyword_piece(option.text, window_of(KW_REASON));
      if (reason && std::atoi(reason->c_str()) == b.result_variable)
        say("reason-variable-overwritten",
            name + " writes user variable " + std::to_string(b.result_variable) +
                ", the REASON= variable of " + source_name(option) +
                "; the driver writes the field's value, then OK over it",
            "RUV=");
    }
  }
  return findings;
}

namespace {

// Follows the program's commands and keeps the panels that EXEC_PA starts.
class ProgramWatch : public RunObserver {
 public:
  ProgramWatch(ScriptHost &host, const std::string &help_content, std::map<int, std::string> texts)
      : host_(host), help_content_(help_content), tracker_(KW_DEFAULT(KW_FILE), std::move(texts)) {}

  bool print(const std::string &) override { return true; }  // the program's prints are not findings
  void terminal_reset() override {
    termrt::Terminal &t = termrt::terminal();
    t.add_file(KW_DEFAULT(KW_FILE), help_content_);
    t.set_starvation_limit(kProgramPatienceMs);
  }
  void command_starting(int code, const char *parm) override {
    row0_before_ = termrt::terminal().row_text(0);
    command_where_ = where();
    command_ = code == 3 && parm ? parm : std::to_string(code);
    if (code != 3) return;
    std::optional<TrackedPanel> panel = tracker_.command_starting(parm, command_where_);
    if (!panel) return;
    std::string key = panel->options.text;
    for (const SourcedText &f : panel->fields) key += "\n" + f.text;
    if (seen_.insert(key).second) panels.push_back(*panel);
  }
  void command_ended(int) override {
    const std::string row0 = termrt::terminal().row_text(0);
    const std::optional<StandingReport> report =
        row0 != row0_before_ ? report_on_row(row0) : std::optional<StandingReport>();
    tracker_.command_ended(report.has_value());
    if (report)
      reports.push_back({"program-report", 0,
                         "the command \"" + command_ + "\" met the error report " + describe_report(*report) +
                             "; the driver waits for a key and the command does nothing more",
                         false, command_where_});
  }

  std::vector<TrackedPanel> panels;
  std::vector<Finding> reports;  // where each error report came, file "prog.lua:12" for now

 private:
  std::string where() {
    lua_Debug ar;
    lua_State *L = host_.lua();
    if (!lua_getstack(L, 1, &ar) || !lua_getinfo(L, "Sl", &ar)) return host_.options().script.string();
    return std::string(ar.short_src) + ":" + std::to_string(ar.currentline);
  }

  ScriptHost &host_;
  const std::string &help_content_;
  PanelTracker tracker_;
  std::string row0_before_;
  std::string command_where_, command_;
  std::set<std::string> seen_;
};

}  // namespace

std::vector<Finding> check_program_panels(const CheckOptions &options, const std::string &help_content,
                                          const std::vector<HelpRecord> &records, int &panels,
                                          std::set<int> &records_used, std::vector<TrackedPanel> &started) {
  std::map<int, std::string> texts;
  std::map<int, int> line_of_record;
  for (const HelpRecord &r : records)
    if (std::optional<int> n = record_number(r.text)) {
      texts.emplace(*n, text_of(r.text));
      line_of_record.emplace(*n, r.line);
    }
  HostOptions host_options;
  host_options.library_path = options.library_path;
  host_options.script = options.program;
  ScriptHost host(host_options);
  ProgramWatch watch(host, help_content, texts);
  host.add_observer(&watch);
  host.fresh_start();
  const std::optional<std::string> error = host.run_script();
  std::vector<Finding> findings;
  panels = static_cast<int>(watch.panels.size());
  std::set<std::string> texts_seen;
  auto check_text = [&](const SourcedText &source, Command command, const char *label) {
    if (source.record > 0 || !texts_seen.insert(source.where + source.text).second) return;
    for (const auto &part :
         {unknown_keywords(source.text, command), keywords_inside_others(source.text, command)})
      for (const TextProblem &p : part) {
        Finding f = sourced_finding(p.name, source, line_of_record, label, p.what);
        f.warning = p.warning;
        findings.push_back(f);
      }
  };
  for (Finding report : watch.reports) {
    const std::size_t colon = report.file.rfind(':');
    if (colon != std::string::npos) {
      report.line = std::atoi(report.file.c_str() + colon + 1);
      report.file.erase(colon);
    }
    findings.push_back(report);
  }
  for (const TrackedPanel &panel : watch.panels) {
    for (const SourcedText &field : panel.fields) records_used.insert(field.record);
    for (const SourcedText &field : panel.fields)
      check_text(field, Command::field_definition, "a definition");
    check_text(panel.options, Command::panel_options, "an option text");
    std::vector<Finding> part = check_panel(panel, {panel.options}, line_of_record);
    findings.insert(findings.end(), part.begin(), part.end());
  }
  if (error && !termrt::terminal().starved())
    findings.push_back({"program-failed", 0,
                        "the program failed: " + error->substr(0, error->find('\n')) +
                            "; the panels it started before that are checked",
                        false, options.program});
  started = watch.panels;
  host.remove_observer(&watch);
  termrt::terminal().reset();
  return findings;
}

}  // namespace formsterm
