// Taviro's transliteration engine: Gurmukhi text in, spoken-style Roman text out.
//
// Text is UTF-16 throughout (char16_t / std::u16string). A position is one code
// unit and every comparison is an exact code-unit comparison: "ā" is not "a".
//
// The engine works word by word. The caller (the conversion run) splits the input
// into words and separators, feeds each word character to add_character(), closes
// the word with end_word(), and hands the result to finish_word(), which consults
// a Dictionary. The engine does no I/O and keeps no state of its own: the caller
// owns the CharacterState. Every failure is an EngineError.
//
// This header only gathers the engine's subjects; a file that needs one of them
// may include its own header instead.
#pragma once

#include "taviro/character.h"
#include "taviro/dictionary.h"
#include "taviro/engine_error.h"
#include "taviro/finish.h"
#include "taviro/gurmukhi.h"
#include "taviro/lexicon.h"
#include "taviro/memory_dictionary.h"
#include "taviro/roman_vowels.h"
#include "taviro/schwa.h"
#include "taviro/spoken.h"
#include "taviro/tables.h"
#include "taviro/text_counts.h"
#include "taviro/text_hash.h"
