#!/bin/sh
# check_install.sh BUILD_DIR SOURCE_DIR CXX_COMPILER CXX_FLAGS LINKER_FLAGS
#
# Installs the build into an empty prefix and uses it as a user would: the
# installed taviro-convert converts UTF-8 from a pipe with the installed
# dictionary, the desktop entry validates, every manual page renders without
# a warning, and a separate CMake project builds against find_package(taviro).
set -eu
build=$1 source=$2 compiler=$3 cxx_flags=$4 linker_flags=$5

work=$(mktemp -d "${TMPDIR:-/tmp}/taviro-install-XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() { echo "check_install: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/taviro-convert bin/taviro-dict share/taviro/words.mdb \
            share/man/man1/taviro-convert.1.gz share/man/man1/taviro-dict.1.gz \
            include/taviro/engine.h include/taviro/convert/read_loop.h include/taviro/run/word_store.h \
            lib/cmake/taviro/taviroConfig.cmake lib/cmake/taviro/taviroConfigVersion.cmake; do
    [ -e "$prefix/$file" ] || fail "$file was not installed"
done

# Converts from a pipe, with the dictionary in share/taviro/: the same text as
# the program in the build tree gives with the dictionary beside it.
text='ਕਮਲਨਯਨ ਕਿ ਪੰਜਾਬੀ।'
installed=$(printf '%s\n' "$text" | "$prefix/bin/taviro-convert" -q - -)
built=$(printf '%s\n' "$text" | "$build/bin/taviro-convert" -q - -)
[ -n "$installed" ] && [ "$installed" = "$built" ] || fail "installed program wrote '$installed', not '$built'"
mv "$prefix/share/taviro/words.mdb" "$work/words.mdb"
if printf '%s' "$text" | "$prefix/bin/taviro-convert" -q - - >/dev/null 2>&1; then
    fail "the installed program converted without its installed dictionary"
fi
mv "$work/words.mdb" "$prefix/share/taviro/words.mdb"

# The desktop entry: the installed one where the desktop program is built.
entry=$source/data/taviro.desktop
if [ -e "$prefix/bin/taviro" ]; then
    entry=$prefix/share/applications/taviro.desktop
    [ -e "$prefix/share/icons/hicolor/32x32/apps/taviro.png" ] || fail "the icon was not installed"
fi
desktop-file-validate "$entry" || fail "desktop-file-validate refused $entry"

# Every Gurmukhi word of a page comes out whole, vowel and nasal signs
# included, as a terminal shows the page. (Piped, man-db filters the page
# through col -b, which drops every combining mark that another character
# follows, whatever the page; MAN_KEEP_FORMATTING=1 keeps them.)
for page in "$source"/man/*.1; do
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
    MANWIDTH=80 MANPAGER=cat man -l "$page" | grep -q '^NAME' || fail "$page does not render"
    shown=$(LC_ALL=C.UTF-8 MAN_KEEP_FORMATTING=1 MANWIDTH=1000 MANPAGER=cat man -l "$page" | LC_ALL=C.UTF-8 sed 's/\x1b\[[0-9;]*m//g; s/.\x08//g')
    for word in $(LC_ALL=C.UTF-8 grep -oP '[\x{0A00}-\x{0A7F}]+' "$page" | sort -u); do
        printf '%s\n' "$shown" | grep -qF "$word" || fail "$page: the Gurmukhi word $word does not come out whole"
    done
done

# A program of someone else's, against the installed package.
cmake -S "$source/tests/install/consumer" -B "$work/consumer" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_CXX_FLAGS="$cxx_flags" \
    -DCMAKE_EXE_LINKER_FLAGS="$linker_flags" >/dev/null || fail "find_package(taviro) failed"
cmake --build "$work/consumer" >/dev/null || fail "the consumer did not build"
library=$("$work/consumer/transliterate" "$text")
expected=$(printf '%s' "$text" | "$prefix/bin/taviro-convert" -q - -)
[ "$library" = "$expected" ] || fail "the library gave '$library', the program '$expected'"

echo "check_install: installed, converted '$installed', library gave the same"
