# Install rules: the programs and languages, on Linux the menu entry and the icon files, and the
# CMake package (find_package(Hexmoor) gives Hexmoor::hexmoor-cli and hexmoor_embed()). On
# Windows everything a user runs goes into one folder, which cpack packs into the release zip.
if(WIN32)
    # The window program finds lang\ beside itself; README.txt explains the folder.
    set(HEXMOOR_PROGRAM_DIR .)
    set(HEXMOOR_LANG_DIR lang)
    configure_file(res/windows/README.txt.in README.txt @ONLY NEWLINE_STYLE WIN32)
    install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION . COMPONENT Runtime)
else()
    set(HEXMOOR_PROGRAM_DIR ${CMAKE_INSTALL_BINDIR})
    set(HEXMOOR_LANG_DIR ${CMAKE_INSTALL_DATADIR}/hexmoor/lang)
endif()

install(TARGETS hexmoor-cli EXPORT HexmoorTargets
        RUNTIME DESTINATION ${HEXMOOR_PROGRAM_DIR} COMPONENT Runtime)
if(HEXMOOR_GUI)
    install(TARGETS hexmoor RUNTIME DESTINATION ${HEXMOOR_PROGRAM_DIR} COMPONENT Runtime)
endif()
install(DIRECTORY lang/ DESTINATION ${HEXMOOR_LANG_DIR} COMPONENT Runtime
        FILES_MATCHING PATTERN "*.lng")
if(TARGET hexmoor_icon_files)
    install(DIRECTORY ${HEXMOOR_ICON_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
            COMPONENT Runtime)
    install(FILES res/hexmoor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
            COMPONENT Runtime)
endif()

include(CMakePackageConfigHelpers)
set(HEXMOOR_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Hexmoor)
install(EXPORT HexmoorTargets NAMESPACE Hexmoor:: DESTINATION ${HEXMOOR_PACKAGE_DIR}
        COMPONENT Development)
configure_package_config_file(cmake/HexmoorConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/HexmoorConfig.cmake
                              INSTALL_DESTINATION ${HEXMOOR_PACKAGE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/HexmoorConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/HexmoorConfig.cmake
              ${PROJECT_BINARY_DIR}/HexmoorConfigVersion.cmake cmake/HexmoorEmbed.cmake
        DESTINATION ${HEXMOOR_PACKAGE_DIR} COMPONENT Development)

if(WIN32)
    # hexmoor-<version>-win64.zip: the Runtime part's one folder, without the CMake package.
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME hexmoor-${PROJECT_VERSION}-win64)
    set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};Hexmoor;Runtime;/")
    include(CPack)
endif()
