/*
 * peload.h - loads a 32-bit Windows build of the panel driver (forms32.dll)
 * into an i686 Linux process, so that the shipped file itself runs in tests
 * (under qemu-i386 on any machine).
 *
 * The DLL's imports are bound here: termrt.dll to the simulated run-time
 * (libtermrt.so), msvcrt.dll to the C library where the two behave alike and
 * KERNEL32.dll to stand-ins for what MinGW's start-up code calls. Call the
 * returned main from the thread that loaded the DLL.
 */
#ifndef PELOAD_PELOAD_H
#define PELOAD_PELOAD_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int (*pe_main_fn)(int code, char *command);

/* Maps the DLL at dll_path, relocates it, binds its imports, runs its TLS
   callbacks and DllMain, and returns its exported main. On failure returns
   NULL and writes why (naming an import that cannot be bound) to error. */
pe_main_fn pe_load(const char *dll_path, char *error, size_t error_size);

#ifdef __cplusplus
}
#endif

#endif
