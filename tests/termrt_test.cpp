// The simulated terminal run-time itself: display clipping, user variables,
// files, validation, sensor records, the virtual clock and starvation.
#include "platform/termrt.h"

#include <cstring>
#include <vector>

#include "support/terminal_test.h"

namespace {

class RuntimeTest : public TerminalTest {};

TEST_F(RuntimeTest, DisplayWritesAreClippedAtTheEdgesAndNeverWrap) {
  unsigned short status;
  _VioWrtCharStr("ABCDEFGH", 8, 0, 36, &status, 0);
  EXPECT_EQ(cells(0, 36, 4), "ABCD");
  EXPECT_EQ(cells(1, 0, 4), "    ");
  _VioWrtCharStr("XY", 2, 20, 0, &status, 0);
  _VioWrtCharStr("XY", 2, -1, 0, &status, 0);
  _VioWrtNChar(3, -2, '*', 5, &status, 0);
  EXPECT_EQ(cells(3, 0, 4), "*** ");
  _VioWrtNChar(4, 38, '_', 100, &status, 0);
  EXPECT_EQ(cells(4, 36, 4), "  __");
  EXPECT_EQ(row(5), std::string(40, ' '));
}

TEST_F(RuntimeTest, CharacterWritesKeepAttributesAndAttributeWritesSetThem) {
  unsigned short status;
  _VioWrtCharStrAtt("AB", 2, 2, 0, 1, &status, 0);
  _VioWrtCharStr("C", 1, 2, 0, &status, 0);
  EXPECT_EQ(cells(2, 0, 2), "CB");
  EXPECT_EQ(t.row_attributes(2).substr(0, 3), "110");
  _VioClear();
  EXPECT_EQ(t.row_attributes(2).substr(0, 3), "000");
  EXPECT_EQ(row(2), std::string(40, ' '));
}

TEST_F(RuntimeTest, CellReadsOutsideTheDisplayGiveBlanks) {
  unsigned char cells_read[8];
  std::memset(cells_read, 0x55, sizeof cells_read);
  t.put_text(0, 38, "QR");
  _VioReadCellStr(cells_read, 4, 0, 38, nullptr, 0);
  EXPECT_EQ(cells_read[0], 'Q');
  EXPECT_EQ(cells_read[2], 'R');
  EXPECT_EQ(cells_read[4], ' ');
  EXPECT_EQ(cells_read[7], 0);
}

TEST_F(RuntimeTest, UserVariablesAnswerThreeForMissingAndFiveForTooLong) {
  char buffer[USER_VARIABLE_MAX + 1];
  EXPECT_EQ(_WriteUserVariable(5, "hello"), 0);
  EXPECT_EQ(_ReadUserVariable(5, buffer), 0);
  EXPECT_STREQ(buffer, "hello");
  EXPECT_EQ(_ReadUserVariable(100, buffer), 3);
  EXPECT_EQ(_WriteUserVariable(100, "x"), 3);
  t.define_variable(7, 4);
  EXPECT_EQ(_WriteUserVariable(7, "12345"), 5);
  EXPECT_EQ(t.variable(7), "");
  EXPECT_EQ(_WriteUserVariable(7, "1234"), 0);
  t.set_unreadable(7);
  EXPECT_EQ(_ReadUserVariable(7, buffer), 3);
  EXPECT_EQ(_ClearUserVariable(5), 0);
  EXPECT_EQ(t.variable(5), "");
  EXPECT_EQ(t.count_log("write 7 \"12345\" -> 5"), 1);
  EXPECT_EQ(t.count_log("clear 5"), 1);
}

TEST_F(RuntimeTest, TextFilesBecomeImagesOfZeroEndedRecords) {
  t.add_file("help.val", "0001 First\r\n0002 Second\n");
  const char *image = nullptr;
  unsigned int size = 0;
  ASSERT_EQ(_DataFile("HELP.VAL", &image, &size), 0);
  EXPECT_EQ(std::string(image, size), std::string("0001 First\0"
                                                  "0002 Second\0",
                                                  23));
  EXPECT_NE(_DataFile("OTHER.VAL", &image, &size), 0);
  t.add_file("BIN", std::string("B\0A\0", 4));
  ASSERT_EQ(_DataFile("bin", &image, &size), 0);
  EXPECT_EQ(size, 4u);
}

TEST_F(RuntimeTest, ValidationAnswersByModeAndCanBeForced) {
  t.add_file("PARTS.VAL", "P100\nP200\n");
  EXPECT_EQ(_Validation("PARTS.VAL", "3", "P100"), 0);
  EXPECT_EQ(_Validation("PARTS.VAL", "3", "P10"), 1);
  EXPECT_EQ(_Validation("PARTS.VAL", "2", "P100"), 1);
  EXPECT_EQ(_Validation("PARTS.VAL", "2", "P300"), 0);
  EXPECT_EQ(_Validation("NONE.VAL", "3", "P100"), 4);
  t.force_validation("PARTS.VAL", 16);
  EXPECT_EQ(_Validation("PARTS.VAL", "3", "P100"), 16);
  EXPECT_EQ(t.count_log("validation PARTS.VAL 3 \"P100\" -> 0"), 1);
}

TEST_F(RuntimeTest, SensorRecordsAreLaidOutAndNeverOverrunTheReader) {
  t.scan("P123");
  unsigned short count = 0;
  _SenQueryData(&count);
  EXPECT_EQ(count, 1);
  unsigned char small[5];
  std::memset(small, 0xEE, sizeof small);
  unsigned char guard = 0xEE;
  ASSERT_EQ(_SenRead(small, 5), 0);
  EXPECT_EQ(small[0], 0);
  EXPECT_EQ(small[2], 4);
  EXPECT_EQ(small[3], 'P');
  EXPECT_EQ(small[4], '1');
  EXPECT_EQ(guard, 0xEE);
  EXPECT_NE(_SenRead(small, 5), 0);
  t.sensor_record({});  // an empty raw record reads as a header of zeros
  std::memset(small, 0xEE, sizeof small);
  ASSERT_EQ(_SenRead(small, 5), 0);
  EXPECT_EQ(small[0], 0);
  EXPECT_EQ(small[2], 0);
  EXPECT_EQ(small[3], 0xEE);
}

TEST_F(RuntimeTest, WaitingJumpsVirtualTimeToTheNextEvent) {
  long long start = t.now_ms();
  t.at(600, [&] { t.key(13); });
  while (t.pending_keys() == 0) _WaitEvent(0);
  EXPECT_EQ(t.now_ms() - start, 600000);
  EXPECT_FALSE(t.starved()) << "something was scheduled all along";
  EXPECT_EQ(t.pending_keys(), 1u);
  _WaitEvent(5000);
  EXPECT_EQ(t.now_ms() - start, 600000) << "a queued key ends a wait at once";
  unsigned short key;
  _KbdReadAscii(&key);
  _WaitEvent(5000);
  EXPECT_EQ(t.now_ms() - start, 605000);
}

TEST_F(RuntimeTest, ClockTextsFollowTheVirtualClock) {
  t.set_clock({2004, 3, 5, 13, 7, 9});
  char text[16];
  _RtcGetAsciiDate(3, text, nullptr);
  EXPECT_STREQ(text, "040305");
  _RtcGetAsciiDate(1, text, nullptr);
  EXPECT_STREQ(text, "030504");
  _RtcGetAsciiTime(2, text, nullptr);
  EXPECT_STREQ(text, "130709");
  _RtcGetAsciiTime(1, text, nullptr);
  EXPECT_STREQ(text, "010709PM");
  t.advance(11 * 3600 * 1000LL);
  _RtcGetAsciiDate(3, text, nullptr);
  EXPECT_STREQ(text, "040306");
  _RtcGetAsciiTime(1, text, nullptr);
  EXPECT_STREQ(text, "120709AM");
}

TEST_F(RuntimeTest, WaitingForInputThatNeverComesIsStarvationAndEndsTheWait) {
  unsigned short key = 0;
  long long start = t.now_ms();
  _WaitEvent(0);
  EXPECT_EQ(t.now_ms() - start, 1000) << "a wait without limit lasts to the next clock second";
  EXPECT_FALSE(t.starved());
  int waits = 1;
  while (!t.starved() && waits < 1000) ++waits, _WaitEvent(0);
  EXPECT_TRUE(t.starved());
  EXPECT_LT(waits, 1000);
  EXPECT_NE(_IdleManager(0), 0);
  EXPECT_EQ(_KbdReadAscii(&key), 0);
  t.reset();  // the fixture must not see this deliberate starvation
}

TEST_F(RuntimeTest, BusyPollingWithoutWaitsIsDetectedToo) {
  unsigned short key = 0;
  int polls = 0;
  while (_KbdReadAscii(&key) == 5 && polls < 1000000) ++polls;
  EXPECT_TRUE(t.starved());
  EXPECT_LT(polls, 1000000);
  t.reset();
}

TEST_F(RuntimeTest, TheIdleHookRunsWhenTheLibraryWaitsWithNothingQueued) {
  int calls = 0;
  t.on_idle([&] {
    ++calls;
    t.key(13);
  });
  t.key('a');
  unsigned short key = 0;
  _WaitEvent(0);
  EXPECT_EQ(calls, 0) << "a queued key is no idle wait";
  _KbdReadAscii(&key);
  while (_KbdReadAscii(&key) == 5) _WaitEvent(0);
  EXPECT_EQ(key, 13);
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(t.starved());
}

// A key wait that ignores the idle manager goes on waiting after a stop
// request; with an idle hook that gives nothing, that is starvation, not an
// endless loop.
TEST_F(RuntimeTest, AKeyWaitThatIgnoresAStopRequestStarvesEvenWithAnIdleHook) {
  int calls = 0;
  t.on_idle([&] { ++calls; });
  t.request_stop();
  unsigned short key = 0;
  int polls = 0;
  while (_KbdReadAscii(&key) == 5 && polls < 100000) {
    _WaitEvent(0);
    ++polls;
  }
  EXPECT_TRUE(t.starved());
  EXPECT_NE(t.starvation().find("stop request"), std::string::npos) << t.starvation();
  EXPECT_GE(calls, 1);
  t.reset();
}

// A queued scan ends each wait at once; a key wait that never reads it
// still reaches the idle hook, and starves when the hook gives nothing.
TEST_F(RuntimeTest, AKeyWaitThatLeavesAScanUnreadStillReachesTheIdleHook) {
  int calls = 0;
  t.on_idle([&] {
    if (++calls == 1) t.key(13);
  });
  t.scan("P1");
  unsigned short key = 0;
  int polls = 0;
  while (_KbdReadAscii(&key) == 5 && polls < 1000000) {
    _WaitEvent(0);
    ++polls;
  }
  EXPECT_EQ(key, 13);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(t.pending_scans(), 1u);
  EXPECT_FALSE(t.starved());

  t.on_idle([&] { ++calls; });
  polls = 0;
  while (_KbdReadAscii(&key) == 5 && polls < 1000000) {
    _WaitEvent(0);
    ++polls;
  }
  EXPECT_TRUE(t.starved());
  EXPECT_NE(t.starvation().find("scan unread"), std::string::npos) << t.starvation();
  EXPECT_GT(calls, 1);
  t.reset();
}

TEST_F(RuntimeTest, LongWaitsWithoutInputStarveAfterTheLimit) {
  t.set_starvation_limit(60 * 1000);
  for (int i = 0; i < 100 && !t.starved(); ++i) _WaitEvent(1000);
  EXPECT_TRUE(t.starved());
  t.reset();
  for (int i = 0; i < 100; ++i) _WaitEvent(1000);
  EXPECT_FALSE(t.starved()) << "a reset terminal has its own limit again";
}

TEST_F(RuntimeTest, InputTheLibraryDoesNotTakeEndsNoWaitForever) {
  // A key wait with a scan queued: the scan is never read, so the waits end
  // at once for a while, then pass time again and starve.
  t.scan("ABC");
  unsigned short key = 0;
  while (_KbdReadAscii(&key) == 5) _WaitEvent(0);
  EXPECT_TRUE(t.starved());
  EXPECT_EQ(key, 13);
  EXPECT_EQ(t.pending_scans(), 1u);
  // The same with a stop request that the key wait does not ask about.
  t.reset();
  t.request_stop();
  while (_KbdReadAscii(&key) == 5) _WaitEvent(0);
  EXPECT_TRUE(t.starved());
  t.reset();
}

TEST_F(RuntimeTest, StarvationKeysAlternateWhateverIsCalledBetweenThem) {
  t.request_stop();
  t.set_starvation_limit(1000);
  _WaitEvent(0);
  for (int i = 0; i < 2000 && !t.starved(); ++i) _WaitEvent(2000);
  ASSERT_TRUE(t.starved());
  std::vector<unsigned short> keys;
  for (int i = 0; i < 4; ++i) {
    unsigned short key = 0;
    _IdleManager(0);  // an idle call between the reads changes nothing
    _KbdReadAscii(&key);
    keys.push_back(key);
  }
  EXPECT_EQ(keys, (std::vector<unsigned short>{13, 256, 13, 256}));
  t.clear_starvation();
  EXPECT_FALSE(t.starved());
  EXPECT_EQ(_IdleManager(0), 0) << "the stop request of the starvation is gone";
  unsigned short key = 0;
  EXPECT_EQ(_KbdReadAscii(&key), 5) << "input is read from the queue again";
}

TEST_F(RuntimeTest, ImagesAreHandedOutInBlocksThatStayUntilTheFileChanges) {
  t.add_file("EMPTY.VAL", "");
  const char *image = nullptr;
  unsigned int size = 7;
  ASSERT_EQ(_DataFile("EMPTY.VAL", &image, &size), 0);
  EXPECT_NE(image, nullptr);
  EXPECT_EQ(size, 0u);
  t.add_file("A.VAL", "X\n");
  const char *first = nullptr, *again = nullptr;
  _DataFile("A.VAL", &first, &size);
  _DataFile("a.val", &again, &size);
  EXPECT_EQ(first, again);
  t.remove_file("A.VAL");
  EXPECT_NE(_DataFile("A.VAL", &first, &size), 0);
}

TEST_F(RuntimeTest, TheRunTimeDepthTellsTheRunTimeFromTheLibrary) {
  int inside = -1;
  t.on_idle([&] {
    inside = termrt::runtime_depth();
    t.key(13);
  });
  EXPECT_EQ(termrt::runtime_depth(), 0);
  _WaitEvent(0);
  EXPECT_EQ(inside, 1);
  EXPECT_EQ(termrt::runtime_depth(), 0);
}

TEST_F(RuntimeTest, SignalsAreLogged) {
  _SpkBeep(0, 0, 2);
  _SenActLed(0, 5);
  _TransactionMsg(1);
  EXPECT_EQ(t.count_log("beep 0,0,2"), 1);
  EXPECT_EQ(t.count_log("led 0,5"), 1);
  EXPECT_EQ(t.transaction_flag(), 1);
}

TEST_F(RuntimeTest, DayCountMatchesTheCalendar) {
  EXPECT_EQ(termrt::days_from_civil(2000, 1, 1), 0);
  EXPECT_EQ(termrt::days_from_civil(2000, 3, 1), 60);
  EXPECT_EQ(termrt::days_from_civil(2001, 1, 1), 366);
  termrt::DateTime d = termrt::civil_from_ms(termrt::ms_from_civil({2024, 2, 29, 23, 59, 59}) + 1000);
  EXPECT_EQ(d.month, 3);
  EXPECT_EQ(d.day, 1);
  EXPECT_EQ(d.hour, 0);
}

}  // namespace
