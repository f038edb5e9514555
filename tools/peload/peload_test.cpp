// peload_test.cpp - runs forms32.dll through the PE loader: two commands on
// the simulated terminal, then the loads it must refuse, each naming why.
// Usage: peload_test FORMS32.DLL (exit 77 when the DLL is not there).
#include "peload.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "terminal.h"

namespace {

int failures = 0;

void expect(bool ok, const std::string &what) {
  if (!ok) {
    std::printf("FAIL: %s\n", what.c_str());
    ++failures;
  }
}

// TM_DATE with the 24-hour time into variable 3 and the American date into 4;
// its arguments sit at fixed positions, counted from the length digits.
std::string tm_date_command() {
  std::string command = "52TM_DATE";
  command.resize(54, ' ');
  for (auto [position, text] : {std::pair<int, std::string>{10, "24"}, {30, "03"}, {35, "AMER"}, {52, "04"}})
    command.replace(position, text.size(), text);
  return command;
}

void run_commands(pe_main_fn forms_main) {
  termrt::Terminal &t = termrt::terminal();
  t.reset();
  t.set_clock({2026, 3, 7, 14, 5, 9});
  struct Step {
    std::string command;
    std::string keys;
    int row;            // -1: the screen is not checked
    std::string shown;  // the start of that row afterwards
  } const steps[] = {
      {"12NOTHING ARGS", "x", 0, "Bad CZEB(M1):12NOTHING ARGS "},
      {"12NOTHING ARGS", "x", 1, "Press any key to continue"},
      {tm_date_command(), "", -1, ""},
  };
  for (const Step &step : steps) {
    t.type(step.keys);
    std::vector<char> command(step.command.begin(), step.command.end());
    command.push_back('\0');
    const int result = forms_main(3, command.data());
    expect(result == 0, step.command + ": main returned " + std::to_string(result));
    expect(t.pending_keys() == 0, step.command + ": keys left unread");
    if (step.row < 0) continue;
    const std::string row = t.row_text(step.row);
    expect(row.compare(0, step.shown.size(), step.shown) == 0,
           step.command + ": row " + std::to_string(step.row) + " shows \"" + row + "\"");
  }
  expect(t.variable(3) == "14:05:09", "TM_DATE time: " + t.variable(3).value_or("(none)"));
  expect(t.variable(4) == "03/07/26", "TM_DATE date: " + t.variable(4).value_or("(none)"));
}

// A copy of the DLL with one change, written to the working folder; the
// loader's error must name the reason.
void expect_refusal(const std::vector<unsigned char> &image, const std::string &reason) {
  const std::string path = "peload_refused.dll";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char *>(image.data()), static_cast<std::streamsize>(image.size()));
  char error[256];
  const bool loaded = pe_load(path.c_str(), error, sizeof error) != nullptr;
  std::remove(path.c_str());
  expect(!loaded && std::string(error).find(reason) != std::string::npos,
         "refusal should name \"" + reason + "\", said \"" + error + "\"");
}

void refuse_what_cannot_run(const std::vector<unsigned char> &image) {
  const std::size_t pe = image[0x3c] | image[0x3d] << 8;
  std::vector<unsigned char> x86_64 = image;
  x86_64[pe + 4] = 0x64, x86_64[pe + 5] = 0x86;
  expect_refusal(x86_64, "machine 0x8664");

  const char atoi[] = "atoi";  // with its terminating zero
  std::vector<unsigned char> unknown = image;
  auto name = std::search(unknown.begin(), unknown.end(), atoi, atoi + sizeof atoi);
  expect(name != unknown.end(), "the DLL should import atoi");
  if (name != unknown.end()) name[3] = 'z';
  expect_refusal(unknown, "imports atoz from msvcrt.dll");
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: peload_test FORMS32.DLL\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::printf("SKIP: %s is not there; build it with cmake --workflow --preset win32\n", argv[1]);
    return 77;
  }
  const std::vector<unsigned char> image(std::istreambuf_iterator<char>(in), {});
  refuse_what_cannot_run(image);
  char error[256];
  pe_main_fn forms_main = pe_load(argv[1], error, sizeof error);
  expect(forms_main != nullptr, std::string("load: ") + error);
  if (forms_main) run_commands(forms_main);
  std::printf("%s\n", failures ? "peload_test: failed" : "peload_test: passed");
  return failures ? 1 : 0;
}
