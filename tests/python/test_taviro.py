"""The module taviro against taviro-convert and taviro-dict built from the same
source: the same bytes, the program's messages, and one Transliterator shared
by threads."""

import errno
import os
import pickle
import shutil
import subprocess
import sys
import threading
from pathlib import Path

import pytest

import taviro

CONVERT = os.environ["TAVIRO_CONVERT"]
DICT = os.environ["TAVIRO_DICT"]
CORPUS = Path(os.environ["TAVIRO_CORPUS"])
LINES = 1500


@pytest.fixture(scope="module")
def corpus() -> str:
    # Text around words first: typographic punctuation, English, emoji and format characters.
    around_words = "‘ਕਮਲ’ “ਟੈਕਸਟ” ਕਮਲ\u00a0ਕਮਲ – banana ਪੰਜਾਬ😀 ਕ😀ਕ 👨\u200d👩\u200d👧 ਸਮਝ\u200bਦਾ ਕ੍\u200cਸ\n"
    with CORPUS.open(encoding="utf-8", newline="") as lines:
        return around_words + "".join(line for _, line in zip(range(LINES), lines))


@pytest.fixture(scope="module")
def own_dictionary(tmp_path_factory) -> Path:
    """A dictionary of two words, so that words finish otherwise than with words.mdb."""
    folder = tmp_path_factory.mktemp("dictionary")
    (folder / "words.txt").write_text("ਪੰਜਾਬ\nਕਮਲ\n", encoding="utf-8")
    subprocess.run([DICT, "build", str(folder / "words.txt"), "-o", str(folder / "own.mdb")],
                   check=True, capture_output=True)
    return folder / "own.mdb"


def run_convert(*arguments: str, stdin: bytes = b"") -> subprocess.CompletedProcess:
    return subprocess.run([CONVERT, "-q", *arguments], input=stdin, capture_output=True, check=False)


def program_reason(finished: subprocess.CompletedProcess) -> str:
    """The last line taviro-convert wrote on failing, without its name."""
    assert finished.returncode == 1, finished
    return finished.stderr.decode("utf-8").splitlines()[-1].removeprefix("taviro-convert: ")


@pytest.mark.parametrize("named, scheme", [(False, "marks"), (True, "marks"), (False, "ascii")],
                         ids=["default dictionary", "named dictionary", "plain letters"])
def test_transliterate_gives_what_taviro_convert_writes_in_utf8(corpus, own_dictionary, tmp_path, named, scheme):
    source = tmp_path / "corpus.txt"
    source.write_text(corpus, encoding="utf-8", newline="")
    dictionary = ["--dictionary", str(own_dictionary)] if named else []
    assert run_convert(*dictionary, "--scheme", scheme, "--to", "utf-8", str(source),
                       str(tmp_path / "roman.txt")).returncode == 0

    roman = taviro.transliterate(corpus, dictionary=own_dictionary if named else None, scheme=scheme)

    assert roman.encode("utf-8") == (tmp_path / "roman.txt").read_bytes()


def test_finish_details_count_as_taviro_dict_stats_and_follow_the_text(corpus):
    words = taviro.Transliterator().finish_details(corpus)

    stats = subprocess.run([DICT, "stats", "-"], input=corpus.encode("utf-8"), capture_output=True, check=True)
    expected = dict(line.split(": ") for line in stats.stdout.decode().splitlines())
    finishes = [word.finish for word in words]
    assert {
        "words": len(words),
        "prefix": sum("prefix" in finish for finish in finishes),
        "suffix": sum("suffix" in finish for finish in finishes),
        "split": finishes.count("split"),
        "lexicon": finishes.count("user") + finishes.count("loanword"),
        "none": finishes.count("none"),
    } == {name: int(count) for name, count in expected.items()}
    # Each word's Roman text comes next in the converted text, with its pieces inside it.
    roman = taviro.transliterate(corpus)
    place = 0
    for word in words:
        place = roman.index(word.roman, place) + len(word.roman)
        assert 0 <= word.stem_begin <= word.stem_end <= len(word.roman)
    # Places count code points, as Python does, past characters of two UTF-16 units too.
    assert [word.source for word in taviro.Transliterator().finish_details("\U0001F600 ਕਮਲ ਸੰਤ")][-2:] == ["ਕਮਲ", "ਸੰਤ"]


