/*
 * export_bridge.cpp - gives the internal entry a C name that the exported
 * main of the shared library can call.
 */
#include "entry/entry.h"

extern "C" int forms_entry_c(int code, const char *parm) { return forms_entry(code, parm); }
