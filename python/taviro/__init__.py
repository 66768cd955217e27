"""Punjabi text in Gurmukhi into Roman script, as taviro-convert writes it.

    >>> import taviro
    >>> taviro.transliterate("ਕਮਲ ਪੱਕਾ ਸੰਤ")
    'kamal pakkā sant'

Failures raise a taviro.Error with the program's message: DictionaryError when
a dictionary cannot be opened or read, TextError for a text the rules cannot
convert, FileError when a file of convert_file's run could not be used. A
FileError is an OSError too, of the subclass its errno names: `except
FileNotFoundError` catches a missing source. An argument of the wrong type
raises TypeError naming it, as a text that is not a str does.

A Transliterator pickles as its dictionary's name and its options, so it can
be sent to a process pool or a Dask cluster; taviro.dask converts Dask bags,
dataframe columns and sets of files on the workers (import it on its own:
importing taviro does not import Dask).
"""

import functools
import os
import warnings
from pathlib import Path
from typing import Any, Callable, Iterable, List, Optional, Sequence, Tuple, Type, Union, overload

from ._taviro import DictionaryError, Error, FileError, FinishedWord, TextError, WordReport, __version__
from ._taviro import _MOST_THREADS, _dictionary_candidates, _replacements_warning
from ._taviro import Transliterator as _Engine

__all__ = [
    "DictionaryError",
    "Error",
    "FileError",
    "FinishedWord",
    "WordReport",
    "TextError",
    "Transliterator",
    "convert_file",
    "default_dictionary",
    "transliterate",
    "transliterate_many",
]

for _public in (Error, DictionaryError, FileError, TextError, WordReport):
    _public.__module__ = __name__

PathName = Union[str, "os.PathLike[str]"]


def default_dictionary() -> Path:
    """The words.mdb used when no other is named.

    The one beside this package (a wheel carries it, the build tree links it),
    else PREFIX/share/taviro/words.mdb of the prefix the package is installed
    in (PREFIX/lib/python3.../...-packages/taviro), where the programs find it.
    When neither is there, the first, so that the error names it.
    """
    here = Path(__file__).parent
    # PREFIX/lib stands beside PREFIX/share as PREFIX/bin does, so the
    # programs' rule asked from there gives their installed dictionary; its
    # first place, the program's own folder, is this package's here.
    candidates = [here / "words.mdb", *_dictionary_candidates(here.parents[2])[1:]]
    return next((file for file in candidates if file.is_file()), candidates[0])


class Transliterator(_Engine):
    """A dictionary loaded once, for many texts; threads may share one.

    The dictionary's user lexicon (taviro-dict add) is always honoured; with
    `loanwords=True` English loanwords are written as its loanword lexicon
    says, as with taviro-convert --loanwords; with `spoken=True` those, and
    the "a"s and nasals as speech says them (bhārtī, sakdē, kānūn), as with
    --spoken.
    With `scheme="ascii"` the Roman text is written in plain letters, as
    Punjabis type it (bharti for bhāratī), spoken forms with it, as with
    --scheme ascii; "marks", the default, writes the marks.
    """

    def __init__(self, dictionary: Optional[PathName] = None, *, loanwords: bool = False, spoken: bool = False,
                 scheme: str = "marks"):
        # A named dictionary is kept by its absolute name, so that a copy
        # unpickled in another process (another working folder) opens the
        # same file; the default one is whatever default the other side has.
        _check_type("loanwords", loanwords, bool)
        _check_type("spoken", spoken, bool)
        _check_type("scheme", scheme, str)
        named = None if dictionary is None else os.path.abspath(os.fspath(_check_path("dictionary", dictionary)))
        self._dictionary = named
        self._options = _options(loanwords, spoken, scheme)
        super().__init__(default_dictionary() if named is None else named, bool(loanwords), bool(spoken), scheme)

    @property
    def dictionary(self) -> Path:
        """The words.mdb this Transliterator loaded."""
        return default_dictionary() if self._dictionary is None else Path(self._dictionary)

    @property
    def loanwords(self) -> bool:
        """Whether English loanwords are written as the loanword lexicon says."""
        return dict(self._options)["loanwords"]

    @property
    def spoken(self) -> bool:
        """Whether spoken forms are written (taviro-convert --spoken)."""
        return dict(self._options)["spoken"]

    @property
    def scheme(self) -> str:
        """How the Roman text is written: "marks" or "ascii" (taviro-convert --scheme)."""
        return dict(self._options)["scheme"]

    def __reduce__(self) -> Tuple[Callable[..., "Transliterator"], Tuple[Any, ...]]:
        # Rebuilt on the other side from the dictionary's name and the options:
        # the dictionary, user lexicon included, is read again from that file,
        # which must be there for the process that unpickles it.
        return _rebuilt, (type(self), self._dictionary, self._options)

    def __repr__(self) -> str:
        return (f"taviro.Transliterator({str(self.dictionary)!r}, loanwords={self.loanwords}, spoken={self.spoken}, "
                f"scheme={self.scheme!r})")

    def convert_file(self, source: PathName, destination: PathName, *, from_encoding: str = "auto",
                     to_encoding: str = "utf-16le", threads: Optional[int] = None) -> str:
        """taviro-convert --from FROM --to TO -j THREADS SOURCE DESTINATION; see convert_file()."""
        written, replacements = self._run_file(source, destination, from_encoding, to_encoding, threads)
        if replacements:
            warnings.warn(_replacements_warning(replacements), UnicodeWarning, stacklevel=2)
        return written

    def _run_file(self, source: PathName, destination: PathName, from_encoding: str, to_encoding: str,
                  threads: Optional[int]) -> Tuple[str, int]:
        """The name written and the lone surrogates replaced, without a warning."""
        _check_path("source", source)
        _check_path("destination", destination)
        _check_type("from_encoding", from_encoding, str)
        _check_type("to_encoding", to_encoding, str)
        if threads is not None and (isinstance(threads, bool) or not isinstance(threads, int)
                                    or not 1 <= threads <= _MOST_THREADS):
            raise ValueError(f"threads must be a whole number from 1 to {_MOST_THREADS}, not {threads!r}")
        return self._convert_file(os.fspath(source), os.fspath(destination), from_encoding, to_encoding,
                                  threads or 0)


