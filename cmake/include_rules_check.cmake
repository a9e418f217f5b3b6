# The checks of the include rules (the data of include_rules.cmake), shared by the build's
# check of each target (include_rules_target.cmake) and the test that reads the whole tree.
# Paths are relative to the tree; the caller sets TREE to the tree's folder.
include(${CMAKE_CURRENT_LIST_DIR}/include_rules.cmake)
file(REAL_PATH "${TREE}" TREE_REAL)

# unit_of(<path> <out>): the unit holding a path of the tree; empty when no unit holds it.
# One expression of all units, in their order, so the first unit that holds the path wins.
# regex_escape(<text> <out>): <text> matched as it stands inside a regular expression.
function(regex_escape text out)
    string(REGEX REPLACE "([][.+*?^$()|\\])" "\\\\\\1" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()
regex_escape("${units}" unit_pattern)
string(REPLACE ";" "|" unit_pattern "${unit_pattern}")
set(unit_pattern "^(${unit_pattern})(/|$)")
function(unit_of path out)
    if(path MATCHES "${unit_pattern}")
        set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
    else()
        set(${out} "" PARENT_SCOPE)
    endif()
endfunction()

# included_path(<source> <include> <quoted> <out_path> <out_error>): the file of the tree that
# an include line of <source> names, by its real path (a folder reached through a symbolic link
# counts as the folder it links to): beside the source (or relative to it), in a library's
# public folder by its alias, or a unit's file by its path from the top. Empty for a header of
# the system; for a quoted name found nowhere, an error instead.
function(included_path source include quoted out_path out_error)
    set(${out_error} "" PARENT_SCOPE)
    set(${out_path} "" PARENT_SCOPE)
    get_filename_component(source_dir "${source}" DIRECTORY)
    set(path "")
    if(quoted AND EXISTS "${TREE}/${source_dir}/${include}")
        set(path "${source_dir}/${include}")
    else()
        foreach(alias IN LISTS include_aliases)
            string(REPLACE "=" ";" pair "${alias}")
            list(GET pair 0 prefix)
            list(GET pair 1 unit)
            string(FIND "${include}" "${prefix}" at)
            if(at EQUAL 0)
                set(path "${unit}/include/${include}")
                break()
            endif()
        endforeach()
    endif()
    if(path STREQUAL "")
        unit_of("${include}" unit)
        if(NOT unit STREQUAL "")
            set(path "${include}")
        endif()
    endif()
    if(path STREQUAL "")
        if(quoted)
            set(${out_error} "\"${include}\" is neither beside it nor a library's public header"
                PARENT_SCOPE)
        endif()
        return()
    endif()
    tree_path("${TREE}/${path}" path)
    set(${out_path} "${path}" PARENT_SCOPE)
endfunction()

# tree_path(<file> <out>): the path from the top of the tree of a file by its real path (its
# folders' symbolic links followed), or empty for a file outside the tree.
function(tree_path file out)
    file(REAL_PATH "${file}" real)
    cmake_path(IS_PREFIX TREE_REAL "${real}" NORMALIZE inside)
    if(inside)
        file(RELATIVE_PATH real "${TREE_REAL}" "${real}")
        set(${out} "${real}" PARENT_SCOPE)
    else()
        set(${out} "" PARENT_SCOPE)
    endif()
endfunction()

# include_failure(<source> <target> <out>): why <source> may not include the file <target>,
# or empty when it may. Only a source (never a header) may use the exceptions.
function(include_failure source target out)
    set(${out} "" PARENT_SCOPE)
    unit_of("${source}" unit)
    unit_of("${target}" target_unit)
    if(unit STREQUAL "")
        set(${out} "${source} is in no unit of the rules" PARENT_SCOPE)
        return()
    endif()
    if(target_unit STREQUAL "")
        set(${out} "${source} includes ${target}, which is in no unit of the rules" PARENT_SCOPE)
        return()
    endif()
    if(target_unit STREQUAL unit)
        return()
    endif()
    foreach(alias IN LISTS include_aliases)
        if(alias MATCHES "=${target_unit}$")
            string(FIND "${target}" "${target_unit}/include/" at)
            if(NOT at EQUAL 0)
                set(${out} "${source} reaches into ${target_unit}'s private folder: ${target}"
                    PARENT_SCOPE)
                return()
            endif()
        endif()
    endforeach()
    if(target_unit IN_LIST may_include_${unit} OR target IN_LIST may_include_${unit})
        return()
    endif()
    if(NOT source MATCHES "\\.h$" AND "${source}=${target_unit}" IN_LIST include_exceptions)
        return()
    endif()
    set(${out} "${source}: ${unit} may not include ${target} (${target_unit})" PARENT_SCOPE)
endfunction()

# include_line_failures(<source> <out> [<out_included>]): the failures of <source>'s own include
# lines, quoted or in angle brackets, and the files of the tree they name (by real path). An
# include the check cannot read (a macro, a line broken after #include) fails: the check would
# not know what it names.
function(include_line_failures source out)
    set(failures "")
    set(included "")
    file(STRINGS "${TREE}/${source}" lines
         REGEX "^[ \t]*(#|%:)[ \t]*(/\\*.*\\*/)?[ \t]*(include|import)")
    foreach(line IN LISTS lines)
        if(NOT line MATCHES "^[ \t]*(#|%:)[ \t]*include[ \t]*([\"<])([^\">]+)[\">]")
            string(STRIP "${line}" line)
            list(APPEND failures "${source}: an include the check cannot read: ${line} \
(name the header in quotes or angle brackets after #include)")
            continue()
        endif()
        set(include "${CMAKE_MATCH_3}")
        set(quoted FALSE)
        if(CMAKE_MATCH_2 STREQUAL "\"")
            set(quoted TRUE)
        endif()
        included_path("${source}" "${include}" ${quoted} target error)
        if(NOT error STREQUAL "")
            list(APPEND failures "${source}: ${error}")
        elseif(NOT target STREQUAL "")
            list(APPEND included "${target}")
            include_failure("${source}" "${target}" failure)
            if(NOT failure STREQUAL "")
                list(APPEND failures "${failure}")
            endif()
        endif()
    endforeach()
    set(${out} "${failures}" PARENT_SCOPE)
    if(ARGC GREATER 2)
        set(${ARGV2} "${included}" PARENT_SCOPE)
    endif()
endfunction()

# base_call_failures(<source> <out>): every base-library name (vkok_, vkov_) in the code of a
# file whose unit reaches the base library only through the checking layer: a call, however
# its lines are broken, or a function's address. The text is read as the compiler reads it:
# lines joined where a backslash ends them, then comments, strings and character literals
# left out. A name made by pasting tokens together is not in the text; the build finds it
# in the compiled object instead (include_rules_target.cmake).
function(base_call_failures source out)
    set(failures "")
    unit_of("${source}" unit)
    if(NOT unit IN_LIST no_base_calls)
        set(${out} "" PARENT_SCOPE)
        return()
    endif()
    file(READ "${TREE}/${source}" text)
    if(NOT text MATCHES "vko")
        set(${out} "" PARENT_SCOPE)
        return()
    endif()
    string(REPLACE "\\\n" "" text "${text}")
    string(REGEX REPLACE
           "\"([^\"\\\\\n]|\\\\.)*\"|'([^'\\\\\n]|\\\\.)*'|//[^\n]*|/\\*([^*]|\\*+[^*/])*\\*+/"
           " " code "${text}")
    string(REGEX MATCHALL "[A-Za-z0-9_]*vko[kv]_[A-Za-z0-9_]*" names "${code}")
    foreach(name IN LISTS names)
        base_name_failure("${source}" "${name}" failure)
        list(APPEND failures ${failure})
    endforeach()
    set(${out} "${failures}" PARENT_SCOPE)
endfunction()

# base_name_failure(<source> <name> <out>): the failure of <source> naming <name>, or empty
# when <name> is no base-library name or is one of the source's exceptions.
function(base_name_failure source name out)
    set(${out} "" PARENT_SCOPE)
    if(name MATCHES "^vko[kv]_" AND NOT "${source}=${name}" IN_LIST base_call_exceptions)
        set(${out} "${source}: names the base library's ${name} \
instead of the checking layer's vko_ call" PARENT_SCOPE)
    endif()
endfunction()
