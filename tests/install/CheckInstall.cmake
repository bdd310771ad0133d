# Installs the build folder into a temporary prefix and checks what users and desktops get: both
# programs, every language file, the menu entry, the icon files of every size and, with a
# display, that the installed window program finds its languages from an empty start folder.
# Run with cmake -DSOURCE_DIR=... -DBUILD_DIR=... -DWORK_DIR=... -DICON_SIZES=<sizes>
#     [-DUI_TESTS=<test program>] -P
cmake_minimum_required(VERSION 3.20)

include(${CMAKE_CURRENT_LIST_DIR}/../ScriptSupport.cmake)
require_definitions(SOURCE_DIR BUILD_DIR WORK_DIR ICON_SIZES)

file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")
run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")

foreach(program hexmoor hexmoor-cli)
    if(NOT EXISTS "${prefix}/bin/${program}" OR IS_DIRECTORY "${prefix}/bin/${program}")
        message(FATAL_ERROR "not installed: bin/${program}")
    endif()
endforeach()

file(GLOB shipped RELATIVE "${SOURCE_DIR}/lang" "${SOURCE_DIR}/lang/*.lng")
file(GLOB installed RELATIVE "${prefix}/share/hexmoor/lang" "${prefix}/share/hexmoor/lang/*.lng")
list(SORT shipped)
list(SORT installed)
if(NOT shipped OR NOT installed STREQUAL shipped)
    message(FATAL_ERROR "language files: installed '${installed}', shipped '${shipped}'")
endif()

# The menu entry starts the installed program by name and shows the installed icon.
set(entry "${prefix}/share/applications/hexmoor.desktop")
if(NOT EXISTS "${entry}")
    message(FATAL_ERROR "not installed: share/applications/hexmoor.desktop")
endif()
file(STRINGS "${entry}" lines)
foreach(line "[Desktop Entry]" "Type=Application" "Name=Hexmoor" "Exec=hexmoor" "Icon=hexmoor")
    if(NOT line IN_LIST lines)
        message(FATAL_ERROR "hexmoor.desktop lacks the line ${line}")
    endif()
endforeach()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
    run(${DESKTOP_FILE_VALIDATE} "${entry}")
    if(output MATCHES "error:|warning:")
        message(FATAL_ERROR "hexmoor.desktop:\n${output}")
    endif()
else()
    message(STATUS "desktop-file-validate not found: hexmoor.desktop checked by its lines only")
endif()

# Every icon is a PNG of its folder's size with an alpha channel (colour type 6, RGBA).
foreach(size ${ICON_SIZES})
    set(icon "${prefix}/share/icons/hicolor/${size}x${size}/apps/hexmoor.png")
    if(NOT EXISTS "${icon}")
        message(FATAL_ERROR "not installed: share/icons/hicolor/${size}x${size}/apps/hexmoor.png")
    endif()
    file(READ "${icon}" head LIMIT 26 HEX)
    string(SUBSTRING "${head}" 0 16 signature)
    string(SUBSTRING "${head}" 32 8 width)
    string(SUBSTRING "${head}" 40 8 height)
    string(SUBSTRING "${head}" 50 2 colourType)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size
       OR NOT height EQUAL size OR NOT colourType STREQUAL "06")
        message(FATAL_ERROR "${icon}: not a ${size}x${size} RGBA PNG (${head})")
    endif()
endforeach()

# The installed window program, started elsewhere, finds the installed language files.
if(DEFINED UI_TESTS AND (DEFINED ENV{DISPLAY} OR DEFINED ENV{WAYLAND_DISPLAY}))
    run(${CMAKE_COMMAND} -E env "HEXMOOR_INSTALLED_GUI=${prefix}/bin/hexmoor" "${UI_TESTS}"
        --gtest_filter=GuiProgram.InstalledProgramFindsItsLanguagesFromAnyFolder)
    if(output MATCHES "SKIPPED")
        message(STATUS "the installed window program was not started:\n${output}")
    elseif(NOT output MATCHES "PASSED  \\] 1 test")
        message(FATAL_ERROR "the installed window program test did not run:\n${output}")
    endif()
else()
    message(STATUS "no display: the installed window program was not started")
endif()
message(STATUS "install into ${prefix}: programs, languages, menu entry and icons in place")
