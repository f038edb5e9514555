// lsp_bench.cpp - how soon `formsterm lsp` publishes the findings of a
// 9,999-record help file: once when the file opens (every definition and
// option record run through the library), and after an edit of one record
// (only that record runs again; the folder's files are not read again).
// The file: the example's messages, then records 20 to 9999, every sixth a
// panel option record and the others field definitions 1 to 5.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <iterator>
#include <string>

#include "lsp/server.h"

namespace {

using json = nlohmann::json;

const char *const kUri = "file:///nonexistent/HELP.VAL";
constexpr int kLastRecord = 9999;
constexpr int kFirstPanelRecord = 20;
constexpr int kPanelRecords = 6;  // an option record, then five definitions
constexpr int kEditedLine = 100;  // 0-based: a definition

const char *const kMessages[] = {"0001 Checking...",
                                 "0002 Too much to check",
                                 "0003 Not on file",
                                 "0004 Out of range",
                                 "0005 Bad check digit",
                                 "0006 Bad lot number",
                                 "0007 File not available",
                                 "0008 Please fill in",
                                 "0009 Fill the whole field",
                                 "0010 Key not allowed here",
                                 "0011 Time is up",
                                 "0012 Scan does not fit",
                                 "0013 Scan not accepted here",
                                 "0015 Wrong label scanned",
                                 "0016 Press Enter",
                                 "0017 Not a valid date",
                                 "0018 Wrong format"};

std::string record(int number) {
  char text[96];
  const int field = number % kPanelRecords;
  if (field == 0)
    std::snprintf(text, sizeof text, "%04d T=60 TOE=N ERET=N", number);
  else
    std::snprintf(text, sizeof text, "%04d FI=%d INPUT=NUM LEN=5 ROW=%d COL=10 RUV=%d", number, field,
                  field * 2, field);
  return text;
}

std::string big_help_file() {
  std::string content;
  for (const char *m : kMessages) content += std::string(m) + "\n";
  for (int n = kFirstPanelRecord; n <= kLastRecord; ++n) content += record(n) + "\n";
  return content;
}

// A server on the big file, counting what it publishes.
struct OpenServer {
  int published = 0;
  formsterm::lsp::Server server;
  std::string edited_text;

  OpenServer()
      : server(options(), [this](const json &message) {
          if (message.value("method", "") == "textDocument/publishDiagnostics") ++published;
        }) {
    const std::string content = big_help_file();
    server.handle(json{{"jsonrpc", "2.0"},
                       {"method", "textDocument/didOpen"},
                       {"params", {{"textDocument", {{"uri", kUri}, {"version", 1}, {"text", content}}}}}});
    server.run_due_checks();
  }

  static formsterm::lsp::ServerOptions options() {
    formsterm::lsp::ServerOptions o;
    o.library_path = FORMS_LIBRARY_PATH;
    o.debounce = std::chrono::milliseconds(0);
    return o;
  }

  // Record kEditedLine with a Data ID never written before, so that the
  // library runs it again.
  void edit(int serial) {
    char id[8];
    std::snprintf(id, sizeof id, "%04d", serial % 10000);
    const std::string text =
        record(kFirstPanelRecord + kEditedLine - static_cast<int>(std::size(kMessages))) + " DI=" + id;
    const json range = {{"start", {{"line", kEditedLine}, {"character", 0}}},
                        {"end", {{"line", kEditedLine}, {"character", 200}}}};
    server.handle(json{{"jsonrpc", "2.0"},
                       {"method", "textDocument/didChange"},
                       {"params",
                        {{"textDocument", {{"uri", kUri}, {"version", serial + 2}}},
                         {"contentChanges", json::array({{{"range", range}, {"text", text}}})}}}});
    server.run_due_checks();
  }
};

void BM_OpenBigHelpFile(benchmark::State &state) {
  for (auto _ : state) {
    OpenServer open;
    benchmark::DoNotOptimize(open.published);
  }
}
BENCHMARK(BM_OpenBigHelpFile)->Iterations(1)->Unit(benchmark::kSecond);

void BM_EditOneRecordOfBigHelpFile(benchmark::State &state) {
  static OpenServer open;  // opened once: the first check is the benchmark above
  int serial = 0;
  for (auto _ : state) {
    const int before = open.published;
    open.edit(++serial);
    if (open.published != before + 1) state.SkipWithError("no diagnostics after the edit");
  }
}
BENCHMARK(BM_EditOneRecordOfBigHelpFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