def _check_type(name: str, value: Any, kind: type) -> None:
    """A TypeError naming the parameter, as for a text that is not a str:
    a flag is a bool, not anything that is true or false."""
    if not isinstance(value, kind):
        raise TypeError(f"{name} must be {kind.__name__}, not {type(value).__name__}")


def _check_path(name: str, value: Any) -> Any:
    if not isinstance(value, (str, os.PathLike)):
        raise TypeError(f"{name} must be str or os.PathLike, not {type(value).__name__}")
    return value


def _options(loanwords: bool, spoken: bool, scheme: str) -> Tuple[Tuple[str, Any], ...]:
    """A Transliterator's options as it pickles them: equal for equal options."""
    return (("loanwords", bool(loanwords)), ("spoken", bool(spoken)), ("scheme", scheme))


def _rebuilt(kind: Type[Transliterator], dictionary: Optional[str],
             options: Tuple[Tuple[str, Any], ...]) -> Transliterator:
    return kind(dictionary, **dict(options))


@functools.lru_cache(maxsize=None)
def _default_transliterator(loanwords: bool, spoken: bool, scheme: str) -> Transliterator:
    return Transliterator(loanwords=loanwords, spoken=spoken, scheme=scheme)


def _transliterator(dictionary: Optional[PathName], loanwords: bool, spoken: bool, scheme: str) -> Transliterator:
    _check_type("loanwords", loanwords, bool)
    _check_type("spoken", spoken, bool)
    _check_type("scheme", scheme, str)
    if dictionary is None:
        return _default_transliterator(bool(loanwords), bool(spoken), scheme)
    return Transliterator(dictionary, loanwords=loanwords, spoken=spoken, scheme=scheme)


def transliterate(text: str, dictionary: Optional[PathName] = None, *, loanwords: bool = False,
                  spoken: bool = False, scheme: str = "marks") -> str:
    """The Roman text of `text`, as `taviro-convert --to utf-8` writes it:
    every line end becomes "\\n". A lone surrogate stays as it is, where a
    UTF-8 file has U+FFFD.

    The default dictionary is loaded once and kept; a named one is loaded for
    this call alone, so use a Transliterator to convert many texts with it.
    With `loanwords=True` English loanwords are written as Punjabi speakers
    say them (taviro-convert --loanwords); with `spoken=True` those, and the
    "a"s and nasals as speech says them (taviro-convert --spoken);
    with `scheme="ascii"` in plain letters, as Punjabis type it (--scheme ascii).
    """
    return _transliterator(dictionary, loanwords, spoken, scheme).transliterate(text)


# Texts without gaps give texts without gaps. With gaps the result is typed a
# Sequence, which a list of str is too, since mypy refuses overloads whose
# results could clash.
@overload
def transliterate_many(texts: Iterable[str], dictionary: Optional[PathName] = None, *,
                       loanwords: bool = False, spoken: bool = False, scheme: str = "marks") -> List[str]: ...
@overload
def transliterate_many(texts: Iterable[Optional[str]], dictionary: Optional[PathName] = None, *,
                       loanwords: bool = False, spoken: bool = False, scheme: str = "marks") -> Sequence[Optional[str]]: ...


def transliterate_many(texts: Iterable[Optional[str]], dictionary: Optional[PathName] = None, *,
                       loanwords: bool = False, spoken: bool = False, scheme: str = "marks") -> Sequence[Optional[str]]:
    """The Roman text of each of `texts`, each a text of its own, as
    transliterate() gives it: a list of many short texts (a column's values)
    converts several times faster in one call than in a call a text.
    None and pandas' missing values (NaN, pd.NA, NaT) give None, as a column
    with gaps has them. A TextError or TypeError names the text it is about by
    its place. One str is refused with a TypeError, not converted letter by
    letter: transliterate() converts one text."""
    return _transliterator(dictionary, loanwords, spoken, scheme).transliterate_many(texts)


def convert_file(source: PathName, destination: PathName, *, from_encoding: str = "auto",
                 to_encoding: str = "utf-16le", dictionary: Optional[PathName] = None,
                 loanwords: bool = False, spoken: bool = False, scheme: str = "marks",
                 threads: Optional[int] = None) -> str:
    """Converts the file `source` into `destination`, byte for byte as
    `taviro-convert --from FROM --to TO SOURCE DESTINATION` does, with its
    checks: the source name ends in .txt, and ".txt" is added to a destination
    name without it. Returns the name written; raises the run's reason when
    the run did not complete: TextError when the rules refuse the text,
    DictionaryError when the dictionary cannot answer, FileError otherwise.

    Like taviro-convert, it converts on one thread per core unless `threads`
    says how many (1 to 256); the bytes are the same for any number.
    """
    return _transliterator(dictionary, loanwords, spoken, scheme).convert_file(
        source, destination, from_encoding=from_encoding, to_encoding=to_encoding, threads=threads)