def test_a_word_report_is_a_value_as_the_named_tuple_was():
    word, = taviro.Transliterator().finish_details("ਪੰਜਾਬੀਆਂ")

    assert repr(word) == ("WordReport(source='ਪੰਜਾਬੀਆਂ', roman='pañjābīāṃ', source_begin=0, source_end=8, "
                          "finish='split', stem_begin=0, stem_end=7, spoken=False, explanation='ਪੰਜਾਬੀਆਂ → "
                          "pañjābīāṃ: split into two dictionary words: first pañjābī + second āṃ')")
    assert word.pieces == [("first", 0, 7), ("second", 7, 9)]
    again = pickle.loads(pickle.dumps(word))
    assert again == word and hash(again) == hash(word) and type(again) is taviro.WordReport
    # A pickle of the versions that called it FinishedWord.
    old = pickle.dumps(word, protocol=2).replace(b"ctaviro\nWordReport\n", b"ctaviro\nFinishedWord\n")
    assert pickle.loads(old) == word and (word.start, word.end, word.stem_start) == (0, 8, 0)
    assert word != taviro.Transliterator().finish_details("ਪੰਜਾਬੀ")[0] and word != "ਪੰਜਾਬੀਆਂ"
    with pytest.raises(AttributeError):
        word.roman = "panjabian"


@pytest.mark.parametrize("installed, expected", [
    (True, "prefix/share/taviro/words.mdb"),
    (False, "prefix/lib/python3/site-packages/taviro/words.mdb"),
], ids=["the programs' dictionary", "none: the package's own place"])
def test_an_installed_package_without_its_own_dictionary_finds_the_programs_one(tmp_path, installed, expected):
    package = tmp_path / "prefix" / "lib" / "python3" / "site-packages" / "taviro"
    package.mkdir(parents=True)
    for part in Path(taviro.__file__).parent.iterdir():
        if part.name != "words.mdb" and part.is_file():
            shutil.copy(part, package)
    if installed:
        (tmp_path / "prefix" / "share" / "taviro").mkdir(parents=True)
        shutil.copyfile(taviro.default_dictionary(), tmp_path / "prefix" / "share" / "taviro" / "words.mdb")

    found = subprocess.run([sys.executable, "-c", "import taviro; print(taviro.default_dictionary())"],
                           env={**os.environ, "PYTHONPATH": str(package.parent)}, capture_output=True, check=True)

    assert found.stdout.decode().strip() == str(tmp_path / expected)


@pytest.mark.parametrize("source_bytes, from_encoding, to_encoding", [
    (lambda text: text.encode("utf-8"), "auto", "utf-16le"),
    (lambda text: text.encode("utf-16-le"), "utf-16le", "utf-8"),
    (lambda text: "\ufeff".encode("utf-16-be") + text.encode("utf-16-be"), "auto", "utf-8"),
    (lambda text: text.encode("utf-16-be"), "auto", "utf-8"),
], ids=["utf-8 to utf-16le", "utf-16le without a mark to utf-8", "utf-16be to utf-8",
        "utf-16be without a mark to utf-8"])
def test_convert_file_writes_the_file_taviro_convert_writes(corpus, tmp_path, source_bytes, from_encoding,
                                                             to_encoding):
    source = tmp_path / "corpus.txt"
    source.write_bytes(source_bytes(corpus))
    (tmp_path / "program").mkdir()
    (tmp_path / "module").mkdir()
    assert run_convert("--from", from_encoding, "--to", to_encoding, str(source),
                       str(tmp_path / "program" / "roman")).returncode == 0

    for threads in (1, 2, None):
        written = taviro.convert_file(source, tmp_path / "module" / "roman", from_encoding=from_encoding,
                                      to_encoding=to_encoding, threads=threads)

        assert written == str(tmp_path / "module" / "roman.txt")
        assert Path(written).read_bytes() == (tmp_path / "program" / "roman.txt").read_bytes()
    # A folder takes the source under its own name, as with taviro-convert.
    written = taviro.convert_file(source, tmp_path / "module", from_encoding=from_encoding, to_encoding=to_encoding)
    assert written == str(tmp_path / "module" / "corpus.txt")
    assert Path(written).read_bytes() == (tmp_path / "program" / "roman.txt").read_bytes()
    for threads in (0, 257, 1.5, True):
        with pytest.raises(ValueError):
            taviro.convert_file(source, tmp_path / "module" / "roman", threads=threads)


