// runcmds - runs the command strings of a file through the panel driver
// library, as the terminal does: the library is loaded (dlopen, or
// LoadLibrary on Windows) and its exported main is called, over the
// simulated run-time. Prints the screen at the end.
//
// Each line of the file is one of:
//   # a comment
//   keys 13 256 ...     queue key codes
//   type TEXT           queue the characters of TEXT as keys
//   scan TEXT           queue a sensor record
//   uv N TEXT           set user variable N
//   screen              print the screen now
//   anything else       a command (name and arguments); the length digits
//                       are added, and main's result is printed
// Data files are loaded from the file's own folder.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "loader.h"
#include "terminal.h"

namespace {

void print_screen(const termrt::Terminal &t) {
  std::cout << "+----------------------------------------+\n";
  for (int r = 0; r < termrt::kRows; ++r) std::cout << "|" << t.row_text(r) << "|\n";
  std::cout << "+----------------------------------------+\n";
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::cerr << "usage: runcmds LIBRARY COMMANDS-FILE\n";
    return 2;
  }
  void *library = termrt::load_library(argv[1]);
  if (library == nullptr) {
    std::cerr << "runcmds: cannot load " << argv[1] << ": " << termrt::loader_error() << "\n";
    return 1;
  }
  auto entry = reinterpret_cast<termrt::Entry>(termrt::library_symbol(library, "main"));
  if (entry == nullptr) {
    std::cerr << "runcmds: " << argv[1] << " exports no main\n";
    return 1;
  }
  std::ifstream in(argv[2]);
  if (!in) {
    std::cerr << "runcmds: cannot read " << argv[2] << "\n";
    return 1;
  }
  termrt::Terminal &t = termrt::terminal();
  t.load_directory(std::filesystem::path(argv[2]).parent_path().string().empty()
                       ? "."
                       : std::filesystem::path(argv[2]).parent_path().string());
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string word;
    words >> word;
    std::string rest = line.size() > word.size() + 1 ? line.substr(word.size() + 1) : "";
    if (word == "keys") {
      int code;
      while (words >> code) t.key(static_cast<std::uint16_t>(code));
    } else if (word == "type") {
      t.type(rest);
    } else if (word == "scan") {
      t.scan(rest);
    } else if (word == "uv") {
      int n = 0;
      words >> n;
      std::string text;
      std::getline(words >> std::ws, text);
      t.set_variable(n, text);
    } else if (word == "screen") {
      print_screen(t);
    } else {
      if (line.size() > 99) {
        std::cerr << argv[2] << ":" << number << ": command longer than 99 characters\n";
        return 1;
      }
      char digits[3];
      std::snprintf(digits, sizeof digits, "%02zu", line.size());
      std::string command = digits + line;
      int result = entry(3, command.c_str());
      std::cout << command << " -> " << result << "\n";
      if (t.starved()) {
        std::cerr << argv[2] << ":" << number << ": " << t.starvation() << "\n";
        return 1;
      }
    }
  }
  print_screen(t);
  return 0;
}
