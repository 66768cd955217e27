// Tells the encoding of a text from its first bytes, so that a source can be
// read as it streams in: look at a bounded prefix, decide, then decode.
//
// The rule, in order:
//  1. A byte-order mark decides: EF BB BF is UTF-8, FF FE UTF-16LE, FE FF UTF-16BE.
//  2. Well-formed UTF-8 that holds a Gurmukhi letter is UTF-8, whatever single
//     bytes it holds besides (a stray NUL included): UTF-16LE read as UTF-8
//     never decodes into the Gurmukhi block, since its bytes pair up as xx 0A.
//  3. A NUL byte means UTF-16, little-endian (the windows' own files, often
//     written without a byte-order mark) or big-endian, but only when at least
//     three units in four are ASCII or Gurmukhi, as Punjabi text is: UTF-16
//     text holds a NUL in every ASCII character, space and line end included,
//     while a binary file holds NULs among units of every kind.
//  4. Without NULs, a text is still UTF-16 when it is the one kind of UTF-16
//     file that has none: Gurmukhi alone, with no space or line end, such as a
//     single word. Its units lie in U+0A01..U+0A7F (bytes xx 0A in
//     little-endian order, xx below 0x80), or are a danda (64 09, 65 09) or a
//     zero-width non-joiner or joiner (0C 20, 0D 20). Its bytes are all below
//     0x80, so it is also well-formed UTF-8, but UTF-8 text in which every
//     second character is a line feed, tab or carriage return is no real text.
//     So an even number of bytes that all pair up into such units is UTF-16.
//  5. Everything else is UTF-8, pure ASCII included.
// Rules 3 and 4 try little-endian first, then the same rule byte-swapped.
//
// The one text this misreads is an ASCII text in which every second character
// is a line feed (single-character lines ending in a bare line feed); naming
// the encoding (--from utf-8) reads it as meant. A UTF-16 file without a
// byte-order mark that is mostly neither ASCII nor Gurmukhi needs --from.
//
// Whether a file is text at all is asked apart: holds_no_text().
#pragma once

#include <cstddef>
#include <string_view>

#include "taviro/encoding/encoding.h"

namespace taviro {

// How much of a text detection looks at.
inline constexpr std::size_t kDetectionBytes = 4096;

// The encoding of a text that begins with `prefix` (all of it, or its first
// kDetectionBytes bytes).
Encoding detect_encoding(std::string_view prefix);

// How much of a file holds_no_text() is given: enough to meet a binary file's
// headers and tables, little enough to take no time.
inline constexpr std::size_t kTextCheckBytes = 65536;

// Whether `prefix`, read in `encoding`, is plainly no text (a program, a
// picture, a word processor's document): it holds a NUL, or control
// characters other than tab, the line ends, form feed, escape and Ctrl-Z in
// more than one unit in a hundred. UTF-16 is looked at in 16-bit units, where
// a NUL byte is half of a letter; UTF-8 in bytes. The web page asks the same.
bool holds_no_text(std::string_view prefix, Encoding encoding);

}  // namespace taviro
