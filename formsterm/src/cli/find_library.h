// find_library.h - which panel driver library formsterm loads when none is named,
// and what formsterm --version says about it.
//
// A formsterm run from its build tree loads the library built beside it. An
// installed formsterm loads the one installed with it, found relative to its
// own executable, and makes sure first that it is there and of its own
// version (the library carries its version as an ELF note).
#ifndef FORMSTERM_FIND_LIBRARY_H
#define FORMSTERM_FIND_LIBRARY_H

#include <string>

namespace formsterm {

// $FORMSTERM_LIBRARY when set, else the build tree's or the installed library.
std::string default_library();

// Throws LoadError, naming the file, when path is the installed library and
// it is missing or of another version. Other paths are left to the loader.
void check_library(const std::string &path);

// The lines of --version: formsterm's version, then the library at path with
// its version, size and build-id. Throws LoadError as check_library does, or
// when the file cannot be read.
std::string version_text(const std::string &path);

}  // namespace formsterm

#endif
