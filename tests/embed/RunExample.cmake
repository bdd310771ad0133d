# Builds and runs a copy of examples/embed: from these sources (MODE source, Makefiles) or from an
# install of the build folder into a temporary prefix (MODE installed, Ninja). Also checks that
# SOURCE_DATE_EPOCH reaches the generated text, that a second build embeds nothing again, that a
# file added to or removed from the embedded folder is picked up by the next build, and that so
# is a changed byte.
# Run with cmake -DMODE=... -DSOURCE_DIR=... -DBUILD_DIR=... -DWORK_DIR=... -P
cmake_minimum_required(VERSION 3.20)

include(${CMAKE_CURRENT_LIST_DIR}/../ScriptSupport.cmake)
require_definitions(MODE SOURCE_DIR BUILD_DIR WORK_DIR)

file(REMOVE_RECURSE "${WORK_DIR}")
set(ENV{SOURCE_DATE_EPOCH} 1796634303)

if(MODE STREQUAL "installed")
    set(prefix "${WORK_DIR}/prefix")
    run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")
    foreach(file bin/hexmoor-cli share/hexmoor/lang/English.lng lib/cmake/Hexmoor/HexmoorConfig.cmake
                 lib/cmake/Hexmoor/HexmoorEmbed.cmake lib/cmake/Hexmoor/HexmoorTargets.cmake)
        if(NOT EXISTS "${prefix}/${file}")
            message(FATAL_ERROR "not installed: ${file}")
        endif()
    endforeach()
    set(origin "-DCMAKE_PREFIX_PATH=${prefix}" -G Ninja)
elseif(MODE STREQUAL "source")
    set(origin "-DHEXMOOR_SOURCE_DIR=${SOURCE_DIR}" -G "Unix Makefiles")
else()
    message(FATAL_ERROR "MODE is source or installed, not ${MODE}")
endif()

# A copy, so files can come and go in its data folder.
set(example "${WORK_DIR}/example")
file(COPY "${SOURCE_DIR}/examples/embed/" DESTINATION "${example}")
set(build "${WORK_DIR}/build")
# Optional: the example's compilers (CC, CXX) and the style hexmoor_embed() should pick for them
# when none is named (EXPECT_STYLE).
set(compilers "")
if(DEFINED CC)
    list(APPEND compilers "-DCMAKE_C_COMPILER=${CC}" "-DCMAKE_CXX_COMPILER=${CXX}")
endif()
run(${CMAKE_COMMAND} -S "${example}" -B "${build}" ${origin} ${compilers}
    -DCMAKE_BUILD_TYPE=Debug)
if(DEFINED EXPECT_STYLE)
    file(STRINGS "${build}/CMakeCache.txt" chosen REGEX "^HEXMOOR_EMBED_STYLE_CXX:")
    if(NOT chosen MATCHES "=${EXPECT_STYLE}$")
        message(FATAL_ERROR "hexmoor_embed chose '${chosen}', expected ${EXPECT_STYLE}")
    endif()
endif()
run(${CMAKE_COMMAND} --build "${build}" -j 2)
run("${build}/embed_check")

# Builds again; expect says whether the folder is embedded anew (its files changed) or not.
function(build_again expect)
    run(${CMAKE_COMMAND} --build "${build}" -j 2)
    string(FIND "${output}" "Embedding data/" embedded)
    if(expect AND embedded EQUAL -1)
        message(FATAL_ERROR "the folder's change did not embed it again:\n${output}")
    elseif(NOT expect AND NOT embedded EQUAL -1)
        message(FATAL_ERROR "nothing changed, yet the folder was embedded again:\n${output}")
    endif()
    run("${build}/embed_check")
endfunction()
build_again(FALSE)
file(WRITE "${example}/data/more/added.txt" "added after the first build")
build_again(TRUE)
file(REMOVE "${example}/data/more/added.txt")
build_again(TRUE)
build_again(FALSE)
# A byte of two inputs changes, their sizes stay: the next build compiles the new bytes in, also
# where the generated source stays the same (.incbin) and where only the tool's dependency file
# names the input (a folder's file under Ninja).
foreach(file "Grüße.txt" more/nested.txt)
    file(READ "${example}/data/${file}" text)
    string(SUBSTRING "${text}" 1 -1 rest)
    file(WRITE "${example}/data/${file}" "X${rest}")
endforeach()
build_again(TRUE)

file(READ "${build}/hexmoor_embed/embed_check/assets.cpp" text)
string(FIND "${text}" "Date: 07.12.2026" found)
if(found EQUAL -1)
    message(FATAL_ERROR "SOURCE_DATE_EPOCH did not reach the generated banner")
endif()
file(READ "${build}/hexmoor_embed/embed_check/as_embed.cpp" text)
string(FIND "${text}" "#embed \"../../../" found)
if(found EQUAL -1)
    message(FATAL_ERROR "the embed style did not name its input relative to the source")
endif()
message(STATUS "embed example (${MODE}): all embedded files match")
