// check_mode.cpp - the help-file check: reads the file, runs each check
// over it and hands the findings to the output.
#include "check/check_mode.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <set>
#include <sstream>

#include "check/check_output.h"
#include "check/check_panels.h"
#include "check/field_check.h"
#include "common/text.h"
#include "driver/library.h"

namespace formsterm {

namespace {

// What the driver does after a report of the record's command.
const char *after_report(bool field) {
  return field ? "the field stays undefined and EXEC_PA skips it" : "EXEC_PA ends before the panel runs";
}

// The keyword whose value (or its lack) gives the code.
const Keyword *keyword_of_code(Command command, const std::string &code) {
  for (const Keyword &k : keywords_of(command))
    if (code == k.no_value || code == k.bad) return &k;
  return command == Command::field_definition && is_verify_code(code) ? find_keyword(command, "VERT=")
                                                                      : nullptr;
}

// The report's finding, with the nearest right form of a value that is
// almost right.
Finding report_finding(const HelpRecord &r, int number, const std::string &command, const std::string &report,
                       bool field) {
  const std::string code = report.substr(0, 2);
  std::string text = "record " + four_digits(number) + ": " + command + " gives " + code_with_meaning(code) +
                     ", shown with \"" + report.substr(std::min<std::size_t>(3, report.size())) + "\"; " +
                     after_report(field);
  Finding f{"driver-report", r.line, "", false};
  if (const Keyword *k = keyword_of_code(field ? Command::field_definition : Command::panel_options, code)) {
    const std::size_t at = r.text.find(k->name);
    std::size_t end = at;
    while (end < r.text.size() && r.text[end] != ' ') ++end;
    if (at != std::string::npos) {
      f.column = at;
      f.length = end - at;
      if (const std::optional<std::string> form = nearest_form(text_of(r.text), code))
        text += "; " + r.text.substr(at, end - at) + ": write " + *form;
    }
  }
  f.text = text;
  return f;
}

// Runs commands for probe_records: with an editor's cache, only those whose
// record text is new, and the probe is set up only for the first of them.
class CachedProbe {
 public:
  CachedProbe(const CheckOptions &options, const std::string &content)
      : options_(options), content_(content) {}
  CommandOutcome run(const std::string &command, const std::string &text, bool field) {
    if (options_.cache == nullptr) return probe().run(command, !field, !field);
    const std::string key = command + "\n" + text;
    auto it = options_.cache->outcomes.find(key);
    if (it == options_.cache->outcomes.end())
      it = options_.cache->outcomes.emplace(key, probe().run(command, !field, !field)).first;
    return it->second;
  }

 private:
  const LibraryProbe &probe() {
    if (!probe_) {
      const std::string folder = std::filesystem::path(options_.help_file).parent_path().string();
      probe_.emplace(options_.library_path, content_, folder.empty() ? "." : folder,
                     options_.cache ? &options_.cache->folder_files : nullptr);
    }
    return *probe_;
  }
  const CheckOptions &options_;
  const std::string &content_;
  std::optional<LibraryProbe> probe_;
};

// Each definition and option record run through the library.
std::vector<Finding> probe_records(const CheckOptions &options, const std::string &content,
                                   const std::vector<HelpRecord> &records, int &definitions, int &panels) {
  CachedProbe probe(options, content);
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
    const CommandOutcome outcome = probe.run(command, text, field);
    for (const std::string &report : outcome.reports)
      findings.push_back(report_finding(r, *number, command, report, field));
    if (!outcome.starvation.empty())
      findings.push_back(
          {"command-never-ends", r.line,
           "record " + four_digits(*number) + ": " + command + " did not end: " + outcome.starvation});
  }
  return findings;
}

void append(std::vector<Finding> &to, std::vector<Finding> part) {
  to.insert(to.end(), std::make_move_iterator(part.begin()), std::make_move_iterator(part.end()));
}

// The option records of the file, which one of them a panel of the file
// runs with being unknown without its program.
std::vector<SourcedText> option_records(const std::vector<HelpRecord> &records) {
  std::vector<SourcedText> options;
  for (const HelpRecord &r : records)
    if (std::optional<int> n = record_number(r.text))
      if (is_panel_options(text_of(r.text))) options.push_back({*n, text_of(r.text), ""});
  return options;
}

// The panels that the program starts, each checked as it runs; the
// records of their fields go to records_used.
std::vector<Finding> check_program(const CheckOptions &options, const std::string &content,
                                   const std::vector<HelpRecord> &records, const HelpIndex &help,
                                   ValueFiles &files, HelpFileCheck &result, std::set<int> &records_used,
                                   std::set<int> &messages_reported) {
  std::vector<TrackedPanel> started;
  std::vector<Finding> findings =
      check_program_panels(options, content, records, result.program_panels, records_used, started);
  std::set<int> seen, options_seen;
  for (const TrackedPanel &panel : started) {
    const PanelSetting setting{{panel.options}, true};
    append(findings, check_panel_fields(panel, setting, help, files, seen));
    append(findings, check_panel_messages(panel, setting, help, messages_reported));
    append(findings, check_ignored_options(panel, setting, help, options_seen));
  }
  return findings;
}

// The file's own runs of definitions that no panel of the program used.
std::vector<Finding> check_file_panels(const std::vector<HelpRecord> &records, const HelpIndex &help,
                                       ValueFiles &files, const std::set<int> &records_used,
                                       std::set<int> &messages_reported) {
  const std::vector<SourcedText> options = option_records(records);
  // With one option record it is the panels'; with several, which one a
  // panel runs with is the program's choice, so each is only a candidate.
  const PanelSetting setting{options, options.size() == 1};
  const std::vector<SourcedText> own_options = setting.exact ? options : std::vector<SourcedText>{};
  std::map<int, int> line_of_record;
  for (const auto &[number, record] : help.records()) line_of_record.emplace(number, record->line);
  std::vector<Finding> findings;
  std::set<int> seen, options_seen;
  for (const TrackedPanel &panel : panels_in_file(records)) {
    const bool used = std::any_of(panel.fields.begin(), panel.fields.end(),
                                  [&](const SourcedText &f) { return records_used.count(f.record) > 0; });
    if (used) continue;
    append(findings, check_panel(panel, own_options, line_of_record));
    append(findings, check_panel_fields(panel, setting, help, files, seen));
    append(findings, check_panel_messages(panel, setting, help, messages_reported));
    append(findings, check_ignored_options(panel, setting, help, options_seen));
  }
  return findings;
}

// The messages' own findings. With panels to check, a missing message is
// named where a panel can show it; without, every message record counts.
std::vector<Finding> message_findings(const std::vector<HelpRecord> &records, bool panels_checked) {
  std::vector<Finding> findings = check_messages(records);
  if (panels_checked)
    findings.erase(std::remove_if(findings.begin(), findings.end(),
                                  [](const Finding &f) { return f.name == "message-missing"; }),
                   findings.end());
  return findings;
}

// The record a finding of the help file is about, from its line.
void note_records(std::vector<Finding> &findings, const std::vector<HelpRecord> &records) {
  for (Finding &f : findings) {
    if (f.record != 0 || !f.file.empty() || f.line < 1 || f.line > static_cast<int>(records.size())) continue;
    f.record = record_number(records[f.line - 1].text).value_or(0);
  }
}

void drop_ignored(std::vector<Finding> &findings, const std::vector<IgnoredFinding> &ignored) {
  findings.erase(std::remove_if(findings.begin(), findings.end(),
                                [&](const Finding &f) {
                                  return std::any_of(ignored.begin(), ignored.end(),
                                                     [&](const IgnoredFinding &i) {
                                                       return i.name == f.name && i.record == f.record;
                                                     });
                                }),
                 findings.end());
}

}  // namespace

