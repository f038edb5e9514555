// finding.h - what the help-file check reports: one finding per problem,
// each of a kind with a stable name that tools filter on, `--ignore`
// silences and `formsterm explain NAME` explains.
#ifndef FORMSTERM_FINDING_H
#define FORMSTERM_FINDING_H

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace formsterm {

// One finding; line 0 means the file as a whole. Warnings do not fail a
// check. file: where the finding is, when not in the help file (a program).
// column and length: the bytes of the line that the finding is about (from
// 0; length 0 is the whole line). name: the finding's stable name.
// record: the help record it is about (0 for none), for --ignore.
struct Finding {
  Finding(std::string_view kind, int at_line, std::string what, bool is_warning = false,
          std::string in_file = {})
      : line(at_line), text(std::move(what)), warning(is_warning), file(std::move(in_file)), name(kind) {}
  int line = 0;
  std::string text;
  bool warning = false;
  std::string file;
  std::string name;
  std::size_t column = 0;
  std::size_t length = 0;
  int record = 0;
};

// A kind of finding: its stable name, one line on what it is, and what the
// driver does and what to change.
struct FindingKind {
  std::string_view name;
  std::string_view summary;
  std::string_view explanation;
};

const std::vector<FindingKind> &finding_kinds();
const FindingKind *find_finding_kind(std::string_view name);

// `formsterm explain NAME`: prints the kind's explanation; false when no
// finding has that name.
bool explain_finding(std::string_view name, std::ostream &out);

// Points the finding at the first place of word in line (the keyword or
// value it is about), so that an editor can underline it.
void point_at(Finding &finding, const std::string &line, const std::string &word);

}  // namespace formsterm

#endif
