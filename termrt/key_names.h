// key_names.h - the key codes a host queues on the terminal, as termrt::Key
// (kEnter, kCancel, ...), from the run-time's one table of key codes.
#ifndef TERMRT_KEY_NAMES_H
#define TERMRT_KEY_NAMES_H

#include <cstdint>

#include "platform/key_codes.h"

namespace termrt {

#define TERMRT_KEY_NAME(name, host_name, code) k##host_name = code,
enum Key : std::uint16_t { FORMS_KEY_CODES(TERMRT_KEY_NAME) };
#undef TERMRT_KEY_NAME

}  // namespace termrt

#endif
