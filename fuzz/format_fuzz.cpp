// format_fuzz.cpp - fuzz target of the formatter.
//
// Input: the buffer size, the row and column, the format up to its zero
// byte, then the values: four bytes for each number conversion and a
// zero-ended text for each %s, taken in the order the format names them.
// Every value is passed in one 64-bit slot, so a number conversion reads
// its int from a slot and %s its pointer: the target works out from the
// format which slots are texts and gives those valid pointers to texts of
// the input, each in a block of its exact size, like the buffer itself.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "screen/format.h"
#include "terminal.h"

namespace {

constexpr int kSlots = 16;

void require(bool condition) {
  if (!condition) __builtin_trap();
}

bool is_spec_char(char c) {
  return c == ' ' || c == '+' || c == '-' || c == '.' || c == ',' || (c >= '0' && c <= '9') || c == 'l' ||
         c == 'h' || c == 'L';
}

// The kinds of the values the format takes ('i' number, 's' text), at most
// kSlots; the format is cut after the conversion that takes the last one.
std::string value_kinds(std::string *format) {
  std::string kinds;
  const std::string &f = *format;
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (f[i] != '%') continue;
    std::size_t j = i + 1;
    while (j < f.size() && is_spec_char(f[j])) ++j;
    if (j == f.size()) break;
    char c = f[j];
    if (std::strchr("diuoxXc", c) != nullptr) kinds += 'i';
    if (c == 's') kinds += 's';
    i = j;
    if (static_cast<int>(kinds.size()) == kSlots) {
      format->resize(j + 1);
      break;
    }
  }
  return kinds;
}

struct Values {
  const std::uint8_t *data;
  std::size_t size;
  std::size_t at = 0;

  int number() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | (at < size ? data[at++] : 0u);
    return static_cast<int>(v);
  }
  std::string text() {
    std::string out;
    while (at < size && data[at] != 0) out += static_cast<char>(data[at++]);
    if (at < size) ++at;
    return out;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size < 3) return 0;
  int buffer_size = data[0];
  int row = data[1] < 16 ? -1 : data[1] % 24 - 2;  // FORMAT_NO_DISPLAY, or rows on and off the screen
  int column = static_cast<signed char>(data[2]);
  const std::uint8_t *rest = data + 3;
  std::size_t rest_size = size - 3;
  const void *zero = std::memchr(rest, 0, rest_size);
  std::size_t format_length =
      zero ? static_cast<std::size_t>(static_cast<const std::uint8_t *>(zero) - rest) : rest_size;
  std::string format(reinterpret_cast<const char *>(rest), format_length);
  Values values{rest + format_length, rest_size - format_length};
  if (zero) values.at = 1;

  std::string kinds = value_kinds(&format);
  std::vector<std::unique_ptr<char[]>> texts;
  long slot[kSlots] = {};
  for (std::size_t k = 0; k < kinds.size(); ++k) {
    if (kinds[k] == 'i') {
      slot[k] = values.number();
      continue;
    }
    std::string text = values.text();
    texts.emplace_back(new char[text.size() + 1]);
    std::memcpy(texts.back().get(), text.c_str(), text.size() + 1);
    slot[k] = reinterpret_cast<long>(texts.back().get());
  }

  std::unique_ptr<char[]> exact_format(new char[format.size() + 1]);
  std::memcpy(exact_format.get(), format.c_str(), format.size() + 1);
  std::unique_ptr<char[]> buffer(buffer_size > 0 ? new char[buffer_size] : nullptr);
  termrt::terminal().reset();
  int result = format_to_display(buffer.get(), buffer_size, row, column, exact_format.get(), slot[0], slot[1],
                                 slot[2], slot[3], slot[4], slot[5], slot[6], slot[7], slot[8], slot[9],
                                 slot[10], slot[11], slot[12], slot[13], slot[14], slot[15]);
  require(result >= FORMAT_DONE && result <= FORMAT_BAD_PRECISION);
  if (buffer_size > 0)
    require(std::memchr(buffer.get(), '\0', static_cast<std::size_t>(buffer_size)) != nullptr);
  return 0;
}
