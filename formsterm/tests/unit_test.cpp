// unit_test.cpp - the pieces of formsterm that hold an algorithm of their
// own: golden screens with masks, the help-file layout checks, the keyword
// rule of the reference check, and the library loader and probe.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "check/check_mode.h"
#include "driver/library.h"
#include "driver/screen.h"
#include "terminal.h"

namespace formsterm {
namespace {

Snapshot blank_snapshot() {
  Snapshot s;
  s.rows.assign(termrt::kRows, std::string(termrt::kCols, ' '));
  s.attributes.assign(termrt::kRows, std::string(termrt::kCols, '0'));
  return s;
}

void put(Snapshot &s, int row, int col, const std::string &text) {
  s.rows[row].replace(col, text.size(), text);
}

TEST(GoldenScreen, ShortRowsAndMissingRowsAreBlanks) {
  Snapshot s = blank_snapshot();
  put(s, 0, 0, "HELLO");
  EXPECT_EQ(compare_golden(parse_golden("HELLO\n"), s, '?'), "");
  EXPECT_EQ(compare_golden(parse_golden("HELLO   \n\n\n"), s, '?'), "");
  EXPECT_NE(compare_golden(parse_golden("HELLO\nX\n"), s, '?'), "");
}

TEST(GoldenScreen, TheMaskMatchesAnyCellAndOnlyTheMask) {
  Snapshot s = blank_snapshot();
  put(s, 3, 5, "10:42:07");
  EXPECT_EQ(compare_golden(parse_golden("\n\n\n     ??:??:??\n"), s, '?'), "");
  EXPECT_EQ(compare_golden(parse_golden("\n\n\n     ########\n"), s, '#'), "");
  const std::string diff = compare_golden(parse_golden("\n\n\n     **-**-**\n"), s, '*');
  EXPECT_NE(diff.find(">  3 |     **-**-**"), std::string::npos) << diff;
  EXPECT_NE(diff.find("   0 |"), std::string::npos) << "unchanged rows are shown too";
}

TEST(GoldenScreen, CursorAndAttributeSectionsAreComparedWhenPresent) {
  Snapshot s = blank_snapshot();
  s.attributes[2].replace(3, 4, "1111");
  s.cursor_row = 4;
  s.cursor_col = 7;
  const std::string text = snapshot_text(s, true, true);
  EXPECT_EQ(compare_golden(parse_golden(text), s, '?'), "");
  Snapshot moved = s;
  moved.cursor_col = 8;
  EXPECT_NE(compare_golden(parse_golden(text), moved, '?').find("> cursor: golden 4,7, screen 4,8"),
            std::string::npos);
  Snapshot plain = s;
  plain.attributes[2] = std::string(40, '0');
  EXPECT_NE(compare_golden(parse_golden(text), plain, '?').find("> attributes of row 2"), std::string::npos);
  EXPECT_EQ(compare_golden(parse_golden(snapshot_text(s)), plain, '?'), "") << "no section, no comparison";
}

TEST(GoldenScreen, BadGoldenFilesNameTheLine) {
  EXPECT_THROW(
      {
        try {
          parse_golden("ok\n" + std::string(41, 'x') + "\n");
        } catch (const std::runtime_error &e) {
          EXPECT_STREQ(e.what(), "line 2: a screen row of 41 characters (40 at most)");
          throw;
        }
      },
      std::runtime_error);
  std::string rows;
  for (int i = 0; i < 21; ++i) rows += "x\n";
  EXPECT_THROW(parse_golden(rows), std::runtime_error);
  EXPECT_THROW(parse_golden("@cursor 3\n"), std::runtime_error);
}

TEST(GoldenScreen, AnUpdateKeepsTheMaskedCellsAndTheSections) {
  Snapshot s = blank_snapshot();
  put(s, 0, 0, "DATE 01-15-26 OK");
  const Golden old = parse_golden("DATE **-**-** NO\n@cursor 0 0\n");
  const std::string updated = updated_golden(&old, s, '*', false, false);
  EXPECT_EQ(updated.substr(0, updated.find('\n')), "DATE **-**-** OK");
  EXPECT_NE(updated.find("@cursor 0 0"), std::string::npos);
  EXPECT_EQ(updated.find("@attributes"), std::string::npos);
  EXPECT_EQ(compare_golden(parse_golden(updated), s, '*'), "");
}

TEST(GoldenScreen, TheFramedScreenShowsHighlightsAndTheCursor) {
  Snapshot s = blank_snapshot();
  put(s, 1, 0, "MENU");
  s.attributes[1].replace(0, 4, "1111");
  s.cursor_type = 4;
  const std::string framed = framed_screen(s);
  EXPECT_NE(framed.find(" 1 |MENU" + std::string(36, ' ') + "| 1111000"), std::string::npos) << framed;
  EXPECT_NE(framed.find("cursor 0,0\n"), std::string::npos) << framed;
}

TEST(GoldenScreen, SvgEscapesTextAndInvertsHighlights) {
  Snapshot s = blank_snapshot();
  put(s, 0, 0, "<&>");
  s.attributes[0][1] = '1';
  const std::string svg = snapshot_svg(s);
  EXPECT_NE(svg.find(">&lt;</text>"), std::string::npos);
  EXPECT_NE(svg.find("fill=\"#1b2b1b\">&amp;</text>"), std::string::npos);
  EXPECT_EQ(svg.find("<text>"), std::string::npos);
}

std::vector<HelpRecord> records_of(const std::string &content) { return split_records(content); }

std::string findings_text(const std::vector<Finding> &findings) {
  std::string out;
  for (const Finding &f : findings)
    out += std::to_string(f.line) + (f.warning ? " warning: " : ": ") + f.text + "\n";
  return out;
}

TEST(HelpFileCheck, RecordsAreLinesOrZeroEndedRecordsOfAnImage) {
  const auto lines = records_of("0001 A\r\n0002 B\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].text, "0001 A");
  EXPECT_EQ(lines[1].line, 2);
  const auto image =
      records_of(std::string("0001 A\0"
                             "0002 B\0",
                             14));
  ASSERT_EQ(image.size(), 2u);
  EXPECT_EQ(image[1].text, "0002 B");
}

TEST(HelpFileCheck, OrderIsTheLookupsByteOrderAndNumbersAreUnique) {
  EXPECT_EQ(findings_text(check_layout(records_of("0001 A\n0002 B\n0010 C\n"))), "");
  EXPECT_EQ(findings_text(check_layout(records_of("0002 B\n0001 A\n"))),
            "2: record 0001 is out of order: it follows record 0002 of line 1, and the lookup's binary "
            "search needs "
            "ascending order\n");
  const std::string duplicate = findings_text(check_layout(records_of("0001 A\n0001 B\n0002 C\n")));
  EXPECT_NE(duplicate.find("2: record 0001 again: line 1 has the same number"), std::string::npos)
      << duplicate;
  // Same number and text order, different separators: still one number twice.
  EXPECT_NE(findings_text(check_layout(records_of("0001-A\n0001 A\n"))).find("again"), std::string::npos);
}

TEST(HelpFileCheck, RecordsWithoutAFourDigitNumberAreReported) {
  const std::string text = findings_text(check_layout(records_of("0001 A\n12 B\n\n0x03 C\n")));
  EXPECT_NE(text.find("2: the record does not begin with a four-digit number: \"12 B\""), std::string::npos)
      << text;
  EXPECT_NE(text.find("3: an empty record"), std::string::npos) << text;
  EXPECT_NE(text.find("4: the record does not begin"), std::string::npos) << text;
  EXPECT_EQ(record_number("0042"), 42);
  EXPECT_EQ(record_number("004"), std::nullopt);
}

TEST(HelpFileCheck, EveryMessageRecordTheDriverShowsMustBeThereButFourteen) {
  std::string content;
  for (int n = 1; n <= 18; ++n)
    if (n != 14 && n != 11) content += (n < 10 ? "000" : "00") + std::to_string(n) + " Message\n";
  const std::string text = findings_text(check_messages(records_of(content)));
  EXPECT_EQ(text, "0: message record 0011 is missing; the driver shows it on an input time-out\n");
}

TEST(HelpFileCheck, MessagesWiderThanThePopupGetAWarning) {
  const std::vector<Finding> findings = check_messages(records_of("0008 A message of twenty-three\n"));
  const auto note =
      std::find_if(findings.begin(), findings.end(), [](const Finding &f) { return f.line == 1; });
  ASSERT_NE(note, findings.end());
  const Finding &wide = *note;
  EXPECT_TRUE(wide.warning);
  EXPECT_NE(wide.text.find("shows the first 22: \"A message of twenty-th\""), std::string::npos) << wide.text;
}

TEST(HelpFileCheck, KeywordPiecesFollowTheLibrarysRule) {
  EXPECT_EQ(keyword_piece("FI=1 VERT=R,10,20", window_of(KW_VERT)), "R");
  EXPECT_EQ(keyword_piece("FI=1 VERT=R,10,20", window_of(KW_VERT), 2), "20");
  EXPECT_EQ(keyword_piece("VERT= = R 10", window_of(KW_VERT), 1), "10");
  EXPECT_EQ(keyword_piece("VERT=R,10,          20", window_of(KW_VERT), 2), std::nullopt)
      << "outside the window";
  EXPECT_EQ(keyword_piece("FI=1", window_of(KW_VERT)), std::nullopt);
}

// The texts for people are kept beside the library's grammar: every keyword
// of it has them, and an example that the keyword's own reader takes.
TEST(Keywords, EveryKeywordOfTheGrammarHasItsTextsAndExample) {
  for (Command command :
       {Command::field_definition, Command::panel_options, Command::help_file, Command::help_range})
    for (const Keyword &k : keywords_of(command)) {
      EXPECT_EQ(k.example.substr(0, k.name.size()), k.name) << k.name << " of " << command_name(command);
      EXPECT_FALSE(k.example_means.empty()) << k.name;
      EXPECT_TRUE(!k.missing.empty() || !k.absent.empty()) << k.name << ": what the driver does without it";
    }
}

TEST(HelpFileCheck, ValidationRecordsNamedByVertMustExist) {
  const auto records =
      records_of("0020 FI=1 VERT=R,30,31\n0021 FI=2 VERT=F,32\n0022 FI=3 VERT=S,40,49\n0030 1\n");
  const std::string text = findings_text(check_references(records));
  EXPECT_EQ(
      text,
      "1: record 0020: VERT=R reads record 0031, which is missing; validation reports XM (upper bound "
      "record of VERT=R missing) and refuses the value\n"
      "2: record 0021: VERT=F reads record 0032, which is missing; validation reports XU (mask record of "
      "VERT=F missing) and refuses the value\n");
}

TEST(HelpFileCheck, TheErrorReportIsReadOffRowZero) {
  EXPECT_EQ(error_report_on("Bad CZEB(Z8):FI=3                      "), "Z8 FI=3");
  EXPECT_EQ(error_report_on("Bad CZEB(M1):07NOTHING                 "), "M1 07NOTHING");
  EXPECT_EQ(error_report_on("ZEB append too long:                   "), std::nullopt);
  EXPECT_EQ(error_report_on("Bad CZEB("), std::nullopt);
}

TEST(LibraryProbe, RunsACommandAndReadsTheErrorReportItShowed) {
  const LibraryProbe probe(FORMS_LIBRARY_PATH, "0001 Checking\n", "");
  const CommandOutcome outcome = probe.run("NOTHING", false, false);
  ASSERT_EQ(outcome.reports.size(), 1u);
  EXPECT_EQ(outcome.reports[0], "M1 07NOTHING");
  EXPECT_EQ(outcome.starvation, "");
  const CommandOutcome cancelled = probe.run("UNKNOWN", true, true);
  ASSERT_EQ(cancelled.reports.size(), 1u) << "a key queued ahead ends the report all the same";
  EXPECT_EQ(cancelled.reports[0], "M1 07UNKNOWN");
}

TEST(FormsLibrary, LoadsCallsAndUnloads) {
  {
    FormsLibrary library(FORMS_LIBRARY_PATH);
    EXPECT_TRUE(FormsLibrary::is_loaded(FORMS_LIBRARY_PATH));
    EXPECT_EQ(library.main(7, ""), 0);
  }
  EXPECT_FALSE(FormsLibrary::is_loaded(FORMS_LIBRARY_PATH))
      << "dlclose unloads it, so a new load starts fresh";
}

TEST(FormsLibrary, ALibraryThatDoesNotLoadIsNamed) {
  try {
    FormsLibrary library("/nonexistent/libforms.so");
    FAIL() << "loaded a missing library";
  } catch (const LoadError &e) {
    EXPECT_NE(std::string(e.what()).find("cannot load the library /nonexistent/libforms.so"),
              std::string::npos);
  }
}

TEST(FormsLibrary, CommandStringsGetTwoLengthDigits) {
  EXPECT_EQ(command_string("CLEAR_P"), "07CLEAR_P");
  EXPECT_EQ(command_string(""), "00");
  EXPECT_EQ(command_string(std::string(99, 'x')).substr(0, 3), "99x");
  EXPECT_THROW(command_string(std::string(100, 'x')), std::length_error);
}

}  // namespace
}  // namespace formsterm
