// report.cpp - the test report: the timeline kept as the tests run, and the
// HTML pages and JUnit XML written from it (see report.h).
//
// The pages hold everything they show: the style, the script that steps
// through the timeline and the data are written into each file, so the
// report opens from disk with no server or network. A test's screens are
// stored as changes from the screen before, which keeps the report small.
#include "cli/report.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "driver/screen.h"
#include "terminal.h"

namespace formsterm {

namespace {

namespace fs = std::filesystem;

termrt::Terminal &term() { return termrt::terminal(); }

const char kIndexFile[] = "index.html";
const char kProbeFile[] = ".formsterm-report-probe";

std::string hex_byte(unsigned char c) {
  char text[8];
  std::snprintf(text, sizeof text, "\\x%02x", c);
  return text;
}

bool printable(unsigned char c) { return c >= 0x20 && c < 0x7f; }

// Text for HTML or XML: markup characters as entities, and every byte
// outside printable ASCII (besides line breaks) as \xNN. The result is
// plain ASCII, valid in any XML 1.0 document.
std::string markup_text(const std::string &text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      case '\n': out += '\n'; break;
      default: out += printable(c) ? std::string(1, static_cast<char>(c)) : hex_byte(c);
    }
  }
  return out;
}

void json_char(std::string &out, unsigned c) {
  char text[8];
  std::snprintf(text, sizeof text, "\\u%04x", c);
  out += text;
}

// How json_text writes a byte outside printable ASCII: as the text \xNN
// (messages), or as one visible character per cell (screens: a control
// byte as its control picture, a high byte as the character of its code);
// an expected screen keeps its zero bytes, the cells that match anything.
enum class Bytes { kText, kCells, kExpected };
constexpr unsigned kControlPictures = 0x2400, kDeletePicture = 0x2421;

// A JSON string safe inside a <script> element: quotes, backslashes and
// markup characters escaped, every other byte as the mode says.
void append_json(std::string &out, std::string_view text, Bytes bytes = Bytes::kText) {
  out += '"';
  for (unsigned char c : text) {
    if (printable(c) && c != '"' && c != '\\' && c != '<' && c != '>' && c != '&')
      out += static_cast<char>(c);
    else if (printable(c))
      json_char(out, c);
    else if (bytes == Bytes::kText)
      out += c == '\n' ? "\\n" : "\\\\" + hex_byte(c).substr(1);
    else if (c == 0 && bytes == Bytes::kExpected)
      json_char(out, 0);
    else
      json_char(out, c < 0x20 ? kControlPictures + c : c == 0x7f ? kDeletePicture : c);
  }
  out += '"';
}

std::string json_text(std::string_view text, Bytes bytes = Bytes::kText) {
  std::string out;
  append_json(out, text, bytes);
  return out;
}

// The display's cells as they are, control bytes included; attributes as
// the terminal's digits.
ScreenPicture picture_now() {
  const termrt::Terminal &t = term();
  ScreenPicture p;
  p.cells.resize(termrt::kRows * termrt::kCols);
  p.attributes.resize(termrt::kRows * termrt::kCols);
  char *cells = &p.cells[0], *attributes = &p.attributes[0];
  for (int r = 0; r < termrt::kRows; ++r) {
    const termrt::Cell *row = &t.cell(r, 0);  // a row's cells stand together
    for (int c = 0; c < termrt::kCols; ++c) {
      *cells++ = static_cast<char>(row[c].ch);
      const unsigned char attr = row[c].attr;
      *attributes++ = static_cast<char>('0' + (attr < 10 ? attr : attr % 10));
    }
  }
  p.cursor_row = t.cursor_row();
  p.cursor_col = t.cursor_col();
  p.cursor_type = t.cursor_type();
  return p;
}

std::string step_kind(const std::string &what) {
  static const std::pair<const char *, const char *> kinds[] = {
      {"action ", "action"}, {"main returned", "return"},
      {"main ", "call"},     {"report ", "report"},
      {"beep", "beep"},      {"led", "led"},
  };
  for (const auto &[prefix, kind] : kinds)
    if (what.compare(0, std::char_traits<char>::length(prefix), prefix) == 0) return kind;
  return "log";
}

