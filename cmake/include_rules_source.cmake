# One step of the build: checks one source against the include rules with what the compiler
# itself reads. The preprocessor's tree of headers (-H) gives every include of the source and
# of the headers it reaches, in whatever form it was written (quoted, in angle brackets,
# through a macro); the source's own #include lines are read too, since a header already
# included is not listed again. The base-library names in the source's code are checked as
# well. On success the stamp is written, with the headers read as its dependencies.
# Arguments: TREE (the tree), BINARY_DIR (the build tree, whose files are not checked),
# SOURCE (absolute), STAMP, COMPILER, FLAGS (the language's standard), INCLUDES and DEFINES
# (the target's include folders and definitions, separated by "|").
cmake_minimum_required(VERSION 3.20)
include(${CMAKE_CURRENT_LIST_DIR}/include_rules_check.cmake)

file(RELATIVE_PATH source ${TREE} ${SOURCE})
set(failures "")
unit_of("${source}" unit)
if(unit STREQUAL "")
    message(FATAL_ERROR "${source} is in no unit of the include rules (cmake/include_rules.cmake)")
endif()

include_line_failures("${source}" failures)
base_call_failures("${source}" calls)
list(APPEND failures ${calls})

string(REPLACE "|" ";" INCLUDES "${INCLUDES}")
string(REPLACE "|" ";" DEFINES "${DEFINES}")
set(arguments ${FLAGS})
foreach(dir IN LISTS INCLUDES)
    list(APPEND arguments "-I${dir}")
endforeach()
foreach(definition IN LISTS DEFINES)
    list(APPEND arguments "-D${definition}")
endforeach()
execute_process(COMMAND ${COMPILER} ${arguments} -E -H -MD -MF ${STAMP}.d -MT ${STAMP}
                        ${SOURCE} -o /dev/null
                RESULT_VARIABLE status ERROR_VARIABLE tree)
if(NOT status EQUAL 0)
    # The compiler's messages, without the tree of headers.
    string(REGEX REPLACE "(^|\n)\\.+ [^\n]*" "" messages "${tree}")
    message(FATAL_ERROR "${source}: the preprocessor failed:\n${messages}")
endif()

# Each line of the tree is ". header" at the depth of its includer plus one; the includer of a
# header at depth d is the last header listed at depth d - 1 (the source at depth 0).
set(includer_0 "${source}")
string(REPLACE ";" "\\;" tree "${tree}")
string(REPLACE "\n" ";" tree_lines "${tree}")
foreach(line IN LISTS tree_lines)
    if(NOT line MATCHES "^(\\.+) (.+)$")
        continue()
    endif()
    string(LENGTH "${CMAKE_MATCH_1}" depth)
    set(path "${CMAKE_MATCH_2}")
    cmake_path(NORMAL_PATH path)
    string(FIND "${path}" "${BINARY_DIR}/" in_build)
    string(FIND "${path}" "${TREE}/" in_tree)
    if(in_tree EQUAL 0 AND NOT in_build EQUAL 0)
        file(RELATIVE_PATH path ${TREE} ${path})
    else()
        set(path "")
    endif()
    set(includer_${depth} "${path}")
    math(EXPR above "${depth} - 1")
    set(includer "${includer_${above}}")
    if(path STREQUAL "" OR includer STREQUAL "")
        continue()
    endif()
    include_failure("${includer}" "${path}" failure)
    if(NOT failure STREQUAL "")
        list(APPEND failures "${failure}")
    endif()
endforeach()

if(failures)
    file(REMOVE ${STAMP})
    list(REMOVE_DUPLICATES failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "includes against ARCHITECTURE.md (rules: cmake/include_rules.cmake):\n  \
${text}")
endif()
file(TOUCH ${STAMP})
