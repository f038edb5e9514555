// coverage.h - `formsterm test --coverage[=FILE]`: which records of each
// help file the tests read, and which outcomes of each field definition
// (accepted, each rejection message by number) they reached.
//
// The library searches the help file's image in place, and the run-time
// interface never says which record a lookup was after. So a record counts
// as read when the tests depend on it: the scripts are run once as they
// are, then once without each record, and a record is read when the run
// without it differs (in any command, result, screen at a wait, signal or
// log entry, or test outcome) from the run with it. A lookup that does not
// find the record behaves as if it never asked, so nothing unread is ever
// counted as read; a record that the driver looked at without effect on the
// run (a list entry that did not match) counts as never read, which is what
// a test author wants to know. Field outcomes are watched in the run as it
// is: a message popup while the panel runs, given to the field where the
// cursor stands next; acceptance, when completion stores the field's value.
#ifndef FORMSTERM_COVERAGE_H
#define FORMSTERM_COVERAGE_H

#include <iosfwd>
#include <string>

#include "cli/test_mode.h"

namespace formsterm {

// Measures and prints the coverage of the scripts' help files; writes JSON
// to json_file when it is not empty. Returns 0, or 1 when it could not be
// measured.
int report_coverage(const TestOptions &options, const std::string &json_file, std::ostream &out);

}  // namespace formsterm

#endif
