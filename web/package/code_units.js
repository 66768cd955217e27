// Code units made a string and a string made code units, exactly as they
// are, lone surrogates included: the package's Taviro and the web page both
// do it here.
//
// Each export is a declaration: the page and the page's worker put this
// module together with the others into one script.

// Strings are built from code units by the UTF-16 decoder, at once, where
// it keeps every unit as it is: on a little-endian machine (every machine a
// browser runs on), for units without a lone surrogate, which it would
// replace. Otherwise in slices by fromCharCode, since a call's arguments are
// limited.
export function unitsToString(units) {
  if (kLittleEndian && !hasLoneSurrogate(units)) return utf16.decode(units);
  const kSlice = 8192;
  const parts = [];
  for (let at = 0; at < units.length; at += kSlice) {
    parts.push(String.fromCharCode.apply(null, units.subarray(at, at + kSlice)));
  }
  return parts.join('');
}

// A byte-order mark that begins a text is a character of it, as in the engine.
const utf16 = new TextDecoder('utf-16le', { ignoreBOM: true });
const kLittleEndian = new Uint8Array(Uint16Array.of(1).buffer)[0] === 1;

function hasLoneSurrogate(units) {
  for (let at = 0; at < units.length; ++at) {
    const unit = units[at];
    if (unit >= 0xD800 && unit <= 0xDFFF) {
      if (unit <= 0xDBFF && at + 1 < units.length && units[at + 1] >= 0xDC00 && units[at + 1] <= 0xDFFF) ++at;
      else return true;
    }
  }
  return false;
}

// A string's code units, each half of a surrogate pair its own.
export function stringToUnits(text) {
  const units = new Uint16Array(text.length);
  for (let i = 0; i < text.length; ++i) units[i] = text.charCodeAt(i);
  return units;
}
