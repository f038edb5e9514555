// text.cpp - the shared text and file helpers.
#include "common/text.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace formsterm {

std::string in_quotes(std::string_view text) {
  std::string out = "\"";
  out += text;
  out += '"';
  return out;
}

std::string right_trimmed(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

bool starts_with(std::string_view text, std::string_view head) { return text.substr(0, head.size()) == head; }

std::string upper(std::string_view text) {
  std::string out(text);
  for (char &c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::optional<std::string> read_file(const std::filesystem::path &path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return content.str();
}

}  // namespace formsterm
