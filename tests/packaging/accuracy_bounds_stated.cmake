# The user guide states every accuracy bound of cmake/accuracy_bounds.cmake:
#   cmake -DGUIDE=<docs/user-guide.md> -DBOUNDS_FILE=<accuracy_bounds.cmake> -P accuracy_bounds_stated.cmake
include(${BOUNDS_FILE})
file(READ ${GUIDE} text)
string(REGEX REPLACE "[ \n]+" " " text "${text}")
foreach(bound IN LISTS GAUGESTAR_ACCURACY_BOUNDS)
    string(FIND "${text}" "within ${GAUGESTAR_ACCURACY_${bound}}" at)
    if(at EQUAL -1)
        message(SEND_ERROR "${GUIDE} does not say \"within ${GAUGESTAR_ACCURACY_${bound}}\" (${bound})")
    endif()
endforeach()
