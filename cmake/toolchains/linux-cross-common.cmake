# Settings shared by the Linux cross toolchains. The including file sets
# FORMS_LINUX_TRIPLE (arm-linux-gnueabihf or i686-linux-gnu), FORMS_QEMU
# (the qemu-user program that runs the target's code) and
# CMAKE_SYSTEM_PROCESSOR first. Programs run under that emulator with the
# target's libraries from /usr/TRIPLE, which is what -L gives it (the same
# as QEMU_LD_PREFIX).
set(CMAKE_SYSTEM_NAME Linux)
set(FORMS_LINUX_SYSROOT /usr/${FORMS_LINUX_TRIPLE})

set(CMAKE_C_COMPILER ${FORMS_LINUX_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${FORMS_LINUX_TRIPLE}-g++)

set(CMAKE_FIND_ROOT_PATH ${FORMS_LINUX_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(FORMS_QEMU_PROGRAM ${FORMS_QEMU} REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${FORMS_QEMU_PROGRAM} -L ${FORMS_LINUX_SYSROOT})
