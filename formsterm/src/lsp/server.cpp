// server.cpp - the language server's messages, open files and diagnostics.
#include "lsp/server.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "check/keywords.h"
#include "common/text.h"
#include "lsp/features.h"
#include "lsp/file_index.h"

namespace formsterm::lsp {

namespace {

// JSON-RPC's error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kInternalError = -32603;
// The protocol's severities and text synchronisation kind.
constexpr int kSeverityError = 1;
constexpr int kSeverityWarning = 2;
constexpr int kIncrementalSync = 2;
constexpr int kFileDeleted = 3;
// Outcomes kept per folder before the cache starts afresh: a long session
// of typing leaves one for each text a record ever had.
constexpr std::size_t kOutcomesKept = 200000;

constexpr const char *kDiagnosticSource = "formsterm check";

std::string folder_of(const std::string &path) {
  return path.empty() ? std::string() : std::filesystem::path(path).parent_path().string();
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool is_valid_id(const nlohmann::json &id) { return id.is_number_integer() || id.is_string(); }

nlohmann::json capabilities() {
  return {{"textDocumentSync",
           {{"openClose", true}, {"change", kIncrementalSync}, {"save", {{"includeText", false}}}}},
          {"hoverProvider", true},
          {"completionProvider", {{"triggerCharacters", {"=", " "}}}},
          {"definitionProvider", true},
          {"referencesProvider", true},
          {"documentSymbolProvider", true},
          {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}}};
}

nlohmann::json diagnostic_of(const Finding &f, const Document &document) {
  const std::size_t line = std::min<std::size_t>(f.line > 0 ? f.line - 1 : 0, document.line_count() - 1);
  const std::size_t length = f.length == 0 ? document.line(line).size() : f.length;
  nlohmann::json d = {{"range", range_json(document, line, f.length == 0 ? 0 : f.column, length)},
                      {"severity", f.warning ? kSeverityWarning : kSeverityError},
                      {"source", kDiagnosticSource},
                      {"message", f.text}};
  if (!f.name.empty()) d["code"] = f.name;
  return d;
}

}  // namespace

std::optional<std::string> path_of_uri(const std::string &uri) {
  const std::string scheme = "file://";
  if (uri.compare(0, scheme.size(), scheme) != 0) return std::nullopt;
  std::string path;
  for (std::size_t i = scheme.size(); i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size() && hex_digit(uri[i + 1]) >= 0 && hex_digit(uri[i + 2]) >= 0) {
      path += static_cast<char>(hex_digit(uri[i + 1]) * 16 + hex_digit(uri[i + 2]));
      i += 2;
    } else {
      path += uri[i];
    }
  }
  if (path.empty() || path.find('\0') != std::string::npos) return std::nullopt;
  return path;
}

Server::Server(ServerOptions options, Send send) : options_(std::move(options)), send_(std::move(send)) {}

void Server::handle(const std::string &body) {
  const nlohmann::json message = nlohmann::json::parse(body, nullptr, false);
  if (message.is_discarded()) return respond_error(nullptr, kParseError, "the message is not JSON");
  handle(message);
}

void Server::handle(const nlohmann::json &message) {
  const bool is_response = message.is_object() && !message.contains("method") &&
                           (message.contains("result") || message.contains("error"));
  if (is_response) return;  // the server asks the client nothing, so no answer waits
  const nlohmann::json *id = message.is_object() && message.contains("id") ? &message["id"] : nullptr;
  if (!message.is_object() || !message.contains("method") || !message["method"].is_string() ||
      (id != nullptr && !is_valid_id(*id)))
    return respond_error(id != nullptr && is_valid_id(*id) ? *id : nlohmann::json(), kInvalidRequest,
                         "not a JSON-RPC request or notification");
  dispatch(message);
}

