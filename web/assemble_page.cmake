# Writes the one-file page: the template with the style, the dictionary's rows
# and its loanword lexicon, the module and its worker, and the page's script
# put in place of their markers. Run with cmake -P; PAGE_DIR, MODULE, WORDS, LOANWORDS and OUTPUT are given.
cmake_minimum_required(VERSION 3.25)
file(READ ${PAGE_DIR}/taviro.html page)

# The page's script is made of ES modules, in an order where each comes after
# the modules it imports. A page opened from disk cannot load one module from
# another, so they are put together into the one module script of the page:
# their import lines go, and "export" before a declaration, so that they share
# one scope. A name declared twice then stops the page with a SyntaxError,
# which its tests see at once. messages.js holds the types of the worker's
# messages alone and is not part of it.
set(page_modules
    ../package/code_units.js
    dom.js
    word_reports.js
    result_view.js
    word_details.js
    character_table.js
    downloads.js
    worker_client.js
    page.js)

# Inlined text must not end its <script> or <style> element early.
function(inline_text marker text what)
    string(TOLOWER "${text}" lower)
    foreach(breaker "</script" "</style" "<!--")
        string(FIND "${lower}" "${breaker}" at)
        if(NOT at EQUAL -1)
            message(FATAL_ERROR "${what} holds '${breaker}' and cannot be inlined")
        endif()
    endforeach()
    string(REPLACE "${marker}" "${text}" page "${page}")
    set(page "${page}" PARENT_SCOPE)
endfunction()

function(inline marker file)
    file(READ ${file} text)
    inline_text(${marker} "${text}" ${file})
    set(page "${page}" PARENT_SCOPE)
endfunction()

# The modules, one after another, as one script. Semicolons stand in for
# something else meanwhile: to CMake they divide lists.
function(bundle_modules result)
    string(ASCII 1 semicolon)
    set(bundled "")
    set(script "")
    foreach(module IN LISTS page_modules)
        file(READ ${PAGE_DIR}/${module} text)
        string(REPLACE ";" "${semicolon}" text "\n${text}")
        string(REGEX MATCHALL "\nimport[^\n]*" imports "${text}")
        foreach(import IN LISTS imports)
            if(NOT import MATCHES "^\nimport [^\n]+ from '(\\.\\.?/[a-z_./]+\\.js)'${semicolon}$")
                message(FATAL_ERROR "${module}: an import is one line, import { ... } from './name.js';")
            endif()
            if(NOT CMAKE_MATCH_1 IN_LIST bundled)
                message(FATAL_ERROR "${module} imports ${CMAKE_MATCH_1}, which does not come before it")
            endif()
        endforeach()
        string(REGEX MATCHALL "\nexport[^\n]*" exports "${text}")
        foreach(export IN LISTS exports)
            if(NOT export MATCHES "^\nexport (const|let|function|async function|class) ")
                message(FATAL_ERROR "${module}: only a declaration is exported, not '${export}'")
            endif()
        endforeach()
        string(REGEX REPLACE "\nimport [^\n]*" "" text "${text}")
        string(REGEX REPLACE "\nexport " "\n" text "${text}")
        string(REPLACE "${semicolon}" ";" text "${text}")
        string(APPEND script "// ---- ${module}${text}\n")
        # As the modules name it in their imports.
        if(module MATCHES "^\\.\\./")
            list(APPEND bundled ${module})
        else()
            list(APPEND bundled ./${module})
        endif()
    endforeach()
    set(${result} "${script}" PARENT_SCOPE)
endfunction()

inline(@STYLE@ ${PAGE_DIR}/style.css)
inline(@WORDS@ ${WORDS})
inline(@LOANWORDS@ ${LOANWORDS})
inline(@MODULE@ ${MODULE})
inline(@WORKER@ ${PAGE_DIR}/worker.js)
bundle_modules(script)
inline_text(@PAGE@ "${script}" "the page's modules")
file(WRITE ${OUTPUT} "${page}")
