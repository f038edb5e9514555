// text.h - the small text and file helpers that every room of formsterm
// uses: a text in quotes, a row without its trailing blanks, a prefix test
// and a whole file read as bytes.
#ifndef FORMSTERM_COMMON_TEXT_H
#define FORMSTERM_COMMON_TEXT_H

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace formsterm {

// "\"text\"", as findings and failures show a value.
std::string in_quotes(std::string_view text);

// The text without its trailing blanks, as a display row reads.
std::string right_trimmed(std::string_view text);

bool starts_with(std::string_view text, std::string_view head);

// The text in capitals (ASCII), as the driver compares names.
std::string upper(std::string_view text);

// The bytes of a regular file as they are, or nothing when it is not one or
// cannot be read.
std::optional<std::string> read_file(const std::filesystem::path &path);

}  // namespace formsterm

#endif
