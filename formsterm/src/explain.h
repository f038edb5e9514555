// explain.h - `formsterm explain CODE`: what a result code means, the
// command that raises it and what to change.
#ifndef FORMSTERM_EXPLAIN_H
#define FORMSTERM_EXPLAIN_H

#include <iosfwd>
#include <string_view>

namespace formsterm {

// Prints the code's entry, or for an unknown code the families of codes.
// Returns the exit status: 0 for a known code.
int explain_code(std::string_view code, std::ostream &out);

}  // namespace formsterm

#endif
