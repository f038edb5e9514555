// field_setup.h - field definitions put straight into the field table, and a
// help file with the operator messages, for tests that run the editor, the
// sensor path and the message prompt without a panel command.
#ifndef FORMS_TESTS_FIELD_SETUP_H
#define FORMS_TESTS_FIELD_SETUP_H

#include <string>

#include "terminal.h"

// Records 1 to 21 of a help file: messages, the closing line, help texts.
extern const char *const kHelpFile;

// Defines field `index` with the defaults of a fresh definition (mode V,
// editable, no decimals, no Data ID) and makes it the current field.
void put_field(int index, unsigned char kind, int length, int row = 5, int col = 10);

// Schedules an event at every whole second up to `seconds`: a terminal whose
// clock wakes up a waiting program once a second.
void clock_ticks(termrt::Terminal &t, int seconds);

// The virtual time of the first log entry that begins with prefix, or -1.
long long first_logged(const termrt::Terminal &t, const std::string &prefix);

#endif
