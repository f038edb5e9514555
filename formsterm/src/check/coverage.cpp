// coverage.cpp - help-file coverage of test scripts (see coverage.h).
#include "check/coverage.h"

#include <stdlib.h>

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>

#include "check/help_file.h"
#include "check/keywords.h"
#include "check/library_probe.h"
#include "check/panel_tracker.h"
#include "common/text.h"
#include "script/lua_support.h"
#include "script/script_host.h"
#include "terminal.h"

namespace formsterm {

namespace {

namespace fs = std::filesystem;

// The run-time functions whose calls count in a run's fingerprint.
const char *const kRuntimeFunctions[] = {
    "_VioWrtCharStr", "_VioWrtCharStrAtt", "_VioWrtNChar",      "_VioReadCellStr",    "_VioWrtCellStr",
    "_VioClear",      "_VioSetCurPos",     "_VioGetCurPos",     "_VioSetCurType",     "_KbdReadAscii",
    "_IdleManager",   "_WaitEvent",        "_ReadUserVariable", "_WriteUserVariable", "_ClearUserVariable",
    "_SenQueryData",  "_SenRead",          "_SpkBeep",          "_SenActLed",         "_Validation",
    "_DataFile",      "_TransactionMsg",   "_RtcGetAsciiTime",  "_RtcGetAsciiDate",
};

// The popup's top border and its text lines, as the driver draws them.
const std::string kPopupBorder = POPUP_BORDER;
constexpr KeywordWindow kVerify = window_of(KW_VERT);

struct HelpFile {
  fs::path path;
  std::string content;
  std::vector<HelpRecord> records;
  std::map<int, std::string> texts;  // by record number
  std::set<int> read;
};

// A record that begins with four digits and then no fifth.
bool is_help_record(const std::string &record) {
  return record_number(record) &&
         (record.size() == 4 || !std::isdigit(static_cast<unsigned char>(record[4])));
}

std::optional<HelpFile> help_file_at(const fs::path &path) {
  const std::string content = read_file(path).value_or("");
  HelpFile file{path, content, split_records(content), {}, {}};
  if (file.records.empty()) return std::nullopt;
  for (const HelpRecord &r : file.records) {
    if (!is_help_record(r.text)) return std::nullopt;
    file.texts.emplace(*record_number(r.text), text_of(r.text));
  }
  return file;
}

std::string without_record(const HelpFile &file, std::size_t index) {
  const char end = file.content.find('\0') != std::string::npos ? '\0' : '\n';
  std::string out;
  for (std::size_t i = 0; i < file.records.size(); ++i)
    if (i != index) out += file.records[i].text + end;
  return out;
}

// A change to one help file for a run: the file left out, or one record.
struct Change {
  const HelpFile *file = nullptr;
  std::optional<std::size_t> record;  // index into file->records; none: the whole file
};

// (file, record) -> the outcomes its field reached: kAccepted, or a message number.
using Outcomes = std::map<std::pair<fs::path, int>, std::set<int>>;
constexpr int kAccepted = 0;

std::string outcome_name(int outcome) {
  return outcome == kAccepted ? "accepted" : "message " + std::to_string(outcome);
}

// Watches one run of a script: folds everything the run shows into a
// fingerprint, and notes the outcomes of the fields of help records.
class RunWatch : public RunObserver {
 public:
  RunWatch(const fs::path &folder, const std::vector<HelpFile> &files, Change change, Outcomes *outcomes)
      : folder_(folder), change_(change), outcomes_(outcomes) {
    for (const HelpFile &file : files)
      if (file.path.parent_path() == folder) {
        trackers_.emplace_back(file.path.filename().string(), file.texts);
        files_.push_back(&file);
      }
  }

  bool print(const std::string &) override { return true; }  // the runs are silent
  void terminal_reset() override {
    if (change_.file == nullptr || change_.file->path.parent_path() != folder_) return;
    termrt::Terminal &t = termrt::terminal();
    const std::string name = change_.file->path.filename().string();
    if (change_.record)
      t.add_file(name, without_record(*change_.file, *change_.record));
    else
      t.remove_file(name);
  }

