// find_library.cpp - the library's place relative to formsterm, and its version
// and build-id read from the ELF notes of the file.
#include "cli/find_library.h"

#include <elf.h>
#include <link.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

#include "driver/library.h"

namespace formsterm {
namespace {

namespace fs = std::filesystem;

// What the library file tells about itself.
struct LibraryFile {
  bool readable = false;
  std::size_t size = 0;
  std::string version;   // of the note "forms", empty when it has none
  std::string build_id;  // hexadecimal, empty when the linker gave none
};

constexpr std::string_view kVersionOwner = "forms";
constexpr unsigned kVersionNoteType = 1;
constexpr std::string_view kAdvice = ": reinstall formsterm, or name a library with --library";

fs::path own_executable() {
  std::error_code error;
  fs::path exe = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : exe;
}

bool running_from_build_tree(const fs::path &exe) {
  std::error_code error;
  return !exe.empty() && fs::equivalent(exe, FORMSTERM_BUILD_PATH, error);
}

std::string installed_library() {
  const fs::path exe = own_executable();
  const fs::path relative = FORMSTERM_INSTALLED_LIBRARY;
  return exe.empty() ? relative.filename().string()
                     : (exe.parent_path() / relative).lexically_normal().string();
}

template <typename T>
bool read_at(std::string_view bytes, std::size_t offset, T &out) {
  if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return false;
  std::memcpy(&out, bytes.data() + offset, sizeof(T));
  return true;
}

std::size_t padded(std::size_t size, std::size_t alignment) {
  return (size + alignment - 1) / alignment * alignment;
}

std::string hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (unsigned char byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
  }
  return text;
}

// The notes of one PT_NOTE segment.
void read_notes(std::string_view segment, std::size_t alignment, LibraryFile &file) {
  std::size_t at = 0;
  ElfW(Nhdr) note;
  while (read_at(segment, at, note)) {
    const std::size_t name_at = at + sizeof note;
    const std::size_t desc_at = name_at + padded(note.n_namesz, alignment);
    const std::size_t next = desc_at + padded(note.n_descsz, alignment);
    if (next > segment.size()) return;
    const std::string_view name = segment.substr(name_at, note.n_namesz ? note.n_namesz - 1 : 0);
    const std::string_view desc = segment.substr(desc_at, note.n_descsz);
    if (name == "GNU" && note.n_type == NT_GNU_BUILD_ID) file.build_id = hex(desc);
    if (name == kVersionOwner && note.n_type == kVersionNoteType)
      file.version = desc.substr(0, desc.find('\0'));
    at = next;
  }
}

void read_elf_notes(std::string_view bytes, LibraryFile &file) {
  ElfW(Ehdr) header;
  if (!read_at(bytes, 0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
      header.e_ident[EI_CLASS] != (sizeof(void *) == 8 ? ELFCLASS64 : ELFCLASS32))
    return;
  for (std::size_t i = 0; i < header.e_phnum; ++i) {
    ElfW(Phdr) segment;
    if (!read_at(bytes, header.e_phoff + i * header.e_phentsize, segment)) return;
    if (segment.p_type != PT_NOTE || segment.p_offset > bytes.size()) continue;
    read_notes(bytes.substr(segment.p_offset, segment.p_filesz), segment.p_align == 8 ? 8 : 4, file);
  }
}

LibraryFile read_library_file(const std::string &path) {
  LibraryFile file;
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return file;
  std::ifstream in(path, std::ios::binary);
  if (!in) return file;
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  file.readable = !in.bad();
  file.size = bytes.size();
  read_elf_notes(bytes, file);
  return file;
}

std::string described(const LibraryFile &file) {
  return file.version.empty() ? "carries no version" : "is of version " + file.version;
}

}  // namespace

std::string default_library() {
  const char *from_environment = std::getenv("FORMSTERM_LIBRARY");
  if (from_environment && *from_environment) return from_environment;
  return running_from_build_tree(own_executable()) ? FORMS_LIBRARY_PATH : installed_library();
}

void check_library(const std::string &path) {
  if (path != installed_library()) return;
  const LibraryFile file = read_library_file(path);
  if (!file.readable)
    throw LoadError("the panel driver library " + path + " is missing" + std::string(kAdvice));
  if (file.version != FORMS_VERSION)
    throw LoadError("the panel driver library " + path + " " + described(file) +
                    ", but this formsterm needs version " FORMS_VERSION + std::string(kAdvice));
}

std::string version_text(const std::string &path) {
  check_library(path);
  const LibraryFile file = read_library_file(path);
  if (!file.readable) throw LoadError("cannot read the library " + path);
  std::error_code error;
  const fs::path shown = fs::weakly_canonical(path, error);
  return "formsterm " FORMS_VERSION "\nlibrary " + (error ? path : shown.string()) + ", version " +
         (file.version.empty() ? "none" : file.version) + ", " + std::to_string(file.size) +
         " bytes, build-id " + (file.build_id.empty() ? "none" : file.build_id);
}

}  // namespace formsterm
