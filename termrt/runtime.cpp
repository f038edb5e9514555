// runtime.cpp - the run-time functions of termrt.h, over the simulated terminal.
//
// Each function counts its call, checks its pointers and hands the work to
// a part of the one terminal, and is counted in runtime_depth while it runs.
// Signals and host calls go to the terminal's log.
#include <cstdio>
#include <initializer_list>
#include <string>

#include "internal/device.h"
#include "platform/answers.h"
#include "platform/keys.h"
#include "platform/termrt.h"

namespace {

using termrt::Device;

// Answers the driver does not tell apart from other failures.
constexpr int kOffDisplay = 1;    // _VioSetCurPos: the place is not on the display
constexpr int kNoBuffer = 1;      // the clock texts: nowhere to write them
constexpr int kNoScanRead = 1;    // _SenRead: no record, or nowhere to put it
constexpr int kFileNotThere = 2;  // _DataFile: no such file, or nowhere to put it
constexpr int kStopCommand = 1;   // _IdleManager: stop the running command
// The longest clock text, and the buffer its callers pass.
constexpr int kClockTextSize = 9;

int depth = 0;

Device &device() { return termrt::device_of(termrt::terminal()); }

// Marks the time spent inside a run-time function (so that a host can tell
// the library's own work from the run-time's) and counts the call.
class RuntimeCall {
 public:
  explicit RuntimeCall(const char *function) {
    ++depth;
    device().log.count_call(function);
  }
  ~RuntimeCall() { --depth; }
  RuntimeCall(const RuntimeCall &) = delete;
  RuntimeCall &operator=(const RuntimeCall &) = delete;
};

std::string quoted(const char *text, int length) {
  std::string out = "\"";
  for (int i = 0; text != nullptr && i < length; ++i) out += text[i] ? text[i] : ' ';
  return out + "\"";
}

std::string numbers(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += (out.empty() ? "" : ",") + std::to_string(v);
  return out;
}

void copy_clock_text(char *buffer, const char *text) {
  std::snprintf(buffer, kClockTextSize, "%.8s", text);
  device().log.note_clock_text(buffer);
}

}  // namespace

int termrt::runtime_depth() { return depth; }

