// check_output.cpp - writing a check's findings as text lines and as SARIF.
#include "check/check_output.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace formsterm {

namespace {

constexpr const char *kSarifSchema = "https://json.schemastore.org/sarif-2.1.0.json";
constexpr const char *kSarifVersion = "2.1.0";

std::string counted(int n, const std::string &thing) {
  return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

const std::string &file_of(const Finding &f, const CheckOptions &options) {
  return f.file.empty() ? options.help_file : f.file;
}

nlohmann::json location_of(const Finding &f, const CheckOptions &options) {
  nlohmann::json physical = {{"artifactLocation", {{"uri", file_of(f, options)}}}};
  if (f.line > 0) {
    nlohmann::json region = {{"startLine", f.line}};
    if (f.length > 0) {  // SARIF counts columns from 1
      region["startColumn"] = f.column + 1;
      region["endColumn"] = f.column + f.length + 1;
    }
    physical["region"] = region;
  }
  return {{"physicalLocation", physical}};
}

}  // namespace

void write_text(const CheckOptions &options, const HelpFileCheck &checked, std::ostream &out) {
  int errors = 0, warnings = 0;
  for (const Finding &f : checked.findings) {
    out << file_of(f, options);
    if (f.line > 0) out << ":" << f.line;
    out << ": " << (f.warning ? "warning: " : "error: ") << "[" << f.name << "] " << f.text << "\n";
    ++(f.warning ? warnings : errors);
  }
  out << options.help_file << ": " << counted(checked.records, "record") << " ("
      << counted(checked.definitions, "field definition") << ", "
      << counted(checked.panels, "panel option record")
      << (checked.program_panels < 0
              ? ""
              : ", " + counted(checked.program_panels, "panel") + " of " + options.program)
      << "): "
      << (errors + warnings == 0 ? "no problems"
                                 : counted(errors, "error") + ", " + counted(warnings, "warning"))
      << "\n";
}

void write_sarif(const CheckOptions &options, const HelpFileCheck &checked, std::ostream &out) {
  nlohmann::json rules = nlohmann::json::array();
  for (const FindingKind &k : finding_kinds())
    rules.push_back({{"id", k.name},
                     {"shortDescription", {{"text", k.summary}}},
                     {"fullDescription", {{"text", k.explanation}}},
                     {"help", {{"text", "formsterm explain " + std::string(k.name)}}}});
  nlohmann::json results = nlohmann::json::array();
  for (const Finding &f : checked.findings)
    results.push_back({{"ruleId", f.name},
                       {"level", f.warning ? "warning" : "error"},
                       {"message", {{"text", f.text}}},
                       {"locations", {location_of(f, options)}}});
  const nlohmann::json log = {
      {"$schema", kSarifSchema},
      {"version", kSarifVersion},
      {"runs",
       {{{"tool", {{"driver", {{"name", "formsterm check"}, {"rules", rules}}}}}, {"results", results}}}}};
  // Texts from a help file may hold any byte; replace what is not UTF-8.
  out << log.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

}  // namespace formsterm
