// check_fuzz.cpp - fuzz target of formsterm's help-file check.
//
// Input: a help file, then, after the first byte 0x1E (if any), the value
// file B_FUZZ.VAL beside it. The check reads both as the driver would and
// must give findings for any content, never crash. The records are not run
// through the library here (its own targets fuzz it).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "check/check_mode.h"

namespace {

constexpr char kFileSeparator = '\x1e';

const std::filesystem::path &folder() {
  static const std::filesystem::path path = [] {
    std::filesystem::path p = std::filesystem::temp_directory_path() / "formsterm_check_fuzz";
    std::filesystem::create_directories(p);
    return p;
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::string input(reinterpret_cast<const char *>(data), size);
  const std::size_t split = input.find(kFileSeparator);
  const std::string help = input.substr(0, split);
  {
    std::ofstream value_file(folder() / "B_FUZZ.VAL", std::ios::binary | std::ios::trunc);
    if (split != std::string::npos) value_file << input.substr(split + 1);
  }
  formsterm::CheckOptions options;
  options.help_file = (folder() / "HELP.VAL").string();
  options.run_library = false;
  const formsterm::HelpFileCheck checked = formsterm::check_help_text(options, help);
  for (const formsterm::Finding &f : checked.findings)
    if (f.name.empty() || !formsterm::find_finding_kind(f.name))
      __builtin_trap();  // every finding has a kind
  return 0;
}
