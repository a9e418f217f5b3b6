# The build's include check on a small configured tree of the program's folders, a framework
# area and the base library's header, built as the program is (release flags, position-
# independent code, a forced include, one library per folder with its link boundary). The
# lawful tree must build. Then each way a wrong include or a base-library name might slip
# through is put in, alone, and `cmake --build` must fail with its reason, then it is taken
# out again: an include in angle brackets, through a macro, through a header, under a
# condition only the real compile meets, through a symbolic link to another folder, through a
# search folder or a forced include; a source in no unit, of another extension or of a target
# in a folder further down; the base library named by address, by a call broken over lines,
# from the program, after a string, on a line that starts with "*", by pasted tokens or in a
# header; and a call into a folder above with no include at all.
# Arguments: SOURCE_DIR (the real tree), SCRATCH_DIR, GENERATOR, CXX_COMPILER.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${SCRATCH_DIR})
set(tree ${SCRATCH_DIR}/tree)
set(build ${SCRATCH_DIR}/build)

# The lawful tree.
file(WRITE ${tree}/CMakeLists.txt "cmake_minimum_required(VERSION 3.25)
project(IncludeRulesFixture LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(${SOURCE_DIR}/cmake/VkoTargets.cmake)
include(${SOURCE_DIR}/cmake/IncludeRules.cmake)
add_subdirectory(frm)
add_subdirectory(app)
vko_check_includes(frm app)
")
file(WRITE ${tree}/platform/vkobase/include/vkobase/dwin.h [=[#pragma once
extern "C" {
void vkok_dwin_update(int);
int vkok_dwin_count();
void vkov_timer_create(int, int);
}
]=])
file(WRITE ${tree}/ruk/static/tdwin.h [=[#pragma once
extern "C" void vko_dwin_update(int);
]=])
file(WRITE ${tree}/frm/CMakeLists.txt [=[
file(GLOB views_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/views/*.cpp)
add_library(frm_views STATIC ${views_sources})
target_include_directories(frm_views PUBLIC ${PROJECT_SOURCE_DIR}
                                            ${PROJECT_SOURCE_DIR}/platform/vkobase/include)
]=])
file(WRITE ${tree}/frm/views/fontinit.h "#pragma once\ninline int fontsReady = 1;\n")
file(WRITE ${tree}/frm/views/view.cpp [=[#include <vector>
#include "ruk/static/tdwin.h"
#include "vkobase/dwin.h"
// the checking layer's call, not vkok_dwin_update
void DrawView() { vko_dwin_update(0); }
]=])
file(WRITE ${tree}/app/CMakeLists.txt [=[
file(GLOB display_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/display/*.cpp)
file(GLOB program_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/pages/*.cpp
     ${CMAKE_CURRENT_SOURCE_DIR}/shell/*.cpp)
add_library(tavlin_display STATIC ${display_sources})
target_link_libraries(tavlin_display PUBLIC frm_views)
add_library(tavlin_app STATIC ${program_sources})
target_link_libraries(tavlin_app PUBLIC tavlin_display)
foreach(library tavlin_display tavlin_app)
    target_compile_options(${library} PRIVATE "SHELL:-include frm/views/fontinit.h")
    vko_link_boundary(${library})
endforeach()
add_executable(TavlinCD tavlincd_main.cpp)
target_link_libraries(TavlinCD PRIVATE tavlin_app)
]=])
file(WRITE ${tree}/app/display/list_box.h "#pragma once\nint ListLines();\n")
file(WRITE ${tree}/app/display/list_box.cpp
     "#include \"app/display/list_box.h\"\nint ListLines() { return fontsReady; }\n")
file(WRITE ${tree}/app/shell/kq_app.h "#pragma once\nint ShellApp();\n")
file(WRITE ${tree}/app/shell/kq_app.cpp
     "#include \"app/shell/kq_app.h\"\nint ShellApp() { return 1; }\n")
file(WRITE ${tree}/app/shell/ref_doc.h "#pragma once\nint RefDocument();\n")
file(WRITE ${tree}/app/shell/ref_doc.cpp [=[#include "app/shell/ref_doc.h"
#include "app/shell/kq_app.h"
int RefDocument() { return ShellApp(); }
]=])
file(WRITE ${tree}/app/pages/page.h "#pragma once\n#include \"app/shell/ref_doc.h\"\n")
file(WRITE ${tree}/app/pages/page.cpp [=[#include <vector>
#include "app/pages/page.h"
#include "app/display/list_box.h"
int PageLines() { return ListLines() + RefDocument(); }
]=])
file(WRITE ${tree}/app/tavlincd_main.cpp
     "#include \"app/shell/kq_app.h\"\nint main() { return ShellApp() == 1 ? 0 : 1; }\n")

execute_process(COMMAND ${CMAKE_COMMAND} -S ${tree} -B ${build} -G ${GENERATOR}
                        -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the fixture tree did not configure: ${out}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${build}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the lawful fixture tree did not build: ${out}")
endif()

# bypass(<name> <expected> [<path> <text>]...): the tree with these files put in must fail to
# build with <expected> in the build's output; then they are taken out again. A path
# "+<file>" adds the text to the end of that file; "<link>->" makes a symbolic link to the
# text.
function(bypass name expected)
    set(added)
    set(links)
    set(appended)
    math(EXPR last "${ARGC} - 1")
    foreach(at RANGE 2 ${last} 2)
        math(EXPR text_at "${at} + 1")
        set(path "${ARGV${at}}")
        set(text "${ARGV${text_at}}")
        if(path MATCHES "^\\+(.*)$")
            set(path ${CMAKE_MATCH_1})
            file(READ ${tree}/${path} original_${at})
            file(APPEND ${tree}/${path} "${text}")
            list(APPEND appended ${at})
        elseif(path MATCHES "^(.*)->$")
            file(CREATE_LINK ${text} ${tree}/${CMAKE_MATCH_1} SYMBOLIC)
            list(APPEND links ${tree}/${CMAKE_MATCH_1})
        else()
            file(WRITE ${tree}/${path} "${text}")
            list(APPEND added ${tree}/${path})
        endif()
    endforeach()
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${build}
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(links OR added)
        file(REMOVE ${links} ${added})
    endif()
    foreach(at IN LISTS appended)
        string(REGEX REPLACE "^\\+" "" path "${ARGV${at}}")
        file(WRITE ${tree}/${path} "${original_${at}}")
    endforeach()
    string(REGEX REPLACE "[ \n]+" " " out "${out}")
    if(status EQUAL 0)
        message(SEND_ERROR "${name}: the build passed; expected \"${expected}\"")
    else()
        string(FIND "${out}" "${expected}" found)
        if(found EQUAL -1)
            message(SEND_ERROR "${name}: the build failed without \"${expected}\": ${out}")
        endif()
    endif()
endfunction()

set(pages_shell "app/pages may not include app/shell/kq_app.h")
bypass(angle_brackets "${pages_shell}"
    app/pages/angle.cpp "#include <app/shell/kq_app.h>\n")
bypass(macro_include "${pages_shell}"
    app/pages/macro.cpp "#define SHELL_APP <app/shell/kq_app.h>\n#include SHELL_APP\n")
bypass(through_a_header "app/pages/leak.h: ${pages_shell}"
    app/pages/leak.h "#pragma once\n#include \"../shell/kq_app.h\"\n"
    app/pages/deep.cpp "#include \"app/pages/leak.h\"\n")
bypass(release_only_include "app/pages/guarded.h: ${pages_shell}"
    app/pages/guarded.h "#pragma once\n#ifdef NDEBUG\n#include \"app/shell/kq_app.h\"\n#endif\n"
    app/pages/guarded.cpp "#include \"app/pages/guarded.h\"\nint Guarded() { return ShellApp(); }\n")
bypass(position_independent_only_include "app/pages/guarded.h: ${pages_shell}"
    app/pages/guarded.h "#pragma once\n#ifndef __PIE__\n#include \"app/shell/kq_app.h\"\n#endif\n"
    app/pages/guarded.cpp "#include \"app/pages/guarded.h\"\nint Guarded() { return ShellApp(); }\n")
bypass(linked_folder "app/display may not include app/shell/kq_app.h"
    app/display/shellparts-> ../shell
    app/display/parts.cpp "#include \"shellparts/kq_app.h\"\nint Parts() { return 0; }\n")
set(unnamed "${pages_shell} (app/shell), read by the compile though no include line names it")
bypass(search_folder "app/pages/folder.cpp: ${unnamed}"
    app/pages/folder.cpp "#include <kq_app.h>\nint Folder() { return ShellApp(); }\n"
    +app/CMakeLists.txt "target_include_directories(tavlin_app PRIVATE shell)\n")
bypass(forced_include "app/pages/page.cpp: ${unnamed}"
    +app/CMakeLists.txt [=[set_source_files_properties(pages/page.cpp PROPERTIES
    COMPILE_OPTIONS "-include;app/shell/kq_app.h")
]=])
bypass(source_in_no_unit "app/extra/extra.cpp is in no unit"
    app/extra/extra.cpp "int Extra() { return 0; }\n"
    +app/CMakeLists.txt "target_sources(tavlin_app PRIVATE extra/extra.cpp)\n")
bypass(target_further_down "app/extra/more/more.cpp is in no unit"
    app/extra/more/CMakeLists.txt [=[add_library(more OBJECT more.cpp)
target_include_directories(more PRIVATE ${PROJECT_SOURCE_DIR})
]=]
    app/extra/more/more.cpp "#include \"app/shell/kq_app.h\"\nint More() { return ShellApp(); }\n"
    +app/CMakeLists.txt "add_subdirectory(extra/more)\ntarget_link_libraries(TavlinCD PRIVATE more)\n")
bypass(other_extension "${pages_shell}"
    app/pages/extra.cc "#include \"app/shell/kq_app.h\"\nint Extra() { return ShellApp(); }\n"
    +app/CMakeLists.txt "target_sources(tavlin_app PRIVATE pages/extra.cc)\n")
set(base "names the base library's vkok_dwin_update")
bypass(base_by_address "frm/views/address.cpp: ${base}"
    frm/views/address.cpp [=[#include "vkobase/dwin.h"
void *Hook() { return (void *)&vkok_dwin_update; }
]=])
bypass(base_call_broken_over_lines "frm/views/broken.cpp: ${base}"
    frm/views/broken.cpp [=[#include "vkobase/dwin.h"
void Draw() {
    vkok_dwin_update
        (0);
}
]=])
bypass(base_call_from_the_program "app/shell/timer.cpp: names the base library's vkov_timer_create"
    app/shell/timer.cpp [=[#include "vkobase/dwin.h"
void Start() { vkov_timer_create(0, 5); }
]=])
bypass(base_call_after_a_string "frm/views/url.cpp: ${base}"
    frm/views/url.cpp [=[#include "vkobase/dwin.h"
void Open(const char *);
void Url() { Open("file://"); vkok_dwin_update(0); }
]=])
bypass(base_call_on_a_star_line "frm/views/star.cpp: names the base library's vkok_dwin_count"
    frm/views/star.cpp [=[#include "vkobase/dwin.h"
int Twice() {
    return 2
        * vkok_dwin_count();
}
]=])
bypass(base_name_pasted "frm/views/paste.cpp: ${base} instead of the checking layer's vko_ call (a symbol its object uses)"
    frm/views/paste.cpp [=[#include "vkobase/dwin.h"
#define BASE(name) vkok##_##name
void Paste() { BASE(dwin_update)(0); }
]=])
bypass(base_call_in_a_header "frm/views/inline_draw.h: ${base}"
    frm/views/inline_draw.h [=[#pragma once
#include "vkobase/dwin.h"
inline void Redraw() { vkok_dwin_update(0); }
]=]
    frm/views/redraw.cpp "#include \"frm/views/inline_draw.h\"\n")
bypass(call_up_without_include "undefined reference to `ShellApp()'"
    app/display/call_up.cpp "int ShellApp();\nint CallUp() { return ShellApp(); }\n")

# Taken out again, every way around leaves the lawful tree, which builds.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${build}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
    message(SEND_ERROR "the lawful fixture tree no longer builds: ${out}")
endif()
