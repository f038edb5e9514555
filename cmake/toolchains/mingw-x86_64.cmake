# Cross toolchain for 64-bit Windows: Debian's g++-mingw-w64-x86-64. Its
# programs run under wine64 (set up by the project's CMakeLists), which is
# how the Windows build is tested on a machine that cannot run 32-bit x86.
# The posix thread model gives GoogleTest the std::mutex it needs; the
# threading library is linked statically.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(FORMS_MINGW_TRIPLE x86_64-w64-mingw32)
set(FORMS_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
