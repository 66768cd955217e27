# What `cmake --install` puts where: the programs in bin/, the dictionary in
# share/taviro/ (where the programs look after their own folder), the desktop
# entry, icon and manual pages in their freedesktop and man places, and the
# engine, the conversion of text, the encodings and the run as libraries with
# a CMake package: find_package(taviro).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# Components, for the Debian packages: taviro (what a user runs) unless said
# otherwise, development for the library.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME taviro)

# Sets `output` to <build>/compressed/<name>.gz of `file` (from the source
# tree), made with gzip -n: no name or time inside, so a rebuild gives the same
# bytes. Manual pages and the changelog are installed so, as Debian wants them.
function(taviro_compressed output file)
    get_filename_component(name ${file} NAME)
    set(copy ${PROJECT_BINARY_DIR}/compressed/${name})
    add_custom_command(
        OUTPUT ${copy}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/${file} ${copy}
        COMMAND gzip -9 -n -f ${copy}
        DEPENDS ${PROJECT_SOURCE_DIR}/${file})
    add_custom_target(taviro_compress_${name} ALL DEPENDS ${copy}.gz)
    set(${output} ${copy}.gz PARENT_SCOPE)
endfunction()

set(taviro_install_data_dir ${CMAKE_INSTALL_DATADIR}/taviro)
set(taviro_install_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/taviro)

# --- programs, dictionary, manual pages
install(TARGETS taviro-convert taviro-dict RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/words.mdb DESTINATION ${taviro_install_data_dir})
foreach(page taviro-convert.1 taviro-dict.1)
    taviro_compressed(compressed man/${page})
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# --- the desktop program, with its entry in the menus
if(TARGET taviro)
    install(TARGETS taviro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES data/taviro.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES assets/pictures/icon.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
            RENAME taviro.png)
    taviro_compressed(compressed man/taviro.1)
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# --- the library: taviro::engine, taviro::convert, taviro::encoding and taviro::run
# The warning policy travels with the static libraries as a link-only entry;
# it adds nothing to a program that links them.
set_target_properties(taviro_warnings PROPERTIES EXPORT_NAME warnings)
install(TARGETS taviro_engine taviro_convert taviro_encoding taviro_run taviro_warnings EXPORT taviro-targets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
        FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)
install(EXPORT taviro-targets NAMESPACE taviro:: FILE taviroTargets.cmake DESTINATION ${taviro_install_cmake_dir}
        COMPONENT development)

configure_package_config_file(cmake/taviroConfig.cmake.in ${PROJECT_BINARY_DIR}/taviroConfig.cmake
    INSTALL_DESTINATION ${taviro_install_cmake_dir}
    PATH_VARS taviro_install_data_dir)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/taviroConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/taviroConfig.cmake ${PROJECT_BINARY_DIR}/taviroConfigVersion.cmake
        DESTINATION ${taviro_install_cmake_dir} COMPONENT development)
