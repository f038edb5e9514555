// script.cpp - reading the lines, escapes and keys of an entry fuzz input.
#include "script.h"

#include <climits>

namespace fuzz {

namespace {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string unescape(const std::string &raw) {
  std::string out;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    char c = raw[i];
    if (c != '\\' || i + 1 == raw.size()) {
      out += c;
      continue;
    }
    char e = raw[++i];
    switch (e) {
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case '0': out += '\0'; break;
      case 'x': {
        int high = i + 1 < raw.size() ? hex_digit(raw[i + 1]) : -1;
        int low = i + 2 < raw.size() ? hex_digit(raw[i + 2]) : -1;
        if (high < 0 || low < 0) {
          out += 'x';
          break;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default: out += e; break;
    }
  }
  return out;
}

}  // namespace

std::vector<Line> parse_script(const std::uint8_t *data, std::size_t size, std::size_t max_lines) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < size && lines.size() < max_lines) {
    std::size_t end = start;
    while (end < size && data[end] != '\n') ++end;
    if (end > start) {
      std::string raw(reinterpret_cast<const char *>(data) + start + 1, end - start - 1);
      lines.push_back(Line{static_cast<char>(data[start]), unescape(raw)});
    }
    start = end + 1;
  }
  return lines;
}

std::vector<std::uint16_t> key_codes(const std::string &payload) {
  std::vector<std::uint16_t> codes;
  for (std::size_t i = 0; i < payload.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(payload[i]);
    if (c != '~' || i + 1 == payload.size()) {
      codes.push_back(c);
      continue;
    }
    char name = payload[++i];
    switch (name) {
      case 'E': codes.push_back(13); break;
      case 'C': codes.push_back(256); break;
      case 'P': codes.push_back(512); break;
      case 'O': codes.push_back(768); break;
      case 'B': codes.push_back(1024); break;
      case 'N': codes.push_back(1536); break;
      case 'L': codes.push_back(174); break;
      case 'R': codes.push_back(175); break;
      case 'K': codes.push_back(1280); break;
      case 'H': codes.push_back(15104); break;
      case 'x': {
        unsigned int code = 0;
        int digits = 0;
        while (digits < 4 && i + 1 < payload.size() && hex_digit(payload[i + 1]) >= 0) {
          code = code * 16 + static_cast<unsigned int>(hex_digit(payload[++i]));
          ++digits;
        }
        codes.push_back(static_cast<std::uint16_t>(code));
        break;
      }
      default: codes.push_back(static_cast<unsigned char>(name)); break;
    }
  }
  return codes;
}

int leading_number(const std::string &text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = value * 10 + (text[i++] - '0');
    if (value > INT_MAX) value = INT_MAX;
  }
  return static_cast<int>(negative ? -value : value);
}

void split_assignment(const std::string &text, std::string *name, std::string *rest) {
  std::size_t eq = text.find('=');
  *name = text.substr(0, eq);
  *rest = eq == std::string::npos ? std::string() : text.substr(eq + 1);
}

}  // namespace fuzz
