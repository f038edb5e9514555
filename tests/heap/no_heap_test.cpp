// no_heap_test.cpp - the library allocates nothing at run time.
//
// This program replaces malloc, calloc, realloc and the operators new of the
// process and counts every allocation made while a call into the library is
// under way and no run-time function is running: the simulated terminal
// (C++) allocates freely, the library must not. The tests drive every
// function code, every command with good and bad arguments, and whole
// panels through validation, help, scans and time-outs.
#include <cstddef>
#include <cstdlib>
#include <deque>
#include <functional>
#include <new>
#include <string>

#include "platform/termrt.h"
#include "support/fixed_command.h"
#include "support/terminal_test.h"
#include "terminal.h"

extern "C" {
void *__libc_malloc(std::size_t size);
void *__libc_calloc(std::size_t count, std::size_t size);
void *__libc_realloc(void *block, std::size_t size);
void *__libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void *block);
}

namespace {

bool counting = false;
long library_allocations = 0;

void note_allocation() {
  if (counting && termrt::runtime_depth() == 0) ++library_allocations;
}

void *allocate(std::size_t size) {
  note_allocation();
  void *block = __libc_malloc(size ? size : 1);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void *allocate_aligned(std::size_t size, std::align_val_t alignment) {
  note_allocation();
  void *block = __libc_memalign(static_cast<std::size_t>(alignment), size ? size : 1);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

}  // namespace

extern "C" {
void *malloc(std::size_t size) {
  note_allocation();
  return __libc_malloc(size);
}
void *calloc(std::size_t count, std::size_t size) {
  note_allocation();
  return __libc_calloc(count, size);
}
void *realloc(void *block, std::size_t size) {
  note_allocation();
  return __libc_realloc(block, size);
}
void free(void *block) { __libc_free(block); }
}

void *operator new(std::size_t size) { return allocate(size); }
void *operator new[](std::size_t size) { return allocate(size); }
void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
  note_allocation();
  return __libc_malloc(size ? size : 1);
}
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept {
  note_allocation();
  return __libc_malloc(size ? size : 1);
}
void *operator new(std::size_t size, std::align_val_t alignment) { return allocate_aligned(size, alignment); }
void *operator new[](std::size_t size, std::align_val_t alignment) {
  return allocate_aligned(size, alignment);
}
void operator delete(void *block) noexcept { __libc_free(block); }
void operator delete[](void *block) noexcept { __libc_free(block); }
void operator delete(void *block, std::size_t) noexcept { __libc_free(block); }
void operator delete[](void *block, std::size_t) noexcept { __libc_free(block); }
void operator delete(void *block, std::align_val_t) noexcept { __libc_free(block); }
void operator delete[](void *block, std::align_val_t) noexcept { __libc_free(block); }
void operator delete(void *block, std::size_t, std::align_val_t) noexcept { __libc_free(block); }
void operator delete[](void *block, std::size_t, std::align_val_t) noexcept { __libc_free(block); }

namespace {

using termrt::kBlankEntry;
using termrt::kCancel;
using termrt::kComplete;
using termrt::kEnter;
using termrt::kHelp;
using termrt::kNext;
using termrt::kPrevious;

const char *const kHelpFile =
    "0001 Checking\n0002 Key too long\n0003 Not in the file\n0004 Not allowed\n0005 Bad number\n"
    "0006 Bad prefix\n0007 File not available\n0008 Field required\n0009 Fill the field\n"
    "0010 Key refused\n0011 Time is up\n0012 Scan does not fit\n0013 No scans here\n0015 Data ID needed\n"
    "0016 Press ENTER\n0017 Bad date\n0018 Bad format\n0020 Type the part number\n0021 as printed\n"
    "0030 nn-aa*\n0040 APPLE\n0041 bbbb\n0042 PEAR\n0050 10.5\n0051 20\n"
    "0060 FI=1 INPUT=ALPHA LEN=6 ROW=2 COL=2 RUV=2\n0061 REASON=9 ERET=A\n0070 Screen of a field\n";

// The wait of each pass of the delay routine.
constexpr int kDelayPassMs = 20;

class NoHeapTest : public TerminalTest {
 protected:
  // What the operator does at each wait for input with nothing queued, in
  // turn (the passes of the delay routine are left to run out); once the
  // steps are used up, cancel and Enter in turn end whatever waits.
  std::deque<std::function<void()>> steps;
  int fallback_keys = 0;

