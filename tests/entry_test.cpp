// Entry point and command dispatch: function codes, the command string, the
// dispatch by name and the title banner.
#include "entry/entry.h"

#include "loader.h"
#include "screen/popup.h"
#include "support/terminal_test.h"

namespace {

class EntryTest : public TerminalTest {
 protected:
  // The field definitions these tests run are complete, so that they show
  // no report of their own.
  void SetUp() override {
    TerminalTest::SetUp();
    t.set_variable(1, "FI=1 INPUT=NUM LEN=5 ROW=1 COL=1");
  }
};

TEST_F(EntryTest, UnknownCommandShowsM1WithTheCommandStringAndWaitsForAKey) {
  t.key('x');
  EXPECT_EQ(run("NOTHING ARGS"), 0);
  EXPECT_EQ(row(0), "Bad CZEB(M1):12NOTHING ARGS" + std::string(13, ' '));
  EXPECT_EQ(row(1), "Press any key to continue               ");
  EXPECT_EQ(t.pending_keys(), 0u);
}

TEST_F(EntryTest, ANameCutShortMatchesNothingNotEvenItsPrefix) {
  t.key(13);
  EXPECT_EQ(run_raw("05CLEAR"), 0);
  EXPECT_EQ(cells(0, 0, 13), "Bad CZEB(M1):");
  EXPECT_EQ(cells(0, 13, 7), "05CLEAR");
}

TEST_F(EntryTest, NamesAreComparedWithoutRegardToCase) {
  run("set_fie VAR=1");
  EXPECT_EQ(banner_shown, 1);
  EXPECT_EQ(cells(0, 0, 8), "        ") << "a known name must not show the M1 report";
}

TEST_F(EntryTest, ArgumentLengthIsTheValueOfTheTwoLeadingDigits) {
  run("CLEAR_P");
  EXPECT_EQ(argument_length, 7);
  run_raw(" 7CLEAR_P");
  EXPECT_EQ(argument_length, 7);
  run_raw("xxCLEAR_P");
  EXPECT_EQ(argument_length, 0);
  run_raw("-3CLEAR_P");
  EXPECT_EQ(argument_length, -3);
}

TEST_F(EntryTest, BadCommandStringsGetM1AndNothingIsReadPastTheirEnd) {
  t.keys({13, 13, 13});
  EXPECT_EQ(forms_entry(3, nullptr), 0);
  EXPECT_EQ(cells(0, 0, 13), "Bad CZEB(M1):");
  EXPECT_EQ(cells(0, 13, 18), std::string(18, ' '));
  EXPECT_EQ(run_raw("9"), 0);
  EXPECT_EQ(cells(0, 13, 18), "9" + std::string(17, ' '));
  // Length digits larger than what follows: the name is still found.
  EXPECT_EQ(run_raw("99CLEAR_P"), 0);
  EXPECT_EQ(t.pending_keys(), 1u);
}

TEST_F(EntryTest, TheFirstFieldDefinitionShowsTheBannerInAPopupAndPauses) {
  t.put_text(2, 0, "underneath the banner text here!");
  std::string during;
  t.on_idle([&] {
    if (during.empty()) during = screen();
  });
  run("SET_FIE VAR=1");
  EXPECT_NE(during.find("  +----------------------+"), std::string::npos);
  EXPECT_NE(during.find("un|ZEB Panel Driver 1.43 |"), std::string::npos);
  EXPECT_NE(during.find("  |ZEB Terminals         |"), std::string::npos);
  EXPECT_NE(during.find("  |All rights reserved.  |"), std::string::npos);
  // 50 / 3 = 16 passes of 20 ms, then the screen is back as it was.
  EXPECT_EQ(t.calls("_WaitEvent"), 16);
  EXPECT_EQ(row(2), "underneath the banner text here!        ");
  EXPECT_EQ(row(1), std::string(40, ' '));
  EXPECT_EQ(popup_lines, 0);
}

TEST_F(EntryTest, TheBannerShowsOnceUntilAResetCode) {
  run("SET_FIE VAR=1");
  t.clear_waits();
  run("SET_FIE VAR=1");
  EXPECT_TRUE(t.waits().empty());
  EXPECT_EQ(call(2), 0);
  run("SET_FIE VAR=1");
  EXPECT_EQ(t.waits().size(), 16u);
  EXPECT_EQ(call(0), 0);
  t.clear_waits();
  run("SET_FIE VAR=1");
  EXPECT_EQ(t.waits().size(), 16u);
}

TEST_F(EntryTest, TheCancelKeyEndsTheBannerPauseEarly) {
  t.key(256);
  run("SET_FIE VAR=1");
  EXPECT_EQ(t.calls("_WaitEvent"), 1);
}

TEST_F(EntryTest, ResetForgetsThePopupWithoutRestoringTheScreen) {
  popup_window('C', 0, 2, nullptr);
  EXPECT_EQ(call(0), 0);
  EXPECT_EQ(popup_lines, 0);
  EXPECT_EQ(cells(1, 2, 24), "+----------------------+");
}

TEST_F(EntryTest, FunctionCodeFourTogglesTheDebugFlag) {
  EXPECT_EQ(call(4), 0);
  EXPECT_EQ(debug_flag, 1);
  EXPECT_EQ(call(4), 0);
  EXPECT_EQ(debug_flag, 0);
}

TEST_F(EntryTest, OtherFunctionCodesDoNothing) {
  EXPECT_EQ(call(7, "05CLEAR"), 0);
  EXPECT_EQ(call(-1, "05CLEAR"), 0);
  EXPECT_EQ(call(1, "05CLEAR"), 0);
  EXPECT_EQ(row(0), std::string(40, ' '));
  EXPECT_EQ(t.calls("_KbdReadAscii"), 0);
}

// The shared library exports main alone and answers through it.
TEST_F(EntryTest, TheSharedLibraryAnswersThroughItsExportedMain) {
  void *library = termrt::load_library(FORMS_LIBRARY_PATH);
  ASSERT_NE(library, nullptr) << termrt::loader_error();
  auto entry = reinterpret_cast<termrt::Entry>(termrt::library_symbol(library, "main"));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(termrt::library_symbol(library, "forms_entry"), nullptr);
  EXPECT_EQ(termrt::library_symbol(library, "command_buffer"), nullptr);
  t.key(13);
  EXPECT_EQ(entry(3, "07UNKNOWN"), 0);
  EXPECT_EQ(cells(0, 0, 22), "Bad CZEB(M1):07UNKNOWN");
  EXPECT_EQ(entry(9, nullptr), 0);
  termrt::unload_library(library);
}

}  // namespace