std::string duration(long long ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f s", static_cast<double>(ms) / 1000.0);
  return text;
}

// A test's data for its page: screens as changes from the one before.
std::string test_json(const TestRecord &t) {
  std::string out = "{\"name\":" + json_text(t.name) + ",\"script\":" + json_text(t.script) +
                    ",\"line\":" + std::to_string(t.line) + ",\"passed\":" + (t.failure ? "false" : "true") +
                    ",\"failure\":" + (t.failure ? json_text(*t.failure) : "null") +
                    ",\"ending\":" + json_text(t.ending) +
                    ",\"virtual\":" + json_text(duration(t.virtual_ms)) +
                    ",\"wall\":" + json_text(duration(t.wall_ms)) + ",\"screens\":[";
  out.reserve(t.steps.size() * 96 + t.screens.size() * 128);
  const std::size_t size = termrt::kRows * termrt::kCols;
  const ScreenPicture blank{std::string(size, ' '), std::string(size, '0'), 0, 0, 0};
  const ScreenPicture *before = &blank;
  // The rows of one screen that differ from the screen before: {"row":"text",...}.
  auto changed_rows = [&out](const std::string &now, const std::string &then, Bytes bytes, bool trim) {
    out += '{';
    bool first = true;
    for (int r = 0; r < termrt::kRows; ++r) {
      const std::string_view row = std::string_view(now).substr(r * termrt::kCols, termrt::kCols);
      if (row == std::string_view(then).substr(r * termrt::kCols, termrt::kCols)) continue;
      out += (first ? "\"" : ",\"") + std::to_string(r) + "\":";
      append_json(out, trim ? row.substr(0, row.find_last_not_of(' ') + 1) : row, bytes);
      first = false;
    }
    out += '}';
  };
  for (std::size_t i = 0; i < t.screens.size(); ++i) {
    const ScreenPicture &s = t.screens[i];
    out += (i ? ",[" : "[") + std::to_string(s.cursor_row) + "," + std::to_string(s.cursor_col) + "," +
           std::to_string(s.cursor_type) + ",";
    changed_rows(s.cells, before->cells, Bytes::kCells, true);
    out += ',';
    changed_rows(s.attributes, before->attributes, Bytes::kText, false);
    out += ']';
    before = &s;
  }
  out += "],\"steps\":[";
  for (std::size_t i = 0; i < t.steps.size(); ++i) {
    const Step &s = t.steps[i];
    out += i ? ",[" : "[";
    append_json(out, s.kind);
    out += ',';
    append_json(out, s.text);
    out += "," + std::to_string(s.at_ms) + "," + std::to_string(s.screen) + ",[";
    for (std::size_t v = 0; v < s.variables.size(); ++v) {
      out += (v ? ",[" : "[") + std::to_string(s.variables[v].first) + ",";
      append_json(out, s.variables[v].second);
      out += ']';
    }
    out += "]]";
  }
  out += "],\"expected\":";
  if (t.expected) {
    out += '[';
    for (std::size_t r = 0; r < t.expected->size(); ++r) {
      if (r) out += ',';
      append_json(out, (*t.expected)[r], Bytes::kExpected);
    }
    out += ']';
  } else {
    out += "null";
  }
  return out + "}";
}

