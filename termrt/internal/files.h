// files.h - the data and validation files, by name without regard to case.
//
// Each file is an image of zero-ended records. The library gets an image in
// a block of exactly its size, which stays until the file changes; a
// validation looks the value up among the records, unless a host has forced
// the answer.
#ifndef TERMRT_INTERNAL_FILES_H
#define TERMRT_INTERNAL_FILES_H

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "internal/log.h"

namespace termrt {

class Files {
 public:
  explicit Files(Log &log) : log_(log) {}
  void reset();

  void add_file(std::string_view name, std::string_view content);
  void add_image(std::string_view name, std::string_view bytes);
  void remove(std::string_view name);
  bool has(std::string_view name) const { return find(name) != nullptr; }
  std::size_t load_directory(std::string_view path);
  void force_validation(std::string_view name, int answer);  // "" forces all
  void clear_forced_validation() { forced_.clear(); }
  // The image of a file, for hosts; nothing when there is none.
  std::optional<std::string_view> image(std::string_view name) const;
  const std::vector<std::string> &missed() const { return missed_; }

  // The library's side, with the run-time's answers; validations are logged.
  // A name that finds no file is noted (not logged: the log is what the
  // library did, and hosts explain failures with the names it missed).
  bool data_file(const char *name, const char **image, unsigned int *size);
  int validation(const char *name, const char *mode, const char *text);

 private:
  struct File {
    std::string bytes;
    std::unique_ptr<char[]> block;  // the same, in a block of its exact size
  };

  const File *find(std::string_view name) const;
  void note_missed(std::string_view name);

  static constexpr std::size_t kMissedLimit = 64;  // distinct names kept

  Log &log_;
  std::map<std::string, File> files_;  // by upper-case name
  std::map<std::string, int> forced_;  // the same
  std::vector<std::string> missed_;    // the names data_file did not find, each once, in order
};

}  // namespace termrt

#endif
