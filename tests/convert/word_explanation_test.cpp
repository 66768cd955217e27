// The one wording of how a word was finished, which taviro-dict explain, the
// Python module and the page all show.

#include <gtest/gtest.h>

#include "taviro/convert/word_explanation.h"

namespace taviro {
namespace {

struct ExplainedWord {
    std::u16string text;
    std::u16string explanation;
};

// Each word explained as the second word of a short text.
template <std::size_t kCases>
void expect_explanations(const Dictionary& dictionary, const ExplainedWord (&cases)[kCases]) {
    for (const ExplainedWord& word : cases) {
        const std::u16string text = u"ਕਿ " + word.text + u"।";
        const ConvertedText converted = convert_text_with_words(text, dictionary);
        ASSERT_EQ(converted.words.size(), 2u);
        EXPECT_EQ(explain_word(converted.words[1], text, converted.text), word.explanation);
    }
}

TEST(WordExplanation, NamesTheWayOfFinishingAndThePiecesItLeft) {
    MemoryDictionary dictionary({u"kamal", u"nayan", u"kār", u"kāradār", u"dukān", u"pañjā", u"bī"});
    dictionary.pronounce(u"ਜਲੰਧਰ", u"jalandhar", Lexicon::user);
    dictionary.pronounce(u"ਟੈਕਸਟ", u"ṭaiksṭ", Lexicon::loanword);
    const ExplainedWord cases[] = {
        {u"ਕਮਲਨਯਨ", u"ਕਮਲਨਯਨ → kamalnayan: split into two dictionary words: first kamal + second nayan"},
        {u"ਉਪਕਾਰ", u"ਉਪਕਾਰ → upkār: the dictionary confirmed the stem: prefix up + stem kār"},
        {u"ਦੁਕਾਨਦਾਰ", u"ਦੁਕਾਨਦਾਰ → dukāndār: the dictionary confirmed the stem: stem dukān + suffix dār"},
        {u"ਉਪਕਾਰਦਾਰ", u"ਉਪਕਾਰਦਾਰ → upkārdār: the dictionary confirmed the stem: prefix up + stem kār + suffix dār"},
        {u"ਪੱਕਾ", u"ਪੱਕਾ → pakkā: the rules alone: no prefix, suffix or split was confirmed by the dictionary"},
        {u"ਜਲੰਧਰ", u"ਜਲੰਧਰ → jalandhar: written as your lexicon says"},
        {u"ਟੈਕਸਟ", u"ਟੈਕਸਟ → ṭaiksṭ: an English loanword, written as Punjabi speakers say it"},
    };
    expect_explanations(dictionary, cases);
}

// Spoken forms are said after the finish, whose pieces stay the dictionary's
// words; a lexicon's entry is never changed.
TEST(WordExplanation, SaysWhereSpokenFormsDroppedAnA) {
    MemoryDictionary dictionary({u"bhā", u"ratī", u"kamal", u"ji", u"sadā"});
    dictionary.pronounce(u"ਦੂਸਰਾ", u"dūsarā", Lexicon::user);
    dictionary.write_spoken_forms(true);
    const ExplainedWord cases[] = {
        // Before: "second rtī", a piece no dictionary holds.
        {u"ਭਾਰਤੀ", u"ਭਾਰਤੀ → bhārtī: split into two dictionary words: first bhā + second ratī; spoken form: a dropped "
                  u"after a long vowel"},
        {u"ਦੂਸਰਾ", u"ਦੂਸਰਾ → dūsarā: written as your lexicon says"},
        {u"ਕਮਲ", u"ਕਮਲ → kamal: the rules alone: no prefix, suffix or split was confirmed by the dictionary"},
        {u"ਜਿਸਦਾ", u"ਜਿਸਦਾ → jisdā: split into two dictionary words: first ji + second sadā; spoken form: the a at the "
                  u"join dropped"},
        {u"ਕਾਨੂੰਨ", u"ਕਾਨੂੰਨ → kānūn: the rules alone: no prefix, suffix or split was confirmed by the dictionary; "
                  u"spoken form: tippi said as the long vowel's nasal"},
        {u"ਪੁਰਸਕਾਰ", u"ਪੁਰਸਕਾਰ → puraskār: the rules alone: no prefix, suffix or split was confirmed by the "
                    u"dictionary; spoken form: a said before the s of st or sk"},
    };
    expect_explanations(dictionary, cases);
}

}  // namespace
}  // namespace taviro
