// lookup_fuzz.cpp - fuzz target of the data file search over arbitrary
// images.
//
// Input: one byte of choices, one byte of key length, the key, and the rest
// as the image. Image and key are handed over in blocks of their exact size,
// so any read outside them is caught. Whatever the image holds, a record
// that the search returns must lie inside the image, start where a record
// starts and match the key; when the image's records are in ascending
// order, a record that matches must be found.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/termrt.h"
#include "terminal.h"
#include "validate/lookup.h"

namespace {

void require(bool condition) {
  if (!condition) __builtin_trap();
}

std::vector<std::string> records_of(const char *image, std::size_t size) {
  std::vector<std::string> records;
  std::size_t start = 0;
  while (start < size) {
    const void *zero = std::memchr(image + start, '\0', size - start);
    std::size_t end = zero ? static_cast<std::size_t>(static_cast<const char *>(zero) - image) : size;
    records.emplace_back(image + start, end - start);
    start = end + 1;
  }
  return records;
}

int compare_bytes(const std::string &a, const std::string &b) {
  std::size_t n = a.size() < b.size() ? a.size() : b.size();
  int c = n ? std::memcmp(a.data(), b.data(), n) : 0;
  if (c != 0) return c;
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool matches(const std::string &record, const std::string &key, bool prefix) {
  if (key.find('\0') != std::string::npos) return false;
  if (prefix) return record.compare(0, key.size(), key) == 0 && record.size() >= key.size();
  return record == key;
}

// Checks a search result against the image it came from.
void check_result(const char *image, std::size_t size, const std::string &key, bool prefix, const char *found,
                  unsigned int length) {
  std::vector<std::string> records = records_of(image, size);
  bool sorted = true;
  bool present = false;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (i > 0 && compare_bytes(records[i - 1], records[i]) > 0) sorted = false;
    if (matches(records[i], key, prefix)) present = true;
  }
  if (found == nullptr) {
    require(!(sorted && present));
    return;
  }
  require(found >= image && found < image + size);
  std::size_t offset = static_cast<std::size_t>(found - image);
  require(offset == 0 || image[offset - 1] == '\0');
  require(offset + length <= size);
  require(offset + length == size || image[offset + length] == '\0');
  require(std::memchr(found, '\0', length) == nullptr);
  require(matches(std::string(found, length), key, prefix));
}

std::unique_ptr<char[]> exact_copy(const std::uint8_t *bytes, std::size_t n) {
  std::unique_ptr<char[]> block(new char[n]);
  if (n) std::memcpy(block.get(), bytes, n);
  return block;
}

void search_image(const std::uint8_t *key_bytes, std::size_t key_length, const std::uint8_t *image_bytes,
                  std::size_t size, bool prefix) {
  std::unique_ptr<char[]> key = exact_copy(key_bytes, key_length);
  std::unique_ptr<char[]> image = exact_copy(image_bytes, size);
  unsigned int length = 0xFFFFFFFFu;
  const char *found = find_in_image(image.get(), static_cast<unsigned int>(size), key.get(),
                                    static_cast<unsigned int>(key_length), prefix, &length);
  check_result(image.get(), size, std::string(key.get(), key_length), prefix, found, length);
}

// The searches that go through the run-time's data file.
void search_file(std::uint8_t choices, const std::uint8_t *key_bytes, std::size_t key_length) {
  const char *image = nullptr;
  unsigned int size = 0;
  _DataFile("FUZZ.VAL", &image, &size);
  std::string key(reinterpret_cast<const char *>(key_bytes), key_length);
  switch ((choices >> 1) & 3) {
    case 0: {
      int number = 0;
      for (std::size_t i = 0; i < key_length && i < 3; ++i) number = number * 256 + key_bytes[i];
      if (choices & 0x80) number = -number;
      unsigned char width = static_cast<unsigned char>((choices >> 3) & 7);
      unsigned int length = 0;
      const char *found = find_numbered_record("FUZZ.VAL", number, width, &length);
      if (found == nullptr) break;
      require(found >= image && found + length <= image + size);
      unsigned int digits = width > 5 ? 5 : width;
      std::string expected(digits, '0');
      for (unsigned int i = digits, rest = static_cast<unsigned int>(number); i > 0; rest /= 10)
        expected[--i] = static_cast<char>('0' + rest % 10);
      require(length >= digits && std::memcmp(found, expected.data(), digits) == 0);
      // The text of the record, into destinations of every small size.
      for (unsigned int room = 0; room < 8; ++room) {
        std::unique_ptr<char[]> text(new char[room ? room : 1]);
        copy_record_text(text.get(), room, found, length);
        if (room) require(std::memchr(text.get(), '\0', room) != nullptr);
        copy_record_from(text.get(), room, found, length, static_cast<unsigned int>(key_length));
      }
      break;
    }
    case 1:
    case 2: {
      std::string value(key.c_str());
      std::unique_ptr<char[]> text(new char[value.size() + 1]);
      std::memcpy(text.get(), value.c_str(), value.size() + 1);
      unsigned char status = 0xFF;
      const char *found = find_listed_value("FUZZ.VAL", text.get(), &status);
      require(status == (found ? LOOKUP_FOUND : LOOKUP_NOT_FOUND));
      if (found) require(found >= image && found + value.size() <= image + size);
      break;
    }
    default: {
      std::string value(key.c_str());
      int answer = check_listed_value("FUZZ.VAL", (choices & 0x40) ? '3' : '2', value.c_str());
      require(answer == 0 || answer == 1);
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size < 2) return 0;
  std::uint8_t choices = data[0];
  std::size_t key_length = data[1];
  if (key_length > size - 2) key_length = size - 2;
  const std::uint8_t *key = data + 2;
  const std::uint8_t *image = key + key_length;
  std::size_t image_size = size - 2 - key_length;

  if ((choices & 1) == 0) {
    search_image(key, key_length, image, image_size, (choices & 2) != 0);
    return 0;
  }
  termrt::Terminal &t = termrt::terminal();
  t.reset();
  t.add_image("FUZZ.VAL", std::string(reinterpret_cast<const char *>(image), image_size));
  search_file(choices, key, key_length);
  return 0;
}
