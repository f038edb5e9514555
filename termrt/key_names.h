// key_names.h - the key codes a host queues on the terminal, as termrt::Key.
//
// The codes are the run-time's own, from platform/keys.h. Its KEY_ names are
// also curses' names for other keys, and a host may well use both: so the
// codes are taken from that header here and every one of its names is left
// as it was before, defined or not.
#ifndef TERMRT_KEY_NAMES_H
#define TERMRT_KEY_NAMES_H

#include <cstdint>

#pragma push_macro("FORMS_PLATFORM_KEYS_H")
#pragma push_macro("KEY_ENTER")
#pragma push_macro("KEY_LEFT")
#pragma push_macro("KEY_RIGHT")
#pragma push_macro("KEY_CANCEL")
#pragma push_macro("KEY_PREVIOUS")
#pragma push_macro("KEY_COMPLETE")
#pragma push_macro("KEY_BLANK_ENTRY")
#pragma push_macro("KEY_BACKSPACE")
#pragma push_macro("KEY_NEXT")
#pragma push_macro("KEY_HELP")
#undef FORMS_PLATFORM_KEYS_H
#undef KEY_ENTER
#undef KEY_LEFT
#undef KEY_RIGHT
#undef KEY_CANCEL
#undef KEY_PREVIOUS
#undef KEY_COMPLETE
#undef KEY_BLANK_ENTRY
#undef KEY_BACKSPACE
#undef KEY_NEXT
#undef KEY_HELP
#include "platform/keys.h"

namespace termrt {

// Key codes as the keyboard delivers them.
enum Key : std::uint16_t {
  kEnter = KEY_ENTER,
  kLeft = KEY_LEFT,
  kRight = KEY_RIGHT,
  kCancel = KEY_CANCEL,
  kPrevious = KEY_PREVIOUS,
  kComplete = KEY_COMPLETE,
  kBlankEntry = KEY_BLANK_ENTRY,
  kBackspace = KEY_BACKSPACE,
  kNext = KEY_NEXT,
  kHelp = KEY_HELP,
};

}  // namespace termrt

#pragma pop_macro("KEY_HELP")
#pragma pop_macro("KEY_NEXT")
#pragma pop_macro("KEY_BACKSPACE")
#pragma pop_macro("KEY_BLANK_ENTRY")
#pragma pop_macro("KEY_COMPLETE")
#pragma pop_macro("KEY_PREVIOUS")
#pragma pop_macro("KEY_CANCEL")
#pragma pop_macro("KEY_RIGHT")
#pragma pop_macro("KEY_LEFT")
#pragma pop_macro("KEY_ENTER")
#pragma pop_macro("FORMS_PLATFORM_KEYS_H")

#endif