extern "C" {

int _VioWrtCharStr(const char *text, int length, int row, int column, unsigned short *, int flag) {
  RuntimeCall call("_VioWrtCharStr");
  device().display.write(row, column, text, length, 0, false);
  if (flag != 0) device().log.note("flagged " + numbers({row, column}) + " " + quoted(text, length));
  return RT_OK;
}

int _VioWrtCharStrAtt(const char *text, int length, int row, int column, int attribute, unsigned short *,
                      int) {
  RuntimeCall call("_VioWrtCharStrAtt");
  device().display.write(row, column, text, length, attribute, true);
  return RT_OK;
}

int _VioWrtNChar(int row, int column, int character, int count, unsigned short *, int) {
  RuntimeCall call("_VioWrtNChar");
  device().display.fill(row, column, character, count);
  return RT_OK;
}

int _VioReadCellStr(unsigned char *cells, int count, int row, int column, unsigned short *, int) {
  RuntimeCall call("_VioReadCellStr");
  device().display.read_cells(cells, count, row, column);
  return RT_OK;
}

int _VioWrtCellStr(const unsigned char *cells, int count, int row, int column, unsigned short *, int) {
  RuntimeCall call("_VioWrtCellStr");
  device().display.write_cells(cells, count, row, column);
  return RT_OK;
}

int _VioClear(void) {
  RuntimeCall call("_VioClear");
  device().display.clear();
  return RT_OK;
}

int _VioSetCurPos(int row, int column) {
  RuntimeCall call("_VioSetCurPos");
  return device().display.set_cursor(row, column) ? RT_OK : kOffDisplay;
}

int _VioGetCurPos(unsigned char *row, unsigned char *column) {
  RuntimeCall call("_VioGetCurPos");
  if (row) *row = static_cast<unsigned char>(device().display.cursor_row());
  if (column) *column = static_cast<unsigned char>(device().display.cursor_col());
  return RT_OK;
}

int _VioSetCurType(int type) {
  RuntimeCall call("_VioSetCurType");
  device().display.set_cursor_type(type);
  return RT_OK;
}

int _KbdReadAscii(unsigned short *key) {
  RuntimeCall call("_KbdReadAscii");
  std::uint16_t code = 0;
  if (!device().events.read_key(code)) return KBD_NO_KEY;
  if (key) *key = code;
  return KBD_KEY_READ;
}

int _IdleManager(int) {
  RuntimeCall call("_IdleManager");
  return device().events.idle() ? kStopCommand : RT_OK;
}

int _WaitEvent(int milliseconds) {
  RuntimeCall call("_WaitEvent");
  device().log.note_wait(milliseconds);
  device().events.wait(milliseconds);
  return RT_OK;
}

int _RtcGetAsciiTime(int selector, char *buffer, unsigned char *extra) {
  RuntimeCall call("_RtcGetAsciiTime");
  if (buffer == nullptr) return kNoBuffer;
  termrt::DateTime t = termrt::civil_from_ms(device().clock.now_ms());
  char text[32];
  if (selector == 1) {
    int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    std::snprintf(text, sizeof text, "%02d%02d%02d%s", h12, t.minute, t.second, t.hour < 12 ? "AM" : "PM");
  } else {
    std::snprintf(text, sizeof text, "%02d%02d%02d", t.hour, t.minute, t.second);
  }
  copy_clock_text(buffer, text);
  if (extra) *extra = 0;
  return RT_OK;
}

int _RtcGetAsciiDate(int selector, char *buffer, unsigned char *extra) {
  RuntimeCall call("_RtcGetAsciiDate");
  if (buffer == nullptr) return kNoBuffer;
  termrt::DateTime t = termrt::civil_from_ms(device().clock.now_ms());
  int yy = ((t.year % 100) + 100) % 100;
  char text[32];
  if (selector == 1)
    std::snprintf(text, sizeof text, "%02d%02d%02d", t.month, t.day, yy);
  else
    std::snprintf(text, sizeof text, "%02d%02d%02d", yy, t.month, t.day);
  copy_clock_text(buffer, text);
  if (extra)
    *extra = static_cast<unsigned char>((termrt::days_from_civil(t.year, t.month, t.day) % 7 + 13) % 7);
  return RT_OK;
}

int _ReadUserVariable(int number, char *buffer) {
  RuntimeCall call("_ReadUserVariable");
  return device().variables.read(number, buffer);
}

int _WriteUserVariable(int number, const char *text) {
  RuntimeCall call("_WriteUserVariable");
  return device().variables.write(number, text);
}

int _ClearUserVariable(int number) {
  RuntimeCall call("_ClearUserVariable");
  return device().variables.clear(number);
}

int _SenQueryData(unsigned short *count) {
  RuntimeCall call("_SenQueryData");
  if (count) *count = static_cast<unsigned short>(device().input.pending_scans());
  return RT_OK;
}

int _SenRead(unsigned char *buffer, int size) {
  RuntimeCall call("_SenRead");
  return device().events.read_scan(buffer, size) ? RT_OK : kNoScanRead;
}

int _SpkBeep(int a, int b, int c) {
  RuntimeCall call("_SpkBeep");
  device().log.beep();
  device().log.note("beep " + numbers({a, b, c}));
  return RT_OK;
}

int _SenActLed(int a, int b) {
  RuntimeCall call("_SenActLed");
  device().log.led();
  device().log.note("led " + numbers({a, b}));
  return RT_OK;
}

int _Validation(const char *file_name, const char *mode, const char *text) {
  RuntimeCall call("_Validation");
  return device().files.validation(file_name, mode, text);
}

int _DataFile(const char *file_name, const char **image, unsigned int *size) {
  RuntimeCall call("_DataFile");
  return device().files.data_file(file_name, image, size) ? RT_OK : kFileNotThere;
}

int _TransactionMsg(int flag) {
  RuntimeCall call("_TransactionMsg");
  device().log.set_transaction_flag(flag);
  device().log.note("transaction " + std::to_string(flag));
  return RT_OK;
}

}  // extern "C"
