/*
 * answers.h - the answers of the terminal run-time's operations that the
 * driver tells apart. The simulated run-time gives the same answers from the
 * same names.
 */
#ifndef FORMS_PLATFORM_ANSWERS_H
#define FORMS_PLATFORM_ANSWERS_H

/* Every operation: done. */
#define RT_OK 0

/* _ReadUserVariable / _WriteUserVariable. */
#define RT_VARIABLE_UNREADABLE 3 /* not readable, or not written */
#define RT_VARIABLE_TOO_LONG 5   /* the text is longer than the variable holds */

/* _Validation. */
#define RT_VALUE_ACCEPTED 0
#define RT_VALUE_REJECTED 1
#define RT_FILE_UNAVAILABLE 4    /* the file cannot be consulted just now */
#define RT_FILE_NOT_AVAILABLE 16 /* the file is not there */

#endif
