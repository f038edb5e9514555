// report_bench.cpp - what `formsterm test --report DIR --junit FILE` costs:
// the example's tests run as they are, and run with the HTML report and the
// JUnit XML written. The report may add less than half to the run's wall
// time; compare the two lines (run by hand, never by CTest).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>

#include "cli/test_mode.h"

namespace {

namespace fs = std::filesystem;

formsterm::TestOptions example_options() {
  formsterm::TestOptions options;
  options.library_path = FORMS_LIBRARY_PATH;
  options.scripts = {EXAMPLE_TEST};
  return options;
}

void run(benchmark::State &state, const formsterm::TestOptions &options) {
  for (auto _ : state) {
    std::ostringstream out, err;
    const int status = formsterm::run_tests(options, out, err);
    if (status != 0) state.SkipWithError("the example's tests failed");
  }
}

void BM_ExampleTests(benchmark::State &state) { run(state, example_options()); }

void BM_ExampleTestsWithReport(benchmark::State &state) {
  const fs::path dir = fs::temp_directory_path() / "formsterm-report-bench";
  formsterm::TestOptions options = example_options();
  options.report_dir = dir.string();
  options.junit_file = (dir / "junit.xml").string();
  run(state, options);
  std::uintmax_t bytes = 0;
  for (const auto &entry : fs::directory_iterator(dir)) bytes += entry.file_size();
  state.counters["report_bytes"] = static_cast<double>(bytes);
  fs::remove_all(dir);
}

BENCHMARK(BM_ExampleTests)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExampleTestsWithReport)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
