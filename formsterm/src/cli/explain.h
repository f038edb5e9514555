// explain.h - `formsterm explain CODE`: what a result code means, the
// command that raises it and what to change; and the keyword reference
// built from the same tables.
#ifndef FORMSTERM_EXPLAIN_H
#define FORMSTERM_EXPLAIN_H

#include <iosfwd>
#include <string_view>

namespace formsterm {

// Prints the code's entry, or for an unknown code the families of codes.
// Returns the exit status: 0 for a known code.
int explain_code(std::string_view code, std::ostream &out);

// `formsterm help keywords`: every keyword of the field definition, the
// panel options, SET_HEL and the one-time help range, with what the driver
// does without it and what a good value is.
void print_keywords(std::ostream &out);

}  // namespace formsterm

#endif
