# Nearly every file parses the standard library, the Windows build's files <windows.h> and the
# tests' files GoogleTest, and that parsing is most of a file's compile time. Two precompiled
# headers, each made once, are reused by every C++ target of a build: one for the programs and
# libraries, one with GoogleTest for the test programs. Only system and standard headers go into
# them, never a header of ours, so each file still compiles on its own. A fuzzer's own file is
# instrumented differently and parses its headers itself.

# Targets in this folder and every folder below it.
function(orva_collect_targets dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(sub ${subdirs})
        orva_collect_targets(${sub} sub_targets)
        list(APPEND targets ${sub_targets})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# True when the target compiles C++ sources of its own.
function(orva_target_compiles_cxx target out)
    set(${out} FALSE PARENT_SCOPE)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|EXECUTABLE|OBJECT_LIBRARY)$")
        return()
    endif()
    get_target_property(sources ${target} SOURCES)
    foreach(source ${sources})
        if(source MATCHES "\\.(cpp|cc|cxx)$")
            set(${out} TRUE PARENT_SCOPE)
            return()
        endif()
    endforeach()
endfunction()

# True when the target links GoogleTest.
function(orva_target_uses_gtest target out)
    get_target_property(libraries ${target} LINK_LIBRARIES)
    set(${out} FALSE PARENT_SCOPE)
    foreach(library ${libraries})
        if(library MATCHES "^GTest::")
            set(${out} TRUE PARENT_SCOPE)
        endif()
    endforeach()
endfunction()

function(orva_share_precompiled_headers)
    orva_collect_targets(${CMAKE_SOURCE_DIR} targets)
    set(system_headers)
    if(WIN32)
        set(system_headers <windows.h>)
    endif()
    list(APPEND system_headers <algorithm> <array> <chrono> <cstdint> <cstdio> <cstdlib>
                       <filesystem> <functional> <memory> <optional> <span> <string>
                       <string_view> <utility> <vector>)
    add_library(orva_pch_programs STATIC ${CMAKE_SOURCE_DIR}/cmake/pch/pch.cpp)
    target_precompile_headers(orva_pch_programs PRIVATE ${system_headers})
    add_library(orva_pch_tests STATIC ${CMAKE_SOURCE_DIR}/cmake/pch/pch.cpp)
    target_link_libraries(orva_pch_tests PRIVATE GTest::gtest)
    target_precompile_headers(orva_pch_tests PRIVATE ${system_headers} <gtest/gtest.h>)
    foreach(target ${targets})
        get_target_property(source_dir ${target} SOURCE_DIR)
        # GoogleTest itself is built with flags of its own.
        if(source_dir MATCHES "googletest|googlemock")
            continue()
        endif()
        orva_target_compiles_cxx(${target} cxx)
        get_target_property(options ${target} COMPILE_OPTIONS)
        if(NOT cxx OR "${options}" MATCHES "fsanitize=fuzzer")
            continue()
        endif()
        # A header that cannot be used is said so, instead of a silently slower build.
        target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Winvalid-pch>)
        orva_target_uses_gtest(${target} tests)
        if(tests)
            set_target_properties(${target} PROPERTIES PRECOMPILE_HEADERS_REUSE_FROM orva_pch_tests)
        else()
            set_target_properties(${target} PROPERTIES PRECOMPILE_HEADERS_REUSE_FROM orva_pch_programs)
        endif()
    endforeach()
endfunction()
