// runtime.cpp - the run-time functions of termrt.h, over the simulated terminal.
//
// Each function counts its call, checks its pointers and hands the work to
// the one Terminal, and is counted in runtime_depth while it runs. Signals
// and host calls go to the terminal's log.
#include <cstdio>
#include <string>

#include "platform/termrt.h"
#include "terminal.h"

using termrt::terminal;

namespace {

int depth = 0;

// Marks the time spent inside a run-time function (so that a host can tell
// the library's own work from the run-time's) and counts the call.
class RuntimeCall {
 public:
  explicit RuntimeCall(const char *function) {
    ++depth;
    terminal().rt_count(function);
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

}  // namespace

int termrt::runtime_depth() { return depth; }

extern "C" {

int _VioWrtCharStr(const char *text, int length, int row, int column, unsigned short *, int flag) {
  RuntimeCall call("_VioWrtCharStr");
  terminal().rt_write(row, column, text, length, 0, false);
  if (flag != 0)
    terminal().rt_log("flagged " + std::to_string(row) + "," + std::to_string(column) + " " +
                      quoted(text, length));
  return 0;
}

int _VioWrtCharStrAtt(const char *text, int length, int row, int column, int attribute, unsigned short *,
                      int) {
  RuntimeCall call("_VioWrtCharStrAtt");
  terminal().rt_write(row, column, text, length, attribute, true);
  return 0;
}

int _VioWrtNChar(int row, int column, int character, int count, unsigned short *, int) {
  RuntimeCall call("_VioWrtNChar");
  terminal().rt_fill(row, column, character, count);
  return 0;
}

int _VioReadCellStr(unsigned char *cells, int count, int row, int column, unsigned short *, int) {
  RuntimeCall call("_VioReadCellStr");
  terminal().rt_read_cells(cells, count, row, column);
  return 0;
}

int _VioWrtCellStr(const unsigned char *cells, int count, int row, int column, unsigned short *, int) {
  RuntimeCall call("_VioWrtCellStr");
  terminal().rt_write_cells(cells, count, row, column);
  return 0;
}

int _VioClear(void) {
  RuntimeCall call("_VioClear");
  terminal().rt_clear();
  return 0;
}

int _VioSetCurPos(int row, int column) {
  RuntimeCall call("_VioSetCurPos");
  return terminal().rt_set_cursor(row, column);
}

int _VioGetCurPos(unsigned char *row, unsigned char *column) {
  RuntimeCall call("_VioGetCurPos");
  if (row) *row = static_cast<unsigned char>(terminal().cursor_row());
  if (column) *column = static_cast<unsigned char>(terminal().cursor_col());
  return 0;
}

int _VioSetCurType(int type) {
  RuntimeCall call("_VioSetCurType");
  terminal().rt_set_cursor_type(type);
  return 0;
}

int _KbdReadAscii(unsigned short *key) {
  RuntimeCall call("_KbdReadAscii");
  std::uint16_t code = 0;
  int result = terminal().rt_read_key(&code);
  if (result == 0 && key) *key = code;
  return result;
}

int _IdleManager(int) {
  RuntimeCall call("_IdleManager");
  return terminal().rt_idle();
}

int _WaitEvent(int milliseconds) {
  RuntimeCall call("_WaitEvent");
  return terminal().rt_wait(milliseconds);
}

int _RtcGetAsciiTime(int selector, char *buffer, unsigned char *extra) {
  RuntimeCall call("_RtcGetAsciiTime");
  if (buffer == nullptr) return 1;
  termrt::DateTime t = terminal().clock();
  char text[32];
  if (selector == 1) {
    int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    std::snprintf(text, sizeof text, "%02d%02d%02d%s", h12, t.minute, t.second, t.hour < 12 ? "AM" : "PM");
  } else {
    std::snprintf(text, sizeof text, "%02d%02d%02d", t.hour, t.minute, t.second);
  }
  std::snprintf(buffer, 9, "%.8s", text);
  if (extra) *extra = 0;
  return 0;
}

int _RtcGetAsciiDate(int selector, char *buffer, unsigned char *extra) {
  RuntimeCall call("_RtcGetAsciiDate");
  if (buffer == nullptr) return 1;
  termrt::DateTime t = terminal().clock();
  int yy = ((t.year % 100) + 100) % 100;
  char text[32];
  if (selector == 1)
    std::snprintf(text, sizeof text, "%02d%02d%02d", t.month, t.day, yy);
  else
    std::snprintf(text, sizeof text, "%02d%02d%02d", yy, t.month, t.day);
  std::snprintf(buffer, 9, "%.8s", text);
  if (extra) *extra = static_cast<unsigned char>((termrt::days_from_civil(t.year, t.month, t.day) % 7 + 13) % 7);
  return 0;
}

int _ReadUserVariable(int number, char *buffer) {
  RuntimeCall call("_ReadUserVariable");
  return terminal().rt_read_variable(number, buffer);
}

int _WriteUserVariable(int number, const char *text) {
  RuntimeCall call("_WriteUserVariable");
  return terminal().rt_write_variable(number, text);
}

int _ClearUserVariable(int number) {
  RuntimeCall call("_ClearUserVariable");
  return terminal().rt_clear_variable(number);
}

int _SenQueryData(unsigned short *count) {
  RuntimeCall call("_SenQueryData");
  if (count) *count = static_cast<unsigned short>(terminal().pending_scans());
  return 0;
}

int _SenRead(unsigned char *buffer, int size) {
  RuntimeCall call("_SenRead");
  return terminal().rt_read_scan(buffer, size);
}

int _SpkBeep(int a, int b, int c) {
  RuntimeCall call("_SpkBeep");
  terminal().rt_beep();
  terminal().rt_log("beep " + std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c));
  return 0;
}

int _SenActLed(int a, int b) {
  RuntimeCall call("_SenActLed");
  terminal().rt_led();
  terminal().rt_log("led " + std::to_string(a) + "," + std::to_string(b));
  return 0;
}

int _Validation(const char *file_name, const char *mode, const char *text) {
  RuntimeCall call("_Validation");
  return terminal().rt_validation(file_name, mode, text);
}

int _DataFile(const char *file_name, const char **image, unsigned int *size) {
  RuntimeCall call("_DataFile");
  return terminal().rt_data_file(file_name, image, size);
}

int _TransactionMsg(int flag) {
  RuntimeCall call("_TransactionMsg");
  terminal().rt_transaction(flag);
  terminal().rt_log("transaction " + std::to_string(flag));
  return 0;
}

}  // extern "C"
