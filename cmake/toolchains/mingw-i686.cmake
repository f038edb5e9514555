# Cross toolchain for 32-bit Windows on x86 (forms32.dll): Debian's
# g++-mingw-w64-i686, in the win32 thread model, which needs no threading
# library beside the DLL.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(FORMS_MINGW_TRIPLE i686-w64-mingw32)
set(FORMS_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
