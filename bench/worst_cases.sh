#!/bin/bash
# Throughput of taviro-convert on the inputs that make the rules work hardest,
# beside typical text (the corpus repeated): no shape may fall below a
# twentieth of the typical throughput.
#
# Usage: bench/worst_cases.sh BIN_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"

bin=$(realpath "$1")
runs=${RUNS:-3}
bytes=${WORST_CASE_BYTES:-4000000}

# Each shape as UTF-16LE text of about $bytes bytes, repeating one piece.
python3 - "$work" "$bytes" "$corpus" <<'PYTHON'
import sys
work, size, corpus = sys.argv[1], int(sys.argv[2]), sys.argv[3]
shapes = {
    "typical": open(corpus, encoding="utf-8").read(),
    "longest-ka": "ਕ" * 16383 + " ",
    "longest-kaa": "ਕਾ" * 16382 + " ",
    "one-letter": "".join("ਸ" * n + " " for n in range(1, 49)),
    "separators": " .,;:!?()[]{}\t\r\n।॥0123456789",
    "addak-nukta": "ਪੱਕਾ" + "਼" * 24 + " " + "ਕੱ" * 24 + "ਕ ",
    "half-surrogates": "\ud800ਕ\udfff\udc00\ud800 \udbff\udbffਮ ",
}
for name, piece in shapes.items():
    text = piece * (size // (2 * len(piece)) + 1)
    with open(f"{work}/{name}.txt", "wb") as out:
        out.write(text.encode("utf-16-le", "surrogatepass"))
PYTHON

rate() {
    local file="$work/$1.txt"
    local t
    # Named, since the half surrogates alone would read as no text at all.
    t=$(median_seconds "$bin/taviro-convert" -q --from utf-16le "$file" "$work/out.txt")
    awk -v t="$t" -v size="$(stat -c %s "$file")" 'BEGIN { printf "%.2f", size / t / 1e6 }'
}

typical=$(rate typical)
printf 'Worst cases (%d runs each, median; at least 1/20 of typical text):\n' "$runs"
printf '  %-36s %9s MB/s\n' "typical text (the corpus)" "$typical"
for shape in longest-ka longest-kaa one-letter separators addak-nukta half-surrogates; do
    case "$shape" in
        longest-ka) label="longest words, ka x 16,383" ;;
        longest-kaa) label="longest words, kaa x 16,382" ;;
        one-letter) label="words of one letter, 1 to 48 long" ;;
        separators) label="every unit a separator" ;;
        addak-nukta) label="addak and nukta runs" ;;
        half-surrogates) label="half-surrogates" ;;
    esac
    r=$(rate "$shape")
    awk -v label="$label" -v r="$r" -v typical="$typical" 'BEGIN {
        fraction = typical / r
        verdict = "ok"
        if (fraction > 20) verdict = "BELOW 1/20"
        printf "  %-36s %9.2f MB/s  1/%-6.1f %s\n", label, r, fraction, verdict }'
done
