# Helpers of the test scripts run with cmake -P: required definitions and commands that must work.

# Stops the script unless every named variable was given with -D.
function(require_definitions)
    foreach(name ${ARGN})
        if(NOT DEFINED ${name})
            get_filename_component(script "${CMAKE_SCRIPT_MODE_FILE}" NAME)
            message(FATAL_ERROR "${script} needs -D${name}=...")
        endif()
    endforeach()
endfunction()

# Runs a command; its output (stdout and stderr together) is left in `output`. Stops the script
# with that output when the command fails.
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}\n${output}")
    endif()
    set(output "${output}" PARENT_SCOPE)
endfunction()
