// loader.h - loads the panel driver library the way the terminal does, on
// the host's own mechanism: dlopen on Linux, LoadLibrary on Windows.
#ifndef TERMRT_LOADER_H
#define TERMRT_LOADER_H

#include <string>

namespace termrt {

// The library's exported entry point.
using Entry = int (*)(int code, const char *parm);

// Loads the library at path and resolves its symbols now; nullptr when it
// cannot be loaded. On Windows a bare file name is looked for beside the
// program first.
void *load_library(const char *path);
// The address of an exported function, or nullptr when there is none.
void *library_symbol(void *library, const char *name);
void unload_library(void *library);
// Why the last load or look-up failed.
std::string loader_error();

}  // namespace termrt

#endif
