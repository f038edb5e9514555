// check_output.h - the findings of a check as people read them (one
// compiler-style line each and a summary) and as code-scanning tools read
// them (SARIF 2.1.0).
#ifndef FORMSTERM_CHECK_OUTPUT_H
#define FORMSTERM_CHECK_OUTPUT_H

#include <iosfwd>

#include "check/check_mode.h"

namespace formsterm {

// FILE:LINE: error: [NAME] TEXT, then a line that counts them.
void write_text(const CheckOptions &options, const HelpFileCheck &checked, std::ostream &out);

// One SARIF run: a rule per kind of finding, a result per finding.
void write_sarif(const CheckOptions &options, const HelpFileCheck &checked, std::ostream &out);

}  // namespace formsterm

#endif
