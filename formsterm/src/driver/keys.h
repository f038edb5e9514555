// keys.h - the names that scripts, the operator and the recorder give
// the terminal's keys ("enter", "complete", ...), for the run-time's key
// codes. The first name of a code is the one formsterm writes.
#ifndef FORMSTERM_DRIVER_KEYS_H
#define FORMSTERM_DRIVER_KEYS_H

#include <optional>
#include <string_view>

namespace formsterm {

// The code of a key name, letter case ignored.
std::optional<int> key_code_named(std::string_view name);

// The name formsterm writes for a code, or nullptr when it has none.
const char *key_name(int code);

// The names to offer when one is not known: "enter, cancel, ...".
std::string_view key_names_offered();

}  // namespace formsterm

#endif
