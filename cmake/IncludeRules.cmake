# vko_check_includes(<folders...>): every target that these folders or the folders below them
# define is checked against the include rules of ARCHITECTURE.md (cmake/include_rules.cmake)
# as a step of the build, with what the compiler itself read: each compile of the target, C or
# C++ of any extension, goes through the launcher include_rules_compile.sh, which keeps the
# compile's list of the files it read, and one step per target
# (include_rules_target.cmake) checks those lists and the objects' symbols. A wrong include,
# in any form the compiler took it, a source in no unit of the rules or a base-library name
# in the framework or the program fails the build. A library or program links only once its
# sources (and those of the archives it links) have passed; the step runs again when an
# object of the target or the rules change.
set(VKO_INCLUDE_RULES_DIR ${CMAKE_CURRENT_LIST_DIR})
function(vko_check_includes)
    set(script ${VKO_INCLUDE_RULES_DIR}/include_rules_target.cmake)
    set(rules ${VKO_INCLUDE_RULES_DIR}/include_rules_check.cmake
              ${VKO_INCLUDE_RULES_DIR}/include_rules.cmake)
    set(launcher sh ${VKO_INCLUDE_RULES_DIR}/include_rules_compile.sh)
    # The folders and every folder below them.
    set(folders)
    set(pending ${ARGN})
    while(pending)
        list(POP_FRONT pending folder)
        list(APPEND folders ${folder})
        get_property(below DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
        list(APPEND pending ${below})
    endwhile()
    set(all_stamps)
    set(checked_targets)
    foreach(folder IN LISTS folders)
        get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target IN LISTS targets)
            get_target_property(type ${target} TYPE)
            if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
                continue()
            endif()
            foreach(language C CXX)
                get_target_property(own ${target} ${language}_COMPILER_LAUNCHER)
                if(NOT own)
                    set(own)
                endif()
                set_property(TARGET ${target} PROPERTY ${language}_COMPILER_LAUNCHER
                             ${launcher} ${own})
            endforeach()
            set(stamp ${PROJECT_BINARY_DIR}/include_rules/${target}.checked)
            add_custom_command(OUTPUT ${stamp}
                COMMAND ${CMAKE_COMMAND} -DTREE=${PROJECT_SOURCE_DIR}
                        -DBINARY_DIR=${PROJECT_BINARY_DIR} -DTARGET=${target}
                        "-DOBJECTS=$<JOIN:$<TARGET_OBJECTS:${target}>,|>"
                        -DREADELF=${CMAKE_READELF} -DSTAMP=${stamp} -P ${script}
                DEPENDS $<TARGET_OBJECTS:${target}> ${script} ${rules}
                COMMENT "Checking the includes of ${target}"
                VERBATIM)
            set(stamp_of_${target} ${stamp})
            list(APPEND all_stamps ${stamp})
            list(APPEND checked_targets ${target})
        endforeach()
    endforeach()
    # An archive has no link step of its own to wait: the library or program it is linked into,
    # directly or through other archives, waits for its sources too.
    foreach(target IN LISTS checked_targets)
        get_target_property(type ${target} TYPE)
        if(NOT type MATCHES "^(SHARED_LIBRARY|MODULE_LIBRARY|EXECUTABLE)$")
            continue()
        endif()
        set(stamps ${stamp_of_${target}})
        get_target_property(pending ${target} LINK_LIBRARIES)
        set(seen)
        while(pending)
            list(POP_FRONT pending library)
            string(REGEX REPLACE "^\\$<.*[,:]([A-Za-z0-9_]+)>$" "\\1" library "${library}")
            if(NOT TARGET ${library} OR library IN_LIST seen)
                continue()
            endif()
            list(APPEND seen ${library})
            get_target_property(library_type ${library} TYPE)
            if(library_type MATCHES "^(STATIC|OBJECT)_LIBRARY$" AND DEFINED stamp_of_${library})
                list(APPEND stamps ${stamp_of_${library}})
                get_target_property(more ${library} LINK_LIBRARIES)
                if(more)
                    list(APPEND pending ${more})
                endif()
            endif()
        endwhile()
        set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${stamps})
    endforeach()
    add_custom_target(include_rules_check ALL DEPENDS ${all_stamps})
endfunction()
