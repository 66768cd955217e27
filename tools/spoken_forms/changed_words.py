#!/usr/bin/python3
"""Lists the words that spoken forms change, for reading them by hand.

    changed_words.py [--sample N] [--seed S] TAVIRO_CONVERT TEXT...

Takes every distinct Gurmukhi word of the TEXTs (UTF-8: running text, or word
lists, one a line), converts each with taviro-convert --loanwords and with
--spoken, and prints, a tab between, each word that the two write otherwise:
the word, its form with the loanwords alone, its spoken form and how often
the TEXTs hold it. With --sample N only N of them, picked at random with the
seed S, so that a reading can be repeated. The word dictionary is the one
taviro-convert finds by itself.
"""

import argparse
import collections
import os
import random
import re
import subprocess
import sys
import tempfile

# Where a run ends a word: white space, ASCII digits and punctuation, the
# brackets and the dandas; a word is kept when every letter is Gurmukhi.
SEPARATORS = re.compile("[\t\n\f\r -?\\[-\\]{-}\u0964\u0965]+")
GURMUKHI = re.compile("[\u0a00-\u0a7f]+")
# Three short words first, so that the word end drops a final "a" for every
# word after them, as it does in running text.
LEAD = "ਕਮਲ ਕਮਲ ਕਮਲ"


def words_of(texts):
    counts = collections.Counter()
    for name in texts:
        with open(name, encoding="utf-8") as text:
            counts.update(word for word in SEPARATORS.split(text.read()) if GURMUKHI.fullmatch(word))
    return counts


def converted(convert, words, option):
    with tempfile.TemporaryDirectory() as folder:
        source = os.path.join(folder, "words.txt")
        with open(source, "w", encoding="utf-8") as out:
            out.write("\n".join([LEAD, *words]) + "\n")
        result = subprocess.run([convert, "-q", "-j", "1", "--to", "utf-8", option, source, "-"],
                                capture_output=True, check=True)
    return result.stdout.decode("utf-8").split("\n")[1:len(words) + 1]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--sample", type=int)
    parser.add_argument("--seed", type=int, default=15)
    parser.add_argument("convert")
    parser.add_argument("texts", nargs="+")
    arguments = parser.parse_args()
    counts = words_of(arguments.texts)
    words = sorted(counts)
    changed = [(word, loanwords, spoken, counts[word])
               for word, loanwords, spoken in zip(words, converted(arguments.convert, words, "--loanwords"),
                                                   converted(arguments.convert, words, "--spoken"))
               if loanwords != spoken]
    if arguments.sample is not None and arguments.sample < len(changed):
        changed = random.Random(arguments.seed).sample(changed, arguments.sample)
    print(f"# {len(changed)} words of {len(words)}: word, with --loanwords, with --spoken, occurrences",
          file=sys.stderr)
    for row in changed:
        print("\t".join(map(str, row)))


if __name__ == "__main__":
    main()
