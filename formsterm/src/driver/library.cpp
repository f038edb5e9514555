// library.cpp - loading and unloading libforms.so.
#include "driver/library.h"

#include <dlfcn.h>

#include <cstdio>

#include "loader.h"

namespace formsterm {

FormsLibrary::FormsLibrary(std::string path) : path_(std::move(path)) {
  handle_ = termrt::load_library(path_.c_str());
  if (handle_ == nullptr) throw LoadError("cannot load the library " + path_ + ": " + termrt::loader_error());
  entry_ = reinterpret_cast<Entry>(termrt::library_symbol(handle_, "main"));
  if (entry_ == nullptr) {
    termrt::unload_library(handle_);
    throw LoadError("the library " + path_ + " exports no main");
  }
}

FormsLibrary::~FormsLibrary() { termrt::unload_library(handle_); }

bool FormsLibrary::is_loaded(const std::string &path) {
  void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) return false;
  dlclose(handle);
  return true;
}

std::string command_string(const std::string &body) {
  if (body.size() > 99)
    throw std::length_error("a command text of " + std::to_string(body.size()) +
                            " characters does not fit the two length digits (99 at most)");
  char digits[3];
  std::snprintf(digits, sizeof digits, "%02zu", body.size());
  return digits + body;
}

}  // namespace formsterm
