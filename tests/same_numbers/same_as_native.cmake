# Runs same_numbers as this build's tests run (under the toolchain's
# emulator when cross-built) and compares its bytes with the native build's:
#   cmake -DPROGRAM=<same_numbers> -DEMULATOR=<emulator, may be empty> -DNATIVE=<native output> -P same_as_native.cmake
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" OUTPUT_VARIABLE ours RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "same_numbers ended with ${result}")
endif()
string(REPLACE "\r\n" "\n" ours "${ours}") # Windows ends a text stream's lines with CR LF
file(WRITE "${PROGRAM}.txt" "${ours}")
file(READ "${NATIVE}" native)
if(NOT ours STREQUAL native)
    message(FATAL_ERROR "same_numbers differs from the native build's: compare ${PROGRAM}.txt with ${NATIVE}")
endif()
string(LENGTH "${ours}" bytes)
message(STATUS "same_numbers: the same ${bytes} bytes as the native build's")
