// files.cpp - loading files into images, handing them out and validating
// values against them.
#include "internal/files.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/answers.h"

namespace termrt {

namespace {

std::string upper(std::string_view s) {
  std::string out(s);
  for (char &c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// The validation mode that accepts listed values; the other accepts the rest.
constexpr std::string_view kListedMode = "3";

// Whether value is one of the records of image.
bool listed(std::string_view image, std::string_view value) {
  for (std::size_t start = 0; start < image.size();) {
    std::size_t end = image.find('\0', start);
    if (end == std::string_view::npos) end = image.size();
    if (image.substr(start, end - start) == value) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

void Files::reset() {
  files_.clear();
  forced_.clear();
  missed_.clear();
}

void Files::add_image(std::string_view name, std::string_view bytes) {
  File &file = files_[upper(name)];
  file.bytes = bytes;
  // The library gets a block of exactly the image's size, so that a read
  // past the image's end is a read outside the block.
  file.block.reset(new char[bytes.size()]);
  if (!bytes.empty()) std::memcpy(file.block.get(), bytes.data(), bytes.size());
}

// Text with one record per line becomes zero-terminated records in line
// order; text that already holds zero bytes is taken as the image itself.
void Files::add_file(std::string_view name, std::string_view content) {
  if (content.find('\0') != std::string_view::npos) {
    add_image(name, content);
    return;
  }
  std::string image;
  std::istringstream in{std::string(content)};
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    image += line;
    image += '\0';
  }
  add_image(name, image);
}

void Files::remove(std::string_view name) { files_.erase(upper(name)); }

const Files::File *Files::find(std::string_view name) const {
  auto it = files_.find(upper(name));
  return it == files_.end() ? nullptr : &it->second;
}

std::size_t Files::load_directory(std::string_view path) {
  namespace fs = std::filesystem;
  std::size_t loaded = 0;
  std::error_code ec;
  for (const auto &entry : fs::directory_iterator(fs::path(path), ec)) {
    if (!entry.is_regular_file(ec)) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    add_file(entry.path().filename().string(), content.str());
    ++loaded;
  }
  return loaded;
}

void Files::force_validation(std::string_view name, int answer) { forced_[upper(name)] = answer; }

std::optional<std::string_view> Files::image(std::string_view name) const {
  const File *file = find(name);
  if (file == nullptr) return std::nullopt;
  return std::string_view(file->bytes);
}

// Each name once: the driver may look a missing file up thousands of times.
void Files::note_missed(std::string_view name) {
  if (missed_.size() >= kMissedLimit || std::find(missed_.begin(), missed_.end(), name) != missed_.end())
    return;
  missed_.emplace_back(name);
}

bool Files::data_file(const char *name, const char **image, unsigned int *size) {
  const File *file = name ? find(name) : nullptr;
  if (file == nullptr && name != nullptr) note_missed(name);
  if (file == nullptr || image == nullptr || size == nullptr) return false;
  *image = file->block.get();
  *size = static_cast<unsigned int>(file->bytes.size());
  return true;
}

int Files::validation(const char *name, const char *mode, const char *text) {
  std::string file = name ? name : "";
  std::string m = mode ? mode : "";
  std::string value = text ? text : "";
  int answer;
  auto forced = forced_.find(upper(file));
  if (forced == forced_.end()) forced = forced_.find("");
  if (forced != forced_.end())
    answer = forced->second;
  else if (const File *image = find(file))
    answer = (m == kListedMode) == listed(image->bytes, value) ? RT_VALUE_ACCEPTED : RT_VALUE_REJECTED;
  else
    answer = RT_FILE_UNAVAILABLE;
  log_.note("validation " + file + " " + m + " \"" + value + "\" -> " + std::to_string(answer));
  return answer;
}

}  // namespace termrt
