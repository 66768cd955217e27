# Writes the extension's folder and its two packages, run with cmake -P:
# VERSION, MANIFEST (the source), FILES (what the folder holds besides its
# manifest), FOLDER, PACKAGES (the Chromium zip and the Firefox .xpi, which
# is a zip too). Both browsers read the one manifest: chromium runs its
# background as a service worker, firefox as an event page's script, and
# chromium passes the gecko settings over.
cmake_minimum_required(VERSION 3.25)

file(READ ${MANIFEST} manifest)
string(JSON manifest SET "${manifest}" version "\"${VERSION}\"")
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
file(WRITE ${FOLDER}/manifest.json "${manifest}\n")
file(COPY ${FILES} DESTINATION ${FOLDER})
file(GLOB contents RELATIVE ${FOLDER} ${FOLDER}/*)
list(SORT contents)
# The same files make the same package: every file dated alike.
foreach(package IN LISTS PACKAGES)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E tar cf ${package} --format=zip "--mtime=2000-01-01 00:00:00 UTC" -- ${contents}
        WORKING_DIRECTORY ${FOLDER}
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
