# Reads every product source's #include lines and fails on any that breaks the rules of
# ARCHITECTURE.md: a layer including from a layer above it, a framework area from an area
# above it, a program folder from a folder it may not use, or a library reaching into another
# library's private folder; and on a framework source calling the base library (vkok_,
# vkov_) other than through the checking layer. The rules are the data of include_rules.cmake.
# Arguments: SOURCE_DIR (the tree to check).
cmake_minimum_required(VERSION 3.20)
include(${CMAKE_CURRENT_LIST_DIR}/include_rules.cmake)

# The unit of a path relative to the tree; empty when no unit holds it.
function(unit_of path out)
    set(found "")
    foreach(unit IN LISTS units)
        string(FIND "${path}" "${unit}/" at)
        if(at EQUAL 0)
            set(found ${unit})
            break()
        endif()
    endforeach()
    set(${out} "${found}" PARENT_SCOPE)
endfunction()

# The unit an include names and the include as a path of the tree, for an include of a
# library's public folder or of a unit by its path from the top; empty for anything else.
function(named_unit include out_unit out_path)
    set(path "")
    foreach(alias IN LISTS include_aliases)
        string(REPLACE "=" ";" pair "${alias}")
        list(GET pair 0 prefix)
        list(GET pair 1 unit)
        string(FIND "${include}" "${prefix}" at)
        if(at EQUAL 0)
            set(${out_unit} ${unit} PARENT_SCOPE)
            set(${out_path} "${include}" PARENT_SCOPE)
            return()
        endif()
    endforeach()
    unit_of("${include}" unit)
    set(${out_unit} "${unit}" PARENT_SCOPE)
    set(${out_path} "${include}" PARENT_SCOPE)
endfunction()

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
    get_filename_component(source_dir ${source} DIRECTORY)
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" include "${line}")
        if(EXISTS ${SOURCE_DIR}/${source_dir}/${include})
            # Beside the source (or relative to it): the unit of the file it names.
            get_filename_component(target ${SOURCE_DIR}/${source_dir}/${include} ABSOLUTE)
            file(RELATIVE_PATH target_path ${SOURCE_DIR} ${target})
            unit_of("${target_path}" target_unit)
        else()
            named_unit("${include}" target_unit target_path)
            if(target_unit STREQUAL "")
                list(APPEND failures "${source}: \"${include}\" is neither beside it nor a \
library's public header (another library's private folder?)")
                continue()
            endif()
        endif()
        if(target_unit STREQUAL unit)
            continue()
        endif()
        if(target_unit IN_LIST may_include_${unit} OR target_path IN_LIST may_include_${unit})
            continue()
        endif()
        if(NOT source MATCHES "\\.h$" AND "${source}=${target_unit}" IN_LIST include_exceptions)
            continue()
        endif()
        list(APPEND failures "${source}: ${unit} may not include \"${include}\" (${target_unit})")
    endforeach()
    if(unit IN_LIST no_base_calls)
        file(STRINGS ${SOURCE_DIR}/${source} calls REGEX "vko[kv]_[a-z_]+[ \t]*\\(")
        foreach(line IN LISTS calls)
            if(NOT line MATCHES "^[ \t]*//")
                string(REPLACE ";" "" line "${line}")
                string(STRIP "${line}" line)
                list(APPEND failures "${source}: calls the base library directly: ${line}")
            endif()
        endforeach()
    endif()
endforeach()

if(checked LESS 500)
    message(FATAL_ERROR "only ${checked} sources found under ${SOURCE_DIR}")
endif()
if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "includes against ARCHITECTURE.md:\n  ${text}")
endif()
message(STATUS "${checked} sources follow the include rules")
