"""Taviro on a Dask cluster: lines, dataframe columns and files converted on
the workers, with one Transliterator per worker process, not one per line or
per task.

    >>> import dask.bag, taviro.dask
    >>> lines = dask.bag.read_text(["a.txt", "b.txt"], linedelimiter="\\n")
    >>> "".join(taviro.dask.transliterate_lines(lines).compute())   # taviro-convert --to utf-8, file after file

A Transliterator given here travels to the workers as its dictionary's name
and its options (it pickles so); each worker loads that dictionary once and
keeps it while the file is unchanged. The dictionary must be at the same name
on every worker, as the programs must be.
"""

import functools
import os
from typing import TYPE_CHECKING, Any, Dict, Iterable, List, NamedTuple, Optional, Sequence, Tuple, Type

from . import Error, PathName, Transliterator, _options, default_dictionary
from ._taviro import _line_ends

if TYPE_CHECKING:
    from dask.bag.core import Bag
    from dask.dataframe.core import Series

__all__ = ["ConvertedFile", "convert_files", "transliterate_column", "transliterate_lines"]


class _State(NamedTuple):
    """What a Transliterator pickles as, and so what a worker builds it from.
    Not a plain tuple: Dask would take one that begins with a class for a task."""
    kind: Type[Transliterator]
    dictionary: Optional[str]
    options: Tuple[Tuple[str, Any], ...]


class ConvertedFile(NamedTuple):
    """One file of convert_files(): the source, the name written, and how many
    lone UTF-16 surrogates became U+FFFD in UTF-8 (convert_file warns of them)."""
    source: str
    written: str
    replacements: int


def transliterate_lines(lines: "Bag", transliterator: Optional[Transliterator] = None) -> "Bag":
    """The Roman line of every line of `lines`, a bag of lines with their line
    ends, as dask.bag.read_text gives them.

    The lines of one partition are converted as one text, as taviro-convert
    converts a file: a line's Roman text may depend on the line before it (a
    one-letter word at the start of a line keeps or drops its final "a" by
    what the previous line ended with, a carriage return among it). With one
    partition per file, which read_text makes unless given a blocksize, and
    the files' own line ends, which it keeps when given linedelimiter="\\n",
    a file's Roman lines joined are the bytes `taviro-convert --to utf-8`
    writes for it. A carriage return that no line feed follows ends a line
    there too, so a line holding one gives its Roman lines as one string.
    """
    return lines.map_partitions(_transliterate_partition, _state_of(transliterator))


def transliterate_column(column: "Series", transliterator: Optional[Transliterator] = None) -> "Series":
    """The Roman text of every value of a Dask dataframe column of strings,
    each value a text of its own, as transliterate_many() converts them: a
    missing value (None, NaN, pd.NA) gives None."""
    return column.map_partitions(_transliterate_values, _state_of(transliterator), meta=(column.name, "object"))


def convert_files(sources: Iterable[PathName], folder: PathName, transliterator: Optional[Transliterator] = None,
                  *, from_encoding: str = "auto", to_encoding: str = "utf-16le",
                  threads: int = 1) -> "Bag":
    """A bag that, computed, converts each source into `folder` under its own
    name, as `taviro-convert SOURCE FOLDER` does, one file per task, and
    gives a ConvertedFile for each.

    Each file is written as taviro.convert_file writes it: in full, or not at
    all. A worker is one core, so each file converts on `threads` threads, 1
    unless told. Two sources of the same name would write one file, and are
    refused before anything runs.
    """
    from dask.bag.core import from_sequence

    names = [os.path.abspath(os.fspath(source)) for source in sources]
    _refuse_clashes(names)
    target = os.path.abspath(os.fspath(folder))
    return from_sequence(names, npartitions=max(1, len(names))).map(
        _convert_one, _state_of(transliterator), target, from_encoding, to_encoding, threads)


def _refuse_clashes(names: Sequence[str]) -> None:
    seen: Dict[str, str] = {}
    for name in names:
        base = os.path.basename(name)
        if base in seen:
            raise ValueError(f"'{seen[base]}' and '{name}' would both be written as '{base}'")
        seen[base] = name


def _state_of(transliterator: Optional[Transliterator]) -> _State:
    """What `transliterator` pickles as: small, and the same for equal ones."""
    if transliterator is None:
        # What Transliterator() pickles as, without loading the dictionary
        # here: only the workers convert, so only they need one.
        return _State(Transliterator, None, _options(False, False, "marks"))
    _, state = transliterator.__reduce__()
    return _State(*state)


def _on_worker(state: _State) -> Transliterator:
    """This process's Transliterator of `state`, loaded again when its file changed."""
    try:
        found = os.stat(default_dictionary() if state.dictionary is None else state.dictionary)
        version: Optional[Tuple[int, int, int]] = (found.st_ino, found.st_size, found.st_mtime_ns)
    except OSError:
        version = None  # loading it raises the DictionaryError that says why
    return _loaded(state, version)


@functools.lru_cache(maxsize=4)
def _loaded(state: _State, version: Optional[Tuple[int, int, int]]) -> Transliterator:
    return state.kind(state.dictionary, **dict(state.options))


def _transliterate_partition(partition: Iterable[str], state: _State) -> List[str]:
    lines = list(partition)
    for number, line in enumerate(lines[:-1]):
        if not line.endswith("\n"):
            raise ValueError(f"line {number + 1} of a partition has no line end, so it would run into the next: "
                             f"{line[:40]!r}; give transliterate_lines lines, or map taviro.transliterate "
                             "over texts of their own")
    roman = _on_worker(state).transliterate("".join(lines)).split("\n")
    ends = [_line_ends(line) for line in lines]
    if len(roman) != sum(ends) + 1:
        raise RuntimeError(f"{_counted(sum(ends), 'line end')} gave {_counted(len(roman) - 1, 'Roman one')}")
    # Each line gets the Roman lines of its own line ends, so that they join
    # into the text's Roman text whatever its carriage returns.
    grouped: List[str] = []
    place = 0
    for count in ends:
        grouped.append("".join(part + "\n" for part in roman[place:place + count]))
        place += count
    if grouped:
        grouped[-1] += roman[-1]
    return grouped


def _counted(number: int, thing: str) -> str:
    return f"{number} {thing}" + ("" if number == 1 else "s")


def _transliterate_values(values: Any, state: _State) -> Any:
    # A value is named by its label, not by its place in this partition,
    # which the caller never sees: 3, not numpy's np.int64(3).
    labels = [repr(label.item() if hasattr(label, "dtype") else label) for label in values.index]
    roman = _on_worker(state).transliterate_many(values, _labels=labels)
    # A Series of the partition's own kind, made without importing pandas,
    # whose missing types would fail the package's own type check.
    return type(values)(roman, index=values.index, name=values.name, dtype=object)


def _convert_one(source: str, state: _State, folder: str, from_encoding: str, to_encoding: str,
                 threads: int) -> ConvertedFile:
    written, replacements = _on_worker(state)._run_file(source, folder, from_encoding, to_encoding, threads)
    return ConvertedFile(source, written, replacements)
