// explain.h - `formsterm explain CODE`: what a result code means, the
// command that raises it and what to change; `explain VERT=`, a keyword
// (the VERT= letters and their records with it); `explain Z`, every code of
// a family; and the keyword reference built from the same tables.
#ifndef FORMSTERM_EXPLAIN_H
#define FORMSTERM_EXPLAIN_H

#include <iosfwd>
#include <string_view>

namespace formsterm {

// Prints the code's, keyword's or family's entry, or for an unknown code the
// families of codes. Returns the exit status: 0 for a known one.
int explain_code(std::string_view code, std::ostream &out);

// `formsterm help keywords`: every keyword of the field definition, the
// panel options, SET_HEL and the one-time help range, with what the driver
// does without it, what a good value is with an example, its codes and the
// records it reads; the VERT= letters, the message records, when the checks
// run, the input kinds' stored values and the driver's limits.
void print_keywords(std::ostream &out);

}  // namespace formsterm

#endif
