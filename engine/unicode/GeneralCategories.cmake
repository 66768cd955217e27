# Writes the general categories that the read loop asks about (punctuation,
# separators and symbols; format characters) as a C++ table of ranges,
# straight from the Unicode Character Database's DerivedGeneralCategory.txt
# (Debian's unicode-data). It runs when the build is configured, so the native
# build and the page's WebAssembly build read the same file and agree unit for
# unit; the table is included by engine/src/character_classes.cpp only.
#
#   taviro_write_general_categories(<DerivedGeneralCategory.txt> <output.inc>)
function(taviro_write_general_categories categories output)
    file(STRINGS "${categories}" first_line LIMIT_COUNT 1)
    if(NOT first_line MATCHES "^# DerivedGeneralCategory-([0-9.]+)\\.txt")
        message(FATAL_ERROR "${categories} is not the Unicode Character Database's DerivedGeneralCategory.txt")
    endif()
    set(version "${CMAKE_MATCH_1}")
    file(STRINGS "${categories}" lines REGEX "^[0-9A-F]+(\\.\\.[0-9A-F]+)? *; (P.|Z.|S.|Cf) ")
    set(text "// Written from ${categories} (Unicode ${version})\n")
    string(APPEND text "// by engine/unicode/GeneralCategories.cmake when the build was configured.\n\n")
    string(APPEND text "inline constexpr std::string_view kUnicodeVersion = \"${version}\";\n\n")
    string(APPEND text "inline constexpr CategoryRange kCategoryRanges[] = {\n")
    foreach(line IN LISTS lines)
        string(REGEX MATCH "^([0-9A-F]+)(\\.\\.([0-9A-F]+))? *; (..)" _ "${line}")
        set(first "${CMAKE_MATCH_1}")
        set(last "${CMAKE_MATCH_3}")
        if(last STREQUAL "")
            set(last "${first}")
        endif()
        string(APPEND text "    {0x${first}, 0x${last}, GeneralCategory::${CMAKE_MATCH_4}},\n")
    endforeach()
    string(APPEND text "};\n")
    # Rewritten only when it changes, so that configuring again rebuilds nothing.
    file(CONFIGURE OUTPUT "${output}" CONTENT "${text}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${categories}")
endfunction()
