// fresh_library.h - puts the library's globals back to their values at load,
// so that many tests (or fuzz inputs) can run one after another in a single
// process, each as if the library had just been loaded.
#ifndef FORMS_TESTS_FRESH_LIBRARY_H
#define FORMS_TESTS_FRESH_LIBRARY_H

// Every global with external linkage gets its initial value back. The few
// file-local variables of the library are left alone: each is set by the
// call that uses it before it is read.
void reset_library_state();

#endif
