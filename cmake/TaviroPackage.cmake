# `make package`: Debian packages made by CPack from the install rules.
#
#   taviro          the three programs, words.mdb, manual pages, desktop entry, icon
#   python3-taviro  the Python module; it uses taviro's words.mdb
#   taviro-dev      the static libraries, headers and CMake package
#
# Dependencies on shared libraries come from dpkg-shlibdeps; only the ones a
# binary cannot show (the Python version, the dictionary) are written here.
set(taviro_packages taviro development)
if(TARGET taviro_python)
    list(APPEND taviro_packages python)
endif()

# Each package carries its own copyright and changelog in /usr/share/doc, as
# Debian asks; a plain `cmake --install` leaves them out (EXCLUDE_FROM_ALL).
taviro_compressed(taviro_changelog data/deb/changelog)

foreach(component IN LISTS taviro_packages)
    string(TOUPPER ${component} upper)
    set(package taviro)
    if(component STREQUAL "python")
        set(package python3-taviro)
    elseif(component STREQUAL "development")
        set(package taviro-dev)
    endif()
    set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${package})
    set(CPACK_DEBIAN_${upper}_FILE_NAME DEB-DEFAULT)
    install(FILES data/deb/copyright ${taviro_changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package}
            COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()

set(CPACK_GENERATOR DEB)
# Each package's description below begins with its own synopsis; CPack would
# otherwise put the project's description in front of all three.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
set(CPACK_PACKAGE_NAME taviro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Taviro developers <maintainers@users.noreply.c-seed-ad70675d.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${taviro_packages})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_TAVIRO_PACKAGE_SECTION text)
# Fonts with Arial's metrics, so the windows' text fits its places.
set(CPACK_DEBIAN_TAVIRO_PACKAGE_RECOMMENDS "fonts-urw-base35 | fonts-liberation")
set(CPACK_DEBIAN_TAVIRO_DESCRIPTION "Gurmukhi to Roman transliterator
Taviro turns Punjabi text written in Gurmukhi into Roman script the way
Punjabi is spoken: macron vowels and dotted consonants, doubling after addak,
nasal assimilation after tippi, and the inherent vowel dropped where speech
drops it, with a word dictionary that confirms prefixes, suffixes and
compound splits.

This package holds the desktop program taviro, the command-line tools
taviro-convert and taviro-dict, and the word dictionary.")

set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "${taviro_python_depends}, taviro (= ${PROJECT_VERSION})")
# taviro.dask is the only part that needs them; import taviro does not.
set(CPACK_DEBIAN_PYTHON_PACKAGE_SUGGESTS "python3-distributed, python3-pandas")
set(CPACK_DEBIAN_PYTHON_DESCRIPTION "Gurmukhi to Roman transliterator - Python 3 module
The module taviro converts Punjabi text in Gurmukhi into Roman script with
the rules and the word dictionary of the program taviro-convert, byte for
byte as it does: taviro.transliterate(text), a Transliterator that loads its
dictionary once, and taviro.convert_file for files in UTF-8 and UTF-16.
A Transliterator pickles, for process pools, and taviro.dask converts
lines, dataframe columns and files on the workers of a Dask cluster.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "taviro (= ${PROJECT_VERSION}), libsqlite3-dev")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "Gurmukhi to Roman transliterator - development files
The static libraries of Taviro's transliteration rules and conversion run,
their headers, and the CMake package: find_package(taviro) gives
taviro::engine, taviro::run and taviro_DICTIONARY, the installed words.mdb.")

include(CPack)
