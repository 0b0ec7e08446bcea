# Delay-loaded system libraries of a Windows program. Each library named is loaded when one of
# its functions is first called rather than before the program starts: a program that talks to
# the mouse, the notification area, the file dialogs and screen readers only after its window
# shows need not pay for loading them up front.
#
#   orva_delay_load(TARGET DLL...)
#
# For each DLL a delay import library is made from the toolchain's own import library (every
# function it names) and put in a folder searched first when TARGET is linked, so that `-lDLL`
# from any library TARGET uses finds it. The toolchain's start-up code holds the helper that
# loads the library at the first call.

set(ORVA_DELAY_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/OrvaDelayImportLib.cmake)

function(orva_delay_load target)
    if(NOT WIN32 OR NOT CMAKE_DLLTOOL OR NOT CMAKE_NM)
        return()
    endif()
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/delay-load-${target})
    set(outputs)
    foreach(dll IN LISTS ARGN)
        find_library(ORVA_IMPORT_LIB_${dll} NAMES ${dll} REQUIRED)
        set(out ${dir}/lib${dll}.a)
        add_custom_command(
            OUTPUT ${out}
            COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL}
                    -DIMPORT_LIB=${ORVA_IMPORT_LIB_${dll}} -DDLL=${dll} -DOUT=${out}
                    -P ${ORVA_DELAY_SCRIPT}
            DEPENDS ${ORVA_IMPORT_LIB_${dll}} ${ORVA_DELAY_SCRIPT}
            COMMENT "Delay import library for ${dll}.dll"
            VERBATIM)
        list(APPEND outputs ${out})
    endforeach()
    add_custom_target(${target}_delay_load DEPENDS ${outputs})
    add_dependencies(${target} ${target}_delay_load)
    target_link_directories(${target} PRIVATE ${dir})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${outputs})
endfunction()
