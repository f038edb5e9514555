# Cross toolchain for 32-bit x86 Linux: Debian's g++-i686-linux-gnu. Its
# programs run under qemu-i386, which runs them on every machine whatever
# the kernel's own 32-bit support.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(FORMS_LINUX_TRIPLE i686-linux-gnu)
set(FORMS_QEMU qemu-i386)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross-common.cmake)
