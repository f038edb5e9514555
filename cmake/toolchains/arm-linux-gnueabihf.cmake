# Cross toolchain for 32-bit ARM Linux (hard float): Debian's
# g++-arm-linux-gnueabihf. Its programs run under qemu-arm with the ARM
# libraries of /usr/arm-linux-gnueabihf, which is what -L gives it (the same
# as QEMU_LD_PREFIX).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(FORMS_ARM_SYSROOT /usr/arm-linux-gnueabihf)

set(CMAKE_C_COMPILER arm-linux-gnueabihf-gcc)
set(CMAKE_CXX_COMPILER arm-linux-gnueabihf-g++)
# The notes on the ARM calling convention change of GCC 7.1 concern only
# code built by older compilers; nothing here mixes with such code.
set(CMAKE_CXX_FLAGS_INIT "-Wno-psabi")

set(CMAKE_FIND_ROOT_PATH ${FORMS_ARM_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(FORMS_QEMU_ARM qemu-arm REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${FORMS_QEMU_ARM} -L ${FORMS_ARM_SYSROOT})
