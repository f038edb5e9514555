# Cross toolchain for 32-bit ARM Linux (hard float): Debian's
# g++-arm-linux-gnueabihf, its programs run under qemu-arm.
set(CMAKE_SYSTEM_PROCESSOR arm)
set(FORMS_LINUX_TRIPLE arm-linux-gnueabihf)
set(FORMS_QEMU qemu-arm)
# The notes on the ARM calling convention change of GCC 7.1 concern only
# code built by older compilers; nothing here mixes with such code.
set(CMAKE_CXX_FLAGS_INIT "-Wno-psabi")
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross-common.cmake)
