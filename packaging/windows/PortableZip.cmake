# Packs the install layout into a zip that runs from any folder: cmake -DDIST= -DOUT= -DSTAGE= -P
file(REMOVE_RECURSE ${STAGE})
set(root ${STAGE}/ORVA7100)
file(MAKE_DIRECTORY ${root}/Skins ${root}/Romvane)
file(COPY ${DIST}/ORVA7100.exe ${DIST}/orva7100ctl.exe DESTINATION ${root})
file(GLOB skins ${DIST}/Skins/*.bmp)
file(COPY ${skins} DESTINATION ${root}/Skins)
# The sheets of the larger display scales.
foreach(percent 125 150 200)
    file(GLOB skins ${DIST}/Skins/${percent}/*.png)
    file(COPY ${skins} DESTINATION ${root}/Skins/${percent})
endforeach()
file(COPY ${DIST}/Romvane/Updater.exe ${DIST}/Romvane/hiddriver.dll ${DIST}/Romvane/config.ini
     DESTINATION ${root}/Romvane)
file(REMOVE ${OUT})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT} --format=zip ORVA7100
                WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "could not pack ${OUT}")
endif()
