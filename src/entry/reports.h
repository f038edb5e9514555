/*
 * reports.h - the error report, the append report, the key wait and the
 * delay routine.
 *
 * A command that cannot do its work because of its arguments, definitions or
 * data shows the error report on rows 0 and 1, naming the failure by a
 * two-character result code and the text that caused it, and waits for a key.
 */
#ifndef FORMS_ENTRY_REPORTS_H
#define FORMS_ENTRY_REPORTS_H

/* Delay routine results. */
#define DELAY_DONE 0
#define DELAY_STOPPED 8
#define DELAY_CANCELLED 256

/* "Bad CZEB(cc):" and at most 18 characters of text, then a key wait. */
void error_report(const char *text, const char *code);
/* "ZEB append too long:" and at most 12 characters of text, then a key wait. */
void append_report(const char *text);
/* Waits until the keyboard delivers any key, and drops it. */
void wait_for_key(void);
/* Pauses for n / 3 passes of 20 ms (at least one). Returns DELAY_STOPPED
   when the idle manager asks to stop, DELAY_CANCELLED when the cancel key
   was read, else DELAY_DONE. */
int delay(int n);

#endif