  void SetUp() override {
    TerminalTest::SetUp();
    library_allocations = 0;
    t.add_file("HELP.VAL", kHelpFile);
    t.set_clock({2004, 3, 5, 9, 15, 0});
    banner_shown = 1;  // shown where a test asks for it
    t.on_idle([this] {
      if (!t.waits().empty() && t.waits().back() == kDelayPassMs) return;
      if (steps.empty()) {
        t.key(fallback_keys++ % 2 ? kEnter : kCancel);
        return;
      }
      std::function<void()> step = std::move(steps.front());
      steps.pop_front();
      step();
    });
  }
  void TearDown() override {
    TerminalTest::TearDown();
    EXPECT_EQ(library_allocations, 0) << "allocations made by the library";
  }

  void keys(std::initializer_list<std::uint16_t> codes) {
    std::vector<std::uint16_t> list(codes);
    steps.push_back([this, list] {
      for (std::uint16_t c : list) t.key(c);
    });
  }
  void typed(const std::string &text) {
    steps.push_back([this, text] { t.type(text); });
  }
  void scanned(const std::string &data) {
    steps.push_back([this, data] { t.scan(data); });
  }
  void pause() {
    steps.push_back([] {});
  }
  void raw(const std::vector<unsigned char> &record) {
    steps.push_back([this, record] { t.sensor_record(record); });
  }

