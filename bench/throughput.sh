#!/bin/bash
# Whole-file throughput of taviro-convert on 1 and 2 threads beside iconv (the
# floor of any streaming conversion), cat (the floor of copying the file) and
# ICU's Gurmukhi-Latin transform; what no thread count changes (start-up,
# replacing the last output, the disk taking the new one) and so the most that
# 2 threads could give; peak memory on 2 threads for 1 MB, 200 MB and 1 GB of
# input; and checks that 2 threads write exactly what 1 writes, and the fast
# loop exactly what the literal unit-by-unit loop writes.
#
# Usage: bench/throughput.sh BIN_DIR BENCH_BIN_DIR DICTIONARY_TOOL
# RUNS (default 9) runs per figure, the median shown; 1 and 2 threads run in
# turn, and the speed-up is the median of the turns'. MIN_BYTES (default 50 MB)
# of input. The inputs are made in TMPDIR and removed at the end.
set -euo pipefail
source "$(dirname "$0")/common.sh"

bin=$(realpath "$1")
bench_bin=$(realpath "$2")
build_dictionary=$(realpath "$3")
runs=${RUNS:-9}
min_bytes=${MIN_BYTES:-50000000}
convert="$bin/taviro-convert"

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
iconv -f UTF-16LE -t UTF-8 "$work/input.txt" > "$work/input-utf8.txt"
: > "$work/empty-list.txt"
"$build_dictionary" "$work/empty-list.txt" "$work/empty.mdb" > /dev/null
size=$(stat -c %s "$work/input.txt")
size8=$(stat -c %s "$work/input-utf8.txt")
printf 'Input: %s bytes of UTF-16LE, the same text in %s bytes of UTF-8 (%d runs each, median)\n' \
    "$size" "$size8" "$runs"
echo "Load before: $(cut -d ' ' -f 1-3 /proc/loadavg) on $(nproc) cores"
echo

# taviro-convert on 1 and on 2 threads, in turn, with the further arguments:
# the two medians and the median speed-up.
tc_pair() {
    local arguments
    arguments=$(printf " '%s'" "$@")
    median_pair "'$convert' -q -j 1$arguments" "'$convert' -q -j 2$arguments"
}
read -r t16_1 t16_2 s16 < <(tc_pair "$work/input.txt" "$work/out.txt")
# To standard output, thrown away: the conversion alone, without a file to
# write and to put in the place of the last one, which costs the same on any
# number of threads.
read -r ts_1 ts_2 ss < <(median_pair "'$convert' -q -j 1 --to utf-16le '$work/input.txt' - > /dev/null" \
                                     "'$convert' -q -j 2 --to utf-16le '$work/input.txt' - > /dev/null")
read -r t8_1 t8_2 s8 < <(tc_pair --from utf-8 --to utf-8 "$work/input-utf8.txt" "$work/out8.txt")
read -r te_1 te_2 se < <(tc_pair --dictionary "$work/empty.mdb" "$work/input.txt" "$work/out-empty.txt")
t_iconv=$(median_seconds sh -c "iconv -f UTF-16LE -t UTF-8 '$work/input.txt' > '$work/out-iconv.txt'")
t_cat=$(median_seconds sh -c "cat '$work/input.txt' > '$work/out-cat.txt'")
# The targets' ratios from runs in turn with their floors, so that the machine
# speeding up or slowing down meanwhile touches both alike.
read -r _ _ r_iconv < <(median_pair "'$convert' -q -j 1 '$work/input.txt' '$work/out.txt'" \
                                    "iconv -f UTF-16LE -t UTF-8 '$work/input.txt' > '$work/out-iconv.txt'")
read -r _ _ r_cat < <(median_pair "'$convert' -q -j 2 '$work/input.txt' '$work/out.txt'" \
                                  "cat '$work/input.txt' > '$work/out-cat.txt'")
t_cat8=$(median_seconds sh -c "cat '$work/input-utf8.txt' > '$work/out-cat.txt'")
t_icu=$(median_seconds sh -c "uconv -f UTF-16LE -t UTF-16LE -x Gurmukhi-Latin '$work/input.txt' > '$work/out-icu.txt'")
rm -f "$work/out-iconv.txt" "$work/out-cat.txt" "$work/out-icu.txt"

printf '%-44s %9s %9s %9s %8s %10s\n' "" "1 thread" "2 threads" "speed-up" "MB/s" "x iconv"
# name, 1-thread seconds, 2-thread seconds (or none), bytes, speed-up measured in turns.
row() {
    awk -v name="$1" -v one="$2" -v two="$3" -v bytes="$4" -v speedup="${5:-}" -v iconv="$t_iconv" 'BEGIN {
        t = two != "" ? two : one
        printf "%-44s %7.3f s", name, one
        if (two != "") printf " %7.3f s %8.2fx", two, speedup; else printf " %9s %9s", "", ""
        printf " %8.1f %9.2fx\n", bytes / t / 1e6, t / iconv }'
}
row "taviro-convert UTF-16LE -> UTF-16LE" "$t16_1" "$t16_2" "$size" "$s16"
row "  the same to /dev/null" "$ts_1" "$ts_2" "$size" "$ss"
row "taviro-convert UTF-8 -> UTF-8" "$t8_1" "$t8_2" "$size8" "$s8"
row "taviro-convert UTF-16LE, empty dictionary" "$te_1" "$te_2" "$size" "$se"
row "iconv -f UTF-16LE -t UTF-8" "$t_iconv" "" "$size"
row "cat, UTF-16LE input" "$t_cat" "" "$size"
row "cat, UTF-8 input" "$t_cat8" "" "$size8"
row "uconv -x Gurmukhi-Latin (ICU)" "$t_icu" "" "$size"
echo "Load after: $(cut -d ' ' -f 1-3 /proc/loadavg)"

