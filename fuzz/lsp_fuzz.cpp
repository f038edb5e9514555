// lsp_fuzz.cpp - fuzz target of the language server's document handling:
// a document of any bytes, then a sequence of edits, requests at any
// position and raw messages, each through the server as a client would
// send it. Diagnostics come from the check without the library's run of
// each record (the library has fuzz targets of its own) and from a finding
// at a fuzzed place, so every way a finding is placed on a line is tried.
// Nothing may crash, hang or read outside the text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "check/check_mode.h"
#include "lsp/lsp_mode.h"
#include "lsp/server.h"

namespace {

using json = nlohmann::json;
const char *const kUri = "file:///nonexistent/HELP.VAL";
constexpr std::size_t kLongestText = 1024;
const char *const kRequests[] = {"textDocument/hover",          "textDocument/completion",
                                 "textDocument/definition",     "textDocument/references",
                                 "textDocument/documentSymbol", "textDocument/codeAction"};

// The check without the library's run of each record, over a folder of no
// files, and one finding anywhere.
formsterm::HelpFileCheck text_rules(FuzzedDataProvider &in, formsterm::CheckOptions options,
                                    const std::string &content) {
  static formsterm::CheckCache no_files;
  options.run_library = false;
  options.cache = &no_files;
  formsterm::HelpFileCheck result = formsterm::check_help_text(options, content);
  formsterm::Finding anywhere("", in.ConsumeIntegralInRange(-2, 300), "fuzzed", in.ConsumeBool());
  anywhere.column = in.ConsumeIntegralInRange<std::size_t>(0, 400);
  anywhere.length = in.ConsumeIntegralInRange<std::size_t>(0, 400);
  result.findings.push_back(anywhere);
  return result;
}

json position(FuzzedDataProvider &in) {
  auto coordinate = [&] {
    return in.ConsumeBool() ? in.ConsumeIntegralInRange<long long>(-3, 120) : in.ConsumeIntegral<long long>();
  };
  return {{"line", coordinate()}, {"character", coordinate()}};
}

json message(const char *method, json params) {
  return {{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  formsterm::lsp::ServerOptions options;
  options.debounce = std::chrono::milliseconds(0);
  options.check = [&in](const formsterm::CheckOptions &check, const std::string &content) {
    return text_rules(in, check, content);
  };
  formsterm::lsp::Server server(
      options, [](const json &out) { (void)out.dump(-1, ' ', false, json::error_handler_t::replace); });
  const json document = {{"uri", kUri}};
  server.handle(
      message("textDocument/didOpen",
              {{"textDocument",
                {{"uri", kUri}, {"version", 1}, {"text", in.ConsumeRandomLengthString(kLongestText)}}}}));
  server.run_due_checks();
  formsterm::lsp::MessageFramer framer;
  int id = 0;
  while (in.remaining_bytes() > 0) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
      case 0: {  // an edit, whole or of a range
        json change = {{"text", in.ConsumeRandomLengthString(kLongestText / 4)}};
        if (in.ConsumeBool()) change["range"] = {{"start", position(in)}, {"end", position(in)}};
        server.handle(message("textDocument/didChange",
                              {{"textDocument", document}, {"contentChanges", json::array({change})}}));
        server.run_due_checks();
        break;
      }
      case 1: {  // a request at any position
        json params = {{"textDocument", document}, {"position", position(in)}};
        params["range"] = {{"start", position(in)}, {"end", position(in)}};
        json request =
            message(kRequests[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kRequests) - 1)], params);
        request["id"] = ++id;
        server.handle(request);
        break;
      }
      case 2:  // a message of any bytes
        server.handle(in.ConsumeRandomLengthString(kLongestText / 4));
        break;
      default: {  // bytes of a stream
        const std::string bytes = in.ConsumeRandomLengthString(kLongestText / 4);
        framer.add(bytes.data(), bytes.size());
        while (std::optional<std::string> body = framer.next()) server.handle(*body);
      }
    }
  }
  return 0;
}
