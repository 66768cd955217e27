// The Roman vowels, the letters every rule over Roman text tells apart from
// the rest (schwa deletion, word finishing, plain letters and the dictionary
// tools' checks), and the nasal mark beside them.
#pragma once

#include <string_view>

namespace taviro {

inline constexpr std::u16string_view kRomanVowels = u"aeiou\u0101\u0113\u012B\u014D\u016B";  // a e i o u ā ē ī ō ū

// ṃ: what a tippi or a bindi writes where no consonant of a class follows it.
inline constexpr char16_t kNasalMark = u'\u1E43';

constexpr bool is_roman_vowel(char16_t letter) noexcept {
    return kRomanVowels.find(letter) != std::u16string_view::npos;
}

// Whether an "a" followed by `next` is an inherent vowel that a rule may drop:
// not when it begins the vowel "ai" or "au", which would turn into another.
constexpr bool is_droppable_a(char16_t letter, char16_t next) noexcept {
    return letter == u'a' && next != u'i' && next != u'u';
}

}  // namespace taviro
