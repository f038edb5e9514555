// check_mode.cpp - the help-file check.
#include "check/check_mode.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <set>
#include <sstream>

#include "check/check_panels.h"
#include "driver/library.h"
#include "driver/result_codes.h"
#include "driver/session.h"
#include "terminal.h"

namespace formsterm {

namespace {

// The message records the driver shows, and when.
const std::map<int, const char *> &message_records() {
  static const std::map<int, const char *> records = {
      {1, "while field validation runs"},
      {2, "when a group key grows too long"},
      {3, "when a validation file rejects a value"},
      {4, "when a field check fails"},
      {5, "when a field check fails"},
      {6, "when a field check fails"},
      {7, "when a field check fails"},
      {8, "when a required field is empty at completion"},
      {9, "when a fixed-length field is not full"},
      {10, "when a key is not accepted"},
      {11, "on an input time-out"},
      {12, "when a scanned value does not fit its field"},
      {13, "when a scan for an ALPHA or NUM field matches no Data ID"},
      {15, "when a scan lacks the field's mandatory Data ID"},
      {16, "as the last line of every message that waits for Enter"},
      {17, "when a field check fails"},
      {18, "when a field check fails"},
  };
  return records;
}

// How often the probe answers a waiting library before it lets it starve.
constexpr int kProbeAnswers = 50;

std::string counted(int n, const std::string &thing) {
  return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

// "Z8 (INPUT= word not known)"
std::string code_with_meaning(const std::string &code) {
  const ResultCode *entry = find_result_code(code);
  return code + (entry ? " (" + std::string(entry->meaning) + ")" : std::string());
}

}  // namespace

std::string four_digits(int n) {
  char key[16];
  std::snprintf(key, sizeof key, "%04d", n);
  return key;
}

std::string text_of(const std::string &record) {
  return record.size() > 5 ? record.substr(5) : std::string();
}

bool is_field_definition(const std::string &text) { return text.find("FI=") != std::string::npos; }

bool is_panel_options(const std::string &text) {
  if (is_field_definition(text)) return false;
  for (const Keyword &k : keywords_of(Command::panel_options))
    if (k.name.size() > 2 && text.find(k.name) != std::string::npos) return true;
  // The short ones only as tokens of their own: "T=" is in many a text.
  for (const KeywordToken &token : keyword_tokens(text))
    if (token.word == "T=" || token.word == "L=") return true;
  return false;
}

std::vector<HelpRecord> split_records(const std::string &content) {
  std::vector<HelpRecord> records;
  const bool image = content.find('\0') != std::string::npos;
  const char end_of_record = image ? '\0' : '\n';
  std::size_t start = 0;
  int line = 0;
  while (start < content.size()) {
    std::size_t end = content.find(end_of_record, start);
    if (end == std::string::npos) end = content.size();
    std::string text = content.substr(start, end - start);
    if (!image && !text.empty() && text.back() == '\r') text.pop_back();
    records.push_back(HelpRecord{++line, text});
    start = end + 1;
  }
  return records;
}

std::optional<int> record_number(const std::string &record) {
  if (record.size() < 4) return std::nullopt;
  for (int i = 0; i < 4; ++i)
    if (!std::isdigit(static_cast<unsigned char>(record[i]))) return std::nullopt;
  return std::stoi(record.substr(0, 4));
}

std::vector<Finding> check_layout(const std::vector<HelpRecord> &records) {
  std::vector<Finding> findings;
  std::map<int, int> lines_of_number;
  const HelpRecord *previous = nullptr;
  for (const HelpRecord &r : records) {
    const std::optional<int> number = record_number(r.text);
    if (!number) {
      findings.push_back({r.line, r.text.empty()
                                      ? "an empty record: every record begins with a four-digit number"
                                      : "the record does not begin with a four-digit number: \"" +
                                            r.text.substr(0, 20) + "\""});
      continue;
    }
    auto [it, inserted] = lines_of_number.emplace(*number, r.line);
    if (!inserted)
      findings.push_back({r.line, "record " + four_digits(*number) + " again: line " +
                                      std::to_string(it->second) +
                                      " has the same number, and the lookup finds only one of them"});
    else if (previous != nullptr &&
             std::strcmp(previous->text.c_str(), r.text.c_str()) > 0)  // the lookup's byte order
      findings.push_back({r.line, "record " + four_digits(*number) + " is out of order: it follows record " +
                                      previous->text.substr(0, 4) + " of line " +
                                      std::to_string(previous->line) +
                                      ", and the lookup's binary search needs ascending order"});
    previous = &r;
  }
  return findings;
}

std::vector<Finding> check_messages(const std::vector<HelpRecord> &records) {
  std::map<int, const HelpRecord *> by_number;
  for (const HelpRecord &r : records)
    if (std::optional<int> n = record_number(r.text)) by_number.emplace(*n, &r);
  std::vector<Finding> findings;
  for (const auto &[number, when] : message_records()) {
    auto it = by_number.find(number);
    if (it == by_number.end()) {
      findings.push_back(
          {0, "message record " + four_digits(number) + " is missing; the driver shows it " + when});
      continue;
    }
    const std::string text = text_of(it->second->text);
    if (text.size() > kPopupWidth)
      findings.push_back({it->second->line,
                          "record " + four_digits(number) + ": a message of " + std::to_string(text.size()) +
                              " characters; its popup line shows the first " + std::to_string(kPopupWidth) +
                              ": \"" + text.substr(0, kPopupWidth) + "\"",
                          true});
  }
  return findings;
}

std::vector<Finding> check_references(const std::vector<HelpRecord> &records) {
  std::map<int, bool> present;
  for (const HelpRecord &r : records)
    if (std::optional<int> n = record_number(r.text)) present[*n] = true;
  std::vector<Finding> findings;
  for (const HelpRecord &r : records) {
    const std::optional<int> number = record_number(r.text);
    const std::string text = text_of(r.text);
    if (!number || !is_field_definition(text)) continue;
    const std::optional<std::string> letter = keyword_piece(text, "VERT=", 15);
    if (!letter || letter->empty()) continue;
    const char kind = (*letter)[0];
    if (kind != 'F' && kind != 'R') continue;  // the list check skips missing records
    const char *const codes[2] = {kind == 'F' ? "XU" : "XL", "XM"};
    for (int bound = 0; bound < (kind == 'F' ? 1 : 2); ++bound) {
      const std::optional<std::string> piece = keyword_piece(text, "VERT=", 15, bound + 1);
      if (!piece) break;
      const int referenced = std::atoi(piece->c_str());
      if (referenced < 1 || referenced > 9999 || present.count(referenced)) continue;
      findings.push_back({r.line, "record " + four_digits(*number) + ": VERT=" + std::string(1, kind) +
                                      " reads record " + four_digits(referenced) +
                                      ", which is missing; validation reports " +
                                      code_with_meaning(codes[bound]) + " and refuses the value"});
    }
  }
  return findings;
}

std::optional<std::string> error_report_on(const std::string &row0) {
  const std::optional<StandingReport> report = report_on_row(row0);
  if (!report || report->code == "append") return std::nullopt;
  return report->code + " " + report->text;
}

LibraryProbe::LibraryProbe(std::string library_path, std::string help_content, std::string folder,
                           const FolderFiles *files)
    : library_path_(std::move(library_path)),
      help_content_(std::move(help_content)),
      folder_(std::move(folder)),
      files_(files) {}

void LibraryProbe::reset_terminal() const {
  termrt::Terminal &t = termrt::terminal();
  t.reset();
  if (files_ != nullptr)
    for (const auto &[name, content] : *files_) t.add_file(name, content);
  else if (!folder_.empty())
    t.load_directory(folder_);
  t.add_file("HELP.VAL", help_content_);
}

CommandOutcome LibraryProbe::run(const std::string &body, bool fields_first, bool cancel_first) const {
  termrt::Terminal &t = termrt::terminal();
  reset_terminal();
  FormsLibrary library(library_path_);
  // The idle hook below refers to this frame: the terminal drops it on the
  // way out, however the frame is left.
  struct TerminalReset {
    ~TerminalReset() { termrt::terminal().reset(); }
  } reset_on_exit;
  CommandOutcome outcome;
  bool recording = false;
  int answers = 0;
  auto note_report = [&] {
    std::optional<std::string> report = error_report_on(t.row_text(0));
    if (!report) return false;
    if (recording && (outcome.reports.empty() || outcome.reports.back() != *report))
      outcome.reports.push_back(*report);
    return true;
  };
  // Answer every wait: Enter for an error report, cancel for anything else.
  t.on_idle([&] {
    const bool report = note_report();
    if (++answers <= kProbeAnswers) t.key(report ? termrt::kEnter : termrt::kCancel);
  });
  if (fields_first)
    for (int field = 1; field <= 20; ++field) {
      t.set_variable(
          99, "FI=" + std::to_string(field) + " INPUT=ALPHA LEN=1 ROW=" + std::to_string(field) + " COL=1");
      library.main(3, command_string("SET_FIE VAR=99").c_str());
    }
  t.clear_screen();
  answers = 0;
  recording = true;
  if (cancel_first) t.key(termrt::kCancel);
  library.main(3, command_string(body).c_str());
  note_report();
  if (t.starved()) outcome.starvation = t.starvation();
  return outcome;
}

namespace {

// What the driver does after a report of the record's command.
const char *after_report(bool field) {
  return field ? "the field stays undefined and EXEC_PA skips it" : "EXEC_PA ends before the panel runs";
}

// The command's outcome, from the cache when the record's text ran before.
CommandOutcome probe_outcome(const LibraryProbe &probe, CheckCache *cache, const std::string &command,
                             const std::string &text, bool field) {
  if (cache == nullptr) return probe.run(command, !field, !field);
  const std::string key = command + "\n" + text;
  auto it = cache->outcomes.find(key);
  if (it == cache->outcomes.end())
    it = cache->outcomes.emplace(key, probe.run(command, !field, !field)).first;
  return it->second;
}

// Each definition and option record run through the library.
std::vector<Finding> probe_records(const CheckOptions &options, const std::string &content,
                                   const std::vector<HelpRecord> &records, int &definitions, int &panels) {
  const std::string folder = std::filesystem::path(options.help_file).parent_path().string();
  const LibraryProbe probe(options.library_path, content, folder.empty() ? "." : folder,
                           options.cache ? &options.cache->folder_files : nullptr);
  std::vector<Finding> findings;
  for (const HelpRecord &r : records) {
    const std::optional<int> number = record_number(r.text);
    if (!number || *number < 1) continue;
    const std::string text = text_of(r.text);
    const bool field = is_field_definition(text);
    if (!field && !is_panel_options(text)) continue;
    const std::string command =
        std::string(field ? "SET_FIE" : "EXEC_PA") + " HELP=" + std::to_string(*number);
    (field ? definitions : panels)++;
    const CommandOutcome outcome = probe_outcome(probe, options.cache, command, text, field);
    for (const std::string &report : outcome.reports)
      findings.push_back({r.line, "record " + four_digits(*number) + ": " + command + " gives " +
                                      code_with_meaning(report.substr(0, 2)) + ", shown with \"" +
                                      report.substr(3) + "\"; " + after_report(field)});
    if (!outcome.starvation.empty())
      findings.push_back({r.line, "record " + four_digits(*number) + ": " + command +
                                      " did not end: " + outcome.starvation});
  }
  return findings;
}

}  // namespace

HelpFileCheck check_help_text(const CheckOptions &options, const std::string &content) {
  HelpFileCheck result;
  const std::vector<HelpRecord> records = split_records(content);
  result.records = static_cast<int>(records.size());
  bool not_text = false;
  std::vector<Finding> &findings = result.findings;
  findings = check_raw(content, records, not_text);
  if (not_text) return result;
  const std::string folder = std::filesystem::path(options.help_file).parent_path().string();
  std::vector<SourcedText> options_records;
  std::map<int, int> line_of_record;
  for (const HelpRecord &r : records)
    if (std::optional<int> n = record_number(r.text)) {
      line_of_record.emplace(*n, r.line);
      if (is_panel_options(text_of(r.text))) options_records.push_back({*n, text_of(r.text), ""});
    }
  for (auto part :
       {check_layout(records), check_messages(records), check_references(records), check_keywords(records),
        check_field_records(records, folder.empty() ? "." : folder,
                            options.cache ? &options.cache->folder_files : nullptr)})
    findings.insert(findings.end(), part.begin(), part.end());
  { FormsLibrary loads(options.library_path); }  // a library that does not load is named before anything runs
  std::vector<Finding> probed = probe_records(options, content, records, result.definitions, result.panels);
  findings.insert(findings.end(), probed.begin(), probed.end());
  // The program's panels, then the file's own runs of definitions that no
  // panel of the program used (all of them without a program).
  std::set<int> records_used;
  if (!options.program.empty()) {
    std::vector<Finding> part =
        check_program_panels(options, content, records, result.program_panels, records_used);
    findings.insert(findings.end(), part.begin(), part.end());
  }
  for (const TrackedPanel &panel : panels_in_file(records)) {
    const bool used = std::any_of(panel.fields.begin(), panel.fields.end(),
                                  [&](const SourcedText &f) { return records_used.count(f.record) > 0; });
    if (used) continue;
    std::vector<Finding> part = check_panel(panel, options_records, line_of_record);
    findings.insert(findings.end(), part.begin(), part.end());
  }
  std::stable_sort(findings.begin(), findings.end(), [](const Finding &a, const Finding &b) {
    return a.file != b.file ? a.file < b.file : a.line < b.line;
  });
  return result;
}

int run_check(const CheckOptions &options, std::ostream &out) {
  const std::string &name = options.help_file;
  std::ifstream in(name, std::ios::binary);
  if (!in) {
    out << name << ": cannot read the help file\n";
    return 2;
  }
  std::ostringstream content_stream;
  content_stream << in.rdbuf();
  const HelpFileCheck checked = check_help_text(options, content_stream.str());
  const std::vector<Finding> &findings = checked.findings;
  const int definitions = checked.definitions, panels = checked.panels,
            program_panels = checked.program_panels;
  int errors = 0, warnings = 0;
  for (const Finding &f : findings) {
    out << (f.file.empty() ? name : f.file);
    if (f.line > 0) out << ":" << f.line;
    out << ": " << (f.warning ? "warning: " : "error: ") << f.text << "\n";
    ++(f.warning ? warnings : errors);
  }
  out << name << ": " << counted(checked.records, "record") << " ("
      << counted(definitions, "field definition") << ", " << counted(panels, "panel option record")
      << (program_panels < 0 ? "" : ", " + counted(program_panels, "panel") + " of " + options.program)
      << "): "
      << (errors + warnings == 0 ? "no problems"
                                 : counted(errors, "error") + ", " + counted(warnings, "warning"))
      << "\n";
  return errors == 0 ? 0 : 1;
}

}  // namespace formsterm
