# Redraws every picture and icon into a scratch folder and compares each with
# the committed file, byte for byte: the drawing code and the resources the
# program carries must not drift apart.
#   cmake -DTOOL=<draw_tank_pictures> -DOUT=<scratch> -DCOMMITTED=<resources> -P pictures_redrawn.cmake
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${TOOL}" "${OUT}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${TOOL} ended with ${result}")
endif()
file(GLOB_RECURSE drawn RELATIVE "${OUT}" "${OUT}/*")
list(LENGTH drawn count)
if(count EQUAL 0)
    message(FATAL_ERROR "${TOOL} drew nothing")
endif()
foreach(name IN LISTS drawn)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUT}/${name}" "${COMMITTED}/${name}"
        RESULT_VARIABLE differs)
    if(differs)
        list(APPEND changed "${name}")
    endif()
endforeach()
if(changed)
    message(FATAL_ERROR "not as committed: ${changed}")
endif()
message(STATUS "${count} pictures and icons redrawn, each identical to the committed one")
