/*
 * termrt.h - the terminal run-time's operations that the panel driver calls.
 *
 * The run-time owns the display, keyboard, sensor, speaker, LED, clock, user
 * variables, data files and transaction messages. The driver calls these
 * functions and defines none of them: they are resolved when the library is
 * loaded. Rows and columns are 0-based. Cell functions count two-byte cells
 * (character, attribute). The status word of the display calls is never read.
 */
#ifndef FORMS_PLATFORM_TERMRT_H
#define FORMS_PLATFORM_TERMRT_H

#ifdef __cplusplus
extern "C" {
#endif

/* display */
int _VioWrtCharStr(const char *text, int length, int row, int column, unsigned short *status, int flag);
int _VioWrtCharStrAtt(const char *text, int length, int row, int column, int attribute,
                      unsigned short *status, int flag);
int _VioWrtNChar(int row, int column, int character, int count, unsigned short *status, int flag);
int _VioReadCellStr(unsigned char *cells, int count, int row, int column, unsigned short *status,
                    int flag); /* count = number of 2-byte cells (character, attribute) */
int _VioWrtCellStr(const unsigned char *cells, int count, int row, int column, unsigned short *status,
                   int flag);
int _VioClear(void);
int _VioSetCurPos(int row, int column);
int _VioGetCurPos(unsigned char *row, unsigned char *column);
int _VioSetCurType(int type); /* 4 shows the cursor, 0 hides it */
/* keyboard, idle, events */
int _KbdReadAscii(unsigned short *key); /* 0: a key code was stored; 5: no key */
int _IdleManager(int argument);         /* non-zero: stop the running command */
int _WaitEvent(int milliseconds);       /* waits at most that long for an event; 0: implementation's choice */
/* clock: writes the digits and a terminating NUL; callers pass at least 9 bytes */
int _RtcGetAsciiTime(int selector, char *buffer,
                     unsigned char *extra); /* 2: "HHMMSS"; 1: "hhmmssAM"/"hhmmssPM" (12-hour) */
int _RtcGetAsciiDate(int selector, char *buffer, unsigned char *extra); /* 3: "YYMMDD"; 1: "MMDDYY" */
/* user variables: a text of at most 255 characters; readers pass a buffer of at least 256 bytes */
int _ReadUserVariable(int number, char *buffer);      /* 0: read; 3: not readable */
int _WriteUserVariable(int number, const char *text); /* 0: written; 3: not written; 5: text too long */
int _ClearUserVariable(int number);
/* sensor */
int _SenQueryData(unsigned short *count); /* stores a non-zero count when a record waits */
int _SenRead(
    unsigned char *buffer,
    int size); /* 0: one record read: [0] status, [1] unused, [2] data length (signed byte), [3..] data */
/* signals */
int _SpkBeep(int a, int b, int c);
int _SenActLed(int a, int b);
/* files and host */
int _Validation(const char *file_name, const char *mode,
                const char *text); /* mode "3" or "2"; 0 accepted, 1 rejected, 4 or 16 not available */
int _DataFile(const char *file_name, const char **image,
              unsigned int *size); /* 0: image delivered (records each ended by a zero byte) */
int _TransactionMsg(int flag);

/* The display, as the driver uses it: rows 0 to 19, columns 0 to 39. */
#define DISPLAY_ROWS 20
#define DISPLAY_COLUMNS 40

/* A user variable's text is at most this long; readers pass a buffer one larger. */
#define USER_VARIABLE_MAX 255

/* _VioSetCurType. */
#define CURSOR_HIDDEN 0
#define CURSOR_SHOWN 4
/* Selectors of _RtcGetAsciiTime and _RtcGetAsciiDate, and the room the
   driver gives their texts. */
#define RTC_TIME_12_HOUR 1 /* "hhmmssAM" or "hhmmssPM" */
#define RTC_TIME_24_HOUR 2 /* "HHMMSS" */
#define RTC_DATE_MMDDYY 1
#define RTC_DATE_YYMMDD 3
#define RTC_TEXT_SIZE 16

#ifdef __cplusplus
}
#endif

#endif