  void command_starting(int code, const char *parm) override {
    mix(std::to_string(code) + (parm ? parm : "(null)"));
    row0_before_ = termrt::terminal().row_text(0);
    if (code != 3) return;
    for (PanelTracker &tracker : trackers_)
      if (tracker.command_starting(parm, "")) panel_ = true;
    log_mark_ = termrt::terminal().log().size();
  }

  void command_ended(int result) override {
    const termrt::Terminal &t = termrt::terminal();
    mix(std::to_string(result) + t.screen_text() + cursor());
    for (const char *function : kRuntimeFunctions) mix(std::to_string(t.calls(function)));
    if (panel_) {
      if (pending_message_) give_outcome(pending_message_);
      note_accepted();
    }
    panel_ = false;
    pending_message_ = 0;
    const std::string row0 = t.row_text(0);
    for (PanelTracker &tracker : trackers_)
      tracker.command_ended(row0 != row0_before_ && error_report_on(row0).has_value());
  }

  void library_waits() override {
    const termrt::Terminal &t = termrt::terminal();
    mix(t.screen_text() + cursor());
    if (!panel_ || outcomes_ == nullptr) return;
    const bool popup =
        t.row_text(POPUP_FRAME_ROW).compare(POPUP_FRAME_COLUMN, kPopupBorder.size(), kPopupBorder) == 0;
    if (popup && pending_message_ == 0) pending_message_ = message_shown();
    if (!popup && pending_message_ != 0) {
      give_outcome(pending_message_);
      pending_message_ = 0;
    }
  }

  void test_ended(const std::optional<std::string> &error) {
    mix(error.value_or("passed"));
    for (const termrt::LogEntry &entry : termrt::terminal().log()) mix(entry.what);
  }

  std::uint64_t fingerprint() const { return hash_; }

 private:
  void mix(const std::string &text) {
    for (unsigned char c : text) hash_ = (hash_ ^ c) * 1099511628211ULL;  // FNV-1a
    hash_ = (hash_ ^ 0xff) * 1099511628211ULL;
  }

  static std::string cursor() {
    const termrt::Terminal &t = termrt::terminal();
    return "@" + std::to_string(t.cursor_row()) + "," + std::to_string(t.cursor_col());
  }

  // The rejection message whose text the popup's first line shows, or 0.
  int message_shown() const {
    const std::string line =
        right_trimmed(termrt::terminal().row_text(POPUP_TEXT_ROW).substr(POPUP_TEXT_COLUMN, kPopupWidth));
    for (const HelpFile *file : files_)
      for (const MessageRecord &message : message_records()) {
        if (!message.refuses) continue;
        const int number = message.number;
        auto it = file->texts.find(number);
        if (it != file->texts.end() && right_trimmed(it->second.substr(0, kPopupWidth)) == line)
          return number;
      }
    return 0;
  }

  // To the field of a help record where the cursor stands.
  void give_outcome(int outcome) {
    if (outcomes_ == nullptr) return;
    const termrt::Terminal &t = termrt::terminal();
    for (std::size_t i = 0; i < trackers_.size(); ++i)
      if (const SourcedText *field = trackers_[i].field_at(t.cursor_row(), t.cursor_col()))
        if (field->record > 0) (*outcomes_)[{files_[i]->path, field->record}].insert(outcome);
  }

  // Completion stores each field's value, padded to its length, in its variable.
  void note_accepted() {
    if (outcomes_ == nullptr) return;
    const std::vector<termrt::LogEntry> &log = termrt::terminal().log();
    for (std::size_t n = log_mark_; n < log.size(); ++n) {
      if (!log[n].write) continue;
      const int variable = log[n].write->variable;
      const std::size_t length = log[n].write->text.size();
      for (std::size_t i = 0; i < trackers_.size(); ++i)
        for (const auto &[number, field] : trackers_[i].fields()) {
          const FieldFacts facts = facts_of(field.text);
          if (field.record > 0 && facts.result_variable == variable &&
              static_cast<std::size_t>(facts.length) == length)
            (*outcomes_)[{files_[i]->path, field.record}].insert(kAccepted);
        }
    }
  }

