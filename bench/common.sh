# What the benchmark scripts share: the project's folder and corpus, a scratch
# folder removed on exit, and the median wall time of a command. Sourced, not run.

# A failed run inside a command substitution stops the benchmark too, rather
# than leaving an empty time for a figure.
shopt -s inherit_errexit

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
corpus="$top/../shared/corpus/pa-ui-strings.utf8.txt"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Median wall time in seconds of running the command ${runs:-5} times; a
# failing run stops the benchmark, since its time would mean nothing.
median_seconds() {
    local times=()
    for ((i = 0; i < ${runs:-5}; i++)); do
        local start end
        start=$(date +%s%N)
        "$@" > /dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
        end=$(date +%s%N)
        times+=("$(( end - start ))")
    done
    printf '%s\n' "${times[@]}" | median_in_seconds
}

# The median of the nanosecond counts on standard input, in seconds.
median_in_seconds() {
    sort -n | awk '{ a[NR] = $1 } END { printf "%.4f", a[int((NR + 1) / 2)] / 1e9 }'
}

# Runs two shell commands in turn, ${runs:-5} times each, so that the machine
# speeding up or slowing down meanwhile touches both alike. Prints the median
# wall time of each in seconds and the median of the per-turn ratios of the
# first to the second. Before each, untimed, the disk is given what is still
# waiting for it, so that neither pays for what the other wrote.
median_pair() {
    local first=() second=() ratios=()
    for ((i = 0; i < ${runs:-5}; i++)); do
        local command times=()
        for command in "$1" "$2"; do
            local start end
            sync
            start=$(date +%s%N)
            sh -c "$command" > /dev/null 2>&1 || { echo "failed: $command" >&2; exit 1; }
            end=$(date +%s%N)
            times+=("$(( end - start ))")
        done
        first+=("${times[0]}")
        second+=("${times[1]}")
        ratios+=("$(awk -v a="${times[0]}" -v b="${times[1]}" 'BEGIN { printf "%.6f", a / b }')")
    done
    local median='{ a[NR] = $1 } END { printf "%s", a[int((NR + 1) / 2)] }'
    awk -v a="$(printf '%s\n' "${first[@]}" | sort -n | awk "$median")" \
        -v b="$(printf '%s\n' "${second[@]}" | sort -n | awk "$median")" \
        -v r="$(printf '%s\n' "${ratios[@]}" | sort -g | awk "$median")" \
        'BEGIN { printf "%.4f %.4f %.4f\n", a / 1e9, b / 1e9, r }'
}
