/*
 * pending.cpp - commands whose bodies are not written yet. Each answers 0
 * and does nothing; its unit replaces it here when it is built.
 */
#include "entry/commands.h"

int dicount_command(const char *) { return 0; }
int popup_command(const char *) { return 0; }
int compare_command(const char *) { return 0; }
int compare_int_command(const char *) { return 0; }
int int_math_command(const char *) { return 0; }
int check_unique_command(const char *) { return 0; }
int time_date_command(const char *) { return 0; }
int transaction_command(const char *) { return 0; }
int delay_command(const char *) { return 0; }
int exec_panel_command(const char *) { return 0; }
int wait_variable_command(const char *) { return 0; }
int display_test(void) { return 0; }