void Server::dispatch(const nlohmann::json &message) {
  const std::string method = message["method"].get<std::string>();
  const nlohmann::json params = message.contains("params") ? message["params"] : nlohmann::json::object();
  if (!message.contains("id")) {
    try {
      notice(method, params);
    } catch (const std::exception &) {
      // A notification gets no answer, not even about its own faults.
    }
    return;
  }
  const nlohmann::json &id = message["id"];
  try {
    std::optional<nlohmann::json> result = answer(method, params);
    if (!result) return respond_error(id, kMethodNotFound, "no such method: " + method);
    send_({{"jsonrpc", "2.0"}, {"id", id}, {"result", *result}});
  } catch (const nlohmann::json::exception &e) {
    respond_error(id, kInvalidParams, std::string("bad parameters: ") + e.what());
  } catch (const std::exception &e) {
    respond_error(id, kInternalError, e.what());
  }
}

void Server::respond_error(const nlohmann::json &id, int code, const std::string &message) {
  send_({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

Server::OpenFile *Server::file_of(const nlohmann::json &params) {
  auto it = files_.find(params.at("textDocument").at("uri").get<std::string>());
  return it == files_.end() ? nullptr : &it->second;
}

std::optional<nlohmann::json> Server::answer(const std::string &method, const nlohmann::json &params) {
  if (method == "initialize")
    return nlohmann::json{{"capabilities", capabilities()}, {"serverInfo", {{"name", "formsterm"}}}};
  if (method == "shutdown") {
    shut_down_ = true;
    return nlohmann::json();
  }
  static const std::map<std::string, nlohmann::json> unknown_file = {
      {"textDocument/hover", nullptr},
      {"textDocument/definition", nullptr},
      {"textDocument/completion", nlohmann::json::array()},
      {"textDocument/references", nlohmann::json::array()},
      {"textDocument/documentSymbol", nlohmann::json::array()},
      {"textDocument/codeAction", nlohmann::json::array()}};
  auto request = unknown_file.find(method);
  if (request == unknown_file.end()) return std::nullopt;
  const OpenFile *file = file_of(params);
  if (file == nullptr) return request->second;
  const std::string &uri = params["textDocument"]["uri"].get_ref<const std::string &>();
  const FileIndex index(file->document);
  const FileView view{uri, file->document, index};
  if (method == "textDocument/documentSymbol") return document_symbols(view);
  if (method == "textDocument/codeAction") {
    const nlohmann::json &range = params.at("range");
    const nlohmann::json context = params.value("context", nlohmann::json::object());
    return code_actions(view, position_from(range.at("start")).line, position_from(range.at("end")).line,
                        context.value("diagnostics", nlohmann::json::array()));
  }
  const Position at = position_from(params.at("position"));
  if (method == "textDocument/hover") return hover(view, at);
  if (method == "textDocument/completion") return completion(view, at);
  if (method == "textDocument/definition") return definition(view, at);
  const nlohmann::json context = params.value("context", nlohmann::json::object());
  return references(view, at, context.value("includeDeclaration", true));
}

void Server::notice(const std::string &method, const nlohmann::json &params) {
  if (method == "exit") {
    exited_ = true;
  } else if (method == "textDocument/didOpen") {
    open(params);
  } else if (method == "textDocument/didChange") {
    change(params);
  } else if (method == "textDocument/didSave") {
    if (OpenFile *file = file_of(params); file && !file->path.empty())
      folder_file_changed(file->path, file->document.text());
  } else if (method == "textDocument/didClose") {
    const std::string uri = params.at("textDocument").at("uri").get<std::string>();
    if (files_.erase(uri))
      send_({{"jsonrpc", "2.0"},
             {"method", "textDocument/publishDiagnostics"},
             {"params", {{"uri", uri}, {"diagnostics", nlohmann::json::array()}}}});
  } else if (method == "workspace/didChangeWatchedFiles") {
    files_changed(params);
  }
}

void Server::open(const nlohmann::json &params) {
  const nlohmann::json &item = params.at("textDocument");
  const std::string uri = item.at("uri").get<std::string>();
  OpenFile file{Document(item.at("text").get<std::string>()), item.value("version", 0LL),
                path_of_uri(uri).value_or(""), std::nullopt};
  OpenFile &opened = files_.insert_or_assign(uri, std::move(file)).first->second;
  schedule(opened, Clock::duration::zero());
  if (is_named_file(opened)) folder_file_changed(opened.path, opened.document.text());
}

void Server::change(const nlohmann::json &params) {
  OpenFile *file = file_of(params);
  if (file == nullptr) return;
  schedule(*file, options_.debounce);  // also when an edit below is malformed
  for (const nlohmann::json &edit : params.at("contentChanges")) {
    const std::string text = edit.at("text").get<std::string>();
    if (edit.contains("range"))
      file->document.replace(position_from(edit["range"].at("start")), position_from(edit["range"].at("end")),
                             text);
    else
      file->document.set_text(text);
  }
  file->version = params["textDocument"].value("version", file->version);
  if (is_named_file(*file)) folder_file_changed(file->path, file->document.text());
}

void Server::files_changed(const nlohmann::json &params) {
  for (const nlohmann::json &change : params.at("changes")) {
    const std::optional<std::string> path = path_of_uri(change.at("uri").get<std::string>());
    if (!path) continue;
    const bool deleted = change.value("type", 0) == kFileDeleted;
    folder_file_changed(*path, deleted ? std::nullopt : read_file(*path));
  }
}

void Server::folder_file_changed(const std::string &path, std::optional<std::string> content) {
  const std::string folder = folder_of(path);
  auto cache = caches_.find(folder);
  if (cache != caches_.end()) {
    const std::string name = std::filesystem::path(path).filename().string();
    if (content)
      cache->second.folder_files[name] = std::move(*content);
    else
      cache->second.folder_files.erase(name);
  }
  for (auto &[uri, file] : files_)
    if (file.path != path && folder_of(file.path) == folder) schedule(file, options_.debounce);
}

void Server::schedule(OpenFile &file, Clock::duration after) { file.due = options_.now() + after; }

std::optional<Clock::duration> Server::time_to_next_check() const {
  std::optional<Clock::time_point> next;
  for (const auto &[uri, file] : files_)
    if (file.due && (!next || *file.due < *next)) next = file.due;
  if (!next) return std::nullopt;
  return std::max(Clock::duration::zero(), *next - options_.now());
}

void Server::run_due_checks() {
  const Clock::time_point now = options_.now();
  for (auto &[uri, file] : files_)
    if (file.due && *file.due <= now) {
      file.due.reset();
      check_and_publish(uri, file);
    }
}

CheckCache &Server::cache_of(const std::string &folder) {
  auto [it, added] = caches_.try_emplace(folder);
  if (added && !folder.empty()) {
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(folder, ec))
      if (std::optional<std::string> content = read_file(entry.path()))
        it->second.folder_files.emplace(entry.path().filename().string(), std::move(*content));
  }
  if (it->second.outcomes.size() > kOutcomesKept) it->second.outcomes.clear();
  return it->second;
}

bool Server::is_named_file(const OpenFile &file) const {
  if (file.path.empty()) return false;
  const std::string name = upper(std::filesystem::path(file.path).filename().string());
  if (name.compare(0, 2, "B_") == 0) return true;
  for (const auto &[uri, other] : files_) {
    if (&other == &file || folder_of(other.path) != folder_of(file.path)) continue;
    for (std::size_t line = 0; line < other.document.line_count(); ++line) {
      const std::optional<std::string> named =
          keyword_piece(std::string(other.document.line(line)), window_of(KW_VERF));
      if (named && !named->empty() && upper(named->size() == 1 ? *named : *named + ".VAL") == name)
        return true;
    }
  }
  return false;
}

void Server::check_and_publish(const std::string &uri, OpenFile &file) {
  nlohmann::json diagnostics = nlohmann::json::array();
  if (!is_named_file(file)) {
    CheckOptions check;
    check.library_path = options_.library_path;
    check.help_file = file.path;
    check.cache = &cache_of(folder_of(file.path));
    try {
      for (const Finding &f : options_.check(check, file.document.text()).findings)
        if (f.file.empty()) diagnostics.push_back(diagnostic_of(f, file.document));
    } catch (const std::exception &e) {
      diagnostics.push_back(
          diagnostic_of(Finding("", 0, std::string("the check could not run: ") + e.what()), file.document));
    }
  }
  nlohmann::json message = {{"jsonrpc", "2.0"},
                            {"method", "textDocument/publishDiagnostics"},
                            {"params", {{"uri", uri}, {"version", file.version}}}};
  message["params"]["diagnostics"] = std::move(diagnostics);  // thousands, in a file full of mistakes
  send_(message);
}

}  // namespace formsterm::lsp
