"""The module where corpus work runs: a Transliterator sent to other processes
by pickle, a process pool, and a Dask cluster of two worker processes on the
loopback converting lines, a dataframe column and files to what taviro-convert
writes; and its types as mypy sees them."""

import concurrent.futures
import logging
import multiprocessing
import os
import pickle
import shutil
import subprocess
from pathlib import Path

import dask.bag
import dask.dataframe
import pandas
import pytest
from dask.distributed import Client, LocalCluster

import taviro
import taviro.dask

CONVERT = os.environ["TAVIRO_CONVERT"]
DICT = os.environ["TAVIRO_DICT"]
CORPUS = Path(os.environ["TAVIRO_CORPUS"])
LINES = 3000
FILES = 5
# A word of the user lexicon, a loanword and a word of the rules alone.
LEXICON_TEXT = "ਜਲੰਧਰ ਟੈਕਸਟ ਵਰਤੋਂ"
# Lines whose Roman text depends on the line before: ਹ: alone is "ha:", after
# ਨੀ: "h:"; ਕ after ਕਮਲ is "ka" with a line feed, "k" with a carriage return too.
LINE_AFTER_LINE = "ਨੀ:\nਹ:\nਕਮਲ\nਕ ਸੰਤ\n"


@pytest.fixture(scope="module")
def corpus_lines() -> list:
    with CORPUS.open(encoding="utf-8", newline="") as lines:
        return [line for _, line in zip(range(LINES), lines)]


@pytest.fixture(scope="module")
def my_dictionary(tmp_path_factory) -> Path:
    """The default dictionary with a word of the user's own."""
    mine = tmp_path_factory.mktemp("dictionary") / "my.mdb"
    shutil.copyfile(taviro.default_dictionary(), mine)
    subprocess.run([DICT, "add", "--dictionary", str(mine), "ਜਲੰਧਰ", "jalandhar"], check=True, capture_output=True)
    return mine


@pytest.fixture(scope="module")
def corpus_files(corpus_lines, tmp_path_factory) -> list:
    """The corpus lines in a handful of files, one with Windows line ends, one
    in UTF-16LE with its mark, one with lone carriage returns (inside a line
    and as its last byte), each with what taviro-convert --to utf-8 writes."""
    folder = tmp_path_factory.mktemp("sources")
    files = []
    for number in range(FILES):
        text = LINE_AFTER_LINE + "".join(corpus_lines[number::FILES])
        source = folder / f"part{number}.txt"
        if number == 1:
            source.write_bytes(text.replace("\n", "\r\n").encode("utf-8"))
        elif number == 2:
            source.write_bytes("\ufeff".encode("utf-16-le") + text.encode("utf-16-le"))
        elif number == 3:
            source.write_bytes((text.replace("ਕਮਲ\n", "ਕਮਲ\r", 1) + "ਕਮਲ\r").encode("utf-8"))
        else:
            source.write_bytes(text.encode("utf-8"))
        subprocess.run([CONVERT, "-q", "--to", "utf-8", str(source), str(folder / f"roman{number}.txt")],
                       check=True)
        files.append((source, (folder / f"roman{number}.txt").read_bytes()))
    return files


@pytest.fixture(scope="module")
def client():
    with LocalCluster(n_workers=2, processes=True, threads_per_worker=1, host="127.0.0.1",
                                  dashboard_address=None, silence_logs=logging.ERROR) as cluster:
        with Client(cluster) as connected:
            yield connected


@pytest.mark.parametrize("named, loanwords, expected", [
    (True, True, "jalandhar ṭaiksṭ vartōṃ"),
    (True, False, "jalandhar ṭaiksaṭ vartōṃ"),
    (False, True, "jalndhar ṭaiksṭ vartōṃ"),
], ids=["lexicon and loanwords", "lexicon alone", "default dictionary with loanwords"])
def test_a_pickled_transliterator_converts_as_the_one_pickled(my_dictionary, tmp_path, monkeypatch, named,
                                                              loanwords, expected):
    # Named by a relative name, then unpickled in another folder.
    monkeypatch.chdir(my_dictionary.parent)
    original = taviro.Transliterator(my_dictionary.name if named else None, loanwords=loanwords)
    monkeypatch.chdir(tmp_path)

    again = pickle.loads(pickle.dumps(original))

    assert type(again) is taviro.Transliterator
    assert again.transliterate(LEXICON_TEXT) == original.transliterate(LEXICON_TEXT) == expected
    assert (again.dictionary, again.loanwords) == (original.dictionary, loanwords)


def test_a_process_pool_converts_with_the_transliterator_it_was_sent(my_dictionary, corpus_lines):
    mine = taviro.Transliterator(my_dictionary, loanwords=True)
    texts = [LEXICON_TEXT] + ["".join(corpus_lines[start::4]) for start in range(4)]

    # Spawned, the workers have nothing of this process but what was pickled.
    with concurrent.futures.ProcessPoolExecutor(2, mp_context=multiprocessing.get_context("spawn")) as pool:
        converted = list(pool.map(mine.transliterate, texts))

    assert converted == [mine.transliterate(text) for text in texts]


