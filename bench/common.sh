# What the benchmark scripts share: the project's folder and corpus, a scratch
# folder removed on exit, and the median wall time of a command. Sourced, not run.

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
    printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "%.4f", a[int((NR + 1) / 2)] / 1e9 }'
}
