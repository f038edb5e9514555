// check_bench.cpp - cost of `formsterm check` on generated help files of
// 50 to 200 panels (200 panels fill the 9,999 records a help file can
// hold). Each panel: an option record, five field definitions with a list
// check and a help range, and their list entries and help texts; the rest
// of the file is plain text records. The time should grow linearly with
// the panels (Complexity) and stay under 2 s for 200.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "check/check_mode.h"

namespace {

constexpr int kRecords = 9999;
constexpr int kRecordsPerPanel = 45;  // numbers one panel's records take
constexpr int kFieldsPerPanel = 5;
const char *const kMessages[] = {"Checking",       "Key too long",
                                 "Not allowed",    "Wrong format",
                                 "Out of range",   "Bad digit",
                                 "Bad date",       "Fill it in",
                                 "Fill the field", "Key not allowed",
                                 "Time is up",     "Scan too long",
                                 "Scan refused",   "",
                                 "Wrong label",    "Press Enter",
                                 "Bad time",       "Value used"};

std::string record(int number, const std::string &text) {
  return formsterm::four_digits(number) + " " + text;
}

// A help file of the given panels, filled up to records_total with text.
std::string help_file(int panels, int records_total) {
  std::vector<std::string> records;
  std::set<int> used;
  auto add = [&](int number, const std::string &text) {
    records.push_back(record(number, text));
    used.insert(number);
  };
  for (int m = 1; m <= 18; ++m)
    if (*kMessages[m - 1]) add(m, kMessages[m - 1]);
  for (int p = 0; p < panels; ++p) {
    const int base = 20 + p * kRecordsPerPanel;
    add(base, "T=60 TOE=N REASON=7");
    for (int f = 1; f <= kFieldsPerPanel; ++f) {
      const int list = base + 10 + f * 5;
      add(base + f, "FI=" + std::to_string(f) + " INPUT=ALPHA LEN=6 ROW=" + std::to_string(2 * f) +
                        " COL=13 RUV=" + std::to_string(f) + " VERT=S," + std::to_string(list) + "," +
                        std::to_string(list + 3) + " HELP=" + std::to_string(list) + "," +
                        std::to_string(list + 1));
      for (int k = 0; k < 4; ++k) add(list + k, "ENTRY" + std::to_string(k));
    }
  }
  for (int n = 1; static_cast<int>(records.size()) < records_total && n <= kRecords; ++n)
    if (!used.count(n)) add(n, "text " + std::to_string(n));
  std::sort(records.begin(), records.end());
  std::string content;
  for (const std::string &r : records) content += r + "\n";
  return content;
}

// The records grow with the panels: 200 panels in 9,999 records.
void CheckHelpFile(benchmark::State &state) {
  const int panels = static_cast<int>(state.range(0));
  const std::string content = help_file(panels, kRecords * panels / 200);
  formsterm::CheckOptions options;
  options.library_path = FORMS_LIBRARY_PATH;
  // An empty folder: the check reads every file beside the help file.
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "formsterm_check_bench";
  std::filesystem::create_directories(folder);
  options.help_file = (folder / "HELP.VAL").string();
  for (auto _ : state) {
    const formsterm::HelpFileCheck checked = formsterm::check_help_text(options, content);
    benchmark::DoNotOptimize(checked.findings.size());
  }
  state.SetComplexityN(panels);
}
BENCHMARK(CheckHelpFile)
    ->Arg(25)
    ->Arg(50)
    ->Arg(100)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
