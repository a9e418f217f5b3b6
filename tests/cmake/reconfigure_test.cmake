# Configures the tree twice in a scratch build folder, as ./run does at every start, and fails
# when the second configure wrote again any source it generated (a source whose time changes
# is compiled again, and what links it is linked again, though nothing changed).
# Arguments: SOURCE_DIR, SCRATCH_DIR, GENERATOR, C_COMPILER, CXX_COMPILER.
file(REMOVE_RECURSE ${SCRATCH_DIR})

function(configure)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${SCRATCH_DIR} -G ${GENERATOR}
                -DCMAKE_C_COMPILER=${C_COMPILER} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
                -DCMAKE_BUILD_TYPE=Release -DVKO_TESTS=OFF -DVKO_BENCH=OFF -DVKO_DEMO=OFF
        RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "the configure failed: ${errors}")
    endif()
endfunction()

# The generated sources and their times, as "path@time" lines.
function(source_times out)
    file(GLOB_RECURSE sources ${SCRATCH_DIR}/*.c ${SCRATCH_DIR}/*.cpp ${SCRATCH_DIR}/*.h
         ${SCRATCH_DIR}/*.def)
    list(FILTER sources EXCLUDE REGEX "/CMakeFiles/")
    list(SORT sources)
    set(times "")
    foreach(source IN LISTS sources)
        file(TIMESTAMP ${source} time "%s")
        list(APPEND times "${source}@${time}")
    endforeach()
    set(${out} "${times}" PARENT_SCOPE)
endfunction()

configure()
source_times(first)
if(first STREQUAL "")
    message(FATAL_ERROR "the configure generated no source: nothing was checked")
endif()
# Times are read in whole seconds: a rewrite must land in a later second to be seen.
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1.2)
configure()
source_times(second)
file(REMOVE_RECURSE ${SCRATCH_DIR})
foreach(entry IN LISTS first)
    list(FIND second "${entry}" found)
    if(found EQUAL -1)
        string(REGEX REPLACE "@[0-9]+$" "" source "${entry}")
        message(SEND_ERROR "the second configure wrote ${source} again")
    endif()
endforeach()