  fs::path folder_;
  Change change_;
  Outcomes *outcomes_;
  std::vector<PanelTracker> trackers_;
  std::vector<const HelpFile *> files_;
  std::uint64_t hash_ = 14695981039346656037ULL;
  std::string row0_before_;
  bool panel_ = false;
  int pending_message_ = 0;
  std::size_t log_mark_ = 0;
};

// A folder of its own for the snapshots of the measuring runs, so that a
// run without a record never overwrites what the tests wrote.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string name = (fs::temp_directory_path() / "formsterm-coverage-XXXXXX").string();
    if (mkdtemp(name.data()) != nullptr) path_ = name;
  }
  ~ScratchFolder() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder &) = delete;
  ScratchFolder &operator=(const ScratchFolder &) = delete;
  const fs::path &path() const { return path_; }

 private:
  fs::path path_;
};

// Runs every test of the scripts once with the change; the fingerprint of it all.
std::uint64_t run_scripts(const TestOptions &options, const std::vector<HelpFile> &files, Change change,
                          Outcomes *outcomes) {
  const ScratchFolder snapshots;
  std::uint64_t fingerprint = 0;
  for (const std::string &script : options.scripts) {
    HostOptions host_options;
    host_options.library_path = options.library_path;
    host_options.script = script;
    host_options.snapshot_dir = snapshots.path();
    ScriptHost host(host_options);
    RunWatch watch(host.script_dir(), files, change, outcomes);
    host.add_observer(&watch);
    host.fresh_start();
    watch.test_ended(host.run_script());
    for (int i = 0; i < host.test_count(); ++i) {
      if (!options.filter.empty() && host.test_name(i).find(options.filter) == std::string::npos) continue;
      host.fresh_start();
      watch.test_ended(host.run_test(i));
    }
    host.remove_observer(&watch);
    fingerprint = fingerprint * 31 + watch.fingerprint();
  }
  return fingerprint;
}

std::vector<HelpFile> candidate_files(const TestOptions &options) {
  std::vector<HelpFile> files;
  std::set<fs::path> folders;
  for (const std::string &script : options.scripts) {
    const fs::path folder =
        fs::path(script).parent_path().empty() ? fs::path(".") : fs::path(script).parent_path();
    if (!folders.insert(folder).second) continue;
    std::error_code ec;
    for (const auto &entry : fs::directory_iterator(folder, ec))
      if (entry.is_regular_file(ec) && entry.path().extension() != ".lua")
        if (std::optional<HelpFile> file = help_file_at(entry.path())) files.push_back(std::move(*file));
  }
  return files;
}

// What the driver reads a record as: the first use that a definition,
// option text or the message table gives it.
std::string record_kind(const HelpFile &file, int number) {
  const std::string &text = file.texts.at(number);
  if (is_field_definition(text)) return "field definitions";
  if (is_panel_options(text)) return "panel options";
  if (is_message_record(number)) return "messages";
  for (const auto &[other, definition] : file.texts) {
    if (!is_field_definition(definition)) continue;
    const FieldFacts f = facts_of(definition);
    auto holds = [number](const std::optional<std::pair<int, int>> &range) {
      return range && number >= range->first && number <= range->second;
    };
    if (holds(f.help)) return "help texts";
    if (holds(f.screen)) return "screens";
    const std::string letter = keyword_piece(definition, kVerify).value_or("");
    const VerifyLetter *verify = letter.empty() ? nullptr : find_verify_letter(letter[0]);
    if (verify == nullptr || verify->records == 0) continue;
    const int low = keyword_number(definition, kVerify, 1), high = keyword_number(definition, kVerify, 2);
    const bool read = verify->read_as == READ_AS_LIST
                          ? number >= low && number <= high
                          : number == low || (verify->records > 1 && number == high);
    if (read) return "mask, list and range records";
  }
  return "other records";
}

// The records of a file that the tests never read.
std::vector<int> never_read(const HelpFile &file) {
  std::vector<int> never;
  for (const auto &[number, text] : file.texts)
    if (!file.read.count(number)) never.push_back(number);
  return never;
}

