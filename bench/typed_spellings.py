#!/usr/bin/python3
"""How close plain letters come to Roman Punjabi as native speakers type it.

Reads the Dakshina romanization data from ../shared/pronunciations (it is
never copied into the project) and prints, for the plain-letters scheme and
for the marks simply stripped from the marked text (spoken forms and the
default), four shares:

  top-1      words written as their most frequent typed spelling (any of
             them where several are typed equally often), and as their first
             most frequent one (strict);
  attested   words written as a spelling some typist used;
  a          of the words whose most frequent typed spelling is ours but for
             its "a"s (the same letters once every "a" is taken out of both),
             those whose "a"s are kept and dropped as typed;
  sentences  of the words of the hand-romanized sentences whose sentence
             has as many words on both sides, those written as typed
             (lower case, letters only, compared word by word).

Usage: typed_spellings.py TAVIRO_CONVERT [PRONUNCIATIONS_FOLDER]
"""
import collections
import re
import subprocess
import sys
import unicodedata
from pathlib import Path


def converted(program, text, *options):
    """The Roman text of `text`, as taviro-convert writes it to standard output."""
    done = subprocess.run([program, *options, '--to', 'utf-8', '-', '-'], input=text.encode('utf-8'),
                          capture_output=True, check=True)
    return done.stdout.decode('utf-8')


def stripped(text):
    """The marked text without its marks: ā a, ṭ t, ṃ m."""
    return ''.join(c for c in unicodedata.normalize('NFD', text) if not unicodedata.combining(c))


def spellings(folder, split):
    """{Gurmukhi word: Counter(typed spelling: how many typed it)}."""
    typed = collections.defaultdict(collections.Counter)
    with open(folder / f'dakshina-pa-words.{split}.tsv', encoding='utf-8') as rows:
        for row in rows:
            word, roman, count = row.rstrip('\n').split('\t')
            typed[word][roman.lower()] += int(count)
    return typed


def word_shares(typed, written):
    top = strict = attested = 0
    for word, roman in written.items():
        counts = typed[word]
        most = max(counts.values())
        top += counts[roman] == most
        strict += roman == counts.most_common(1)[0][0]
        attested += roman in counts
    count = len(written)
    return top / count, strict / count, attested / count


def a_share(typed, written):
    """Of the words written as their most frequent typed spelling but for
    their "a"s, the share written with the "a"s as typed, and how many."""
    matched = compared = 0
    for word, roman in written.items():
        most = typed[word].most_common(1)[0][0]
        if most.replace('a', '') == roman.replace('a', ''):
            compared += 1
            matched += most == roman
    return matched / compared, compared


def letters_only(text):
    return re.findall(r'[a-z]+', text.lower())


def sentence_share(native, typed, written):
    matched = compared = 0
    for gurmukhi, by_hand, ours in zip(native, typed, written):
        words = re.findall(r'[\u0A00-\u0A7F]+', gurmukhi)
        by_hand, ours = letters_only(by_hand), letters_only(ours)
        if len(ours) == len(by_hand) == len(words):
            compared += len(ours)
            matched += sum(a == b for a, b in zip(ours, by_hand))
    return matched / compared, compared


def main():
    program = sys.argv[1]
    folder = Path(sys.argv[2] if len(sys.argv) > 2 else Path(__file__).parent / '../../shared/pronunciations')
    schemes = {
        'plain letters (--scheme ascii)': lambda text: converted(program, text, '--scheme', 'ascii'),
        'marks stripped (--spoken)': lambda text: stripped(converted(program, text, '--spoken')).lower(),
        'marks stripped (the default)': lambda text: stripped(converted(program, text)).lower(),
    }
    native = (folder / 'dakshina-pa-sentences.dev.native.txt').read_text(encoding='utf-8').split('\n')
    by_hand = (folder / 'dakshina-pa-sentences.dev.roman.txt').read_text(encoding='utf-8').split('\n')
    for name, write in schemes.items():
        print(name)
        for split in ('dev', 'train'):
            typed = spellings(folder, split)
            words = list(typed)
            written = dict(zip(words, write('\n'.join(words)).split('\n')))
            top, strict, attested = word_shares(typed, written)
            a, compared = a_share(typed, written)
            print(f'  {split:5} words ({len(words)}): top-1 {top:.3f} (strict {strict:.3f}), attested {attested:.3f}, '
                  f'a {a:.3f} of {compared}')
        share, compared = sentence_share(native, by_hand, write('\n'.join(native)).split('\n'))
        print(f'  dev sentences: {share:.3f} of {compared} words')


if __name__ == '__main__':
    main()
