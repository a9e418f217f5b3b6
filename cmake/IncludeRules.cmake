# vko_check_includes(<folders...>): every source that a target of these folders compiles is
# checked against the include rules of ARCHITECTURE.md (cmake/include_rules.cmake) as a step
# of the build, with the list of headers the compiler itself reads: a wrong include, in any
# form, or a source in no unit of the rules fails the build. A library or program links only
# once its sources (and those of the archives it links) have passed; a source is checked
# again when it or a header it reads changes.
set(VKO_INCLUDE_RULES_DIR ${CMAKE_CURRENT_LIST_DIR})
function(vko_check_includes)
    set(script ${VKO_INCLUDE_RULES_DIR}/include_rules_source.cmake)
    set(rules ${VKO_INCLUDE_RULES_DIR}/include_rules_check.cmake
              ${VKO_INCLUDE_RULES_DIR}/include_rules.cmake)
    set(all_stamps)
    set(checked_targets)
    foreach(folder IN LISTS ARGN)
        get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target IN LISTS targets)
            get_target_property(type ${target} TYPE)
            if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
                continue()
            endif()
            get_target_property(sources ${target} SOURCES)
            get_target_property(target_dir ${target} SOURCE_DIR)
            set(stamps)
            foreach(source IN LISTS sources)
                if(NOT source MATCHES "\\.(c|cpp)$")
                    continue()
                endif()
                cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${target_dir} NORMALIZE)
                # Generated sources (in the build tree) follow no folder's rules.
                cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${source} in_tree)
                cmake_path(IS_PREFIX PROJECT_BINARY_DIR ${source} in_build)
                if(NOT in_tree OR in_build)
                    continue()
                endif()
                file(RELATIVE_PATH name ${PROJECT_SOURCE_DIR} ${source})
                set(stamp ${PROJECT_BINARY_DIR}/include_rules/${name}.checked)
                list(APPEND stamps ${stamp})
                # A source two targets compile (a tool's copy of a library file) is checked once.
                if(stamp IN_LIST all_stamps)
                    continue()
                endif()
                list(APPEND all_stamps ${stamp})
                if(source MATCHES "\\.c$")
                    set(compiler ${CMAKE_C_COMPILER})
                    set(flags -std=c11)
                else()
                    set(compiler ${CMAKE_CXX_COMPILER})
                    set(flags -std=c++20)
                endif()
                add_custom_command(OUTPUT ${stamp}
                    COMMAND ${CMAKE_COMMAND} -DTREE=${PROJECT_SOURCE_DIR}
                            -DBINARY_DIR=${PROJECT_BINARY_DIR} -DSOURCE=${source}
                            -DSTAMP=${stamp} -DCOMPILER=${compiler} -DFLAGS=${flags}
                            "-DINCLUDES=$<JOIN:$<TARGET_PROPERTY:${target},INCLUDE_DIRECTORIES>,|>"
                            "-DDEFINES=$<JOIN:$<TARGET_PROPERTY:${target},COMPILE_DEFINITIONS>,|>"
                            -P ${script}
                    DEPENDS ${source} ${script} ${rules}
                    DEPFILE ${stamp}.d
                    COMMENT "Checking the includes of ${name}"
                    VERBATIM)
            endforeach()
            set(stamps_of_${target} ${stamps})
            list(APPEND checked_targets ${target})
        endforeach()
    endforeach()
    # An archive has no link step of its own to wait: the library or program it is linked into
    # waits for its sources too.
    foreach(target IN LISTS checked_targets)
        set(stamps ${stamps_of_${target}})
        get_target_property(type ${target} TYPE)
        if(type MATCHES "^(SHARED_LIBRARY|EXECUTABLE)$")
            get_target_property(libraries ${target} LINK_LIBRARIES)
            foreach(library IN LISTS libraries)
                string(REGEX REPLACE "^.*,([A-Za-z0-9_]+)>$" "\\1" library "${library}")
                if(NOT TARGET ${library})
                    continue()
                endif()
                get_target_property(library_type ${library} TYPE)
                if(library_type MATCHES "^(STATIC|OBJECT)_LIBRARY$")
                    list(APPEND stamps ${stamps_of_${library}})
                endif()
            endforeach()
        endif()
        if(stamps)
            set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${stamps})
        endif()
    endforeach()
    add_custom_target(include_rules_check ALL DEPENDS ${all_stamps})
endfunction()
