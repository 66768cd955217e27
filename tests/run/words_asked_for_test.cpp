// What the shipped words.mdb writes for words of the corpus when asked for
// more than the rules: English loanwords as Punjabi speakers say them, native
// words as the rules write them; spoken forms, which drop the "a" that speech
// drops after a long vowel and leave every other word alone. Nothing changes
// unless it is asked for.

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "taviro/convert/text_conversion.h"
#include "taviro/run/word_store.h"

namespace taviro {
namespace {

struct Word {
    std::u16string_view gurmukhi;
    std::u16string_view asked_for;
    std::u16string_view by_the_rules;
};

constexpr Word kLoanwords[] = {
    // Loanwords of the corpus: no vowel where English has none.
    {u"ਟੈਕਸਟ", u"ṭaiksṭ", u"ṭaiksaṭ"},
    {u"ਪਾਸਵਰਡ", u"pāsvarḍ", u"pāsvaraḍ"},
    // Speakers break a cluster that begins with s: the rules' vowel after it stays.
    {u"ਸਟਾਈਲ", u"saṭāīl", u"saṭāīl"},
    {u"ਗਰੁੱਪ", u"grupp", u"garupp"},
    {u"ਸਟੈਂਡਰਡ", u"saṭaiṇḍarḍ", u"saṭaiṇḍraḍ"},
    {u"ਡਰਾਇੰਗ", u"ḍrāiṅg", u"ḍarāiṅg"},
    {u"ਚਾਰਟ", u"cārṭ", u"cāraṭ"},
    {u"ਸਕ੍ਰਿਪਟ", u"sakripṭ", u"sakripaṭ"},
    {u"ਪ੍ਰੋਗਰਾਮ", u"prōgrām", u"prōgarām"},
    {u"ਸਰਵਰ", u"sarvar", u"saravar"},
    // Loanwords of the corpus that no word list has.
    {u"ਇੰਡੈਕਸ", u"iṇḍaiks", u"iṇḍaikas"},
    {u"ਡਿਫਾਲਟ", u"ḍiphālṭ", u"ḍiphālaṭ"},
    // The neutral vowel goes where English has it, not where the rules put it.
    {u"ਇੰਟਰਨੈਟ", u"iṇṭarnaiṭ", u"iṇṭranaiṭ"},
    // Native words keep the rules' form: the dental ਤ ਦ fit no English word.
    {u"ਵਰਤੋਂ", u"vartōṃ", u"vartōṃ"},
    {u"ਪ੍ਰਾਪਤ", u"prāpat", u"prāpat"},
    {u"ਸਕਦਾ", u"sakdā", u"sakdā"},
    {u"ਗਲਤੀ", u"galtī", u"galtī"},
    // Native words that share a skeleton with a common English word (grebe,
    // cubs) but show no sign of English spelling.
    {u"ਗਰੀਬ", u"garīb", u"garīb"},
    {u"ਕਬਜ਼", u"kabaz", u"kabaz"},
};

constexpr Word kSpokenForms[] = {
    // Long vowel, consonant, "a", consonant with a vowel: the "a" goes, also
    // where the dictionary split the word or confirmed an affix around it.
    {u"ਭਾਰਤੀ", u"bhārtī", u"bhāratī"},
    {u"ਦੂਸਰਾ", u"dūsrā", u"dūsarā"},
    {u"ਮਾਨਸਿਕ", u"mānsik", u"mānasik"},
    {u"ਤੋਤਲੀ", u"tōtlī", u"tōtalī"},
    {u"ਆਮਦਨ", u"āmdan", u"āmadan"},
    {u"ਵੇਰਵਾ", u"vērvā", u"vēravā"},
    {u"ਐਡਰੈੱਸ", u"aiḍraiss", u"aiḍaraiss"},
    {u"ਨੌਕਰੀ", u"naukrī", u"naukarī"},
    // The loanword lexicon.
    {u"ਟੈਕਸਟ", u"ṭaiksṭ", u"ṭaiksaṭ"},
    // Native words outside the context stay: short words, geminates, a
    // cluster after the vowel, words whose dictionary split decides.
    {u"ਕਮਲ", u"kamal", u"kamal"},
    {u"ਪੁੱਛਦਾ", u"pucchdā", u"pucchdā"},
    {u"ਵੱਖਰਾ", u"vakkhrā", u"vakkhrā"},
    {u"ਪੰਜਾਬੀ", u"pañjābī", u"pañjābī"},
    {u"ਭਾਰਤ", u"bhārat", u"bhārat"},
    {u"ਕਾਰਨ", u"kāran", u"kāran"},
    {u"ਬਾਂਦਰ", u"bāndar", u"bāndar"},
    {u"ਸਮਝਦਾਰ", u"samajhdār", u"samajhdār"},
    // Where speech keeps the "a": after ī, which ends the first word of
    // compounds; after the prefix be-; before ha; before a vowel letter;
    // before Gurbani's short vowel at the end of a word.
    {u"ਸਮੀਕਰਨ", u"samīkaran", u"samīkaran"},
    {u"ਬੇਖ਼ਬਰ", u"bēḵẖabar", u"bēḵẖabar"},
    {u"ਨਾਸਹਾਇਕ", u"nāsahāik", u"nāsahāik"},
    {u"ਏਧਰਓਧਰ", u"ēdharōdhar", u"ēdharōdhar"},
    {u"ਪਰਾਪਤਿ", u"parāpati", u"parāpati"},
    {u"ਸਾਜਨੁ", u"sājanu", u"sājanu"},
};

void expect_words(WordStoreOptions asked, std::span<const Word> words) {
    const WordStore rules(TAVIRO_WORDS_MDB);
    const WordStore asked_for(TAVIRO_WORDS_MDB, asked);
    for (const Word& word : words) {
        const std::u16string text = std::u16string(word.gurmukhi) + u" ";
        SCOPED_TRACE(::testing::PrintToString(text));
        EXPECT_EQ(convert_text(text, asked_for), std::u16string(word.asked_for) + u" ");
        EXPECT_EQ(convert_text(text, rules), std::u16string(word.by_the_rules) + u" ");
    }
}

TEST(LoanwordLexicon, WritesLoanwordsAsSpokenAndLeavesNativeWordsAlone) {
    expect_words({.loanwords = true}, kLoanwords);
}

TEST(SpokenForms, DropTheAAfterALongVowelAndLeaveTheRestAlone) {
    expect_words({.spoken = true}, kSpokenForms);
}

}  // namespace
}  // namespace taviro
