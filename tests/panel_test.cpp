// Whole panels through the entry point: fields defined with SET_FIE, run by
// EXEC_PA from queued keys and scans, with what the operator sees, what is
// stored, the reason variable and the return value.
#include "panel/panel.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/termrt.h"
#include "support/fields_fixture.h"

namespace {

using termrt::kBlankEntry;
using termrt::kCancel;
using termrt::kComplete;
using termrt::kEnter;
using termrt::kNext;
using termrt::kPrevious;

const char *const kMessages =
    "0001 Checking\n0002 Key too long\n0003 Not in the file\n0004 Not allowed\n"
    "0007 File not available\n0008 Field required\n0009 Fill the field\n0010 Key refused\n"
    "0011 Time is up\n0012 Scan does not fit\n0013 No scans here\n0015 Data ID needed\n"
    "0016 Press ENTER\n0017 Bad date\n0018 Bad format\n"
    "0040 FI=1 INPUT=ALPHA LEN=6 ROW=2 COL=2\n"
    "0041 REASON=9 ERET=A\n"
    "0050 Screen of field one\n";

class PanelTest : public FieldsTest {
 protected:
  void SetUp() override {
    FieldsTest::SetUp();
    t.add_file("HELP.VAL", kMessages);
    t.set_clock({2004, 3, 5, 9, 15, 0});
  }
  void field(int variable, const std::string &definition) {
    t.set_variable(variable, definition);
    run("SET_FIE VAR=" + std::to_string(variable));
  }
  int exec(const std::string &options) {
    t.set_variable(30, options);
    return run("EXEC_PA VAR=30");
  }
  // A panel of a signed number (to variable 2) and a text (to variable 3).
  void two_fields() {
    field(40, "FI=1 INPUT=NUM LEN=-5 ROW=3 COL=1 RUV=2");
    field(41, "FI=2 INPUT=ALPHA LEN=8 ROW=4 COL=1 RUV=3");
  }
  std::string uv(int n) { return t.variable(n).value_or("<none>"); }
};

TEST_F(PanelTest, AnOperatorFillsAndCompletesAPanel) {
  two_fields();
  t.put_text(0, 0, "RECEIVING");
  std::string first_screen;
  t.on_idle([&] {
    if (first_screen.empty()) first_screen = screen();
  });
  t.type("42");
  t.key(kEnter);
  t.type("abc");
  t.key(kComplete);
  EXPECT_EQ(exec("REASON=9"), 1);
  EXPECT_EQ(uv(2), " 42  ");
  EXPECT_EQ(uv(3), "ABC     ");
  EXPECT_EQ(uv(9), "OK");
  EXPECT_EQ(cells(0, 0, 9), "RECEIVING") << "the panel is drawn over the screen";
  EXPECT_EQ(cells(2, 0, 5), " 42__");
  EXPECT_EQ(cells(3, 0, 8), "ABC_____");
}

TEST_F(PanelTest, FieldsAreDrawnAsUnderscoresBeforeTheFirstKey) {
  two_fields();
  t.on_idle([&] {
    EXPECT_EQ(cells(2, 0, 6), "_____ ");
    EXPECT_EQ(cells(3, 0, 9), "________ ");
    EXPECT_EQ(t.cursor_row(), 2);
    EXPECT_EQ(t.cursor_col(), 0);
    t.key(kCancel);
  });
  EXPECT_EQ(exec("ERET=N"), 0);
}

TEST_F(PanelTest, EndingsReturnWhatEretNames) {
  two_fields();
  struct Case {
    const char *eret;
    int completed, cancelled;
  };
  for (Case c : {Case{"N", 1, 0}, Case{"S", 0, 1}, Case{"A", 0, 2}}) {
    t.keys({'1', kNext, 'x', kComplete});
    EXPECT_EQ(exec(std::string("ERET=") + c.eret), c.completed) << c.eret;
    t.key(kCancel);
    EXPECT_EQ(exec(std::string("ERET=") + c.eret + " REASON=9"), c.cancelled) << c.eret;
    EXPECT_EQ(uv(9), "CANCEL");
  }
}

TEST_F(PanelTest, CancelStoresNothing) {
  two_fields();
  t.set_variable(2, "before");
  t.keys({'7', kNext, kCancel});
  exec("REASON=5");
  EXPECT_EQ(uv(2), "before");
  EXPECT_EQ(uv(5), "CANCEL");
  EXPECT_EQ(t.count_log("write 2"), 0);
}

TEST_F(PanelTest, ARequiredEmptyFieldShowsMessageEightAndBecomesCurrent) {
  two_fields();
  std::vector<std::string> popups;
  t.on_idle([&] {
    std::string line = cells(2, 3, 14);
    if (popups.empty() || popups.back() != line) popups.push_back(line);
    if (t.cursor_row() == 3 && t.pending_keys() == 0) {  // the editor is on field 2
      t.type("zz");
      t.key(kComplete);
    }
  });
  t.keys({'5', kComplete});  // field 2 is empty
  EXPECT_EQ(exec(""), 1);
  EXPECT_NE(std::find(popups.begin(), popups.end(), "Field required"), popups.end());
  EXPECT_EQ(uv(3), "ZZ      ");
}

TEST_F(PanelTest, KeysTypedAheadOfAMessageAreNotTakenAsInput) {
  two_fields();
  t.keys({'5', kComplete, 'z', kComplete});  // the message and its pause swallow the rest
  t.at(30, [&] { t.key(kCancel); });
  EXPECT_EQ(exec("REASON=9"), 0);
  EXPECT_EQ(uv(9), "CANCEL");
}

TEST_F(PanelTest, ARequiredEmptyDateTakesTodaysDate) {
  field(40, "FI=1 INPUT=DATE_EURO LEN=10 ROW=3 COL=1 RUV=4");
  field(41, "FI=2 INPUT=TIME_STD LEN=8 ROW=4 COL=1 RUV=5");
  t.key(kComplete);
  EXPECT_EQ(exec(""), 1);
  EXPECT_EQ(uv(4), "05-03-2004");
  EXPECT_EQ(uv(5), "09:15:00");
}

TEST_F(PanelTest, AnOptionalDateLeftAsItsTemplateIsStoredEmpty) {
  field(40, "FI=1 INPUT=DATE_AMER LEN=10 ROW=3 COL=1 RUV=4 REQ=N");
  field(41, "FI=2 INPUT=TIME_STD LEN=8 ROW=4 COL=1 RUV=5 REQ=N");
  t.keys({kNext, kComplete});  // both fields visited, neither typed into
  EXPECT_EQ(exec(""), 1);
  EXPECT_EQ(uv(4), std::string(10, ' '));
  EXPECT_EQ(uv(5), std::string(8, ' '));
  t.keys({'1', '2', kComplete});  // a partly typed date is completed from the clock
  EXPECT_EQ(exec(""), 1);
  EXPECT_EQ(uv(4), "12-05-2004");
}

TEST_F(PanelTest, OptionErrorsAreReportedWithTheirCodes) {
  two_fields();
  struct Case {
    const char *options, *code;
  };
  for (Case c : {Case{"TOE=", "X3"},     Case{"TOE=X", "X4"}, Case{"ERET=", "X5"}, Case{"ERET=T", "X6"},
                 Case{"CON=", "X7"},     Case{"CON=y", "X8"}, Case{"MULT=", "XV"}, Case{"MULT=Q", "XW"},
                 Case{"L=", "X9"},       Case{"L=A", "XA"},   Case{"CNP=", "XB"},  Case{"CNP=1", "XC"},
                 Case{"T=", "XD"},       Case{"HVR=", "XO"},  Case{"HVR=9", "XP"}, Case{"HVR=0", "XP"},
                 Case{"SF=", "XF"},      Case{"SF=21", "XG"}, Case{"SF=3", "XG"},  Case{"REASON=", "XX"},
                 Case{"REASON=20", "XY"}}) {
    t.set_variable(30, c.options);
    t.key(13);
    EXPECT_EQ(run("EXEC_PA VAR=30"), 0) << c.options;
    EXPECT_EQ(cells(0, 9, 2), c.code) << c.options;
    EXPECT_EQ(cells(0, 13, 16), "14EXEC_PA VAR=30") << c.options;
  }
}

TEST_F(PanelTest, TheOptionTextComesFromAVariableOrAHelpRecord) {
  two_fields();
  t.key(13);
  EXPECT_EQ(run("EXEC_PA TOE=N ERET=S"), 0);
  EXPECT_EQ(cells(0, 0, 13), "Bad CZEB(X1):");
  t.key(13);
  run("EXEC_PA VAR=");
  EXPECT_EQ(cells(0, 9, 2), "X2");
  t.key(13);
  run("EXEC_PA VAR=200");
  EXPECT_EQ(cells(0, 9, 2), "X2");
  t.key(13);
  run("EXEC_PA HELP=0");
  EXPECT_EQ(cells(0, 9, 2), "X2");
  t.key(13);
  run("EXEC_PA HELP=0099");
  EXPECT_EQ(row(0), report_row("XN", "REC=0099"));
  t.key(kCancel);
  EXPECT_EQ(run("EXEC_PA HELP=41"), 2) << "ERET=A from record 41";
  EXPECT_EQ(uv(9), "CANCEL");
}

TEST_F(PanelTest, OptionsInTheCommandTextAreIgnoredWithVar) {
  two_fields();
  t.set_variable(30, "ERET=N");
  t.key(kCancel);
  EXPECT_EQ(run("EXEC_PA VAR=30 ERET=A"), 0);
}

TEST_F(PanelTest, TIsFoundInsideEretSoItsOrderMatters) {
  two_fields();
  t.at(100, [&] { t.key(kCancel); });
  long long start = t.now_ms();
  EXPECT_EQ(exec("ERET=S T=30 REASON=9"), 1);
  EXPECT_EQ(uv(9), "CANCEL") << "no time-out: T= read 'S'";
  EXPECT_EQ(t.now_ms() - start, 100000);
  start = t.now_ms();
  EXPECT_EQ(exec("T=30 ERET=S REASON=9"), 1);
  EXPECT_EQ(uv(9), "TIMEOUT");
  EXPECT_LE(t.now_ms() - start, 33000);
  EXPECT_GE(t.now_ms() - start, 30000);
}

TEST_F(PanelTest, AReasonOf65536MeansNone) {
  two_fields();
  t.key(kCancel);
  EXPECT_EQ(exec("REASON=65536"), 0);
  EXPECT_EQ(t.count_log("clear"), 0);
}

TEST_F(PanelTest, ThePanelStartsOnTheSfFieldOrTheFirstDefined) {
  field(40, "FI=3 INPUT=ALPHA LEN=4 ROW=5 COL=1 RUV=3");
  field(41, "FI=7 INPUT=ALPHA LEN=4 ROW=6 COL=1 RUV=7");
  t.on_idle([&] {
    EXPECT_EQ(t.cursor_row(), 4);
    t.key(kCancel);
  });
  exec("");
  t.on_idle([&] {
    EXPECT_EQ(t.cursor_row(), 5);
    t.key(kCancel);
  });
  exec("SF=7");
}

TEST_F(PanelTest, NoDefinedFieldReportsXH) {
  two_fields();
  run("CLEAR_P");
  t.key(13);
  EXPECT_EQ(exec(""), 0);
  EXPECT_EQ(cells(0, 0, 13), "Bad CZEB(XH):");
}

TEST_F(PanelTest, TimeOutWithToeTTriesToCompleteAndGoesOn) {
  two_fields();
  t.at(30, [&] {
    t.type("12");
    t.key(kNext);
    t.type("ab");
    t.key(kComplete);
  });
  EXPECT_EQ(exec("T=20 TOE=T REASON=9"), 1);
  EXPECT_EQ(uv(9), "OK");
  EXPECT_EQ(t.count_log("write 9 \"TIMEOUT\""), 1);
  EXPECT_EQ(uv(3), "AB      ");
}

TEST_F(PanelTest, MovingBetweenFieldsWraps) {
  two_fields();
  field(42, "FI=5 INPUT=ALPHA LEN=3 ROW=8 COL=1 RUV=4");
  std::vector<int> rows;
  int presses = 0;
  t.on_idle([&] {
    rows.push_back(t.cursor_row());
    static const std::uint16_t moves[] = {kPrevious, kPrevious, kNext, kEnter, kNext};
    t.key(presses < 5 ? moves[presses++] : static_cast<std::uint16_t>(kCancel));
  });
  exec("");
  EXPECT_EQ(rows, (std::vector<int>{2, 7, 3, 7, 2, 3}));
}

TEST_F(PanelTest, BlankEntryTwiceEditsTheFieldsOwnValue) {
  field(40, "FI=1 INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 PUV=8");
  t.set_variable(8, "ABCD");
  field(40, "FI=1 INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 PUV=8");
  t.keys({kBlankEntry, kBlankEntry, 'X', kComplete});
  EXPECT_EQ(exec(""), 1);
  EXPECT_EQ(uv(2), "XBCD  ");
  t.keys({kBlankEntry, 'Y', kComplete});
  EXPECT_EQ(exec(""), 1);
  EXPECT_EQ(uv(2), "Y     ");
}

TEST_F(PanelTest, ValuesAreKeptForTheNextPanelOnlyWithCnpN) {
  two_fields();
  t.keys({'9', kNext, 'q', kComplete});
  exec("");
  t.on_idle([&] {
    EXPECT_EQ(cells(2, 0, 5), " 9___");
    EXPECT_EQ(cells(3, 0, 8), "Q_______") << "the kept value is shown, not only when prefilled";
    t.key(kComplete);
  });
  EXPECT_EQ(exec("CNP=N"), 1);
  EXPECT_EQ(uv(3), "Q       ") << "but it is kept";
  t.on_idle([&] {
    EXPECT_EQ(cells(2, 0, 5), "_____");
    t.key(kCancel);
  });
  exec("CNP=Y");
}

TEST_F(PanelTest, APrefilledValueIsShownAndAPrefilledValueTooLongIsStoredWhole) {
  t.set_variable(8, "LONGER THAN FIVE");
  field(40, "FI=1 INPUT=ALPHA LEN=5 ROW=3 COL=1 RUV=2 PUV=8");
  t.on_idle([&] {
    EXPECT_EQ(cells(2, 0, 6), "LONGE ");
    t.key(kComplete);
  });
  EXPECT_EQ(exec(""), 1);
  EXPECT_EQ(uv(2), "LONGER THAN FIVE");
}

TEST_F(PanelTest, CompletionPutsTheCursorBackAndHidesIt) {
  two_fields();
  _VioSetCurPos(19, 39);
  t.keys({'1', kNext, 'a', kComplete});
  exec("");
  EXPECT_EQ(t.cursor_row(), 19);
  EXPECT_EQ(t.cursor_col(), 39);
  EXPECT_EQ(t.cursor_type(), 0);
}

TEST_F(PanelTest, StoringFailuresAreReportedAndTheOthersStillStored) {
  two_fields();
  t.define_variable(2, 3);
  t.on_idle([&] { t.key(13); });  // acknowledges each report
  t.keys({'1', kNext, 'a', kComplete});
  EXPECT_EQ(exec("REASON=9"), 1);
  EXPECT_EQ(row(0), report_row("XI", "VAR=2"));
  EXPECT_EQ(uv(3), "A       ");
  EXPECT_EQ(uv(9), "OK");
  t.remove_variable(3);
  t.key(kComplete);
  EXPECT_EQ(exec("CNP=N"), 1);
  EXPECT_EQ(cells(0, 9, 2), "XJ");
}

TEST_F(PanelTest, MultiScreenPanelsShowEachFieldsScreenInsteadOfDrawingFields) {
  field(40, "FI=1 INPUT=ALPHA LEN=4 ROW=5 COL=1 RUV=2 SCRN=50,50");
  t.put_text(4, 0, "old");
  t.on_idle([&] {
    EXPECT_EQ(cells(0, 0, 20), "Screen of field one ");
    EXPECT_EQ(cells(4, 0, 4), "____") << "the editor draws the field on the cleared screen";
    t.key(kCancel);
  });
  exec("MULT=Y");
}

TEST_F(PanelTest, AScannedValueCompletesAPanelOfDataIdFields) {
  field(40, "FI=1 INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 DI=P");
  field(41, "FI=2 INPUT=NUM LEN=4 ROW=4 COL=1 RUV=3 DI=Q");
  t.scan("P-discarded");  // scans waiting before the panel starts are dropped
  int idle = 0;
  t.on_idle([&] {
    if (++idle == 1) t.scan("Q12");
    if (idle == 2) t.scan("PABC");
  });
  EXPECT_EQ(exec("REASON=9"), 1);
  EXPECT_EQ(uv(2), "ABC   ");
  EXPECT_EQ(uv(3), "12  ");
  EXPECT_EQ(t.count_log("beep 0,2,3"), 2);
}

TEST_F(PanelTest, AScanForAFieldWithoutDataIdMovesOnToTheNextEmptyField) {
  field(40, "FI=1 INPUT=AIALPHA LEN=6 ROW=3 COL=1 RUV=2");
  field(41, "FI=2 INPUT=ALPHA LEN=4 ROW=4 COL=1 RUV=3");
  t.on_idle([&] {
    if (t.cursor_row() == 2 && t.pending_scans() == 0) t.scan("XYZ");
    if (t.cursor_row() == 3) {
      t.type("hi");
      t.key(kComplete);
    }
  });
  EXPECT_EQ(exec(""), 1);
  EXPECT_EQ(uv(2), "XYZ   ");
  EXPECT_EQ(uv(3), "HI  ");
}

TEST_F(PanelTest, ARejectedValueKeepsThePanelOpenOnThatField) {
  t.add_file("PARTS.VAL", "P100\n");
  field(40, "FI=1 INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 VERF=PARTS");
  t.type("P999");
  t.key(kComplete);
  bool corrected = false;
  t.on_idle([&] {
    if (!corrected && t.count_log("validation PARTS.VAL 3 \"P999\" -> 1") == 1 && t.cursor_type() == 4) {
      corrected = true;
      t.type("P100");
      t.key(kComplete);
    }
  });
  EXPECT_EQ(exec("REASON=9"), 1);
  EXPECT_TRUE(corrected);
  EXPECT_EQ(uv(2), "P100  ");
  EXPECT_EQ(t.count_log("validation PARTS.VAL 3 \"P100\" -> 0"), 1);
}

TEST_F(PanelTest, TheFirstDigitReplacesAPrefilledNumberThatIsNotEditable) {
  t.set_variable(8, "123");
  field(40, "FI=1 INPUT=NUM LEN=5 ROW=3 COL=1 RUV=2 PUV=8 EDIT=N");
  std::string typed;
  t.on_idle([&] {
    if (t.pending_keys() > 0) return;
    if (typed.empty()) {
      t.key('7');
      typed = "asked";
      return;
    }
    if (typed == "asked") typed = cells(2, 0, 5);
    t.key(kComplete);
  });
  EXPECT_EQ(exec("REASON=9"), 1);
  EXPECT_EQ(typed, " 7___") << "the sign position stays in front of the new digit";
  EXPECT_EQ(uv(2), " 7   ");
}

TEST_F(PanelTest, AScanRejectedByItsFileKeepsThePanelOpenForTheNextScan) {
  t.add_file("PARTS.VAL", "ABC\n");
  field(40, "FI=1 INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 DI=P VERF=PARTS");
  int scans = 0;
  t.on_idle([&] {
    if (t.cursor_type() != 4) return;  // the editor waits, not a message
    t.scan(scans++ == 0 ? "PXYZ" : "PABC");
  });
  EXPECT_EQ(exec("REASON=9"), 1);
  EXPECT_EQ(scans, 2);
  EXPECT_EQ(t.count_log("validation PARTS.VAL 3 \"XYZ\" -> 1"), 1);
  EXPECT_EQ(uv(2), "ABC   ");
  EXPECT_EQ(uv(9), "OK");
}

TEST_F(PanelTest, AGroupWhoseFileCannotBeConsultedIsAskedAgainAtTheNextCompletion) {
  field(40, "FI=1 INPUT=ALPHA LEN=4 ROW=3 COL=1 RUV=2 VERF=PARTS VERT=I");
  field(41, "FI=2 INPUT=ALPHA LEN=4 ROW=4 COL=1 RUV=3 VERF=PARTS VERT=I");
  t.force_validation("PARTS.VAL", 16);
  bool unavailable_shown = false;
  t.on_idle([&] {
    if (cells(2, 3, 18) == "File not available") unavailable_shown = true;
    if (t.pending_keys() > 0 || t.cursor_type() != 4) return;
    t.force_validation("PARTS.VAL", unavailable_shown ? 0 : 16);
    t.key(kComplete);
  });
  t.keys({'a', kNext, 'b'});
  EXPECT_EQ(exec("CON=Y REASON=9"), 1);
  EXPECT_TRUE(unavailable_shown);
  EXPECT_EQ(t.count_log("validation PARTS.VAL 3 \"A;B\" -> 16"), 1);
  EXPECT_EQ(t.count_log("validation PARTS.VAL 3 \"A;B\" -> 0"), 1);
  EXPECT_EQ(uv(2), "A   ");
}

TEST_F(PanelTest, AnAnswerOfTheValidationFileThatDecidesNothingLetsThePanelComplete) {
  field(40, "FI=1 INPUT=ALPHA LEN=4 ROW=3 COL=1 RUV=2 VERF=PARTS VERT=I");
  t.force_validation("PARTS.VAL", 2);
  t.keys({'a', kComplete});
  EXPECT_EQ(exec("REASON=9"), 1);
  EXPECT_EQ(t.count_log("validation PARTS.VAL 3 \"A\" -> 2"), 1);
  EXPECT_EQ(uv(2), "A   ");
}

TEST_F(PanelTest, AGroupKeyReachesTheFileUnchangedWhenMessageTwoLacksItsClosingLine) {
  std::string messages = kMessages;
  messages.erase(messages.find("0016 Press ENTER\n"), 17);
  t.add_file("HELP.VAL", messages);
  const std::string values[4] = {std::string(38, 'A'), std::string(38, 'B'), std::string(38, 'C'),
                                 std::string(38, 'D')};
  for (int i = 0; i < 4; ++i) {
    t.set_variable(50 + i, values[i]);
    field(40, "FI=" + std::to_string(i + 1) + " INPUT=ALPHA LEN=38 ROW=" + std::to_string(i + 3) +
                  " COL=1 RUV=" + std::to_string(i + 2) + " PUV=" + std::to_string(50 + i) +
                  " VERF=PARTS VERT=I");
  }
  t.force_validation("PARTS.VAL", 0);
  t.key(kComplete);
  t.on_idle([&] {
    if (t.pending_keys() == 0) t.key(kEnter);
  });
  EXPECT_EQ(exec("CON=Y REASON=9"), 1);
  EXPECT_EQ(t.count_log("validation PARTS.VAL 3 \"" + values[0] + ";" + values[1] + "\" -> 0"), 1);
  EXPECT_EQ(uv(9), "OK");
}

}  // namespace
