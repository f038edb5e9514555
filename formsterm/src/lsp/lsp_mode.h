// lsp_mode.h - `formsterm lsp`: the language server on standard input and
// output, messages framed by Content-Length headers.
#ifndef FORMSTERM_LSP_MODE_H
#define FORMSTERM_LSP_MODE_H

#include <cstddef>
#include <optional>
#include <string>

#include "lsp/server.h"

namespace formsterm::lsp {

// Cuts the bytes of a stream into message bodies. A header block without a
// usable Content-Length is dropped and reported as an empty body, which the
// server answers as a parse error.
class MessageFramer {
 public:
  void add(const char *bytes, std::size_t count) { buffer_.append(bytes, count); }
  // The next whole message, when one has come.
  std::optional<std::string> next();

 private:
  std::string buffer_;
  std::size_t skipping_ = 0;  // bytes of a body too long to keep, still to drop
};

// "Content-Length: N\r\n\r\n" and the body.
std::string framed(const std::string &body);

// Runs the server until the client says exit or closes its end; the status
// is 0 after a shutdown request, else 1.
int run_lsp(ServerOptions options);

}  // namespace formsterm::lsp

#endif
