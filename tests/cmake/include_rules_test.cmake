# Reads every product source and header of the tree and fails on any #include (quoted or in
# angle brackets) that breaks the rules of ARCHITECTURE.md: a layer including from a layer
# above it, a framework area from an area above it, a program folder from a folder it may not
# use, or a library reaching into another library's private folder; on a file in no unit of
# the rules; and on the framework or the program naming the base library (vkok_, vkov_) other
# than through the checking layer. The rules are the data of cmake/include_rules.cmake; the
# build checks each compiled source the same way with the compiler's own list of headers.
# Arguments: SOURCE_DIR (the tree to check).
cmake_minimum_required(VERSION 3.20)
set(TREE ${SOURCE_DIR})
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/include_rules_check.cmake)

set(failures "")
set(checked 0)
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
     ${SOURCE_DIR}/platform/*.h ${SOURCE_DIR}/platform/*.cpp ${SOURCE_DIR}/platform/*.def
     ${SOURCE_DIR}/engine/*.h ${SOURCE_DIR}/engine/*.cpp
     ${SOURCE_DIR}/textedit/*.h ${SOURCE_DIR}/textedit/*.cpp
     ${SOURCE_DIR}/help/*.h ${SOURCE_DIR}/help/*.cpp
     ${SOURCE_DIR}/ruk/*.h ${SOURCE_DIR}/ruk/*.cpp ${SOURCE_DIR}/ruk/*.def
     ${SOURCE_DIR}/frm/*.h ${SOURCE_DIR}/frm/*.cpp
     ${SOURCE_DIR}/app/*.h ${SOURCE_DIR}/app/*.cpp
     ${SOURCE_DIR}/resources/*.h ${SOURCE_DIR}/tools/*.h ${SOURCE_DIR}/tools/*.cpp)
list(FILTER sources EXCLUDE REGEX "^[^/]+/build/|/build/")
foreach(source IN LISTS sources)
    unit_of("${source}" unit)
    if(unit STREQUAL "")
        list(APPEND failures "${source}: in no unit of the rules")
        continue()
    endif()
    math(EXPR checked "${checked} + 1")
    include_line_failures("${source}" found)
    list(APPEND failures ${found})
    base_call_failures("${source}" found)
    list(APPEND failures ${found})
endforeach()

if(checked LESS 500)
    message(FATAL_ERROR "only ${checked} sources found under ${SOURCE_DIR}")
endif()
if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "includes against ARCHITECTURE.md:\n  ${text}")
endif()
message(STATUS "${checked} sources follow the include rules")
