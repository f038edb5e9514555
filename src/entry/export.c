/*
 * export.c - the one function the shared library exports.
 *
 * The terminal run-time calls main(code, parm) by name. It is compiled
 * freestanding, so the compiler treats it as an ordinary function and not
 * as a program's start, and it only forwards to the internal entry.
 */
#if defined(_WIN32)
#define FORMS_EXPORT __declspec(dllexport)
#else
#define FORMS_EXPORT __attribute__((visibility("default")))
#endif

int forms_entry_c(int code, const char *parm);

FORMS_EXPORT int main(int code, const char *parm) { return forms_entry_c(code, parm); }
