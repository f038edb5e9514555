// features.cpp - hover, completion, definition, references, symbols and code
// actions over the index of an open help file.
#include "lsp/features.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "check/check_mode.h"
#include "driver/result_codes.h"
#include "lsp/keyword_values.h"

namespace formsterm::lsp {

namespace {

// The protocol's numbers of the kinds used here.
constexpr int kCompletionKeyword = 14;
constexpr int kCompletionValue = 12;
constexpr int kSymbolModule = 2;
constexpr int kSymbolClass = 5;
constexpr int kSymbolField = 8;
constexpr std::size_t kNumberWidth = 4;  // a record's number: its first four bytes

struct Spot {
  std::size_t line;
  std::size_t byte;  // in the line
  std::string text;  // the line
};

Spot spot_of(const Document &document, Position at) {
  const std::size_t line = std::min(at.line, document.line_count() - 1);
  const std::size_t start = document.offset_of({line, 0});
  return {line, document.offset_of({line, at.character}) - start, std::string(document.line(line))};
}

std::string code_text(std::string_view code) {
  const ResultCode *entry = find_result_code(code);
  return "`" + std::string(code) + "`" + (entry ? " " + std::string(entry->meaning) : std::string());
}

std::string codes_text(const std::vector<std::string_view> &codes) {
  std::string out;
  for (std::string_view code : codes) out += (out.empty() ? "" : ", ") + code_text(code);
  return out;
}

std::string keyword_markdown(const Keyword &k, Command command) {
  std::string out = "**" + std::string(k.name) + "** " + std::string(command_name(command)) + "\n\n";
  out += "Value: " + value_form_of(k) + "\n\n";
  out += k.missing.empty() ? "Without it: " + std::string(k.absent)
                           : "Required: without it " + code_text(k.missing);
  if (!k.default_value.empty()) out += " (default " + std::string(k.default_value) + ")";
  out += "\n\nThe driver reads the value from the " + std::to_string(k.window) +
         " characters after the keyword.\n\nCodes: " + code_text(k.no_value) + " (no value)";
  if (!k.bad.empty()) out += ", " + code_text(k.bad) + " (a bad value)";
  if (!k.further.empty()) out += "; further " + codes_text(k.further);
  if (!k.reads.empty()) out += "\n\nReads: " + std::string(k.reads);
  const std::vector<KeywordValue> values = values_of(k);
  if (!values.empty()) out += "\n\nValues:";
  for (const KeywordValue &v : values) out += "\n- `" + v.value + "` " + v.meaning;
  return out;
}

// The keyword tables that apply to a record: its own command's, or both
// while the record is neither yet.
std::vector<Command> commands_for(const LineRecord *record) {
  if (record != nullptr)
    if (std::optional<Command> command = command_of(record->kind)) return {*command};
  return {Command::field_definition, Command::panel_options};
}

std::string quoted_record(const Document &document, const LineRecord &r) {
  return "`" + std::string(document.line(r.line)) + "`";
}

json markdown(const std::string &value, const json &range) {
  return {{"contents", {{"kind", "markdown"}, {"value", value}}}, {"range", range}};
}

json hover_on_number(const FileView &file, const Spot &s, const NumberUse &use) {
  std::string value;
  if (const LineRecord *r = file.index.record_numbered(use.names))
    value = "Record " + four_digits(use.names) + ": " + quoted_record(file.document, *r);
  else
    value = "Record " + four_digits(use.names) + " is not in the file.";
  if (use.last > use.first)
    value += "\n\n" + use.keyword + " reads records " + four_digits(use.first) + " to " +
             four_digits(use.last) + ".";
  return markdown(value, range_json(file.document, s.line, use.at, use.length));
}

json hover_on_own_number(const FileView &file, const Spot &s, const LineRecord &r) {
  const std::vector<const NumberUse *> uses = file.index.uses_reading(r.number);
  std::string value = "Record " + four_digits(r.number);
  value += uses.empty() ? ": no definition reads it." : ", read by:";
  for (const NumberUse *u : uses)
    value +=
        "\n- record " + four_digits(u->record) + " (line " + std::to_string(u->line + 1) + "): " + u->keyword;
  for (const MessageRecord &m : message_records())
    if (m.number == r.number) value += "\n\nA message: the driver shows it " + std::string(m.when) + ".";
  return markdown(value, range_json(file.document, s.line, 0, kNumberWidth));
}

std::set<std::string> keywords_written(const std::string &text) {
  std::set<std::string> words;
  for (const KeywordToken &t : keyword_tokens(text)) words.insert(t.word);
  return words;
}

json completion_item(std::string_view label, int kind, const std::string &detail, const json &range) {
  return {{"label", label},
          {"kind", kind},
          {"detail", detail},
          {"textEdit", {{"range", range}, {"newText", label}}}};
}

json value_completions(const FileView &file, const Spot &s, std::size_t value_at,
                       const std::string &keyword) {
  json items = json::array();
  const json range = range_json(file.document, s.line, value_at, s.byte - value_at);
  for (Command command : commands_for(file.index.record_at(s.line)))
    if (const Keyword *k = find_keyword(command, keyword))
      for (const KeywordValue &v : values_of(*k))
        items.push_back(completion_item(v.value, kCompletionValue, v.meaning, range));
  return items;
}

// Whether name begins with the letters typed, their case ignored.
bool starts_like(std::string_view name, const std::string &typed) {
  return typed.size() <= name.size() &&
         std::equal(typed.begin(), typed.end(), name.begin(),
                    [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
}

json keyword_completions(const FileView &file, const Spot &s, std::size_t word_at) {
  json items = json::array();
  const std::string text = s.text.substr(kTextStart);
  const std::set<std::string> written = keywords_written(text);
  const std::string typed = s.text.substr(word_at, s.byte - word_at);
  const json range = range_json(file.document, s.line, word_at, s.byte - word_at);
  for (Command command : commands_for(file.index.record_at(s.line)))
    for (const Keyword &k : keywords_of(command)) {
      if (written.count(std::string(k.name)) || !starts_like(k.name, typed)) continue;
      json item = completion_item(k.name, kCompletionKeyword, std::string(command_name(command)), range);
      item["documentation"] = {{"kind", "markdown"}, {"value", keyword_markdown(k, command)}};
      items.push_back(item);
    }
  return items;
}

bool is_word_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

json location(const FileView &file, std::size_t line, std::size_t at, std::size_t length) {
  return {{"uri", file.uri}, {"range", range_json(file.document, line, at, length)}};
}

// The record number that a position stands on: a record's own number or one
// that a keyword names.
std::optional<int> number_at(const FileView &file, const Spot &s) {
  if (const NumberUse *use = file.index.use_at(s.line, s.byte)) return use->names;
  const LineRecord *r = file.index.record_at(s.line);
  if (r != nullptr && s.byte <= kNumberWidth) return r->number;
  return std::nullopt;
}

json symbol(const FileView &file, const std::string &name, int kind, const std::string &detail,
            std::size_t first, std::size_t last) {
  return {{"name", name},
          {"kind", kind},
          {"detail", detail},
          {"range",
           {{"start", {{"line", first}, {"character", 0}}},
            {"end",
             {{"line", last}, {"character", file.document.position_at(last, std::string::npos).character}}}}},
          {"selectionRange", range_json(file.document, first, 0, kNumberWidth)}};
}

int field_number(const std::string &text) {
  return std::atoi(keyword_piece(text, window_of(KW_FI)).value_or("0").c_str());
}

// The diagnostics the client sent on a line whose text holds the words.
json diagnostics_about(const json &diagnostics, std::size_t line, const std::string &words) {
  json matching = json::array();
  if (!diagnostics.is_array()) return matching;
  for (const json &d : diagnostics) {
    const json *start = d.is_object() && d.contains("range") ? &d["range"] : nullptr;
    if (start == nullptr || !start->is_object() || !start->contains("start")) continue;
    const json &from = (*start)["start"];
    if (!from.is_object() || !from.contains("line") || !from["line"].is_number_unsigned() ||
        from["line"].get<std::size_t>() != line)
      continue;
    if (d.contains("message") && d["message"].is_string() &&
        d["message"].get<std::string>().find(words) != std::string::npos)
      matching.push_back(d);
  }
  return matching;
}

json quick_fix(const FileView &file, const std::string &title, std::size_t line, std::size_t at,
               std::size_t length, const std::string &with, const json &fixes) {
  json edit = {{"range", range_json(file.document, line, at, length)}, {"newText", with}};
  json action = {{"title", title},
                 {"kind", "quickfix"},
                 {"isPreferred", true},
                 {"edit", {{"changes", {{file.uri, json::array({edit})}}}}}};
  if (!fixes.empty()) action["diagnostics"] = fixes;
  return action;
}

// A misspelt keyword: the nearest known one in its place.
void spelling_fixes(const FileView &file, std::size_t line, const std::string &text, Command command,
                    const json &diagnostics, json &actions) {
  for (const KeywordToken &token : keyword_tokens(text)) {
    if (find_keyword(command, token.word)) continue;
    const Keyword *near = nearest_keyword(command, token.word);
    if (near == nullptr) continue;
    actions.push_back(quick_fix(file, "Change " + token.word + " to " + std::string(near->name), line,
                                kTextStart + token.at, token.word.size(), std::string(near->name),
                                diagnostics_about(diagnostics, line, token.word)));
  }
}

// A keyword that the driver finds inside another one written before it
// (DI= in KEEPDI=): its own token moved before that one.
void order_fixes(const FileView &file, std::size_t line, const std::string &text, Command command,
                 const json &diagnostics, json &actions) {
  for (const Keyword &k : keywords_of(command)) {
    const std::size_t inside = text.find(k.name);
    if (inside == std::string::npos || inside == 0 || is_separator(text[inside - 1])) continue;
    std::size_t own = text.find(k.name, inside + 1);
    while (own != std::string::npos && !is_separator(text[own - 1])) own = text.find(k.name, own + 1);
    if (own == std::string::npos) continue;
    std::size_t word = inside;
    while (word > 0 && !is_separator(text[word - 1])) --word;
    std::size_t own_end = text.find(' ', own);
    if (own_end == std::string::npos) own_end = text.size();
    const std::string token = text.substr(own, own_end - own);
    const std::string moved = token + " " + text.substr(word, own - 1 - word);
    const std::string host = text.substr(word, text.find('=', inside) + 1 - word);
    actions.push_back(quick_fix(file, "Put " + std::string(k.name) + " before " + host, line,
                                kTextStart + word, own_end - word, moved,
                                diagnostics_about(diagnostics, line, std::string(k.name) + " reads")));
  }
}

}  // namespace

json range_json(const Document &document, std::size_t line, std::size_t at, std::size_t length) {
  const Position from = document.position_at(line, at), to = document.position_at(line, at + length);
  return {{"start", {{"line", from.line}, {"character", from.character}}},
          {"end", {{"line", to.line}, {"character", to.character}}}};
}

Position position_from(const json &position) {
  auto clamped = [&](const char *name) {
    const long long n = position.at(name).get<long long>();
    return n < 0 ? std::size_t{0} : static_cast<std::size_t>(n);
  };
  return {clamped("line"), clamped("character")};
}

json hover(const FileView &file, Position at) {
  const Spot s = spot_of(file.document, at);
  const LineRecord *record = file.index.record_at(s.line);
  if (record == nullptr) return nullptr;
  if (s.byte < kNumberWidth) return hover_on_own_number(file, s, *record);
  if (const NumberUse *use = file.index.use_at(s.line, s.byte)) return hover_on_number(file, s, *use);
  const std::optional<WordAt> word = word_at(s.text, s.byte);
  if (!word || word->at < kTextStart) return nullptr;
  for (Command command : commands_for(record))
    if (const Keyword *k = find_keyword(command, word->word))
      return markdown(keyword_markdown(*k, command),
                      range_json(file.document, s.line, word->at, word->length));
  return nullptr;
}

json completion(const FileView &file, Position at) {
  const Spot s = spot_of(file.document, at);
  if (s.byte < kTextStart) return json::array();
  std::size_t start = s.byte;
  while (start > kTextStart && !is_separator(s.text[start - 1])) --start;
  if (start > kTextStart && s.text[start - 1] == '=') {
    std::size_t word = start - 1;
    while (word > kTextStart && is_word_char(s.text[word - 1])) --word;
    return value_completions(file, s, start, s.text.substr(word, start - word));
  }
  for (std::size_t i = start; i < s.byte; ++i)
    if (!is_word_char(s.text[i])) return json::array();
  return keyword_completions(file, s, start);
}

json definition(const FileView &file, Position at) {
  const Spot s = spot_of(file.document, at);
  const NumberUse *use = file.index.use_at(s.line, s.byte);
  const LineRecord *target = use ? file.index.record_numbered(use->names) : nullptr;
  if (target == nullptr) return nullptr;
  return location(file, target->line, 0, file.document.line(target->line).size());
}

json references(const FileView &file, Position at, bool with_declaration) {
  const Spot s = spot_of(file.document, at);
  json found = json::array();
  const std::optional<int> number = number_at(file, s);
  if (!number) return found;
  if (const LineRecord *r = file.index.record_numbered(*number); r && with_declaration)
    found.push_back(location(file, r->line, 0, kNumberWidth));
  for (const NumberUse *u : file.index.uses_reading(*number))
    found.push_back(location(file, u->line, u->keyword_at, u->keyword.size()));
  return found;
}

json document_symbols(const FileView &file) {
  json symbols = json::array();
  json *panel = nullptr;
  std::set<int> fields;
  std::size_t previous_line = 0;
  for (const LineRecord &r : file.index.records()) {
    const std::string text = text_of(std::string(file.document.line(r.line)));
    const bool adjoining = panel != nullptr && r.line == previous_line + 1;
    previous_line = r.line;
    if (r.kind == RecordKind::panel_options) {
      symbols.push_back(
          symbol(file, four_digits(r.number) + " panel options", kSymbolModule, text, r.line, r.line));
      panel = nullptr;
      continue;
    }
    if (r.kind != RecordKind::field_definition) {
      panel = nullptr;
      continue;
    }
    const int field = field_number(text);
    if (!adjoining || fields.count(field)) {
      symbols.push_back(symbol(file, "panel " + four_digits(r.number), kSymbolClass, "", r.line, r.line));
      panel = &symbols.back();
      (*panel)["children"] = json::array();
      fields.clear();
    }
    fields.insert(field);
    (*panel)["children"].push_back(symbol(file, four_digits(r.number) + " FI=" + std::to_string(field),
                                          kSymbolField, text, r.line, r.line));
    (*panel)["range"]["end"] = (*panel)["children"].back()["range"]["end"];
    const std::size_t count = (*panel)["children"].size();
    (*panel)["name"] = "panel " + (*panel)["children"][0]["name"].get<std::string>().substr(0, kNumberWidth) +
                       (count > 1 ? "-" + four_digits(r.number) : "");
  }
  return symbols;
}

json code_actions(const FileView &file, std::size_t first_line, std::size_t last_line,
                  const json &diagnostics) {
  json actions = json::array();
  last_line = std::min(last_line, file.document.line_count() - 1);
  for (std::size_t line = first_line; line <= last_line; ++line) {
    const LineRecord *r = file.index.record_at(line);
    const std::optional<Command> command = r ? command_of(r->kind) : std::nullopt;
    if (!command) continue;
    const std::string text = text_of(std::string(file.document.line(line)));
    spelling_fixes(file, line, text, *command, diagnostics, actions);
    order_fixes(file, line, text, *command, diagnostics, actions);
  }
  return actions;
}

}  // namespace formsterm::lsp
