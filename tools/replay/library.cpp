// library.cpp - loading a build through the terminal's own loader
// (termrt/loader.h).
#include "library.h"

#include "loader.h"

namespace replay {

LoadedLibrary::~LoadedLibrary() {
  if (handle_) termrt::unload_library(handle_);
}

std::unique_ptr<LoadedLibrary> load_build(const std::string &path, std::string *error) {
  // Images of another kind branch off here (forms32.dll through a PE loader
  // of its own, for one): each call must map a new image, so that the
  // script starts on fresh globals; LoadedLibrary(nullptr, entry) stands for
  // an image without an unloading of its own.
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
