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
    # Test programs are built for a short build, not a fast run: without optimisation in every
    # build type (most of a test file's compile time at -O3 is the optimiser's). A precompiled
    # header is only used with the optimisation it was made with, so its target gets the same.
    # The libraries and programs under test keep the build type's optimisation.
    target_compile_options(orva_pch_tests PRIVATE -O0)
    foreach(target ${targets})
        get_target_property(source_dir ${target} SOURCE_DIR)
        # GoogleTest itself is built with flags of its own.
        if(source_dir MATCHES "googletest|googlemock")
            continue()
        endif()
        # Only targets that compile C++ files of their own.
        get_target_property(type ${target} TYPE)
        get_target_property(sources ${target} SOURCES)
        list(FILTER sources INCLUDE REGEX "\\.(cpp|cc|cxx)$")
        get_target_property(options ${target} COMPILE_OPTIONS)
        if(NOT type MATCHES "^(STATIC|SHARED|MODULE|OBJECT)_LIBRARY$|^EXECUTABLE$" OR NOT sources OR
           "${options}" MATCHES "(^|;)-fsanitize=fuzzer(;|$)")
            continue()
        endif()
        # A header that cannot be used is said so, instead of a silently slower build.
        target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Winvalid-pch>)
        get_target_property(libraries ${target} LINK_LIBRARIES)
        list(FILTER libraries INCLUDE REGEX "^GTest::")
        if(libraries)
            set_target_properties(${target} PROPERTIES PRECOMPILE_HEADERS_REUSE_FROM orva_pch_tests)
            target_compile_options(${target} PRIVATE -O0)
        else()
            set_target_properties(${target} PROPERTIES PRECOMPILE_HEADERS_REUSE_FROM orva_pch_programs)
        endif()
    endforeach()
endfunction()