HelpFileCheck check_help_text(const CheckOptions &options, const std::string &content) {
  HelpFileCheck result;
  const std::vector<HelpRecord> records = split_records(content);
  result.records = static_cast<int>(records.size());
  bool not_text = false;
  std::vector<Finding> &findings = result.findings;
  findings = check_raw(content, records, not_text);
  if (!not_text) {
    const std::string parent = std::filesystem::path(options.help_file).parent_path().string();
    const std::string folder = parent.empty() ? "." : parent;
    const HelpIndex help(records);
    const FolderFiles *held = options.cache ? &options.cache->folder_files : nullptr;
    ValueFiles files(folder, held);
    for (auto part : {check_layout(records), check_references(records), check_keywords(records),
                      check_field_records(records, folder, held)})
      append(findings, std::move(part));
    // A library that does not load is named before anything runs; a server
    // checking again with its cache has loaded it already.
    if (options.run_library && options.cache == nullptr) FormsLibrary loads(options.library_path);
    if (options.run_library)
      append(findings, probe_records(options, content, records, result.definitions, result.panels));
    std::set<int> records_used, messages_reported;
    if (!options.program.empty())
      append(findings,
             check_program(options, content, records, help, files, result, records_used, messages_reported));
    append(findings, check_file_panels(records, help, files, records_used, messages_reported));
    append(findings,
           message_findings(records, result.program_panels > 0 || !panels_in_file(records).empty()));
  }
  note_records(findings, records);
  drop_ignored(findings, options.ignored);
  std::stable_sort(findings.begin(), findings.end(), [](const Finding &a, const Finding &b) {
    return a.file != b.file ? a.file < b.file : a.line < b.line;
  });
  return result;
}

std::optional<IgnoredFinding> parse_ignore(const std::string &text, std::string &error) {
  const std::size_t colon = text.rfind(':');
  const std::string name = text.substr(0, colon);
  const std::string record = colon == std::string::npos ? "" : text.substr(colon + 1);
  if (!find_finding_kind(name)) {
    error = "--ignore " + text + ": no finding is named " + name + "; the names are:";
    for (const FindingKind &k : finding_kinds())
      error += "\n  " + std::string(k.name) + "  " + std::string(k.summary);
    return std::nullopt;
  }
  const bool digits = !record.empty() && record.size() <= 4 &&
                      std::all_of(record.begin(), record.end(), [](char c) { return c >= '0' && c <= '9'; });
  const std::optional<int> number = digits ? std::optional<int>(std::stoi(record)) : std::nullopt;
  if (!number) {
    error = "--ignore " + text + ": write NAME:RECORD with the record's four digits, e.g. " + name + ":0031";
    return std::nullopt;
  }
  return IgnoredFinding{name, *number};
}

int run_check(const CheckOptions &options, std::ostream &out) {
  const std::optional<std::string> content = read_file(options.help_file);
  if (!content) {
    out << options.help_file << ": cannot read the help file\n";
    return 2;
  }
  const HelpFileCheck checked = check_help_text(options, *content);
  if (options.format == CheckFormat::sarif)
    write_sarif(options, checked, out);
  else
    write_text(options, checked, out);
  return std::none_of(checked.findings.begin(), checked.findings.end(),
                      [](const Finding &f) { return !f.warning; })
             ? 0
             : 1;
}

}  // namespace formsterm