// The style and the script of a test's page.
const char kStyle[] = R"CSS(
body{font:14px/1.4 sans-serif;margin:0;color:#222}
header{padding:8px 16px;background:#eee;border-bottom:1px solid #ccc}
header h1{font-size:17px;margin:0}
.pass{color:#060}.fail{color:#b00}
main{display:flex;gap:16px;padding:12px 16px;align-items:flex-start}
main section{flex:1;min-width:0}
#timeline{list-style:none;margin:0;padding:0;width:38%;flex:none;max-height:calc(100vh - 140px);overflow:auto;border:1px solid #ccc}
#timeline li{padding:2px 6px;cursor:pointer;font:12px monospace;white-space:nowrap;overflow:hidden;text-overflow:ellipsis;border-bottom:1px solid #f0f0f0}
#timeline li.current{background:#ffd}
#timeline li .kind{display:inline-block;width:56px;color:#666}
#timeline li.k-failure{color:#b00;font-weight:bold}
#timeline li.k-action{color:#004a99}
#timeline li.k-report,#timeline li.k-beep{color:#a50}
.screens{display:flex;gap:16px;flex-wrap:wrap}
.screen{font:15px/1.15 monospace;background:#123;color:#dfe;padding:6px;white-space:pre;display:inline-block}
.screen span.hi{background:#dfe;color:#123}
.screen span.cur{outline:2px solid #fc0}
.screen span.diff{background:#c00;color:#fff}
.screen span.masked{color:#789}
h2{font-size:14px;margin:8px 0 4px}
pre.message{white-space:pre-wrap;word-break:break-all;background:#fee;padding:6px;font-size:12px;max-height:30vh;overflow:auto}
#step-text{background:#f4f4f4}
.keys{color:#666;font-size:12px}
details summary{cursor:pointer;font:12px monospace}
table{border-collapse:collapse}td,th{padding:2px 8px;border-bottom:1px solid #ddd;text-align:left}
)CSS";

const char kScript[] = R"JS(
"use strict";
const T = JSON.parse(document.getElementById("data").textContent);
const ROWS = 20, COLS = 40;
// Each screen is stored as changes from the one before.
const screens = [];
{ let rows = Array(ROWS).fill(" ".repeat(COLS)), attrs = Array(ROWS).fill("0".repeat(COLS));
  for (const [cr, cc, ct, changed, changedAttrs] of T.screens) {
    rows = rows.slice(); attrs = attrs.slice();
    for (const r in changed) rows[r] = changed[r].padEnd(COLS, " ");
    for (const r in changedAttrs) attrs[r] = changedAttrs[r];
    screens.push({rows, attrs, cr, cc, ct});
  } }
const list = document.getElementById("timeline");
T.steps.forEach(([kind, text, ms], i) => {
  const li = document.createElement("li");
  li.className = "k-" + kind; li.id = "step-" + i;
  const k = document.createElement("span"); k.className = "kind"; k.textContent = kind;
  li.append(k, (ms / 1000).toFixed(3) + "s " + text.split("\n")[0]);
  li.title = text;
  li.addEventListener("click", () => show(i));
  list.append(li);
});
function drawScreen(el, s, expected) {
  el.textContent = "";
  for (let r = 0; r < ROWS; ++r) {
    for (let c = 0; c < COLS; ++c) {
      const span = document.createElement("span");
      let ch = s.rows[r][c];
      if (s.attrs[r][c] !== "0") span.classList.add("hi");
      if (s.ct && r === s.cr && c === s.cc) span.classList.add("cur");
      if (expected) {
        const want = expected[r][c] ?? " ";
        if (want === "\u0000") span.classList.add("masked");
        else if (want !== ch) span.classList.add("diff");
      }
      span.textContent = ch;
      el.append(span);
    }
    el.append("\n");
  }
}
let current = -1;
const failing = T.steps.findIndex(s => s[0] === "failure");
function show(i) {
  if (T.steps.length === 0) return;
  i = Math.max(0, Math.min(T.steps.length - 1, i));
  if (current >= 0) list.children[current].classList.remove("current");
  current = i;
  const li = list.children[i];
  li.classList.add("current");
  li.scrollIntoView({block: "nearest"});
  const [kind, text, ms, screen, vars] = T.steps[i];
  const s = screens[screen];
  const expected = i === failing && T.expected ? T.expected.map(r => r.padEnd(COLS, " ")) : null;
  drawScreen(document.getElementById("screen"), s, expected);
  const exp = document.getElementById("expected-box");
  exp.hidden = !expected;
  if (expected) {
    const e = {rows: expected.map(r => r.replace(/\u0000/g, "?")), attrs: s.attrs.map(() => "0".repeat(COLS)), ct: 0};
    drawScreen(document.getElementById("expected"), e, null);
  }
  document.getElementById("step-title").textContent = "Step " + (i + 1) + " of " + T.steps.length + ": " + kind;
  document.getElementById("step-text").textContent = text;
  document.getElementById("cursor").textContent = "cursor " + s.cr + "," + s.cc + (s.ct ? "" : " (hidden)");
  const tb = document.getElementById("variables");
  tb.textContent = "";
  for (const [n, v] of vars) {
    const tr = document.createElement("tr");
    const a = document.createElement("td"), b = document.createElement("td");
    a.textContent = n; b.textContent = JSON.stringify(v);
    tr.append(a, b); tb.append(tr);
  }
  document.getElementById("no-variables").hidden = vars.length > 0;
  history.replaceState(null, "", "#step-" + (i + 1));
}
document.addEventListener("keydown", e => {
  const moves = {ArrowDown: 1, ArrowRight: 1, ArrowUp: -1, ArrowLeft: -1, PageDown: 10, PageUp: -10};
  if (e.key in moves) { show(current + moves[e.key]); e.preventDefault(); }
  else if (e.key === "Home") { show(0); e.preventDefault(); }
  else if (e.key === "End") { show(T.steps.length - 1); e.preventDefault(); }
});
const asked = /^#step-(\d+)$/.exec(location.hash);
show(asked ? Number(asked[1]) - 1 : failing >= 0 ? failing : 0);
)JS";

std::string page_head(const std::string &title) {
  return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
         "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src "
         "'unsafe-inline'; "
         "script-src 'unsafe-inline'\">\n<title>" +
         markup_text(title) + "</title>\n<style>" + kStyle + "</style></head>\n";
}

std::string test_page_name(std::size_t index) { return "test-" + std::to_string(index + 1) + ".html"; }

std::string test_page(const TestRecord &t) {
  std::string html = page_head(t.name + " - formsterm test report");
  html += "<body><header><a href=\"" + std::string(kIndexFile) + "\">all tests</a><h1 class=\"" +
          (t.failure ? "fail" : "pass") + "\">" + (t.failure ? "FAIL " : "PASS ") + markup_text(t.name) +
          "</h1><div>" + markup_text(t.script) + ":" + std::to_string(t.line) + " &middot; virtual " +
          duration(t.virtual_ms) + " &middot; wall " + duration(t.wall_ms) + " &middot; " +
          markup_text(t.ending) + "</div>";
  if (t.failure)
    html += "<details><summary class=\"fail\">" + markup_text(t.failure->substr(0, t.failure->find('\n'))) +
            "</summary><pre class=\"message\" id=\"failure\">" + markup_text(*t.failure) + "</pre></details>";
  html +=
      "</header>\n<main><ol id=\"timeline\" tabindex=\"0\"></ol><section><h2 id=\"step-title\"></h2>"
      "<div class=\"screens\"><div><h2>screen</h2><div class=\"screen\" id=\"screen\"></div>"
      "<div id=\"cursor\"></div></div>"
      "<div id=\"expected-box\" hidden><h2>expected (differing cells marked on the screen)</h2>"
      "<div class=\"screen\" id=\"expected\"></div></div></div>"
      "<pre class=\"message\" id=\"step-text\"></pre>"
      "<h2>user variables changed</h2><p id=\"no-variables\">none</p><table><tbody id=\"variables\"></tbody>"
      "</table><p class=\"keys\">&uarr; &darr; or click: step &middot; Home, "
      "End</p></section></main>\n<script type=\"application/json\" id=\"data\">" +
      test_json(t) + "</script>\n<script>" + kScript + "</script></body></html>\n";
  return html;
}

std::string index_page(const std::vector<TestRecord> &tests) {
  std::vector<std::size_t> order(tests.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return tests[a].failure.has_value() > tests[b].failure.has_value();
  });
  const auto failed =
      std::count_if(tests.begin(), tests.end(), [](const TestRecord &t) { return t.failure.has_value(); });
  std::string html = page_head("formsterm test report");
  html += "<body><header><h1>formsterm test report</h1><div>" + std::to_string(tests.size() - failed) +
          " passed, " + std::to_string(failed) +
          " failed</div></header>\n<main><table "
          "id=\"tests\"><thead><tr><th>result</th><th>test</th><th>script and "
          "line</th><th>virtual time</th><th>wall time</th></tr></thead><tbody>\n";
  for (std::size_t i : order) {
    const TestRecord &t = tests[i];
    html += std::string("<tr class=\"") + (t.failure ? "fail" : "pass") + "\"><td>" +
            (t.failure ? "FAIL" : "PASS") + "</td><td><a href=\"" + test_page_name(i) + "\">" +
            markup_text(t.name) + "</a></td><td>" + markup_text(t.script) + ":" + std::to_string(t.line) +
            "</td><td>" + duration(t.virtual_ms) + "</td><td>" + duration(t.wall_ms) + "</td></tr>\n";
  }
  return html + "</tbody></table></main></body></html>\n";
}

// A new file each time: truncating the old one would make the file system
// flush it to disk first, which costs more than the whole report.
std::optional<std::string> write_file(const fs::path &path, const std::string &content) {
  std::error_code ec;
  fs::remove(path, ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  out.close();
  if (!out) return "cannot write " + path.string();
  return std::nullopt;
}

}  // namespace

void TestReport::begin(const Session &session, const std::string &script, const std::string &name, int line) {
  session_ = &session;
  TestRecord t;
  t.script = script;
  t.name = name;
  t.line = line;
  tests_.push_back(std::move(t));
  running_ = true;
  failed_ = false;
  display_changes_ = 0;
  variable_changes_ = 0;
  wall_start_ = std::chrono::steady_clock::now();
}

void TestReport::drop() {
  if (!tests_.empty()) tests_.pop_back();
  running_ = false;
}

void TestReport::terminal_reset() {
  if (!running_) return;
  start_ms_ = term().now_ms();
  variables_.clear();
  popups_seen_ = 0;
  for (int n : term().variable_numbers())
    if (std::optional<std::string> v = term().variable(n)) variables_[n] = *v;
}

// A step takes a new picture only when the display changed. The script
// changes user variables only between calls of main: its steps (a call,
// the end) look at all of them if any changed; the library's steps at a
// variable the log says it wrote or cleared.
void TestReport::add_step(std::string kind, std::string text) {
  if (!running_) return;
  TestRecord &t = tests_.back();
  const bool script_step = kind == "call" || kind == "failure" || kind == "end";
  const int written = text.compare(0, 6, "write ") == 0 || text.compare(0, 6, "clear ") == 0
                          ? std::atoi(text.c_str() + 6)
                          : 0;
  Step step{std::move(kind), std::move(text), term().now_ms() - start_ms_, 0, {}};
  const unsigned long long changes = term().display_changes();
  if (t.screens.empty() || changes != display_changes_) {
    ScreenPicture now = picture_now();
    if (t.screens.empty() || !(t.screens.back() == now)) t.screens.push_back(std::move(now));
    display_changes_ = changes;
  }
  step.screen = t.screens.size() - 1;
  const unsigned long long changes_now = term().variable_changes();
  if (script_step && changes_now != variable_changes_)
    for (int n : term().variable_numbers()) note_variable(step, n);
  else if (written > 0)
    note_variable(step, written);
  if (script_step || written > 0) variable_changes_ = changes_now;
  t.steps.push_back(std::move(step));
}

void TestReport::note_variable(Step &step, int number) {
  const std::optional<std::string> value = term().variable(number);
  if (!value) return;
  auto it = variables_.find(number);
  if (it != variables_.end() && it->second == *value) return;
  step.variables.emplace_back(number, *value);
  variables_[number] = *value;
}

void TestReport::log_entry(const termrt::LogEntry &entry) {
  std::string kind = step_kind(entry.what);
  std::string text = entry.what;
  if (kind == "call") last_command_ = text.substr(5);
  if (kind == "return") text += " for " + last_command_;
  add_step(std::move(kind), std::move(text));
}

void TestReport::note_popups() {
  if (!running_) return;
  const std::vector<std::string> &popups = session_->popups();
  for (; popups_seen_ < popups.size(); ++popups_seen_) add_step("popup", popups[popups_seen_]);
}

void TestReport::library_waits() { note_popups(); }

void TestReport::command_ended(int) {
  note_popups();
  if (std::optional<StandingReport> report = standing_report(term()))
    if (running_ && !tests_.back().steps.empty() && tests_.back().steps.back().kind == "return")
      tests_.back().steps.back().text += ": code " + describe_report(*report);
}

// The failing step shows the screen of the moment the check failed; the
// command cut short after it may change the display.
void TestReport::script_failed(const std::string &error) {
  if (!running_ || failed_) return;
  note_popups();
  add_step("failure", error);
  tests_.back().expected = session_->expected_screen;
  tests_.back().ending = "failed at step " + std::to_string(tests_.back().steps.size());
  failed_ = true;
}

void TestReport::end(const std::optional<std::string> &failure) {
  if (!running_) return;
  note_popups();
  TestRecord &t = tests_.back();
  t.failure = failure;
  if (failure && failed_) {
    add_step("end", "the test ended, failed");
  } else if (failure) {
    script_failed(*failure);
  } else {
    add_step("end", "the test passed");
    t.ending = "passed";
  }
  t.virtual_ms = term().now_ms() - start_ms_;
  t.wall_ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - wall_start_)
          .count();
  running_ = false;
}

void TestReport::abandon(const std::string &why) {
  if (!running_) return;
  end("the test did not end: " + why);
  tests_.back().ending = "cut short at step " + std::to_string(tests_.back().steps.size()) + ": " + why;
}

std::optional<std::string> unwritable_folder(const std::string &dir) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec && !fs::is_directory(dir)) return "cannot create the report folder " + dir + ": " + ec.message();
  const fs::path probe = fs::path(dir) / kProbeFile;
  if (std::optional<std::string> error = write_file(probe, ""))
    return "the report folder " + dir + " cannot be written";
  fs::remove(probe, ec);
  return std::nullopt;
}

std::optional<std::string> write_html_report(const std::vector<TestRecord> &tests, const std::string &dir) {
  for (std::size_t i = 0; i < tests.size(); ++i)
    if (std::optional<std::string> error = write_file(fs::path(dir) / test_page_name(i), test_page(tests[i])))
      return error;
  return write_file(fs::path(dir) / kIndexFile, index_page(tests));
}

std::optional<std::string> write_junit(const std::vector<TestRecord> &tests, const std::string &file) {
  long long wall_ms = 0;
  int failures = 0;
  for (const TestRecord &t : tests) {
    wall_ms += t.wall_ms;
    failures += t.failure ? 1 : 0;
  }
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites>\n<testsuite name=\"formsterm\" tests=\"" +
      std::to_string(tests.size()) + "\" failures=\"" + std::to_string(failures) + "\" errors=\"0\" time=\"" +
      std::to_string(wall_ms / 1000.0) + "\">\n";
  for (const TestRecord &t : tests) {
    xml += "  <testcase classname=\"" + markup_text(t.script) + "\" name=\"" + markup_text(t.name) +
           "\" file=\"" + markup_text(t.script) + "\" line=\"" + std::to_string(t.line) + "\" time=\"" +
           std::to_string(t.wall_ms / 1000.0) + "\"";
    if (!t.failure) {
      xml += "/>\n";
      continue;
    }
    const std::string first_line = t.failure->substr(0, t.failure->find('\n'));
    xml += ">\n    <failure message=\"" + markup_text(first_line) + "\" type=\"failure\">" +
           markup_text(*t.failure) + "</failure>\n  </testcase>\n";
  }
  xml += "</testsuite>\n</testsuites>\n";
  return write_file(file, xml);
}

}  // namespace formsterm
