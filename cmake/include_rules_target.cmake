# One step of the build: checks the sources of one target against the include rules with
# what the compiler itself read when it compiled them (<object>.read, kept by the compiler
# launcher include_rules_compile.sh): the source, its forced includes and every header,
# by real path, with the target's own flags and definitions. It fails on
# - a source or a file it read in no unit of the rules;
# - an include line of any of these files that breaks the rules, read or not under the
#   compile's conditions, or that the check cannot read;
# - a file of the tree the compile read that none of these include lines names (a forced
#   include, an include through a macro or a search folder the rules do not know): it counts
#   as included by the source itself;
# - a base-library name (vkok_, vkov_) in the code of any of these files of a unit that
#   reaches the base library only through the checking layer, or among the symbols that the
#   compiled object of such a source takes from elsewhere, however the name was made.
# Each file of the tree is read once for the whole target. On success the stamp is written.
# Arguments: TREE (the tree), BINARY_DIR (the build tree, whose files are not checked),
# TARGET (its name, for the messages), OBJECTS (the target's objects, separated by "|"),
# READELF and STAMP.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/include_rules_check.cmake)
file(REAL_PATH "${BINARY_DIR}" binary_real)
regex_escape("${TREE}" tree_pattern)
regex_escape("${TREE_REAL}" tree_real_pattern)
set(tree_paths "^(${tree_pattern}/|${tree_real_pattern}/|[^/])")

# tree_file(<path> <out>): a path of a dependency list as a path of the tree, empty for a file
# outside the tree or in the build tree. Remembered per path.
macro(tree_file path out)
    if(NOT DEFINED "tree_file_${path}")
        file(REAL_PATH "${path}" real)
        cmake_path(IS_PREFIX binary_real "${real}" NORMALIZE in_build)
        if(in_build)
            set("tree_file_${path}" "")
        else()
            tree_path("${real}" "tree_file_${path}")
        endif()
    endif()
    set(${out} "${tree_file_${path}}")
endmacro()

# checked_file(<file>): checks the text of one file of the tree once: its include lines and
# its base-library names; includes_<file> is what its include lines name.
macro(checked_file file)
    if(NOT DEFINED "includes_${file}")
        include_line_failures("${file}" found "includes_${file}")
        list(APPEND failures ${found})
        base_call_failures("${file}" found)
        list(APPEND failures ${found})
    endif()
endmacro()

set(failures "")
set(symbol_objects "")
string(REPLACE "|" ";" OBJECTS "${OBJECTS}")
foreach(object IN LISTS OBJECTS)
    if(NOT EXISTS "${object}.read")
        list(APPEND failures "${object}: compiled without the list of the files it read \
(the compiler launcher cmake/include_rules_compile.sh)")
        continue()
    endif()
    # "<object>: <source> <file>... \" over several lines.
    file(READ "${object}.read" deps)
    string(REPLACE "\\\n" " " deps "${deps}")
    string(FIND "${deps}" ": " colon)
    math(EXPR colon "${colon} + 2")
    string(SUBSTRING "${deps}" ${colon} -1 deps)
    string(REGEX MATCHALL "[^ \t\r\n]+" paths "${deps}")
    list(POP_FRONT paths source_path)
    # Only a path in the tree (or relative to the build tree) can be a file of the tree: the
    # system's headers are left out before any is looked at.
    list(FILTER paths INCLUDE REGEX "${tree_paths}")
    tree_file("${source_path}" source)
    # A generated source follows no folder's rules.
    if(source STREQUAL "")
        continue()
    endif()
    unit_of("${source}" unit)
    if(unit STREQUAL "")
        list(APPEND failures "${source} is in no unit of the rules")
        continue()
    endif()
    checked_file("${source}")
    set(named ${includes_${source}})
    set(read "")
    foreach(path IN LISTS paths)
        tree_file("${path}" file)
        if(NOT file STREQUAL "" AND NOT file STREQUAL source)
            checked_file("${file}")
            list(APPEND named ${includes_${file}})
            list(APPEND read "${file}")
        endif()
    endforeach()
    foreach(file IN LISTS read)
        if(NOT file IN_LIST named)
            include_failure("${source}" "${file}" failure)
            if(NOT failure STREQUAL "")
                list(APPEND failures "${failure}, read by the compile though no include line \
names it (a forced include, an include through a macro or another search folder)")
            endif()
        endif()
    endforeach()
    if(unit IN_LIST no_base_calls)
        list(APPEND symbol_objects "${object}")
        set("source_of_${object}" "${source}")
    endif()
endforeach()

# The symbols each object of the framework or the program takes from elsewhere (readelf prints
# "File: <object>" before each object's symbols when it reads more than one).
if(symbol_objects)
    execute_process(COMMAND ${READELF} --syms --wide ${symbol_objects}
                    COMMAND grep -E "^File: | UND vko[kv]_"
                    RESULTS_VARIABLE status OUTPUT_VARIABLE symbols ERROR_VARIABLE errors)
    list(GET status 0 status)
    if(NOT status EQUAL 0)
        list(APPEND failures "${READELF} could not read the symbols of ${TARGET}'s objects: \
${errors}")
    endif()
    list(GET symbol_objects 0 object)
    string(REPLACE "\n" ";" lines "${symbols}")
    foreach(line IN LISTS lines)
        if(line MATCHES "^File: (.*)$")
            set(object "${CMAKE_MATCH_1}")
        elseif(line MATCHES " UND (vko[kv]_[A-Za-z0-9_]*)")
            base_name_failure("${source_of_${object}}" "${CMAKE_MATCH_1}" failure)
            if(NOT failure STREQUAL "")
                list(APPEND failures "${failure} (a symbol its object uses)")
            endif()
        endif()
    endforeach()
endif()

if(failures)
    file(REMOVE ${STAMP})
    list(REMOVE_DUPLICATES failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "${TARGET}: includes against ARCHITECTURE.md \
(rules: cmake/include_rules.cmake):\n  ${text}")
endif()
# Written only when missing: a stamp left as it was tells ninja (restat) that the libraries and
# programs waiting for it need not link again.
if(NOT EXISTS ${STAMP})
    file(TOUCH ${STAMP})
endif()
