// library_probe.cpp - one command through a fresh library, its error
// reports read off the display.
#include "check/library_probe.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "check/help_file.h"
#include "check/keywords.h"
#include "common/text.h"
#include "driver/library.h"
#include "driver/session.h"
#include "fields/table.h"
#include "terminal.h"

namespace formsterm {

namespace {

// How often the probe answers a waiting library before it lets it starve.
constexpr int kProbeAnswers = 50;

// A file's content as the terminal loads it: an image (a content that
// holds a zero byte) as it is, a text as its lines, each ended by a zero
// byte. An image is handed over as it is, so the terminal need not split
// the text again for every command.
std::string terminal_image(const std::string &content) {
  if (content.find('\0') != std::string::npos) return content;
  std::string image;
  image.reserve(content.size() + 1);
  for (const HelpRecord &r : split_records(content)) {
    image += r.text;
    image += '\0';
  }
  return image;
}

}  // namespace

std::optional<std::string> error_report_on(const std::string &row0) {
  const std::optional<StandingReport> report = report_on_row(row0);
  if (!report || report->code == "append") return std::nullopt;
  return report->code + " " + report->text;
}

LibraryProbe::LibraryProbe(std::string library_path, std::string help_content, std::string folder,
                           const FolderFiles *given)
    : library_path_(std::move(library_path)), help_image_(terminal_image(help_content)) {
  if (given != nullptr) {
    for (const auto &[name, content] : *given) files_.emplace_back(name, terminal_image(content));
    return;
  }
  if (folder.empty()) return;
  std::error_code ec;
  for (const auto &entry : std::filesystem::directory_iterator(folder, ec)) {
    if (!entry.is_regular_file(ec)) continue;
    files_.emplace_back(entry.path().filename().string(),
                        terminal_image(read_file(entry.path()).value_or("")));
  }
}

void LibraryProbe::reset_terminal() const {
  termrt::Terminal &t = termrt::terminal();
  t.reset();
  for (const auto &[name, image] : files_) t.add_file(name, image);
  t.add_file(KW_DEFAULT(KW_FILE), help_image_);
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
    for (int field = 1; field <= FIELD_COUNT; ++field) {
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

}  // namespace formsterm
