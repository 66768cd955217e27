# What `cmake --install` puts where: the programs in bin/, the dictionary in
# share/taviro/ (where the programs look after their own folder), the desktop
# entry, icon and manual pages in their freedesktop and man places, and the
# engine and the run as a library with a CMake package: find_package(taviro).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(taviro_install_data_dir ${CMAKE_INSTALL_DATADIR}/taviro)
set(taviro_install_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/taviro)

# --- programs, dictionary, manual pages
install(TARGETS taviro-convert taviro-dict RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/words.mdb DESTINATION ${taviro_install_data_dir})
install(FILES man/taviro-convert.1 man/taviro-dict.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# --- the desktop program, with its entry in the menus
if(TARGET taviro)
    install(TARGETS taviro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES data/taviro.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES assets/pictures/icon.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
            RENAME taviro.png)
    install(FILES man/taviro.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# --- the library: taviro::engine and taviro::run
set_target_properties(taviro_engine PROPERTIES EXPORT_NAME engine)
set_target_properties(taviro_run PROPERTIES EXPORT_NAME run)
# The warning policy travels with the static libraries as a link-only entry;
# it adds nothing to a program that links them.
set_target_properties(taviro_warnings PROPERTIES EXPORT_NAME warnings)
install(TARGETS taviro_engine taviro_run taviro_warnings EXPORT taviro-targets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY engine/include/ run/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT taviro-targets NAMESPACE taviro:: FILE taviroTargets.cmake DESTINATION ${taviro_install_cmake_dir})

configure_package_config_file(cmake/taviroConfig.cmake.in ${PROJECT_BINARY_DIR}/taviroConfig.cmake
    INSTALL_DESTINATION ${taviro_install_cmake_dir}
    PATH_VARS taviro_install_data_dir)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/taviroConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/taviroConfig.cmake ${PROJECT_BINARY_DIR}/taviroConfigVersion.cmake
        DESTINATION ${taviro_install_cmake_dir})
