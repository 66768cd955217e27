// Spoken forms with the shipped words.mdb: the "a" that speech drops after a
// long vowel goes, every other word comes out as the rules and the loanword
// lexicon write it, and nothing changes unless it is asked for.

#include <gtest/gtest.h>

#include <string>

#include "taviro/convert/text_conversion.h"
#include "taviro/run/word_store.h"

namespace taviro {
namespace {

struct Word {
    std::u16string_view gurmukhi;
    std::u16string_view spoken;
    std::u16string_view by_the_rules;
};

constexpr Word kWords[] = {
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
    // The loanword lexicon, also for a word that only real text holds.
    {u"ਟੈਕਸਟ", u"ṭaiksṭ", u"ṭaiksaṭ"},
    {u"ਇੰਡੈਕਸ", u"iṇḍaiks", u"iṇḍaikas"},
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

TEST(SpokenForms, DropTheAAfterALongVowelAndLeaveTheRestAlone) {
    const WordStore rules(TAVIRO_WORDS_MDB);
    const WordStore spoken(TAVIRO_WORDS_MDB, WordStoreOptions{.spoken = true});
    for (const Word& word : kWords) {
        const std::u16string text = std::u16string(word.gurmukhi) + u" ";
        SCOPED_TRACE(::testing::PrintToString(text));
        EXPECT_EQ(convert_text(text, spoken), std::u16string(word.spoken) + u" ");
        EXPECT_EQ(convert_text(text, rules), std::u16string(word.by_the_rules) + u" ");
    }
}

}  // namespace
}  // namespace taviro
