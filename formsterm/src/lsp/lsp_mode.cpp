// lsp_mode.cpp - the language server's run loop: reads standard input as it
// comes, hands each message to the server, and runs due checks when the
// input is quiet, waiting no longer than the next check.
#include "lsp/lsp_mode.h"

#include <poll.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace formsterm::lsp {

namespace {

constexpr std::size_t kLongestHeader = 64 * 1024;
constexpr std::size_t kLongestBody = 64 * 1024 * 1024;
constexpr std::size_t kReadSize = 64 * 1024;
const std::string kHeaderEnd = "\r\n\r\n";

// The value of Content-Length in a header block, when it is a number.
std::optional<std::size_t> content_length(const std::string &headers) {
  std::string lower;
  for (char c : headers) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::string name = "content-length:";
  const std::size_t at = lower.find(name);
  if (at == std::string::npos) return std::nullopt;
  std::size_t i = at + name.size();
  while (i < headers.size() && headers[i] == ' ') ++i;
  std::size_t length = 0, digits = 0;
  for (; i < headers.size() && std::isdigit(static_cast<unsigned char>(headers[i])); ++i, ++digits) {
    length = length * 10 + static_cast<std::size_t>(headers[i] - '0');
    if (length > kLongestBody) return kLongestBody + 1;
  }
  return digits ? std::optional<std::size_t>(length) : std::nullopt;
}

void write_all(const std::string &bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // the client is gone; its end of input ends the loop
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace

std::optional<std::string> MessageFramer::next() {
  if (skipping_ > 0) {
    const std::size_t dropped = std::min(skipping_, buffer_.size());
    buffer_.erase(0, dropped);
    skipping_ -= dropped;
    if (skipping_ > 0) return std::nullopt;
  }
  const std::size_t end = buffer_.find(kHeaderEnd);
  if (end == std::string::npos) {
    if (buffer_.size() <= kLongestHeader) return std::nullopt;
    buffer_.clear();
    return std::string();
  }
  const std::optional<std::size_t> length = content_length(buffer_.substr(0, end));
  const std::size_t body = end + kHeaderEnd.size();
  if (!length || *length > kLongestBody) {
    buffer_.erase(0, body);
    if (length) skipping_ = *length;
    return std::string();
  }
  if (buffer_.size() - body < *length) return std::nullopt;
  std::string message = buffer_.substr(body, *length);
  buffer_.erase(0, body + *length);
  return message;
}

std::string framed(const std::string &body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

int run_lsp(ServerOptions options) {
  Server server(std::move(options), [](const nlohmann::json &message) {
    write_all(framed(message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)));
  });
  MessageFramer framer;
  char bytes[kReadSize];
  while (!server.exited()) {
    while (std::optional<std::string> message = framer.next()) {
      server.handle(*message);
      if (server.exited()) return server.exit_status();
    }
    const std::optional<Clock::duration> wait = server.time_to_next_check();
    pollfd input{STDIN_FILENO, POLLIN, 0};
    const int timeout =
        wait ? static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(*wait).count()) : -1;
    const int ready = ::poll(&input, 1, timeout);
    if (ready < 0 && errno != EINTR) break;
    if (ready == 0) {
      server.run_due_checks();
      continue;
    }
    if (ready < 0) continue;
    const ssize_t n = ::read(STDIN_FILENO, bytes, sizeof bytes);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) break;  // the client closed its end
    framer.add(bytes, static_cast<std::size_t>(n));
  }
  return server.exit_status();
}

}  // namespace formsterm::lsp
