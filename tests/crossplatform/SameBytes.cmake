# The Linux and the Windows hexmoor-cli, given the same inputs, options and SOURCE_DATE_EPOCH,
# write byte-identical files. The Windows program runs under Wine.
# Run with cmake -DLINUX_CLI=... -DWINDOWS_CLI=... -DWINE=... -DWINEPREFIX=... -DSOURCE_DIR=...
#                -DBINARY_INPUT=... -DWORK_DIR=... -P SameBytes.cmake
cmake_minimum_required(VERSION 3.20)

include(${CMAKE_CURRENT_LIST_DIR}/../ScriptSupport.cmake)
require_definitions(LINUX_CLI WINDOWS_CLI WINE WINEPREFIX SOURCE_DIR BINARY_INPUT WORK_DIR)

set(ENV{SOURCE_DATE_EPOCH} 1796634303)
set(ENV{WINEPREFIX} "${WINEPREFIX}")
set(ENV{WINEDEBUG} -all)
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")

# The inputs: text, UTF-8 and space-holding names, an empty file, and a binary of every byte value.
file(REMOVE_RECURSE "${WORK_DIR}")
set(inputs "${WORK_DIR}/inputs")
file(MAKE_DIRECTORY "${inputs}")
file(COPY "${SOURCE_DIR}/examples/embed/data/" DESTINATION "${inputs}")
file(COPY_FILE "${SOURCE_DIR}/lang/Russian.lng" "${inputs}/Русский язык.lng")
file(COPY_FILE "${SOURCE_DIR}/examples/embed/data/blob.bin" "${inputs}/my blob (2).bin")
file(COPY_FILE "${BINARY_INPUT}" "${inputs}/big.bin")
set(names blob.bin Grüße.txt "Русский язык.lng" "my blob (2).bin" big.bin)

# Each option set is one line; ";" inside a value is written as "|".
set(option_sets
    "-o out"
    "-o deep/er --separate-files --uppercase-hex --comment --bytes-per-line 7"
    "-o x --no-header -n data.c --prefix p_ --suffix _s --keep-case --capitalize"
    "-o y --element-type unsigned@char --size-type size_t --array-qualifiers 3 --size-qualifiers 1 --includes a.h|b.h --no-size-variable"
    "-o z --empty-arrays --comment --bytes-per-line 1 -n one.cc")

set(index 0)
foreach(set IN LISTS option_sets)
    math(EXPR index "${index} + 1")
    separate_arguments(options UNIX_COMMAND "${set}")
    list(TRANSFORM options REPLACE "@" " ")
    list(TRANSFORM options REPLACE "\\|" "\\\\;")
    set(run_inputs ${names})
    if(set MATCHES "--empty-arrays")
        list(APPEND run_inputs empty.bin)
    endif()
    foreach(platform linux windows)
        set(folder "${WORK_DIR}/${index}/${platform}")
        file(MAKE_DIRECTORY "${folder}")
        file(COPY "${inputs}/" DESTINATION "${folder}")
        if(platform STREQUAL "linux")
            set(command "${LINUX_CLI}")
        else()
            set(command "${WINE}" "${WINDOWS_CLI}")
        endif()
        execute_process(COMMAND ${command} -q ${options} ${run_inputs}
                        WORKING_DIRECTORY "${folder}" RESULT_VARIABLE result
                        OUTPUT_VARIABLE output ERROR_VARIABLE output)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "${platform} run ${index} (${set}) failed (${result}):\n${output}")
        endif()
        file(GLOB_RECURSE made RELATIVE "${folder}" "${folder}/*")
        list(FILTER made EXCLUDE REGEX "^[^/]*$") # the inputs themselves
        list(SORT made)
        set(made_${platform} ${made})
    endforeach()
    if(NOT made_linux STREQUAL made_windows OR NOT made_linux)
        message(FATAL_ERROR "run ${index} (${set}): different files\n"
                            "Linux:   ${made_linux}\nWindows: ${made_windows}")
    endif()
    foreach(name IN LISTS made_linux)
        file(SHA256 "${WORK_DIR}/${index}/linux/${name}" linux_hash)
        file(SHA256 "${WORK_DIR}/${index}/windows/${name}" windows_hash)
        if(NOT linux_hash STREQUAL windows_hash)
            message(FATAL_ERROR "run ${index} (${set}): ${name} differs between Linux and Windows")
        endif()
    endforeach()
    list(LENGTH made_linux count)
    message(STATUS "run ${index}: ${count} files identical (${set})")
endforeach()
