/*
 * pending.cpp - commands whose bodies are not written yet. Each answers 0
 * and does nothing; its unit replaces it here when it is built.
 */
#include "entry/commands.h"

int exec_panel_command(const char *) { return 0; }
