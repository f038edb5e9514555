# Holds forms32.dll to its size budget: the DLL (LIBRARY) stripped with the
# target's strip (STRIP) into STRIPPED must be 64 KiB or less, as shipped.
cmake_minimum_required(VERSION 3.25)
set(budget 65536)
execute_process(COMMAND ${STRIP} -o ${STRIPPED} ${LIBRARY} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${STRIP} failed on ${LIBRARY}")
endif()
file(SIZE ${STRIPPED} size)
get_filename_component(dll ${LIBRARY} NAME)
if(size GREATER budget)
  message(FATAL_ERROR "${dll} is ${size} bytes stripped, over its budget of ${budget}: "
                      "look at what grew with ${STRIP} and objdump -h")
endif()
message(STATUS "${dll}: ${size} bytes stripped (budget ${budget})")
