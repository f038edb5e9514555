// man_page.cpp - builds the man page formsterm(1) from its template and the
// Lua API reference, so that the page and `formsterm help api` share one
// source. The reference's layout (api.txt):
// "= Title" opens a section whose text runs up to its first entry; an entry
// is a signature at column 0, then description lines indented by two
// blanks, one of which may be an example starting with "e.g. ".
//
//   formsterm_man TEMPLATE API.txt OUTPUT
//
// The template's line `.\" The Lua API goes here.` is replaced by the API.
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kMarker = ".\\\" The Lua API goes here.";
constexpr std::string_view kSection = "= ";
constexpr std::string_view kExample = "e.g. ";

// Text as roff shows it: backslashes and minus signs escaped, and no line
// taken for a request.
std::string roff(std::string_view text) {
  std::string out;
  if (!text.empty() && (text[0] == '.' || text[0] == '\'')) out = "\\&";
  for (char c : text) {
    if (c == '\\')
      out += "\\e";
    else if (c == '-')
      out += "\\-";
    else
      out += c;
  }
  return out;
}

std::string_view trimmed(std::string_view line) {
  const auto first = line.find_first_not_of(" \t");
  return first == std::string_view::npos ? std::string_view() : line.substr(first);
}

std::string upper(std::string_view text) {
  std::string out(text);
  for (char &c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool indented(std::string_view line) { return !line.empty() && (line[0] == ' ' || line[0] == '\t'); }

// The reference in roff: the first section a heading of its own, the others
// subsections, each entry a tagged paragraph. A section's text lines stand
// at column 0 as its signatures do; its first entry is the first such line
// that indented lines follow.
void write_api(std::istream &api, std::ostream &out) {
  std::vector<std::string> lines;
  for (std::string line; std::getline(api, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  bool headed = false, in_entries = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i], text = trimmed(line);
    if (text.empty()) {
      // A blank line within an entry's description keeps its indentation.
      const bool within_entry = in_entries && i + 1 < lines.size() && indented(lines[i + 1]);
      out << (within_entry ? ".IP\n" : ".PP\n");
      continue;
    }
    if (line.compare(0, kSection.size(), kSection) == 0) {
      const std::string_view title = trimmed(line.substr(kSection.size()));
      out << (headed ? ".SS " + roff(title) : ".SH " + roff(upper(title))) << "\n";
      headed = true;
      in_entries = false;
      continue;
    }
    if (!headed) out << ".SH LUA API\n";
    headed = true;
    if (!indented(line)) in_entries = in_entries || (i + 1 < lines.size() && indented(lines[i + 1]));
    if (in_entries && !indented(line))
      out << ".TP\n\\fB" << roff(text) << "\\fR\n";
    else if (in_entries && text.compare(0, kExample.size(), kExample) == 0)
      out << ".nf\n\\fIe.g.\\fR " << roff(text.substr(kExample.size())) << "\n.fi\n";
    else
      out << roff(text) << "\n";
  }
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 4) {
    std::cerr << "usage: formsterm_man TEMPLATE API.txt OUTPUT\n";
    return 2;
  }
  std::ifstream page(argv[1]), api(argv[2]);
  if (!page || !api) {
    std::cerr << "formsterm_man: cannot read " << (page ? argv[2] : argv[1]) << "\n";
    return 2;
  }
  std::ofstream out(argv[3]);
  bool placed = false;
  std::string line;
  while (std::getline(page, line)) {
    if (line == kMarker) {
      write_api(api, out);
      placed = true;
    } else {
      out << line << "\n";
    }
  }
  if (!placed) {
    std::cerr << "formsterm_man: " << argv[1] << " has no line " << kMarker << "\n";
    return 1;
  }
  out.close();
  if (!out) {
    std::cerr << "formsterm_man: cannot write " << argv[3] << "\n";
    return 2;
  }
  return 0;
}
