# The resource compiler and the function that compiles a resource text into a target.
add_executable(vkobase_rescomp ${CMAKE_CURRENT_LIST_DIR}/rescomp.cpp
               ${CMAKE_CURRENT_LIST_DIR}/../src/res_text.cpp
               ${CMAKE_CURRENT_LIST_DIR}/../src/read_file.cpp)
target_include_directories(vkobase_rescomp PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../include)

# vko_add_resources(<target> <file.res>...): compiles each resource text into a C++ source
# that registers it with vkobase when the target loads, and adds that source to the target.
function(vko_add_resources target)
    foreach(res_file IN LISTS ARGN)
        get_filename_component(res_abs ${res_file} ABSOLUTE)
        get_filename_component(stem ${res_file} NAME_WE)
        set(out ${CMAKE_CURRENT_BINARY_DIR}/${stem}_res.cpp)
        add_custom_command(
            OUTPUT ${out}
            COMMAND vkobase_rescomp ${res_abs} ${out} ${out}.d
            DEPENDS vkobase_rescomp ${res_abs}
            DEPFILE ${out}.d
            COMMENT "Compiling resources ${res_file}"
            VERBATIM)
        target_sources(${target} PRIVATE ${out})
    endforeach()
    target_link_libraries(${target} PRIVATE vkobase)
endfunction()
