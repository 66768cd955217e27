// Spoken forms: an opt-in last step of word finishing. The rules keep an
// inherent "a" after a consonant that follows a long vowel when a consonant
// with a vowel of its own comes next (ਭਾਰਤੀ bhāratī); speech drops it
// (bhārtī). This step drops that "a", and no other, from a finished word.
// Where word finishing confirmed a one-letter piece (a chance match of a
// short dictionary word: ਸ + ਕਦੇ sakadē), the "a" after the join goes as the
// rules alone would drop it (sakdē).
// And the rules, or word finishing's joins, drop the "a" of a consonant that
// carries an addak or a tippi (ਤਰੱਕੀ tarkkī, ਬਸੰਤੀ basntī), which the writing
// asserts and speech says (tarakkī, basantī): this step puts it back.
// A tippi on a long vowel before the nasal of its class is the vowel's nasal
// (ਕਾਨੂੰਨ kānūn, not kānūnn), and an "a" the rules give an s before t, th
// or kā goes before it (ਪੁਰਸਕਾਰ puraskār, not pursakār).
#pragma once

#include <string_view>

#include "taviro/finish.h"
#include "taviro/plain_letters.h"

namespace taviro {

// Spoken forms write English loanwords as speakers say them too: whether the
// loanword lexicon writes its words, with these two switches.
constexpr bool writes_loanwords(bool loanwords, bool spoken) noexcept { return loanwords || spoken; }
// Plain letters are typed as words are said: they write spoken forms too.
constexpr bool writes_spoken_forms(bool spoken, Scheme scheme) noexcept { return spoken || scheme == Scheme::ascii; }

// Drops from `word`, finished from the Gurmukhi `units` (as read: see
// WordBuilder::units_read()), every inherent "a" that stands
//   long vowel (ā ū ē ō ai au; not ī) + one consonant + "a" + one consonant + a vowel,
// each piece a whole Gurmukhi character of its own: no addak, tippi, bindi or
// halant between them. An "a" of a kept prefix or suffix, and one at a junction
// of the word's pieces, stays, and so does a whole word written by a lexicon.
// A vowel the consonant after the "a" carries is not the word's kept final
// "a". Sets word.spoken when it drops one and moves the pieces' ends with it.
// Then it drops the "a" of the one consonant that begins a piece after a join
// when the piece before is one letter with its vowel and a consonant with a
// vowel of its own follows (ਕਸ਼ਮੀਰ ka + shamīr: kashmīr); not after be- or
// vi-, not on a va, and after the negating a- not on a sa but before t or th,
// setting word.spoken_join. Then it drops the letter a tippi (or a bindi)
// wrote between a long vowel and the nasal consonant of its class, which
// writes the same letter (not ā before ma), setting word.spoken_nasal. Last
// it moves the "a" after the s of st, sth or skā before the s, where a
// single ra, va, ja or da after a vowel comes before it, setting
// word.spoken_cluster.
// First it puts back the "a" of every consonant followed by an addak or a
// tippi (bindi is read as tippi), setting word.spoken_kept; the drops above
// never take such an "a", since no consonant follows it directly.
void drop_spoken_schwas(FinishedWord& word, std::u16string_view units);

}  // namespace taviro
