// The loanword lexicon of the shipped words.mdb on words of the corpus:
// English loanwords come out as Punjabi speakers say them, native words as
// the rules write them, and nothing changes unless it is asked for.

#include <gtest/gtest.h>

#include <string>

#include "taviro/convert/text_conversion.h"
#include "taviro/run/word_store.h"

namespace taviro {
namespace {

struct Word {
    std::u16string_view gurmukhi;
    std::u16string_view with_loanwords;
    std::u16string_view by_the_rules;
};

constexpr Word kWords[] = {
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

TEST(LoanwordLexicon, WritesLoanwordsAsSpokenAndLeavesNativeWordsAlone) {
    const WordStore rules(TAVIRO_WORDS_MDB);
    const WordStore loanwords(TAVIRO_WORDS_MDB, WordStoreOptions{.loanwords = true});
    for (const Word& word : kWords) {
        const std::u16string text = std::u16string(word.gurmukhi) + u" ";
        SCOPED_TRACE(::testing::PrintToString(text));
        EXPECT_EQ(convert_text(text, loanwords), std::u16string(word.with_loanwords) + u" ");
        EXPECT_EQ(convert_text(text, rules), std::u16string(word.by_the_rules) + u" ");
    }
}

}  // namespace
}  // namespace taviro
