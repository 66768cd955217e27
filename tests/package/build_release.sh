#!/bin/sh
# build_release.sh SOURCE_DIR BUILD_DIR
#
# Brings the optimised build without sanitizers up to date, configuring it as
# `make build` does when it is new: the Python module and the packages are
# tested from it, since an extension built with AddressSanitizer does not load
# into python3.
set -eu
source=$1 build=$2
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAVIRO_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2
