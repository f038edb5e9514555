// entry_fuzz.cpp - fuzz target of the whole library through its entry point.
//
// Each input is a script (script.h) of command strings, user variables,
// help and data file images, keys, scans and raw sensor records, run over
// the simulated terminal. Every input starts from a new terminal and the
// library's globals as at load, so a finding is reproduced by its input
// alone. The script runs as session.h says, as it does in the transcript
// replayer (tools/replay), so a finding replays there too.
//
// Besides the sanitizers' findings, the fixed-size texts of the library's
// globals must stay terminated inside their arrays after every command: an
// overrun inside one global record is invisible to the address sanitizer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "commands/unique.h"
#include "entry/entry.h"
#include "entry/state.h"
#include "fields/table.h"
#include "screen/popup.h"
#include "session.h"
#include "terminal.h"

namespace {

// With FORMS_FUZZ_TRACE set, each command, its result and the screen after
// it go to standard error: to see what a seed or a finding does.
void trace(const fuzz::Line &line, int result) {
  static const bool on = std::getenv("FORMS_FUZZ_TRACE") != nullptr;
  if (!on) return;
  termrt::Terminal &t = termrt::terminal();
  std::fprintf(stderr, "%c%s -> %d%s\n%s", line.tag, line.payload.c_str(), result,
               t.starved() ? " (starved)" : "", t.screen_text().c_str());
}

bool terminated(const char *text, std::size_t size) { return std::memchr(text, '\0', size) != nullptr; }

void check_globals() {
  bool ok = terminated(decimal_style, sizeof decimal_style) &&
            terminated(help_file_name, sizeof help_file_name) && popup_lines >= 0 &&
            popup_lines <= POPUP_MAX_LINES;
  for (int f = 0; f < FIELD_COUNT; ++f)
    ok = ok && terminated(fields.value[f], FIELD_VALUE_SIZE) &&
         terminated(fields.verify_file[f], VERIFY_FILE_SIZE) &&
         terminated(fields.verify_suffix[f], VERIFY_SUFFIX_SIZE) &&
         terminated(fields.data_id[f], DATA_ID_SIZE);
  for (int l = 0; l < UNIQUE_LIST_COUNT; ++l) {
    ok = ok && unique_next[l] >= 0 && unique_next[l] < UNIQUE_ENTRY_COUNT;
    for (int e = 0; e < UNIQUE_ENTRY_COUNT; ++e)
      ok = ok && terminated(unique_lists[l][e], UNIQUE_VALUE_MAX + 1);
  }
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  reset_library_state();
  fuzz::StepHooks hooks;
  hooks.after = [](const fuzz::Line &line, int, int result) {
    trace(line, result);
    check_globals();
  };
  fuzz::run_script(data, size, forms_entry, hooks);
  return 0;
}
