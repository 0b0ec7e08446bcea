# Every test of the Windows build runs through this: a Wine prefix and an X display of its own,
# so that ctest may run them side by side.
set(ORVA_WINE_TEST bash ${CMAKE_SOURCE_DIR}/scripts/wine-isolated.sh)
# The same for a test script that makes its prefix itself: the display only.
set(ORVA_WINE_OWN_PREFIX_TEST bash ${CMAKE_SOURCE_DIR}/scripts/wine-isolated.sh --own-prefix)

# orva_add_gtest(<target> [WHOLE] SOURCES <files...> LIBS <libraries...>)
# A GoogleTest program registered with ctest: in the native build each case as a test of its
# own (WHOLE: the program as one test), in the Windows build the program as one test, run
# through Wine in a prefix and on a display of its own. Tests never run during the build.
function(orva_add_gtest target)
    cmake_parse_arguments(ARG "WHOLE" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
    if(ARG_WHOLE AND NOT WIN32)
        # One test for the whole program: its cases share a costly set-up made once a process.
        add_test(NAME ${target} COMMAND ${target} --gtest_color=no)
        set_tests_properties(${target} PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1")
    elseif(WIN32)
        add_test(NAME ${target} COMMAND ${ORVA_WINE_TEST} wine $<TARGET_FILE:${target}>
                                        --gtest_color=no)
    else()
        include(GoogleTest)
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
                             PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1")
    endif()
endfunction()

# orva_add_fuzzer(<target> SOURCES <files...> LIBS <libraries...>)
# A libFuzzer target, built only in the fuzz build (clang with -fsanitize=fuzzer).
function(orva_add_fuzzer target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    if(NOT ORVA_FUZZ)
        return()
    endif()
    add_executable(${target} ${ARG_SOURCES})
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer)
    target_link_options(${target} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${target} PRIVATE ${ARG_LIBS})
    add_dependencies(orva_fuzzers ${target})
endfunction()

# Adds every folder below the current one that has a CMakeLists.txt: each area of a kind of test
# keeps its tests in a folder of its own.
function(orva_add_area_folders)
    file(GLOB areas LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
    foreach(area ${areas})
        if(IS_DIRECTORY ${area} AND EXISTS ${area}/CMakeLists.txt)
            add_subdirectory(${area})
        endif()
    endforeach()
endfunction()
