// server.h - `formsterm lsp`, the language server for help files: the open
// files, the JSON-RPC requests and notifications of the Language Server
// Protocol, and the findings of the help-file check published as
// diagnostics a quiet time after the last edit. It owns no input or output:
// messages come in through handle() and go out through the send function,
// so that the run loop, the tests and the fuzz target drive it alike.
#ifndef FORMSTERM_LSP_SERVER_H
#define FORMSTERM_LSP_SERVER_H

#include <chrono>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "check/check_mode.h"
#include "lsp/document.h"

namespace formsterm::lsp {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kDefaultDebounce{50};

struct ServerOptions {
  std::string library_path;
  // The quiet time after an edit before the file is checked again: short
  // enough that the findings of a 9,999-record file follow the last edit
  // within 200 ms (lsp_bench), long enough that fast typing is checked once.
  std::chrono::milliseconds debounce{kDefaultDebounce};
  // The check of one file; check_help_text unless a test replaces it.
  std::function<HelpFileCheck(const CheckOptions &, const std::string &)> check = check_help_text;
  std::function<Clock::time_point()> now = Clock::now;
};

class Server {
 public:
  using Send = std::function<void(const nlohmann::json &)>;
  Server(ServerOptions options, Send send);

  // One message's body, as it came: whatever it holds, an answer or nothing.
  void handle(const std::string &body);
  // A message already read as JSON (its strings may hold any bytes).
  void handle(const nlohmann::json &message);
  // Checks the files whose quiet time has passed and publishes their findings.
  void run_due_checks();
  // How long until the next check is due; nothing when none waits.
  std::optional<Clock::duration> time_to_next_check() const;

  bool exited() const { return exited_; }
  int exit_status() const { return shut_down_ ? 0 : 1; }

 private:
  struct OpenFile {
    Document document;
    long long version = 0;
    std::string path;                      // the file's path, empty when its URI is no file
    std::optional<Clock::time_point> due;  // when its check is due
  };

  void dispatch(const nlohmann::json &message);
  // The result of a request; nothing when the method is not known.
  std::optional<nlohmann::json> answer(const std::string &method, const nlohmann::json &params);
  void notice(const std::string &method, const nlohmann::json &params);
  void respond_error(const nlohmann::json &id, int code, const std::string &message);

  void open(const nlohmann::json &params);
  void change(const nlohmann::json &params);
  void files_changed(const nlohmann::json &params);
  // A file of a folder changed (or is gone): the cache learns it, and the
  // help files of that folder are checked again.
  void folder_file_changed(const std::string &path, std::optional<std::string> content);
  void schedule(OpenFile &file, Clock::duration after);

  void check_and_publish(const std::string &uri, OpenFile &file);
  CheckCache &cache_of(const std::string &folder);
  bool is_named_file(const OpenFile &file) const;
  OpenFile *file_of(const nlohmann::json &params);

  ServerOptions options_;
  Send send_;
  std::map<std::string, OpenFile> files_;     // by URI
  std::map<std::string, CheckCache> caches_;  // by folder
  bool shut_down_ = false;
  bool exited_ = false;
};

// The path of a file: URI, or nothing for another scheme.
std::optional<std::string> path_of_uri(const std::string &uri);

}  // namespace formsterm::lsp

#endif
