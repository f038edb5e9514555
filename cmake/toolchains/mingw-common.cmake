# Settings shared by the MinGW-w64 cross toolchains. The including file sets
# FORMS_MINGW_TRIPLE (i686-w64-mingw32 or x86_64-w64-mingw32),
# FORMS_MINGW_THREADS (win32 or posix) and CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)

# Debian ships each compiler in both thread models; the plain name is the
# fallback where only one is installed.
find_program(FORMS_MINGW_CC NAMES ${FORMS_MINGW_TRIPLE}-gcc-${FORMS_MINGW_THREADS} ${FORMS_MINGW_TRIPLE}-gcc REQUIRED)
find_program(FORMS_MINGW_CXX NAMES ${FORMS_MINGW_TRIPLE}-g++-${FORMS_MINGW_THREADS} ${FORMS_MINGW_TRIPLE}-g++ REQUIRED)
set(CMAKE_C_COMPILER ${FORMS_MINGW_CC})
set(CMAKE_CXX_COMPILER ${FORMS_MINGW_CXX})
set(CMAKE_RC_COMPILER ${FORMS_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${FORMS_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own support code (and, in the posix thread model, the
# threading library) goes into each DLL and program, so that nothing beyond
# the C run-time (msvcrt) and kernel32 has to travel with them.
set(forms_static_runtime "-static-libgcc -static-libstdc++")
if(FORMS_MINGW_THREADS STREQUAL "posix")
  string(APPEND forms_static_runtime " -static")
endif()
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${forms_static_runtime}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${forms_static_runtime}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${forms_static_runtime}")
