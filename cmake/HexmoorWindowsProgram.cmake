# The Windows window program's resources: the icon drawn by our own code at build time, version
# information and the manifest (common controls 6, per-monitor DPI awareness).
#
# hexmoor_windows_resources(<target>) adds the compiled resource script to <target> and sets
# HEXMOOR_ICO_FILE (in the caller's scope) to the icon file it makes.
function(hexmoor_windows_resources target)
    set(ico ${CMAKE_CURRENT_BINARY_DIR}/hexmoor.ico)
    # The icon tool is a Windows program too: in a cross build it runs under the emulator (Wine).
    if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
        message(FATAL_ERROR "Drawing the icon needs a way to run Windows programs (Wine)")
    endif()
    add_custom_command(OUTPUT ${ico}
        COMMAND hexmoor_icons --ico ${ico}
        DEPENDS hexmoor_icons COMMENT "Drawing the program icon (.ico)" VERBATIM)
    add_custom_target(hexmoor_ico_file DEPENDS ${ico})

    set(HEXMOOR_ICO_FILE ${ico})
    set(HEXMOOR_MANIFEST_FILE ${PROJECT_SOURCE_DIR}/res/windows/hexmoor.manifest)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/hexmoor.rc)
    configure_file(${PROJECT_SOURCE_DIR}/res/windows/hexmoor.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${ico};${HEXMOOR_MANIFEST_FILE}")
    add_dependencies(${target} hexmoor_ico_file)
    set(HEXMOOR_ICO_FILE ${ico} PARENT_SCOPE)
endfunction()
