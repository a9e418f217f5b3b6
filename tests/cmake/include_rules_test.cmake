# Reads the text of every product source and header of the tree (C and C++ of any extension)
# and fails on any #include line (quoted or in angle brackets) that breaks the rules of
# ARCHITECTURE.md, or that it cannot read (a macro): a layer including from a layer
# above it, a framework area from an area above it, a program folder from a folder it may not
# use, or a library reaching into another library's private folder; on a file in no unit of
# the rules; and on the framework or the program naming the base library (vkok_, vkov_) other
# than through the checking layer (in the text, outside comments and strings). The rules are
# the data of cmake/include_rules.cmake. Only the text: it does not know which headers a
# compile reads (forced includes, search folders) nor the names pasted together by macros,
# which the build's own check (cmake/include_rules_target.cmake) sees.
# Arguments: SOURCE_DIR (the tree to check).
cmake_minimum_required(VERSION 3.20)
set(TREE ${SOURCE_DIR})
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/include_rules_check.cmake)

set(failures "")
set(checked 0)
# Every C and C++ source and header of the product's folders, and the checking layer's tables.
set(patterns)
foreach(folder platform engine textedit help ruk frm app resources tools)
    foreach(extension h hh hpp hxx inl c cc cpp cxx c++ def)
        list(APPEND patterns ${SOURCE_DIR}/${folder}/*.${extension})
    endforeach()
endforeach()
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${patterns})
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
