# same_numbers as this build's tests run it (under the toolchain's emulator
# when cross-built), compared byte for byte with the native build's output:
#   cmake -DPROGRAM=<same_numbers> -DEMULATOR=<emulator, or empty> -DNATIVE=<native output> -P same_as_native.cmake
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" OUTPUT_VARIABLE ours COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\r\n" "\n" ours "${ours}") # Windows ends a text stream's lines with CR LF
file(WRITE "${PROGRAM}.txt" "${ours}")
file(READ "${NATIVE}" native)
if(NOT ours STREQUAL native)
    message(FATAL_ERROR "same_numbers differs from the native build's: compare ${PROGRAM}.txt with ${NATIVE}")
endif()
