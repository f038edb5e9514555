/*
 * export.c - the one function the shared library exports.
 *
 * The terminal run-time calls main(code, parm) by name. It is compiled
 * freestanding, so the compiler treats it as an ordinary function and not
 * as a program's start, and it only forwards to the internal entry.
 */
#if defined(_WIN32)
/* The run-time calls it with the C calling convention; exports.def gives
   the export its plain name. */
#define FORMS_EXPORT __declspec(dllexport)
#define FORMS_CALL __cdecl
#else
#define FORMS_EXPORT __attribute__((visibility("default")))
#define FORMS_CALL
#endif

int forms_entry_c(int code, const char *parm);

FORMS_EXPORT int FORMS_CALL main(int code, const char *parm) { return forms_entry_c(code, parm); }
