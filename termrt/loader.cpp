// loader.cpp - the host's dynamic-library calls behind loader.h.
#include "loader.h"

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace termrt {

#if defined(_WIN32)

void *load_library(const char *path) { return path ? static_cast<void *>(LoadLibraryA(path)) : nullptr; }

void *library_symbol(void *library, const char *name) {
  if (library == nullptr || name == nullptr) return nullptr;
  // GetProcAddress hands back a generic function pointer; the caller casts
  // it to the entry's real type.
  return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void unload_library(void *library) {
  if (library) FreeLibrary(static_cast<HMODULE>(library));
}

std::string loader_error() { return "Windows error " + std::to_string(GetLastError()); }

#else

void *load_library(const char *path) { return path ? dlopen(path, RTLD_NOW | RTLD_LOCAL) : nullptr; }

void *library_symbol(void *library, const char *name) {
  return library && name ? dlsym(library, name) : nullptr;
}

void unload_library(void *library) {
  if (library) dlclose(library);
}

std::string loader_error() {
  const char *why = dlerror();
  return why ? why : "no error";
}

#endif

}  // namespace termrt
