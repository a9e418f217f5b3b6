# Helpers shared by every part of the tree.

# vko_private_tmpdir(<test>): the test's scratch files go to a folder of this build tree, so
# that two build trees running their tests at once never share a temporary file. In the
# sanitizer build the test also gets the LeakSanitizer suppressions of tests/lsan.supp.
function(vko_private_tmpdir test)
    set(dir ${CMAKE_BINARY_DIR}/tmp)
    file(MAKE_DIRECTORY ${dir})
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT_MODIFICATION TMPDIR=set:${dir})
    # The leaks of libraries not ours that LeakSanitizer must not count (the file says which).
    if(VKO_SANITIZE)
        set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT_MODIFICATION
                     LSAN_OPTIONS=string_append::suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp)
    endif()
endfunction()

# vko_display_test(<test> <seconds>): a test that runs programs on private X servers bears the
# label x11 (scripts/stress-display-tests runs them under load) and a CTest timeout, so that
# one that hangs cannot hold up the suite. The timeout is scaled by VKO_TEST_TIME_SCALE as the
# tests' own deadlines are, read when the build is configured (a fraction counts as a whole).
function(vko_display_test test seconds)
    get_property(cases GLOBAL PROPERTY VKO_CASES_${test})
    if(NOT cases)
        set(cases ${test})
    endif()
    set(scale 1)
    if("$ENV{VKO_TEST_TIME_SCALE}" MATCHES "^([0-9]+)(\\.[0-9]*)?$")
        set(scale ${CMAKE_MATCH_1})
        if(CMAKE_MATCH_2 MATCHES "[1-9]" OR scale EQUAL 0)
            math(EXPR scale "${scale} + 1")
        endif()
    endif()
    math(EXPR timeout "${seconds} * ${scale}")
    foreach(case IN LISTS cases)
        get_test_property(${case} LABELS labels)
        if(NOT labels)
            set(labels "")
        endif()
        list(APPEND labels x11)
        list(REMOVE_DUPLICATES labels)
        set_tests_properties(${case} PROPERTIES LABELS "${labels}" TIMEOUT ${timeout})
    endforeach()
endfunction()

# vko_add_gtest(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable, registered with CTest as one test; one named *_x11_test is a
# display test (see vko_display_test), given ten minutes. One named in VKO_TESTS_BY_CASE is
# registered as one CTest test per case ("<name>.<Suite>.<Case>"): long runs whose cases
# then run side by side. Its name stays the handle vko_display_test takes.
function(vko_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    find_package(GTest REQUIRED)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
    # Test code is built without optimisation: under the sanitizers it compiles three to
    # four times faster, and the libraries it tests keep their own optimisation.
    target_compile_options(${name} PRIVATE -O0)
    if(name IN_LIST VKO_TESTS_BY_CASE)
        include(GoogleTest)
        gtest_add_tests(TARGET ${name} SOURCES ${ARG_SOURCES} TEST_PREFIX "${name}."
                        TEST_LIST cases)
        set_property(GLOBAL PROPERTY VKO_CASES_${name} ${cases})
    else()
        add_test(NAME ${name} COMMAND ${name})
        set(cases ${name})
    endif()
    foreach(case IN LISTS cases)
        set_tests_properties(${case} PROPERTIES LABELS unit)
        vko_private_tmpdir(${case})
    endforeach()
    if(name MATCHES "_x11_test$")
        vko_display_test(${name} 600)
    endif()
endfunction()

# vko_add_benchmark(<name> SOURCES <files...> LIBS <targets...>)
# One Google Benchmark executable. The test command runs it once, briefly, through
# CTest (label "bench", VKO_BENCH_SMOKE=1 so fixtures may shrink) so that it cannot rot.
# A benchmark that calls SkipWithError still exits 0, and its console line says "ERROR
# OCCURRED": the test fails on that line, so a benchmark that cannot measure what it
# claims is never reported as passed.
function(vko_add_benchmark name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    find_package(benchmark REQUIRED)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark_main)
    if(VKO_TESTS)
        add_test(NAME ${name}
                 COMMAND ${name} --benchmark_min_time=0.001 --benchmark_format=console)
        set_tests_properties(${name} PROPERTIES LABELS bench ENVIRONMENT VKO_BENCH_SMOKE=1
                             FAIL_REGULAR_EXPRESSION "ERROR OCCURRED")
        vko_private_tmpdir(${name})
    endif()
endfunction()

# vko_add_subdirectories(): adds every immediate subdirectory that has a CMakeLists.txt,
# at any depth (tests/ and bench/ mirror the tree). Only leaf folders hold a CMakeLists.txt.
function(vko_add_subdirectories)
    file(GLOB_RECURSE lists RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
         ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
    list(SORT lists)
    foreach(list_file IN LISTS lists)
        get_filename_component(dir ${list_file} DIRECTORY)
        add_subdirectory(${dir})
    endforeach()
endfunction()

# vko_add_gtest_files(<prefix> LIBS <targets...>)
# One test executable per *_test.cpp file of the current folder, named <prefix>_<file>,
# so a test file that does not build stops only itself.
function(vko_add_gtest_files prefix)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB test_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    foreach(file IN LISTS test_files)
        get_filename_component(stem ${file} NAME_WE)
        vko_add_gtest(${prefix}_${stem} SOURCES ${file} LIBS ${ARG_LIBS})
    endforeach()
endfunction()

# vko_add_benchmark_files(<prefix> LIBS <targets...>): likewise for *_bench.cpp files.
function(vko_add_benchmark_files prefix)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB bench_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_bench.cpp)
    foreach(file IN LISTS bench_files)
        get_filename_component(stem ${file} NAME_WE)
        vko_add_benchmark(${prefix}_${stem} SOURCES ${file} LIBS ${ARG_LIBS})
    endforeach()
endfunction()

# vko_link_boundary(<static library> [<libraries>...]): the library also links on its own, as
# a shared object of all its code with only the libraries it links (and those given), and no
# symbol may stay undefined: a call into a layer above it fails the build here, whether that
# layer's header was included or the function declared by hand.
function(vko_link_boundary library)
    set(source ${CMAKE_CURRENT_BINARY_DIR}/${library}_boundary.cpp)
    file(CONFIGURE OUTPUT ${source}
         CONTENT "// ${library} linked on its own, to find calls into the layers above it.\n")
    add_library(${library}_boundary SHARED ${source})
    target_link_libraries(${library}_boundary PRIVATE $<LINK_LIBRARY:WHOLE_ARCHIVE,${library}>
                          ${ARGN})
    target_link_options(${library}_boundary PRIVATE LINKER:--no-undefined)
endfunction()