def test_a_bag_of_lines_converts_on_the_cluster_to_what_taviro_convert_writes(client, corpus_files):
    # Line ends as they are in the files: Python's own reading would make \r\n a \n.
    lines = dask.bag.read_text([str(source) for source, _ in corpus_files if source.name != "part2.txt"],
                               linedelimiter="\n")
    roman = taviro.dask.transliterate_lines(lines).compute()

    assert "".join(roman).encode("utf-8") == b"".join(
        expected for source, expected in corpus_files if source.name != "part2.txt")
    assert len(roman) == lines.count().compute()
    # One dictionary loaded by each worker, not one per line or per file.
    loads = client.run(lambda: taviro.dask._loaded.cache_info().misses)
    assert max(loads.values()) == 1
    # The default one is named to the workers without being loaded here.
    assert taviro.dask._state_of(None) == taviro.dask._state_of(taviro.Transliterator())
    # Texts without line ends would run into each other: refused, not joined.
    with pytest.raises(ValueError, match="line 1 of a partition has no line end"):
        taviro.dask.transliterate_lines(dask.bag.from_sequence(["ਕਮਲ", "ਸੰਤ"], npartitions=1)).compute()


def test_files_convert_on_the_cluster_to_what_taviro_convert_writes(client, corpus_files, tmp_path):
    done = taviro.dask.convert_files([source for source, _ in corpus_files], tmp_path, to_encoding="utf-8").compute()

    assert [Path(file.written).name for file in done] == [source.name for source, _ in corpus_files]
    assert [Path(file.written).read_bytes() for file in done] == [expected for _, expected in corpus_files]
    clash = tmp_path / "again"
    clash.mkdir()
    shutil.copy(corpus_files[0][0], clash)
    with pytest.raises(ValueError, match="would both be written as 'part0.txt'"):
        taviro.dask.convert_files([corpus_files[0][0], clash / "part0.txt"], tmp_path)
    with pytest.raises(taviro.FileError, match="missing.txt"):
        taviro.dask.convert_files([tmp_path / "missing.txt"], tmp_path).compute()


def test_a_dataframe_column_converts_on_the_cluster_value_by_value(client, my_dictionary, corpus_lines):
    mine = taviro.Transliterator(my_dictionary, loanwords=True)
    missing = [None, float("nan"), pandas.NA, pandas.NaT]
    values = [LEXICON_TEXT, *missing, *LINE_AFTER_LINE.splitlines(),
              *(line.rstrip("\n") for line in corpus_lines[:500])]
    frame = dask.dataframe.from_pandas(pandas.DataFrame({"text": values}), npartitions=4)

    roman = taviro.dask.transliterate_column(frame["text"], mine).compute()

    assert roman.tolist() == [mine.transliterate(value) if isinstance(value, str) else None for value in values]
    assert roman.tolist() == mine.transliterate_many(values)
    # The same as pandas' own map over the column, which the README shows, but for None in every gap.
    mapped = pandas.Series(values).map(mine.transliterate, na_action="ignore")
    assert roman.tolist() == mapped.where(mapped.notna(), None).tolist()
    assert roman.tolist()[5:7] == ["nī:", "ha:"]
    # A bad value is named by its index label, not by its place in a partition.
    numbers = dask.dataframe.from_pandas(pandas.Series(["ਕਮਲ", None, 3], index=["v", "w", "x"]), npartitions=1)
    with pytest.raises(TypeError, match="^the value at index 'x' must be str, not int$"):
        taviro.dask.transliterate_column(numbers, mine).compute()


def test_mypy_sees_the_types_of_the_module(tmp_path):
    program = tmp_path / "program.py"
    program.write_text(
        "import taviro\n"
        "mine: taviro.Transliterator = taviro.Transliterator('my.mdb', loanwords=True)\n"
        "roman: str = mine.transliterate('ਕਮਲ') + taviro.transliterate('ਕਮਲ')\n"
        "starts: list[int] = [word.source_begin for word in mine.finish_details('ਕਮਲ')]\n"
        "written: str = taviro.convert_file('notes.txt', 'roman.txt', threads=2)\n"
        "wrong: int = mine.transliterate('ਕਮਲ')\n", encoding="utf-8")

    checked = subprocess.run(["mypy", "--strict", "--no-incremental", "--cache-dir", os.devnull, "program.py"],
                             capture_output=True, text=True, cwd=tmp_path, check=False)

    assert checked.returncode == 1, checked.stdout
    assert checked.stdout.splitlines()[:-1] == [
        "program.py:6: error: Incompatible types in assignment (expression has type \"str\", "
        "variable has type \"int\")  [assignment]"]
    # The package's own code agrees with the stub of the extension it calls
    # (Dask's and pandas' code left out: reading it takes mypy a while).
    package = subprocess.run(["mypy", "--no-incremental", "--cache-dir", os.devnull, "--follow-imports=skip",
                              "-p", "taviro"],
                             capture_output=True, text=True, cwd=Path(taviro.__file__).parent.parent, check=False)
    assert package.returncode == 0, package.stdout


def test_the_stub_holds_what_the_extension_holds(tmp_path):
    # pybind11's classes have a metaclass of their own, and one without a
    # constructor takes any arguments only to refuse them.
    allowed = tmp_path / "allowed.txt"
    allowed.write_text("taviro._taviro.WordReport\ntaviro._taviro.WordReport.__init__\n"
                       "taviro._taviro.FinishedWord\ntaviro._taviro.FinishedWord.__init__\n"
                       "taviro._taviro.Transliterator\n", encoding="utf-8")

    checked = subprocess.run(["/usr/bin/python3", "-m", "mypy.stubtest", "--allowlist", str(allowed),
                              "taviro._taviro"], capture_output=True, text=True, cwd=tmp_path, check=False)

    assert checked.returncode == 0, checked.stdout


def test_importing_taviro_leaves_dask_for_whoever_wants_it():
    imported = subprocess.run(["/usr/bin/python3", "-c", "import sys, taviro; print(*sys.modules)"],
                              capture_output=True, text=True, check=True)

    assert not {"dask", "distributed", "pandas"} & set(imported.stdout.split())
