// script.h - the text form of an input of the entry fuzz target.
//
// An input is a script: lines ended by '\n', each a tag character and its
// payload. Payloads take the escapes \\ \n \r \t \0 and \xHH, so any byte can
// be written; a line is read as it stands after that.
//
//   C<command string>   main(3, string), the length digits included
//   E<code>             main(code, "") for any decimal code
//   N                   main(3, no string at all)
//   V<n>=<text>         user variable n holds text
//   L<n>=<capacity>     user variable n takes at most capacity characters
//   U<n>                user variable n cannot be read
//   D<n>                user variable n does not exist
//   H<text>             a record (text and its zero byte) added to HELP.VAL
//   F<name>=<text>      a record added to data file name
//   G<name>=<bytes>     bytes added to data file name as they are (no zero)
//   Q<name>=<answer>    _Validation answers this for file name ("" for all)
//   K<keys>             keys: each byte its own code; ~E Enter, ~C cancel,
//                       ~P previous, ~O complete, ~B blank entry, ~N next,
//                       ~L left, ~R right, ~K backspace, ~H help, ~~ a tilde,
//                       ~xHHHH any code
//   S<data>             a scan of data with status 0
//   R<bytes>            a raw sensor record (status, unused, length, data),
//                       any length byte included
//   X / x               the idle manager asks the command to stop / no more
//   W<ms>               the clock moves on
//   T<YYMMDDhhmmss>     the clock is set
//   #...                a comment
//
// Commands (C, E, N) and file lines (H, F, G) are taken in script order. The
// input lines (K, S, R, X, W) and the variable and validation lines in front
// of them are also taken while a command waits for input with nothing
// queued (not during the passes of a pause or a timed message): each such
// wait takes the lines up to and including the next input line, so a script
// reads as a conversation with the panel.
#ifndef FORMS_FUZZ_SCRIPT_H
#define FORMS_FUZZ_SCRIPT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

struct Line {
  char tag;
  std::string payload;  // escapes resolved
};

// The lines of data, at most max_lines of them.
std::vector<Line> parse_script(const std::uint8_t *data, std::size_t size, std::size_t max_lines);

// The key codes of a K payload.
std::vector<std::uint16_t> key_codes(const std::string &payload);

// A decimal number at the start of text (sign allowed, clamped to int).
int leading_number(const std::string &text);

// Splits "name=rest" at the first '='; without one, name is the whole text.
void split_assignment(const std::string &text, std::string *name, std::string *rest);

}  // namespace fuzz

#endif
