# The build's include check on small trees, each with one way a wrong include or a base-library
# call might slip through: an include in angle brackets, through a macro or through a header;
# a source in a folder of no unit; the base library named by address, by a call broken over two
# lines, or from the program. Each must fail with its reason; a lawful tree must pass; and a
# configured build of a tree with a wrong include must fail.
# Arguments: SOURCE_DIR (the real tree), SCRATCH_DIR, GENERATOR, CXX_COMPILER.
cmake_minimum_required(VERSION 3.25)
set(check_script ${SOURCE_DIR}/cmake/include_rules_source.cmake)
file(REMOVE_RECURSE ${SCRATCH_DIR})

# A small tree of the program's folders and one framework area, shared by the cases.
set(tree ${SCRATCH_DIR}/tree)
file(WRITE ${tree}/app/shell/kq_app.h "#pragma once\nint ShellApp();\n")
file(WRITE ${tree}/app/shell/ref_doc.h "#pragma once\nint RefDocument();\n")
file(WRITE ${tree}/app/pages/page.h "#pragma once\n#include \"app/shell/ref_doc.h\"\n")
file(WRITE ${tree}/app/pages/leak.h "#pragma once\n#include \"../shell/kq_app.h\"\n")

# Each case: "<source>|<its text>|<what the failure says, or PASS>". The check only
# preprocesses a source, so a text need not compile.
set(cases
    "app/pages/angle.cpp|#include <app/shell/kq_app.h>\n|app/pages may not include app/shell/kq_app.h"
    "app/pages/macro.cpp|#define SHELL_APP <app/shell/kq_app.h>\n#include SHELL_APP\n|app/pages may not include app/shell/kq_app.h"
    "app/pages/deep.cpp|#include \"app/pages/leak.h\"\n|app/pages/leak.h: app/pages may not include app/shell/kq_app.h"
    "app/extra/extra.cpp|#include \"app/pages/page.h\"\n#include \"app/shell/kq_app.h\"\n|app/extra/extra.cpp is in no unit"
    "frm/views/address.cpp|void *Hook() { return (void *)&vkok_dwin_invalidate_rect }\n|names the base library's vkok_dwin_invalidate_rect"
    "frm/views/broken.cpp|void Draw() {\n    vkok_dwin_update\n        (0)\n}\n|names the base library's vkok_dwin_update"
    "app/shell/timer.cpp|void Start() { vkov_timer_create(0, 5) }\n|names the base library's vkov_timer_create"
    "app/pages/lawful.cpp|#include <vector>\n#include \"app/pages/page.h\"\n#include \"app/shell/ref_doc.h\"\n// not vkok_dwin_update\nvoid Start() { vko_timer_create(0, 5) }\n|PASS")
foreach(case IN LISTS cases)
    string(REPLACE "|" ";" fields "${case}")
    list(GET fields 0 source)
    list(GET fields 1 text)
    list(GET fields 2 expected)
    string(REPLACE "\\n" "\n" text "${text}")
    file(WRITE ${tree}/${source} "${text}")
    execute_process(COMMAND ${CMAKE_COMMAND} -DTREE=${tree} -DBINARY_DIR=${SCRATCH_DIR}/build
                            -DSOURCE=${tree}/${source} -DSTAMP=${SCRATCH_DIR}/stamp
                            -DCOMPILER=${CXX_COMPILER} -DFLAGS=-std=c++20 -DINCLUDES=${tree}
                            -P ${check_script}
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    file(REMOVE ${tree}/${source})
    string(REPLACE "\n" " " out "${out}")
    string(REGEX REPLACE "[ ]+" " " out "${out}")
    if(expected STREQUAL "PASS")
        if(NOT status EQUAL 0)
            message(SEND_ERROR "${source}: a lawful source failed the check: ${out}")
        endif()
    elseif(status EQUAL 0)
        message(SEND_ERROR "${source}: passed the check; expected \"${expected}\"")
    else()
        string(FIND "${out}" "${expected}" at)
        if(at EQUAL -1)
            message(SEND_ERROR "${source}: failed without \"${expected}\": ${out}")
        endif()
    endif()
endforeach()

# The same check as a step of a configured build: the build itself fails.
set(project ${SCRATCH_DIR}/project)
file(COPY ${tree}/app DESTINATION ${project})
file(WRITE ${project}/app/pages/kq_basic_win.cpp "#include <app/shell/kq_app.h>\n")
file(WRITE ${project}/app/CMakeLists.txt "add_library(pages STATIC pages/kq_basic_win.cpp)\n\
target_include_directories(pages PUBLIC \${PROJECT_SOURCE_DIR})\n")
file(WRITE ${project}/CMakeLists.txt "cmake_minimum_required(VERSION 3.25)\n\
project(IncludeRulesFixture LANGUAGES CXX)\nadd_subdirectory(app)\n\
include(${SOURCE_DIR}/cmake/IncludeRules.cmake)\nvko_check_includes(app)\n")
execute_process(COMMAND ${CMAKE_COMMAND} -S ${project} -B ${project}/build -G ${GENERATOR}
                        -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the fixture project did not configure: ${out}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${project}/build
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
string(FIND "${out}" "app/pages may not include app/shell/kq_app.h" at)
if(status EQUAL 0 OR at EQUAL -1)
    message(SEND_ERROR "a build with a wrong include did not fail on it: ${out}")
endif()
