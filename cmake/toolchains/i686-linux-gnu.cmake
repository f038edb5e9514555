# Cross toolchain for 32-bit x86 Linux: Debian's g++-i686-linux-gnu. Its
# programs run under qemu-i386, which runs them on every machine whatever
# the kernel's own 32-bit support, with the i386 libraries of
# /usr/i686-linux-gnu (what -L gives it).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(FORMS_I686_SYSROOT /usr/i686-linux-gnu)

set(CMAKE_C_COMPILER i686-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)

set(CMAKE_FIND_ROOT_PATH ${FORMS_I686_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(FORMS_QEMU_I386 qemu-i386 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${FORMS_QEMU_I386} -L ${FORMS_I686_SYSROOT})