def test_failures_raise_the_error_of_their_kind_with_the_program_message(own_dictionary, tmp_path):
    missing_dictionary = str(tmp_path / "missing.mdb")
    with pytest.raises(taviro.DictionaryError) as raised:
        taviro.Transliterator(missing_dictionary)
    assert str(raised.value) == program_reason(run_convert("--dictionary", missing_dictionary, "-", "-"))

    unconvertible = "ਕੱx"
    with pytest.raises(taviro.TextError) as raised:
        taviro.transliterate(unconvertible)
    assert str(raised.value) == program_reason(run_convert("-", "-", stdin=unconvertible.encode("utf-8")))
    # Of many texts, the one refused is named by its place, a missing one counted.
    with pytest.raises(taviro.TextError) as raised:
        taviro.transliterate_many(["ਕਮਲ", None, unconvertible])
    assert str(raised.value) == "text 2 of the list: " + program_reason(
        run_convert("-", "-", stdin=unconvertible.encode("utf-8")))
    with pytest.raises(TypeError, match="^transliterate_many takes a list of texts, not one str; use transliterate$"):
        taviro.transliterate_many("ਕਮਲ")

    (tmp_path / "notes.TXT").write_text("ਕਮਲ", encoding="utf-8")
    (tmp_path / "ls.txt").write_bytes(b"\x7fELF\x02\x01\x01" + bytes(9) + b"\x03\x00\x3e\x00")
    for source in [tmp_path / "missing.txt", tmp_path / "notes.TXT", tmp_path / "ls.txt"]:
        destination = tmp_path / "roman.txt"
        with pytest.raises(taviro.FileError) as raised:
            taviro.convert_file(source, destination)
        assert str(raised.value) == program_reason(run_convert(str(source), str(destination)))
        assert not destination.exists()

    # Before: a text the rules refuse in a file raised FileError.
    refused, refused_roman = tmp_path / "refused.txt", tmp_path / "refused-roman.txt"
    refused.write_text(unconvertible, encoding="utf-8")
    with pytest.raises(taviro.TextError) as raised:
        taviro.convert_file(refused, refused_roman)
    assert str(raised.value) == program_reason(run_convert(str(refused), str(refused_roman)))
    assert not refused_roman.exists()

    # A dictionary is never written over, whatever its name.
    source = tmp_path / "notes.txt"
    source.write_text("ਕਮਲ", encoding="utf-8")
    dictionary = tmp_path / "dictionary.txt"
    dictionary.write_bytes(own_dictionary.read_bytes())
    with pytest.raises(taviro.FileError) as raised:
        taviro.convert_file(source, dictionary, dictionary=dictionary)
    assert str(raised.value) == program_reason(
        run_convert("--dictionary", str(dictionary), str(source), str(dictionary)))
    assert dictionary.read_bytes() == own_dictionary.read_bytes()

    assert all(issubclass(error, taviro.Error)
               for error in (taviro.DictionaryError, taviro.TextError, taviro.FileError))


# Before: pybind11's "incompatible function arguments", which names no type.
@pytest.mark.parametrize("value, kind", [(b"kamal", "bytes"), (None, "NoneType"), (42, "int")],
                         ids=["bytes", "None", "int"])
def test_a_text_that_is_no_str_is_refused_by_its_type(value, kind):
    for call in (taviro.transliterate, taviro.Transliterator().transliterate, taviro.Transliterator().finish_details):
        with pytest.raises(TypeError, match=f"^text must be str, not {kind}$"):
            call(value)
    # Of many, None is a missing text, which gives None.
    if value is None:
        assert taviro.transliterate_many(["ਕਮਲ", value]) == ["kamal", None]
    else:
        with pytest.raises(TypeError, match=f"^text 1 of the list must be str, not {kind}$"):
            taviro.transliterate_many(["ਕਮਲ", value])