# What no thread count changes: starting (the dictionary), and putting the new
# output in the place of the last one, whose pages and blocks the file system
# lets go of in the rename.
: > "$work/empty.txt"
t_start=$(median_seconds "$convert" -q -j 2 "$work/empty.txt" "$work/out-empty.txt")
replace_times=()
for ((i = 0; i < runs; i++)); do
    "$convert" -q -j 2 "$work/input.txt" "$work/out-old.txt"
    : > "$work/out-new.txt"
    start=$(date +%s%N)
    mv -f "$work/out-new.txt" "$work/out-old.txt"
    end=$(date +%s%N)
    replace_times+=("$(( end - start ))")
done
t_replace=$(printf '%s\n' "${replace_times[@]}" | median_in_seconds)
# A run keeps the last output until the new one is on the disk, so no number of
# threads finishes before the disk has taken the whole output: writing it to a
# new file and syncing it is the floor of the run's conversion and writing.
sync_times=()
for ((i = 0; i < runs; i++)); do
    rm -f "$work/out-synced.txt"
    start=$(date +%s%N)
    dd if="$work/out.txt" of="$work/out-synced.txt" bs=1M conv=fsync status=none
    end=$(date +%s%N)
    sync_times+=("$(( end - start ))")
done
rm -f "$work/out-synced.txt"
t_sync=$(printf '%s\n' "${sync_times[@]}" | median_in_seconds)
echo
printf 'The same on any number of threads: start-up and end %.3f s; replacing the last output %.3f s\n' \
    "$t_start" "$t_replace"
printf 'Writing the UTF-16LE output (%s bytes) to a new file and syncing it: %.3f s\n' \
    "$(stat -c %s "$work/out.txt")" "$t_sync"

echo
echo "Targets, UTF-16LE -> UTF-16LE with the default dictionary:"
awk -v one="$t16_1" -v two="$t16_2" -v speedup="$s16" -v iconv="$t_iconv" -v serial="$t_start" \
    -v replace="$t_replace" -v synced="$t_sync" -v cat="$t_cat" -v by_iconv="$r_iconv" -v by_cat="$r_cat" 'BEGIN {
    serial += replace
    ratio = two / iconv
    shared = (one - serial) / 2
    if (synced > shared) shared = synced
    printf "  1 thread against iconv, in turns: %.2fx (at most 1.0x): %s\n", by_iconv, (by_iconv <= 1 ? "met" : "NOT MET")
    printf "  2 threads against cat, in turns: %.2fx (at most 3.0x): %s\n", by_cat, (by_cat <= 3 ? "met" : "NOT MET")
    printf "  2 threads against iconv: %.2fx (at most 1.0x): %s\n", ratio, (ratio <= 1.0 ? "met" : "NOT MET")
    printf "  speed-up from 1 to 2 threads: %.2fx (at least 1.8x): %s\n", speedup, (speedup >= 1.8 ? "met" : "NOT MET")
    printf "  (the most that 2 threads could give here, with the rest shared perfectly and the disk\n"
    printf "   taking the output as fast as a plain synced copy: %.2fx)\n", one / (serial + shared) }'

echo
echo "2 threads against 1 on the whole input:"
"$convert" -q -j 1 "$work/input.txt" "$work/out-1.txt"
"$convert" -q -j 2 "$work/input.txt" "$work/out-2.txt"
cmp -s "$work/out-1.txt" "$work/out-2.txt" && echo "  UTF-16LE: identical" || { echo "  UTF-16LE: DIFFERENT"; exit 1; }
"$convert" -q -j 1 --from utf-8 --to utf-8 "$work/input-utf8.txt" "$work/out-1.txt"
"$convert" -q -j 2 --from utf-8 --to utf-8 "$work/input-utf8.txt" "$work/out-2.txt"
cmp -s "$work/out-1.txt" "$work/out-2.txt" && echo "  UTF-8:    identical" || { echo "  UTF-8: DIFFERENT"; exit 1; }
rm -f "$work"/out*.txt "$work/input-utf8.txt"

echo
echo "Peak memory of taviro-convert -j 2, UTF-16LE -> UTF-16LE (default dictionary):"
memory_row() {
    local bytes=$1 label=$2
    # Input and output of this size, with room to spare.
    local free_kb
    free_kb=$(df -Pk "$work" | awk 'NR == 2 { print $4 }')
    if (( free_kb < 4 * bytes / 1024 )); then
        printf '  %-8s skipped: %d MB free in %s\n' "$label" "$(( free_kb / 1024 ))" "$work"
        return
    fi
    make_input "$work/memory.txt" "$bytes"
    local kb
    kb=$(peak_kb "$convert" -q -j 2 "$work/memory.txt" "$work/memory-out.txt")
    rm -f "$work/memory.txt" "$work/memory-out.txt"
    awk -v label="$label" -v kb="$kb" 'BEGIN {
        printf "  %-8s %7d KB (%.1f MiB; at most 32 MiB: %s)\n", label, kb, kb / 1024, (kb <= 32768 ? "met" : "NOT MET") }'
}
memory_row 1000000 "1 MB"
memory_row 200000000 "200 MB"
memory_row 1000000000 "1 GB"

echo
echo "Fast loop against the unit-by-unit loop on the whole input:"
printf '  default dictionary: '
"$bench_bin/compare_loops" "$work/input.txt" "$bin/words.mdb"
printf '  empty dictionary:   '
"$bench_bin/compare_loops" "$work/input.txt" "$work/empty.mdb"
