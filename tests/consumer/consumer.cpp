// consumer.cpp - the smallest host of the panel driver: loads the installed
// libforms.so through termrt's loader, runs one command on the simulated
// terminal and prints main's result and the screen's first row.
#include <cstdio>

#include "loader.h"
#include "terminal.h"

int main() {
  void *library = termrt::load_library(FORMS_LIBRARY);
  if (library == nullptr) {
    std::fprintf(stderr, "consumer: cannot load %s: %s\n", FORMS_LIBRARY, termrt::loader_error().c_str());
    return 1;
  }
  const auto entry = reinterpret_cast<termrt::Entry>(termrt::library_symbol(library, "main"));
  if (entry == nullptr) {
    std::fprintf(stderr, "consumer: %s exports no main\n", FORMS_LIBRARY);
    termrt::unload_library(library);
    return 1;
  }
  termrt::Terminal &terminal = termrt::terminal();
  terminal.key(termrt::kEnter);  // for the report of an unknown command, which waits for a key
  const int result = entry(3, "07NOTHING");
  std::printf("main: %d\nrow 0: %s\n", result, terminal.row_text(0).c_str());
  termrt::unload_library(library);
  return 0;
}
