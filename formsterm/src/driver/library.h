// library.h - libforms.so loaded with dlopen, as the terminal run-time loads
// it, and its exported main. Unloading (dlclose) happens when the object
// goes, so a fresh object means a library with the initial values of all
// its globals.
#ifndef FORMSTERM_LIBRARY_H
#define FORMSTERM_LIBRARY_H

#include <stdexcept>
#include <string>

namespace formsterm {

class LoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class FormsLibrary {
 public:
  // Loads the library at path and finds its main; throws LoadError.
  explicit FormsLibrary(std::string path);
  ~FormsLibrary();
  FormsLibrary(const FormsLibrary &) = delete;
  FormsLibrary &operator=(const FormsLibrary &) = delete;

  int main(int code, const char *parm) const { return entry_(code, parm); }
  const std::string &path() const { return path_; }

  // True while some handle keeps the library at path in the process.
  static bool is_loaded(const std::string &path);

 private:
  using Entry = int (*)(int, const char *);
  std::string path_;
  void *handle_ = nullptr;
  Entry entry_ = nullptr;
};

// The command string for body: the two length digits, then body. Throws
// std::length_error when body has more than 99 characters.
std::string command_string(const std::string &body);

}  // namespace formsterm

#endif
