// library.h - the one place where the replayer reaches a build of the
// library: loaded at run time, as the terminal loads it, and its exported
// `main` found.
#ifndef FORMS_REPLAY_LIBRARY_H
#define FORMS_REPLAY_LIBRARY_H

#include <memory>
#include <string>

#include "session.h"

namespace replay {

// A loaded build; unloading it (the destructor) forgets all its state, so
// the next load starts as a fresh one.
class LoadedLibrary {
 public:
  LoadedLibrary(void *handle, fuzz::EntryPoint entry) : handle_(handle), entry_(entry) {}
  ~LoadedLibrary();
  LoadedLibrary(const LoadedLibrary &) = delete;
  LoadedLibrary &operator=(const LoadedLibrary &) = delete;
  fuzz::EntryPoint entry() const { return entry_; }

 private:
  void *handle_;  // nullptr when the image has no unloading of its own
  fuzz::EntryPoint entry_;
};

// Loads the build at path and finds its `main`; nullptr and *error (what to
// change) when either fails. Every kind of image the replayer runs comes
// through here.
std::unique_ptr<LoadedLibrary> load_build(const std::string &path, std::string *error);

}  // namespace replay

#endif
