# Packs the Windows release build into DIST_DIR/hexmoor-<VERSION>-win64.zip: hexmoor.exe,
# hexmoor-cli.exe, the language files and a short README, all in one top folder.
# Run with cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DVERSION=... -DDIST_DIR=... -P
cmake_minimum_required(VERSION 3.20)

foreach(name BUILD_DIR SOURCE_DIR VERSION DIST_DIR)
    if(NOT DEFINED ${name} OR "${${name}}" STREQUAL "")
        message(FATAL_ERROR "WindowsPackage.cmake needs -D${name}=...")
    endif()
endforeach()

set(name "hexmoor-${VERSION}-win64")
set(stage "${BUILD_DIR}/package")
file(REMOVE_RECURSE "${stage}")
file(MAKE_DIRECTORY "${stage}/${name}/lang" "${DIST_DIR}")
file(COPY "${BUILD_DIR}/hexmoor.exe" "${BUILD_DIR}/hexmoor-cli.exe" DESTINATION "${stage}/${name}")
file(GLOB languages "${SOURCE_DIR}/lang/*.lng")
file(COPY ${languages} DESTINATION "${stage}/${name}/lang")
configure_file("${SOURCE_DIR}/res/windows/README.txt.in" "${stage}/${name}/README.txt" @ONLY
               NEWLINE_STYLE WIN32)

set(archive "${DIST_DIR}/${name}.zip")
file(REMOVE "${archive}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf "${archive}" --format=zip "${name}"
                WORKING_DIRECTORY "${stage}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot write ${archive}")
endif()
message(STATUS "Wrote ${archive}")