@pytest.mark.parametrize("call, message", [
    (lambda: taviro.Transliterator(scheme=None), "scheme must be str, not NoneType"),
    (lambda: taviro.Transliterator(spoken="no"), "spoken must be bool, not str"),
    (lambda: taviro.transliterate("ਕਮਲ", loanwords=1), "loanwords must be bool, not int"),
    (lambda: taviro.convert_file("a.txt", "b.txt", from_encoding=None), "from_encoding must be str, not NoneType"),
    (lambda: taviro.convert_file(None, "b.txt"), "source must be str or os.PathLike, not NoneType"),
], ids=["scheme", "flag", "flag of a call", "encoding", "file name"])
def test_an_argument_of_the_wrong_type_raises_a_type_error_naming_it(call, message):
    # Before: pybind11's "incompatible constructor arguments", and "no" taken for true.
    with pytest.raises(TypeError, match=f"^{message}$"):
        call()


def test_a_file_error_is_the_os_error_of_its_errno(tmp_path):
    missing, written = str(tmp_path / "missing.txt"), str(tmp_path / "roman.txt")
    with pytest.raises(FileNotFoundError) as raised:
        taviro.convert_file(missing, written)
    assert isinstance(raised.value, taviro.FileError) and raised.value.errno == errno.ENOENT
    assert str(raised.value) == program_reason(run_convert(missing, written))


def test_a_texts_last_word_is_written_as_if_a_separator_followed():
    assert [taviro.transliterate(text) for text in ("ਨ", "ਨ\n", "ਉਹ ਘਰ ਚ")] == ["na", "na\n", "uh ghar ca"]


def test_a_lone_surrogate_stays_as_in_the_utf16_that_taviro_convert_writes():
    # Before: refused as a TextError. Only UTF-8 bytes cannot hold one.
    text = "ਕਮਲ \ud800\r\nਸੰਤ\udc00 ਕਮਲ\U0001F600"
    written = run_convert("--to", "utf-16le", "-", "-", stdin=text.encode("utf-16", "surrogatepass"))

    roman = written.stdout.decode("utf-16", "surrogatepass").replace("\r\n", "\n")
    assert taviro.transliterate(text) == roman and taviro.transliterate_many([text]) == [roman]
    words = taviro.Transliterator().finish_details(text)
    # A lone surrogate alone is no Gurmukhi word, and an emoji ends the last.
    assert [(word.source, word.roman, word.start) for word in words][1:3] == [
        ("ਸੰਤ\udc00", "santa\udc00", 7), ("ਕਮਲ", "kamal", 12)]
    assert pickle.loads(pickle.dumps(words)) == words


def test_threads_share_one_transliterator(corpus):
    lines = corpus.splitlines(keepends=True)
    texts = ["".join(lines[start::8]) for start in range(8)]
    transliterator = taviro.Transliterator()
    expected = [transliterator.transliterate(text) for text in texts]
    results = [[] for _ in texts]

    def convert(index: int) -> None:
        for _ in range(4):
            results[index].append(transliterator.transliterate(texts[index]))
            results[index].append("".join(word.roman for word in transliterator.finish_details(texts[index])))

    threads = [threading.Thread(target=convert, args=(index,)) for index in range(len(texts))]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()

    words_only = ["".join(word.roman for word in transliterator.finish_details(text)) for text in texts]
    assert results == [[expected[index], words_only[index]] * 4 for index in range(len(texts))]


