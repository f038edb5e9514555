// check_mode.h - `formsterm check HELPFILE`: whether a help file will work
// with the panel driver. The layout (numbered records in the ascending order
// that the lookup's binary search needs, no number twice), the message
// records the driver shows, every field read as the driver will read it,
// and every field definition and panel option record run through the
// library itself on the simulated terminal.
#ifndef FORMSTERM_CHECK_MODE_H
#define FORMSTERM_CHECK_MODE_H

#include <iosfwd>
#include <string>
#include <vector>

#include "check/check_options.h"
#include "check/finding.h"
#include "check/help_file.h"
#include "check/keywords.h"
#include "check/library_probe.h"
#include "check/record_checks.h"

namespace formsterm {

// Everything a check finds in a help file's content, sorted by file and
// line; options.help_file names where it lies (its folder holds the files it
// names), and options.program, when set, is run to check its panels.
// Findings that options.ignored names are left out.
struct HelpFileCheck {
  std::vector<Finding> findings;
  int records = 0;
  int definitions = 0;
  int panels = 0;
  int program_panels = -1;  // -1 without a program
};
HelpFileCheck check_help_text(const CheckOptions &options, const std::string &content);

// Reads --ignore NAME:RECORD; an unknown name or a bad record number is an
// error that lists the names.
std::optional<IgnoredFinding> parse_ignore(const std::string &text, std::string &error);

// Prints the findings in options.format; returns the exit status: 0 when
// all is well, 1 with an error, 2 when the file cannot be read.
int run_check(const CheckOptions &options, std::ostream &out);

}  // namespace formsterm

#endif
