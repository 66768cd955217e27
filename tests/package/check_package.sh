#!/bin/sh
# check_package.sh RELEASE_DIR TAVIRO_CONVERT CORPUS VERSION
#
# Makes the Debian packages of the optimised build and uses them without
# installing them: their files and dependencies as dpkg-deb shows them, no
# lintian error, and, unpacked into an empty root, the packaged taviro-convert
# and Python module with the packaged words.mdb convert the corpus to exactly
# what the taviro-convert of this build writes.
set -eu
release=$1 built_convert=$2 corpus=$3 version=$4

work=$(mktemp -d "${TMPDIR:-/tmp}/taviro-package-XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() { echo "check_package: $*" >&2; exit 1; }

cpack -G DEB --config "$release/CPackConfig.cmake" -B "$work/debs" >/dev/null || fail "cpack failed"
main=$work/debs/taviro_${version}_amd64.deb
python=$work/debs/python3-taviro_${version}_amd64.deb
dev=$work/debs/taviro-dev_${version}_amd64.deb

# Each package holds what it is for, in /usr.
expect_files() {
    deb=$1
    shift
    listing=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
    for file in "$@"; do
        printf '%s\n' "$listing" | grep -qx "./usr/$file" || fail "$(basename "$deb") has no /usr/$file"
    done
}
expect_files "$main" bin/taviro bin/taviro-convert bin/taviro-dict share/taviro/words.mdb \
    share/man/man1/taviro.1.gz share/man/man1/taviro-convert.1.gz share/man/man1/taviro-dict.1.gz \
    share/applications/taviro.desktop share/icons/hicolor/32x32/apps/taviro.png \
    share/doc/taviro/copyright share/doc/taviro/changelog.gz
expect_files "$python" lib/python3/dist-packages/taviro/__init__.py lib/python3/dist-packages/taviro/dask.py \
    lib/python3/dist-packages/taviro/_taviro.pyi lib/python3/dist-packages/taviro/py.typed \
    share/doc/python3-taviro/copyright
dpkg-deb -c "$python" | grep -q '/dist-packages/taviro/_taviro\.cpython-.*\.so$' || fail "python3-taviro has no extension"
expect_files "$dev" include/taviro/engine.h include/taviro/convert/text_conversion.h lib/libtaviro_convert.a \
    include/taviro/run/word_store.h lib/libtaviro_run.a \
    lib/cmake/taviro/taviroConfig.cmake share/doc/taviro-dev/copyright

# Dependencies: the libraries the binaries link, found by dpkg-shlibdeps, and
# what no binary can show.
expect_depends() {
    deb=$1
    shift
    depends=$(dpkg-deb -f "$deb" Depends)
    for package in "$@"; do
        case ", $depends," in
            *", $package "* | *", $package,"*) ;;
            *) fail "$(basename "$deb") does not depend on $package: $depends" ;;
        esac
    done
}
expect_depends "$main" libc6 libstdc++6 libsqlite3-0 libqt6widgets6 libqt6gui6 libqt6core6
expect_depends "$python" python3 taviro libsqlite3-0 libstdc++6
expect_depends "$dev" taviro libsqlite3-dev

lintian --fail-on error "$main" "$python" "$dev" >"$work/lintian.txt" 2>&1 ||
    fail "lintian found errors: $(grep '^E:' "$work/lintian.txt")"

root=$work/root
for deb in "$main" "$python" "$dev"; do
    dpkg -x "$deb" "$root"
done
desktop-file-validate "$root/usr/share/applications/taviro.desktop" || fail "desktop-file-validate refused the entry"

# The whole corpus, UTF-8 in, UTF-16LE out as the windows write it.
"$built_convert" -q "$corpus" "$work/built.txt" || fail "the build's taviro-convert failed"
"$root/usr/bin/taviro-convert" -q "$corpus" "$work/packaged.txt" || fail "the packaged taviro-convert failed"
cmp "$work/built.txt" "$work/packaged.txt" || fail "the packaged taviro-convert wrote other bytes"

# The packaged module finds the packaged words.mdb three folders above it.
PYTHONPATH=$root/usr/lib/python3/dist-packages PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 - \
    "$corpus" "$work/packaged-python.txt" "$root/usr/share/taviro/words.mdb" <<'EOF' || fail "the packaged module failed"
import sys, taviro
corpus, destination, dictionary = sys.argv[1:]
if str(taviro.default_dictionary()) != dictionary:
    sys.exit(f"the module uses {taviro.default_dictionary()}, not {dictionary}")
taviro.convert_file(corpus, destination, from_encoding="utf-8")
EOF
cmp "$work/built.txt" "$work/packaged-python.txt" || fail "the packaged module wrote other bytes"

echo "check_package: $(ls "$work/debs" | tr '\n' ' ')made; unpacked, they convert the corpus as the build does"
