#!/usr/bin/python3
"""Writes the golden files anew from what taviro-convert writes now.

    tests/run/golden/regenerate.py build/bin/taviro-convert

Run it only for a change of the rules that is meant, and read the diff of
tests/run/golden/ before committing it: every changed line is a change users
will see. The Wikipedia text may not be committed, not even converted line by
line, so its golden file holds a digest of each block of lines; the script
prints the blocks that changed, and their lines old and new can be seen with
taviro-convert itself.
"""
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
WIKIPEDIA = HERE.parents[2] / ".." / "shared" / "corpus" / "pa-wikipedia.utf8.txt"
MODES = {"rules": [], "loanwords": ["--loanwords"], "spoken": ["--spoken"], "ascii": ["--scheme", "ascii"]}
BLOCK_LINES = 50


def fnv1a64(data: bytes) -> int:
    value = 0xcbf29ce484222325
    for byte in data:
        value = ((value ^ byte) * 0x100000001b3) & 0xFFFFFFFFFFFFFFFF
    return value


def wikipedia_lines() -> str:
    numbers = []
    for line in (HERE / "wikipedia-lines.txt").read_text().splitlines():
        if line and not line.startswith("#"):
            first, _, last = line.partition("-")
            numbers.extend(range(int(first), int(last or first) + 1))
    text = WIKIPEDIA.read_text(encoding="utf-8").split("\n")
    return "".join(text[n - 1] + "\n" for n in numbers)


def convert(program: str, options: list, text: bytes) -> bytes:
    return subprocess.run([program, "-q", "--to", "utf-8", *options, "-", "-"], input=text,
                          capture_output=True, check=True).stdout


def main() -> None:
    program = sys.argv[1]
    ui = (HERE / "ui-strings.txt").read_bytes()
    wikipedia = wikipedia_lines().encode("utf-8")
    digests = []
    for mode, options in MODES.items():
        (HERE / f"ui-strings.{mode}.txt").write_bytes(convert(program, options, ui))
        lines = convert(program, options, wikipedia).decode("utf-8").split("\n")[:-1]
        for block in range(0, len(lines), BLOCK_LINES):
            data = "".join(line + "\n" for line in lines[block:block + BLOCK_LINES]).encode("utf-8")
            digests.append(f"{mode} {block + 1} {fnv1a64(data):016x}\n")
    old = (HERE / "wikipedia.digests").read_text() if (HERE / "wikipedia.digests").exists() else ""
    for line in sorted(set(digests) - set(old.splitlines(keepends=True))):
        print("changed:", line.strip())
    (HERE / "wikipedia.digests").write_text("".join(digests))


if __name__ == "__main__":
    main()
