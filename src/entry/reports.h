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

/* The error report: row 0 holds REPORT_HEAD with the code at
   REPORT_CODE_COLUMN and at most REPORT_TEXT_MAX characters of text from
   REPORT_TEXT_COLUMN; row REPORT_PROMPT_ROW holds REPORT_PROMPT. The append report's row 0
   holds APPEND_HEAD and at most APPEND_TEXT_MAX characters from
   APPEND_TEXT_COLUMN; row REPORT_PROMPT_ROW holds REPORT_PROMPT. */
#define REPORT_PROMPT_ROW 1
#define REPORT_HEAD "Bad CZEB(  ):"
#define REPORT_CODE_COLUMN 9
#define REPORT_TEXT_COLUMN 13
#define REPORT_TEXT_MAX 18
#define REPORT_PROMPT "Press any key to continue       "
#define APPEND_HEAD "ZEB append too long:"
#define APPEND_TEXT_COLUMN 21
#define APPEND_TEXT_MAX 12

/* One pass of the delay routine, in milliseconds. */
#define DELAY_PASS_MS 20

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
/* Pauses for n / 3 passes of DELAY_PASS_MS (at least one). Returns DELAY_STOPPED
   when the idle manager asks to stop, DELAY_CANCELLED when the cancel key
   was read, else DELAY_DONE. */
int delay(int n);

#endif
