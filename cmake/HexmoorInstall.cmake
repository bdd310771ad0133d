# Install rules: the programs and languages, on Linux the menu entry and the icon files, and the
# CMake package (find_package(Hexmoor) gives Hexmoor::hexmoor-cli and hexmoor_embed()).
install(TARGETS hexmoor-cli EXPORT HexmoorTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
if(HEXMOOR_GUI)
    install(TARGETS hexmoor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
endif()
install(DIRECTORY lang/ DESTINATION ${CMAKE_INSTALL_DATADIR}/hexmoor/lang COMPONENT Runtime
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
