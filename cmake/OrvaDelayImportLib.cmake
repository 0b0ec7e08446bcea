# Makes the delay import library OUT for DLL from the import library IMPORT_LIB: the functions
# the import library names (its __imp_ symbols) become a module definition for dlltool.
# cmake -DNM=... -DDLLTOOL=... -DIMPORT_LIB=... -DDLL=... -DOUT=... -P OrvaDelayImportLib.cmake
execute_process(COMMAND ${NM} ${IMPORT_LIB} OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cannot list the symbols of ${IMPORT_LIB}")
endif()
string(REGEX MATCHALL "[ \t]I __imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
set(names)
foreach(entry IN LISTS imports)
    string(REGEX REPLACE ".*__imp_" "" name "${entry}")
    list(APPEND names ${name})
endforeach()
list(REMOVE_DUPLICATES names)
list(LENGTH names count)
if(count EQUAL 0)
    message(FATAL_ERROR "${IMPORT_LIB} names no function")
endif()
list(SORT names)
list(JOIN names "\n" body)
get_filename_component(dir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${dir})
file(WRITE ${OUT}.def "LIBRARY ${DLL}.dll\nEXPORTS\n${body}\n")
execute_process(COMMAND ${DLLTOOL} --input-def ${OUT}.def --dllname ${DLL}.dll
                        --output-delaylib ${OUT}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "dlltool could not make ${OUT}")
endif()