// The outcomes reached by each field definition of a file, by record.
std::vector<std::pair<int, std::set<int>>> field_outcomes(const HelpFile &file, const Outcomes &outcomes) {
  std::vector<std::pair<int, std::set<int>>> fields;
  for (const HelpRecord &r : file.records) {
    const std::optional<int> number = record_number(r.text);
    if (!number || !is_field_definition(text_of(r.text))) continue;
    auto it = outcomes.find({file.path, *number});
    fields.emplace_back(*number, it == outcomes.end() ? std::set<int>() : it->second);
  }
  return fields;
}

int field_number(const HelpFile &file, int record) { return facts_of(file.texts.at(record)).number; }

void write_text_report(const std::vector<const HelpFile *> &used, const Outcomes &outcomes,
                       std::ostream &out) {
  for (const HelpFile *file : used) {
    const std::vector<int> never = never_read(*file);
    const std::string name = file->path.filename().string();
    out << name << ": " << file->read.size() << " of " << file->texts.size() << " records read";
    if (!never.empty()) out << "; never:";
    for (int number : never) out << " " << four_digits(number);
    out << "\n";
    std::map<std::string, std::string> never_by_kind;
    for (int number : never) never_by_kind[record_kind(*file, number)] += " " + four_digits(number);
    for (const auto &[kind, numbers] : never_by_kind)
      out << "  never read, " << kind << ":" << numbers << "\n";
    std::size_t reached = 0;
    const auto fields = field_outcomes(*file, outcomes);
    for (const auto &[record, reached_here] : fields) {
      reached += reached_here.size();
      std::string list;
      for (int o : reached_here) list += (list.empty() ? "" : ", ") + outcome_name(o);
      out << "  record " << four_digits(record) << " FI=" << field_number(*file, record) << ": "
          << (list.empty() ? "no outcome reached" : list) << "\n";
    }
    out << name << ": " << reached << " outcomes reached in " << fields.size() << " field definitions\n";
  }
}

nlohmann::json json_report(const std::vector<const HelpFile *> &used, const Outcomes &outcomes) {
  nlohmann::json files = nlohmann::json::array();
  for (const HelpFile *file : used) {
    nlohmann::json fields = nlohmann::json::array();
    std::size_t reached = 0;
    for (const auto &[record, reached_here] : field_outcomes(*file, outcomes)) {
      nlohmann::json names = nlohmann::json::array();
      for (int o : reached_here) names.push_back(outcome_name(o));
      reached += reached_here.size();
      fields.push_back({{"record", record}, {"field", field_number(*file, record)}, {"outcomes", names}});
    }
    files.push_back({{"file", file->path.string()},
                     {"records", file->texts.size()},
                     {"read", file->read},
                     {"never", never_read(*file)},
                     {"outcomes_reached", reached},
                     {"fields", fields}});
  }
  return {{"help_files", files}};
}

}  // namespace

int report_coverage(const TestOptions &options, const std::string &json_file, std::ostream &out) {
  std::vector<HelpFile> files = candidate_files(options);
  Outcomes outcomes;
  const std::uint64_t baseline = run_scripts(options, files, {}, &outcomes);
  if (run_scripts(options, files, {}, nullptr) != baseline) {
    out << "coverage: the tests do not run the same way twice (a clock or random numbers outside the "
           "terminal?), "
           "so what each record does cannot be told\n";
    return 1;
  }
  std::vector<const HelpFile *> used;
  for (HelpFile &file : files) {
    if (run_scripts(options, files, {&file, std::nullopt}, nullptr) == baseline) continue;
    used.push_back(&file);
    for (std::size_t i = 0; i < file.records.size(); ++i)
      if (run_scripts(options, files, {&file, i}, nullptr) != baseline)
        file.read.insert(*record_number(file.records[i].text));
  }
  if (used.empty()) {
    out << "coverage: the tests used no help file (none of the files beside the scripts changes their run)\n";
    return 0;
  }
  std::ofstream json_out;
  if (!json_file.empty()) {
    json_out.open(json_file);
    if (!json_out) {
      out << "coverage: cannot write " << json_file << "\n";
      return 1;
    }
  }
  out << "coverage:\n";
  write_text_report(used, outcomes, out);
  // Texts from the files may hold any byte; replace what is not UTF-8.
  if (!json_file.empty())
    json_out << json_report(used, outcomes).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
             << "\n";
  return 0;
}

}  // namespace formsterm
