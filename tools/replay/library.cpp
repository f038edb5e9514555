// library.cpp - loading a build through the terminal's own loader
// (termrt/loader.h), or, in the 32-bit x86 Linux build, the shipped
// forms32.dll through the PE test loader (tools/peload).
#include "library.h"

#include "loader.h"

#ifdef FORMS_REPLAY_PE
#include "peload.h"
#endif

namespace replay {

LoadedLibrary::~LoadedLibrary() {
  if (handle_) termrt::unload_library(handle_);
}

#ifdef FORMS_REPLAY_PE
namespace {

bool is_windows_image(const std::string &path) {
  return path.size() > 4 && path.compare(path.size() - 4, 4, ".dll") == 0;
}

// Every call maps a new image, so each script starts on fresh globals; the
// image is never unmapped (the PE loader has no unloading).
std::unique_ptr<LoadedLibrary> load_windows_image(const std::string &path, std::string *error) {
  char message[512] = "";
  pe_main_fn entry = pe_load(path.c_str(), message, sizeof message);
  if (entry == nullptr) {
    *error = message;
    return nullptr;
  }
  // The driver's main takes the command string as char * and never writes it.
  return std::make_unique<LoadedLibrary>(nullptr, reinterpret_cast<fuzz::EntryPoint>(entry));
}

}  // namespace
#endif

std::unique_ptr<LoadedLibrary> load_build(const std::string &path, std::string *error) {
#ifdef FORMS_REPLAY_PE
  if (is_windows_image(path)) return load_windows_image(path, error);
#endif
  void *handle = termrt::load_library(path.c_str());
  if (handle == nullptr) {
    *error = "cannot load " + path + " (" + termrt::loader_error() + "); give the path of a built library";
    return nullptr;
  }
  void *symbol = termrt::library_symbol(handle, "main");
  if (symbol == nullptr) {
    termrt::unload_library(handle);
    *error = path + " exports no main; give the panel driver library, not another one";
    return nullptr;
  }
  return std::make_unique<LoadedLibrary>(handle, reinterpret_cast<fuzz::EntryPoint>(symbol));
}

}  // namespace replay
