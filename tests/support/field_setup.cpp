// field_setup.cpp - helpers of the editor, sensor and message tests.
#include "support/field_setup.h"

#include <cstring>

#include "fields/table.h"

const char *const kHelpFile =
    "0001 Please wait\n"
    "0005\n"
    "0008 Field required\n"
    "0009 Fill the whole field\n"
    "0010 Key not allowed\n"
    "0011 Time is up\n"
    "0012 Scan does not fit\n"
    "0013 No scans here\n"
    "0015 Data ID needed\n"
    "0016 Press ENTER\n"
    "0020 Type the part number\n"
    "0021 as printed on the box, a line that is longer than the popup\n";

void put_field(int index, unsigned char kind, int length, int row, int col) {
  fields.defined[index] = 1;
  fields.input_kind[index] = kind;
  fields.mode[index] = 'V';
  fields.length[index] = length;
  fields.is_signed[index] = 0;
  fields.decimals[index] = -1;
  fields.row[index] = static_cast<unsigned char>(row);
  fields.col[index] = static_cast<unsigned char>(col);
  fields.value[index][0] = '\0';
  fields.editable[index] = 1;
  fields.data_id[index][0] = '\0';
  fields.keep_data_id[index] = 0;
  fields.data_id_mandatory[index] = 0;
  fields.help_start[index] = 20;
  fields.help_end[index] = 21;
  std::strcpy(decimal_style, ".");
  current_field = index;
}

void clock_ticks(termrt::Terminal &t, int seconds) {
  for (int s = 1; s <= seconds; ++s) t.at(s, [] {});
}

long long first_logged(const termrt::Terminal &t, const std::string &prefix) {
  for (const termrt::LogEntry &e : t.log())
    if (e.what.compare(0, prefix.size(), prefix) == 0) return e.at_ms;
  return -1;
}
