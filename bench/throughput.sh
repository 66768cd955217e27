#!/bin/bash
# Whole-file throughput of taviro-convert beside iconv (the floor of any
# streaming conversion) and ICU's Gurmukhi-Latin transform, plus peak memory
# for a small and a large input, and a check that the fast loop writes exactly
# what the literal unit-by-unit loop writes on the whole input.
#
# Usage: bench/throughput.sh BIN_DIR BENCH_BIN_DIR DICTIONARY_TOOL
set -euo pipefail
source "$(dirname "$0")/common.sh"

bin=$(realpath "$1")
bench_bin=$(realpath "$2")
build_dictionary=$(realpath "$3")
runs=${RUNS:-5}
min_bytes=${MIN_BYTES:-50000000}

# UTF-16LE text of at least $2 bytes, made by repeating the corpus.
make_input() {
    local out=$1 wanted=$2
    iconv -f UTF-8 -t UTF-16LE "$corpus" > "$work/one.txt"
    local one copies
    one=$(stat -c %s "$work/one.txt")
    copies=$(( (wanted + one - 1) / one ))
    : > "$out"
    for ((i = 0; i < copies; i++)); do cat "$work/one.txt"; done >> "$out"
    truncate -s "$(( wanted / 2 * 2 ))" "$out"
}

peak_kb() {
    /usr/bin/time -f %M "$@" 2>&1 > /dev/null | tail -n 1
}

echo "Making inputs..."
make_input "$work/input.txt" "$min_bytes"
: > "$work/empty-list.txt"
"$build_dictionary" "$work/empty-list.txt" "$work/empty.mdb" > /dev/null
size=$(stat -c %s "$work/input.txt")
printf 'Input: %s bytes of UTF-16LE (%d runs each, median)\n\n' "$size" "$runs"

convert=("$bin/taviro-convert")
t_default=$(median_seconds "${convert[@]}" "$work/input.txt" "$work/out.txt")
t_empty=$(median_seconds "${convert[@]}" --dictionary "$work/empty.mdb" "$work/input.txt" "$work/out-empty.txt")
t_iconv=$(median_seconds sh -c "iconv -f UTF-16LE -t UTF-8 '$work/input.txt' > '$work/out-iconv.txt'")
t_icu=$(median_seconds sh -c "uconv -f UTF-16LE -t UTF-16LE -x Gurmukhi-Latin '$work/input.txt' > '$work/out-icu.txt'")

row() {
    awk -v name="$1" -v t="$2" -v iconv="$t_iconv" -v icu="$t_icu" -v size="$size" 'BEGIN {
        printf "%-44s %8.3f s %9.1f MB/s %7.2f x iconv %8.3f x ICU\n", name, t, size / t / 1e6, t / iconv, t / icu }'
}
row "taviro-convert, default dictionary" "$t_default"
row "taviro-convert, empty dictionary" "$t_empty"
row "iconv -f UTF-16LE -t UTF-8" "$t_iconv"
row "uconv -x Gurmukhi-Latin (ICU)" "$t_icu"

echo
echo "Peak memory of taviro-convert (default dictionary):"
make_input "$work/small.txt" 1000000
make_input "$work/large.txt" 200000000
small_kb=$(peak_kb "$bin/taviro-convert" "$work/small.txt" "$work/out-small.txt")
large_kb=$(peak_kb "$bin/taviro-convert" "$work/large.txt" "$work/out-large.txt")
rm -f "$work/large.txt" "$work/out-large.txt"
awk -v s="$small_kb" -v l="$large_kb" -v sb="$(stat -c %s "$work/small.txt")" 'BEGIN {
    printf "  %d bytes in: %d KB\n  200 MB in: %d KB (%+.1f %%)\n", sb, s, l, (l - s) * 100 / s }'

echo
echo "Fast loop against the unit-by-unit loop on the whole input:"
printf '  default dictionary: '
"$bench_bin/compare_loops" "$work/input.txt" "$bin/words.mdb"
printf '  empty dictionary:   '
"$bench_bin/compare_loops" "$work/input.txt" "$work/empty.mdb"
