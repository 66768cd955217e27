# Writes the one-file page: the template with the style, the dictionary's rows
# and its loanword lexicon, the module and its worker, and the page's script
# put in place of their markers. Run with cmake -P; PAGE_DIR, MODULE, WORDS, LOANWORDS and OUTPUT are given.
cmake_minimum_required(VERSION 3.25)
file(READ ${PAGE_DIR}/taviro.html page)

# Inlined text must not end its <script> or <style> element early.
function(inline marker file)
    file(READ ${file} text)
    string(TOLOWER "${text}" lower)
    foreach(breaker "</script" "</style" "<!--")
        string(FIND "${lower}" "${breaker}" at)
        if(NOT at EQUAL -1)
            message(FATAL_ERROR "${file} holds '${breaker}' and cannot be inlined")
        endif()
    endforeach()
    string(REPLACE "${marker}" "${text}" page "${page}")
    set(page "${page}" PARENT_SCOPE)
endfunction()

inline(@STYLE@ ${PAGE_DIR}/style.css)
inline(@WORDS@ ${WORDS})
inline(@LOANWORDS@ ${LOANWORDS})
inline(@MODULE@ ${MODULE})
inline(@WORKER@ ${PAGE_DIR}/worker.js)
inline(@PAGE@ ${PAGE_DIR}/page.js)
file(WRITE ${OUTPUT} "${page}")
