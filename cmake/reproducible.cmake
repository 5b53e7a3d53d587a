# Two builds of one commit, in any folders and at any times, give the same
# bytes: no build path in the binary (its debug information decides its
# build id, which stripping keeps), and every time written into a file is
# the commit's, or SOURCE_DATE_EPOCH's when the builder sets it.

if(GAUGESTAR_GNU_FLAGS)
    add_compile_options(
        -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
        # Last, so that it wins for a build folder inside the source tree.
        -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
endif()

set(GAUGESTAR_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
if(GAUGESTAR_SOURCE_DATE_EPOCH STREQUAL "")
    execute_process(COMMAND git -C "${PROJECT_SOURCE_DIR}" log -1 --format=%ct
        OUTPUT_VARIABLE GAUGESTAR_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
        ERROR_QUIET RESULT_VARIABLE _git_result)
    if(NOT _git_result EQUAL 0)
        set(GAUGESTAR_SOURCE_DATE_EPOCH "")
    endif()
endif()

# The resource compiler stores each picture's modification time, which a
# fresh checkout sets to the moment of checking out. Called in the folder
# that compiles the resources, so that nothing else is rerun when the
# commit changes.
function(gaugestar_resource_times_from_commit)
    if(NOT GAUGESTAR_SOURCE_DATE_EPOCH STREQUAL "")
        set_property(DIRECTORY PROPERTY RULE_LAUNCH_CUSTOM
            "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${GAUGESTAR_SOURCE_DATE_EPOCH}")
    endif()
endfunction()