  // main(code, parm), with allocations counted while it runs.
  int counted(int code, const char *parm) {
    counting = true;
    int result = forms_entry(code, parm);
    counting = false;
    return result;
  }
  int counted_run(const std::string &body) {
    std::string full = command(body);
    return counted(3, full.c_str());
  }
  void define(int variable, const std::string &definition) {
    t.set_variable(variable, definition);
    counted_run("SET_FIE VAR=" + std::to_string(variable));
  }
  int exec(const std::string &options) {
    t.set_variable(30, options);
    return counted_run("EXEC_PA VAR=30");
  }
  std::string uv(int n) { return t.variable(n).value_or("<none>"); }
};

TEST_F(NoHeapTest, TheCounterSeesAllocationsOutsideTheRunTimeOnly) {
  counting = true;
  void *volatile block = std::malloc(16);
  std::free(block);
  _WriteUserVariable(5, "the run-time logs this in a string");
  counting = false;
  EXPECT_EQ(library_allocations, 1);
  library_allocations = 0;
}

TEST_F(NoHeapTest, FunctionCodesAndBadCommandStrings) {
  counted(0, "");
  counted(1, "");
  counted(2, "");
  counted(4, "");
  counted(4, "");
  t.keys({'a', 0x1234, kEnter});
  EXPECT_EQ(counted(5, ""), 0);
  counted(7, "");
  counted(-1, "");
  counted(3, nullptr);
  counted(3, "");
  counted(3, "9");
  counted(3, "14CLEAR");
  counted(3, "99UNKNOWN and more");
}

TEST_F(NoHeapTest, EveryUtilityCommand) {
  t.set_variable(5, "-2147483648");
  t.set_variable(6, "-1");
  t.set_variable(8, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
  for (const char *op : {"I", "D", "S", "R", "X"})
    counted_run(fixed_command("DICOUNT", 32, {{10, op}, {20, "01"}, {31, "12"}}));
  t.define_variable(7, 1);
  counted_run(fixed_command("DICOUNT", 32, {{10, "S"}, {20, "02"}, {31, "07"}}));
  counted_run(fixed_command("DICOUNT", 20, {{10, "I"}}));
  counted_run(fixed_command("POPUPWN", 23, {{10, "C"}, {16, "04"}, {24, "N"}}));
  counted_run(fixed_command("POPUPWN", 9, {{10, "R"}}));
  counted_run(fixed_command("POPUPWN", 23, {{10, "C"}, {16, "17"}, {24, "N"}}));
  counted_run(fixed_command("COMPARE", 36, {{14, "05"}, {18, "LT"}, {25, "06"}, {37, "S"}}));
  counted_run(fixed_command("COMPARE", 36, {{14, "05"}, {18, "GX"}, {25, "06"}, {37, "S"}}));
  counted_run(fixed_command("CMP_INT", 28, {{12, "05"}, {16, "GE"}, {21, "06"}, {30, "A"}}));
  for (const char *op : {"+", "-", "*", "/", "%"})
    counted_run(fixed_command("INTMATH", 21, {{12, "05"}, {16, op}, {20, "06"}}));
  counted_run(fixed_command("CHKUNIQ", 24, {{10, "V"}, {14, "08"}, {25, "1"}}));
  counted_run(fixed_command("CHKUNIQ", 22, {{10, "R"}, {23, "1"}}));
  counted_run(fixed_command("CHKUNIQ", 24, {{10, "V"}, {14, "08"}, {25, "3"}}));
  counted_run(fixed_command("TM_DATE", 52, {{10, "12"}, {30, "03"}, {35, "AMER"}, {52, "04"}}));
  counted_run(fixed_command("TM_DATE", 52, {{10, "24"}, {30, "07"}, {35, "EURO"}, {52, "04"}}));
  counted_run(fixed_command("TM_DATE", 52, {{10, "13"}, {30, "03"}, {35, "EURO"}, {52, "04"}}));
  counted_run(fixed_command("TRANMSG", 10, {{10, "N"}}));
  counted_run(fixed_command("TRANMSG", 9, {}));
  counted_run("V_DELAY 12");
  counted_run("V_DELAY 123456");
  t.at(2, [this] { t.set_variable(9, "filled"); });
  pause();
  EXPECT_EQ(counted_run(fixed_command("WAIT_UV", 22, {{14, "09"}, {21, "5"}})), 1);
  for (int i = 0; i < 4; ++i) pause();
  EXPECT_EQ(counted_run(fixed_command("WAIT_UV", 22, {{14, "10"}, {21, "2"}})), 0);
  counted_run(fixed_command("WAIT_UV", 21, {}));
  counted_run("SET_HEL FILE=OTHER.VAL");
  counted_run("SET_HEL");
  counted_run("CLEAR_P");
  EXPECT_EQ(uv(1), "-2147483648") << "the last INTMATH that ran";
}

TEST_F(NoHeapTest, FieldDefinitionsGoodAndBad) {
  banner_shown = 0;
  define(40,
         "DI=AB12 FI=20 INPUT=Date_Euro LEN=-7.2 ROW=20 COL=39 VERT=R,10,20 MODE=F REQ=N KEEPDI=Y "
         "MANDI=Y EDIT=N RUV=19 PUV=5 VERF=PARTS HELP=3,4 SCRN=7,8");
  for (const char *bad :
       {"", "FI=", "FI=21", "FI=1", "FI=1 INPUT=NOPE", "FI=1 INPUT=NUM LEN=40", "FI=1 INPUT=NUM LEN=4 ROW=0",
        "FI=1 INPUT=NUM LEN=4 ROW=1 COL=1 VERT=Q", "FI=1 INPUT=AI LEN=4 ROW=1 COL=1 VERT=T123",
        "FI=1 INPUT=AI LEN=4 ROW=1 COL=1 DI=ABCDE"})
    define(41, bad);
  counted_run("SET_FIE HELP=60");
  counted_run("SET_FIE HELP=77");
  counted_run("SET_FIE VAR=200");
  counted_run("SET_FIE");
}

TEST_F(NoHeapTest, APanelThroughEveryKindOfCheck) {
  t.add_file("PARTS.VAL", "A1\nB2;C3\n");
  t.add_file("B_BAD", "X9\nY8\n");
  define(40, "FI=1 INPUT=NUM LEN=-7.2 ROW=3 COL=1 RUV=2 HELP=20,21");
  define(41, "FI=2 INPUT=DATE_EURO LEN=10 ROW=4 COL=1 RUV=3");
  define(42, "FI=3 INPUT=TIME_STD LEN=8 ROW=5 COL=1 RUV=4 REQ=N");
  define(43, "FI=4 INPUT=ALPHA LEN=10 ROW=6 COL=1 RUV=5 VERT=F,30");
  define(44, "FI=5 INPUT=ALPHA LEN=8 ROW=7 COL=1 RUV=6 VERT=S,40,42");
  define(45, "FI=6 INPUT=NUM LEN=6.2 ROW=8 COL=1 RUV=7 VERT=R,50,51");
  define(46, "FI=7 INPUT=AIALPHA LEN=6 ROW=9 COL=1 RUV=8 VERF=PARTS");
  define(47, "FI=8 INPUT=AIALPHA LEN=6 ROW=10 COL=1 RUV=10 VERF=PARTS VERT=E");
  define(48, "FI=9 INPUT=ALPHA LEN=6 ROW=11 COL=1 RUV=11 VERF=B_BAD VERT=e");
  define(49, "FI=10 INPUT=ALPHA LEN=12 ROW=12 COL=1 RUV=12 VERT=B");
  define(50, "FI=11 INPUT=AIALPHA LEN=12 ROW=13 COL=1 RUV=13 VERT=T12 MODE=F");
  define(51, "FI=12 INPUT=PASSWORD LEN=8 ROW=14 COL=1 RUV=14 REQ=N");
  t.set_variable(15, "HELP=20,21");
  keys({kHelp});
  keys({kEnter});
  typed("-12.5");
  keys({kNext});
  typed("3103");
  keys({kNext, kNext});
  typed("12-AB9");
  keys({kNext});
  typed("PEAR");
  keys({kNext});
  typed("15.25");
  keys({kNext});
  typed("B2");
  keys({kNext});
  typed("C3");
  keys({kNext});
  typed("Q7");
  keys({kNext});
  typed("012345678903");
  keys({kNext});
  typed("123456789015");
  keys({kNext});
  typed("secret");
  keys({kComplete});
  for (int i = 0; i < 12; ++i) keys({kEnter});  // whatever messages come
  EXPECT_EQ(exec("CON=Y HVR=15 REASON=9 ERET=S"), 0);
  EXPECT_EQ(uv(9), "OK");
  EXPECT_EQ(uv(2), "-012.50");
  EXPECT_EQ(uv(3), "31-03-2004");
  EXPECT_EQ(uv(13), "123456789015");
}

TEST_F(NoHeapTest, PanelsWithScansMacrosTimeOutsAndScreens) {
  define(40, "FI=1 INPUT=ALPHA LEN=6 ROW=3 COL=1 RUV=2 DI=P");
  define(41, "FI=2 INPUT=NUM LEN=4 ROW=4 COL=1 RUV=3 DI=Q KEEPDI=Y");
  define(42, "FI=3 INPUT=AI LEN=8 ROW=5 COL=1 RUV=4 DI=SN MANDI=Y SCRN=70,70");
  t.scan("P-discarded");
  scanned("Q12");
  scanned("SN1234");
  raw({0, 0, 0xFF, 'A', 'B'});
  raw({0x15, 0, 3, 'A', 'B', 'C'});
  raw({0, 0});
  scanned("PABCDEFGH");
  scanned("$RT$");
  scanned("$LT$");
  scanned("$CLR$");
  scanned("$CLR$");
  scanned("PABC");
  EXPECT_EQ(exec("REASON=9"), 1);
  EXPECT_EQ(uv(2), "ABC   ");
  keys({'1'});
  scanned("$CAN$");
  exec("REASON=9 MULT=Y");
  EXPECT_EQ(uv(9), "CANCEL");
  counted(4, "");
  for (int i = 0; i < 3; ++i) pause();
  exec("T=3 TOE=N REASON=9");
  EXPECT_EQ(uv(9), "TIMEOUT");
  counted(4, "");
  typed("AB");
  exec("T=2 TOE=T REASON=9 SF=2");
  typed("x");
  scanned("$OK$");
  exec("CNP=N");
  counted_run("EXEC_PA HELP=61");
}

}  // namespace
