// check_options.h - what one run of the help-file check is asked to do.
#ifndef FORMSTERM_CHECK_OPTIONS_H
#define FORMSTERM_CHECK_OPTIONS_H

#include <string>
#include <vector>

namespace formsterm {

struct CheckCache;

enum class CheckFormat { text, sarif };

// A finding silenced for one record: --ignore NAME:RECORD.
struct IgnoredFinding {
  std::string name;
  int record = 0;
};

struct CheckOptions {
  std::string library_path;
  std::string help_file;
  std::string program;  // a transaction program whose panels are checked, or empty
  CheckFormat format = CheckFormat::text;
  std::vector<IgnoredFinding> ignored;
  // Runs each definition and option record through the library. The fuzz
  // target turns it off: the library has fuzz targets of its own, and a
  // load of it per record would slow the search for the check's own faults.
  bool run_library = true;
  // An editor's cache of the folder and of the library's outcomes; the
  // folder is then never read.
  CheckCache *cache = nullptr;
};

}  // namespace formsterm

#endif
