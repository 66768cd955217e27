#!/usr/bin/python3
"""The Python module on 50 MB of corpus text, in one process and on a Dask
LocalCluster of two worker processes on this machine, the same code on both:
the text as eight files converted file by file (taviro.dask.convert_files), as
a bag of their lines written back to files (taviro.dask.transliterate_lines),
and as a dataframe column of those lines, each a text of its own
(taviro.dask.transliterate_column). Then what one core converts in memory:
the whole text in one call, a call a line as pandas' series.map makes them,
and the lines in one transliterate_many call.

Usage: PYTHONPATH=build/python bench/python_cluster.py CORPUS
PYTHON_BYTES (default 50 MB) of text; RUNS (default 3) runs per figure, the
median shown. The cluster's start is not counted; it is shown apart.
"""
import itertools
import logging
import os
import statistics
import sys
import tempfile
import time
from pathlib import Path

import dask
import dask.bag
import dask.dataframe
import pandas
from dask.distributed import Client, LocalCluster

import taviro
import taviro.dask

BYTES = int(os.environ.get("PYTHON_BYTES", 50_000_000))
RUNS = int(os.environ.get("RUNS", 3))
FILES = 8
PARTITIONS = 8


def corpus_lines(corpus: Path, wanted: int) -> list:
    """Whole lines of the corpus, repeated, up to `wanted` bytes of UTF-8."""
    lines = [line for line in corpus.read_text(encoding="utf-8").splitlines(keepends=True) if line.strip()]
    taken, size = [], 0
    while size < wanted:
        line = lines[len(taken) % len(lines)]
        taken.append(line)
        size += len(line.encode("utf-8"))
    return taken


def write_files(lines: list, folder: Path) -> list:
    names = []
    for number in range(FILES):
        name = folder / f"part{number}.txt"
        name.write_text("".join(lines[number::FILES]), encoding="utf-8")
        names.append(str(name))
    return names


def median_seconds(run) -> float:
    times = []
    for _ in range(RUNS):
        started = time.perf_counter()
        run()
        times.append(time.perf_counter() - started)
    return statistics.median(times)


def same_files(first: Path, second: Path) -> bool:
    names = sorted(file.name for file in first.iterdir())
    return names == sorted(file.name for file in second.iterdir()) and all(
        (first / name).read_bytes() == (second / name).read_bytes() for name in names)


def pipelines(names: list, lines: list, work: Path) -> dict:
    """Each pipeline as a function of the scheduler that runs it and its output folder."""
    column = dask.dataframe.from_pandas(pandas.DataFrame({"text": [line.rstrip("\n") for line in lines]}),
                                        npartitions=PARTITIONS)

    def files(scheduler, out):
        taviro.dask.convert_files(names, out, to_encoding="utf-8").compute(scheduler=scheduler)

    def bag_of_lines(scheduler, out):
        roman = taviro.dask.transliterate_lines(dask.bag.read_text(names))
        roman.map(str.rstrip, "\n").to_textfiles(str(out / "*.txt"), encoding="utf-8", last_endline=True,
                                                 compute=True, scheduler=scheduler)

    def dataframe_column(scheduler, out):
        (out / "column.txt").write_text("\n".join(
            taviro.dask.transliterate_column(column["text"]).compute(scheduler=scheduler)), encoding="utf-8")

    return {"8 files, convert_files": files, "their lines, transliterate_lines": bag_of_lines,
            "a column of the lines, transliterate_column": dataframe_column}


def one_call_against_a_call_a_line(lines: list) -> None:
    text = "".join(lines)
    transliterator = taviro.Transliterator()
    whole = median_seconds(lambda: transliterator.transliterate(text))
    each = median_seconds(lambda: [transliterator.transliterate(line) for line in lines])
    many = median_seconds(lambda: transliterator.transliterate_many(lines))
    print(f"One core, in memory: the whole text in one call {BYTES / whole / 1e6:.0f} MB/s; "
          f"its {len(lines)} lines a call a line (as series.map makes them) {BYTES / each / 1e6:.0f} MB/s, "
          f"in one transliterate_many call {BYTES / many / 1e6:.0f} MB/s ({each / many:.1f}x)")


def timed_rows(runs: dict, scheduler, work: Path, label: str) -> dict:
    """The median seconds of each pipeline on `scheduler`, each run's output in
    a folder of its own (`label`-pipeline-run). The folder is one of the tasks'
    arguments, so that no run's tasks are those of the run before: a cluster
    that still holds their results would hand them back without converting."""
    seconds = {}
    for number, (name, run) in enumerate(runs.items()):
        folders = (work / f"{label}-{number}-{count}" for count in itertools.count())

        def once(run=run, folders=folders):
            out = next(folders)
            out.mkdir()
            run(scheduler, out)

        seconds[name] = median_seconds(once)
    return seconds


def main() -> int:
    corpus = Path(sys.argv[1])
    lines = corpus_lines(corpus, BYTES)
    print(f"Input: {BYTES} bytes of UTF-8 corpus text, {len(lines)} lines in {FILES} files "
          f"({RUNS} runs each, median)")
    print(f"Load before: {' '.join(open('/proc/loadavg').read().split()[:3])} on {os.cpu_count()} cores\n")
    with tempfile.TemporaryDirectory(prefix="taviro-bench-") as scratch:
        work = Path(scratch)
        (work / "sources").mkdir()
        names = write_files(lines, work / "sources")
        runs = pipelines(names, lines, work)
        alone = timed_rows(runs, "sync", work, "alone")
        started = time.perf_counter()
        with LocalCluster(n_workers=2, processes=True, threads_per_worker=1, host="127.0.0.1",
                          dashboard_address=None, silence_logs=logging.ERROR) as cluster, Client(cluster) as client:
            start_up = time.perf_counter() - started
            together = timed_rows(runs, client.get, work, "together")
        print(f"{'':44} {'one process':>12} {'2 workers':>12} {'speed-up':>9}  same bytes")
        for number, name in enumerate(runs):
            same = all(same_files(work / f"alone-{number}-0", work / f"together-{number}-{count}")
                       for count in range(RUNS))
            print(f"{name:44} {alone[name]:10.2f} s {together[name]:10.2f} s "
                  f"{alone[name] / together[name]:8.2f}x  {'yes' if same else 'NO'}")
            print(f"{'':44} {BYTES / alone[name] / 1e6:7.0f} MB/s {BYTES / together[name] / 1e6:7.0f} MB/s")
        print(f"\nStarting the cluster took {start_up:.1f} s.")
    one_call_against_a_call_a_line(lines)
    return 0


if __name__ == "__main__":
    sys.exit(main())
