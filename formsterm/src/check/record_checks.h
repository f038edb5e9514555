// record_checks.h - the checks of a help file's records one by one: the
// layout that the lookup needs, the message records, and the validation
// records that VERT= bounds and masks name.
#ifndef FORMSTERM_RECORD_CHECKS_H
#define FORMSTERM_RECORD_CHECKS_H

#include <vector>

#include "check/finding.h"
#include "check/help_file.h"

namespace formsterm {

std::vector<Finding> check_layout(const std::vector<HelpRecord> &records);
std::vector<Finding> check_messages(const std::vector<HelpRecord> &records);
std::vector<Finding> check_references(const std::vector<HelpRecord> &records);

// "Z8 (INPUT= word not known)"
std::string code_with_meaning(const std::string &code);

}  // namespace formsterm

#endif