def test_the_user_lexicon_wins_and_loanwords_come_when_asked(tmp_path):
    mine = tmp_path / "my.mdb"
    shutil.copyfile(taviro.default_dictionary(), mine)
    subprocess.run([DICT, "add", "--dictionary", str(mine), "ਜਲੰਧਰ", "jalandhar"], check=True, capture_output=True)
    text = "ਜਲੰਧਰ ਟੈਕਸਟ ਵਰਤੋਂ"

    assert taviro.transliterate(text) == "jalndhar ṭaiksaṭ vartōṃ"
    assert taviro.transliterate(text, loanwords=True) == "jalndhar ṭaiksṭ vartōṃ"
    assert taviro.transliterate(text, dictionary=mine, loanwords=True) == "jalandhar ṭaiksṭ vartōṃ"
    words = taviro.Transliterator(mine, loanwords=True).finish_details(text)
    assert [word.finish for word in words][:2] == ["user", "loanword"]
    # In the one wording that taviro-dict explain and the page use too.
    assert words[0].explanation == "ਜਲੰਧਰ → jalandhar: written as your lexicon says"
    explained = subprocess.run([DICT, "explain", "--dictionary", str(mine), "--loanwords", text],
                               capture_output=True, check=True)
    assert [word.explanation for word in words] == explained.stdout.decode().splitlines()

    # Spoken forms: the loanwords and the "a" dropped after a long vowel; your entries still win.
    spoken = taviro.Transliterator(mine, spoken=True)
    assert spoken.transliterate(text + " ਭਾਰਤੀ") == "jalandhar ṭaiksṭ vartōṃ bhārtī"
    assert taviro.transliterate("ਭਾਰਤੀ", spoken=True) == "bhārtī"
    assert pickle.loads(pickle.dumps(spoken)).transliterate("ਭਾਰਤੀ") == "bhārtī"
    explained = subprocess.run([DICT, "explain", "--dictionary", str(mine), "--spoken", "ਭਾਰਤੀ", "ਤਰੱਕੀ"],
                               capture_output=True, check=True)
    # taviro-dict explain adds that the dictionary holds ਤਰੱਕੀ itself.
    assert [word.explanation for word in spoken.finish_details("ਭਾਰਤੀ ਤਰੱਕੀ")] == \
        [line.split(" (the dictionary holds this word")[0] for line in explained.stdout.decode().splitlines()]
    assert [word.spoken for word in spoken.finish_details("ਭਾਰਤੀ ਕਮਲ ਤਰੱਕੀ")] == [True, False, True]

    # Plain letters, told beside the marked text; your entries folded to them too.
    plain = taviro.Transliterator(mine, scheme="ascii")
    assert plain.transliterate(text + " ਭਾਰਤੀ") == "jalandhar taikst varton bharti"
    words = plain.finish_details("ਭਾਰਤੀ")
    assert (words[0].roman, words[0].ascii, pickle.loads(pickle.dumps(words[0])) == words[0]) == \
        ("bhārtī", "bharti", True)
    explained = subprocess.run([DICT, "explain", "--dictionary", str(mine), "--scheme", "ascii", "ਭਾਰਤੀ"],
                               capture_output=True, check=True)
    assert [word.explanation for word in words] == explained.stdout.decode().splitlines()
    with pytest.raises(ValueError, match="unknown scheme 'plain'"):
        taviro.Transliterator(mine, scheme="plain")


@pytest.mark.parametrize("schema, refusal", [
    ("CREATE TRIGGER t AFTER INSERT ON pronunciations BEGIN DELETE FROM words; END;", "holds a trigger 't'"),
    ("CREATE VIEW loanwords AS SELECT 'ਕਮਲ' AS word, 'owned' AS roman;", "holds a view 'loanwords'"),
    ("CREATE VIRTUAL TABLE notes USING fts4(text);", "holds a virtual table 'notes'"),
    ("CREATE TABLE notes (text TEXT); ALTER TABLE words ADD COLUMN note TEXT;", None),
], ids=["trigger", "view", "virtual table", "extra columns and tables"])
def test_a_dictionary_from_someone_else_is_read_as_data_only(tmp_path, schema, refusal):
    import contextlib
    import sqlite3

    dictionary = tmp_path / "theirs.mdb"
    with contextlib.closing(sqlite3.connect(dictionary)) as database:
        database.executescript("CREATE TABLE words (words TEXT); INSERT INTO words VALUES ('kamal'), ('nayan');"
                               "CREATE TABLE pronunciations (word TEXT, roman TEXT);"
                               "INSERT INTO pronunciations VALUES ('ਜਲਂਧਰ', 'jalandhar');" + schema)
    before = dictionary.read_bytes()

    if refusal is None:
        assert taviro.Transliterator(dictionary).transliterate("ਜਲੰਧਰ ਕਮਲਨਯਨ") == "jalandhar kamalnayan"
    else:
        with pytest.raises(taviro.DictionaryError) as raised:
            taviro.Transliterator(dictionary)
        assert str(raised.value) == f"'{dictionary}' {refusal}; a dictionary is data only"
        assert str(raised.value) == program_reason(run_convert("--dictionary", str(dictionary), "-", "-"))
    assert dictionary.read_bytes() == before
