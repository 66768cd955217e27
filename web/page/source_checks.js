// What the page tells of a file before it hands the file to the converter:
// whether it is a text file at all. A program, a picture or a word
// processor's document would otherwise be read as some encoding and either
// "convert" into nonsense or fail with a message about a character, which
// says nothing to the person who opened the wrong file. Nothing here decodes
// text: it looks for the control characters that no text holds, in the
// bytes, or in the 16-bit units of a file in UTF-16.

// How much of the file is looked at: enough to meet a binary file's headers
// and tables, little enough to take no time.
const kLookedAtBytes = 65536;
// A text may hold a stray control character or two; more than one unit in a
// hundred is no text.
const kMostStrayShare = 0.01;

// Tab, line feed, vertical tab, form feed and carriage return, with the
// escape and the end-of-file mark (Ctrl-Z) that old files may hold.
function isTextControl(unit) {
  return (unit >= 0x09 && unit <= 0x0D) || unit === 0x1A || unit === 0x1B;
}

// Whether units, bytes or 16-bit units, look like no text: a NUL, or
// control characters in a share no text has.
function holdsNoText(units) {
  let stray = 0;
  for (const unit of units) {
    if (unit === 0) return true;
    if (unit < 0x20 && !isTextControl(unit)) ++stray;
  }
  return stray > units.length * kMostStrayShare;
}

function unitsOf(bytes, littleEndian) {
  const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  const units = new Uint16Array(bytes.length >> 1);
  for (let i = 0; i < units.length; ++i) units[i] = view.getUint16(2 * i, littleEndian);
  return units;
}

/**
 * Whether a file's bytes are plainly not text. A file in UTF-16, with its
 * byte-order mark or without one (as the desktop's files may be), is looked
 * at in 16-bit units, where a NUL byte is part of a letter; any other file in
 * bytes.
 * @param {ArrayBuffer} buffer
 */
export function isNotText(buffer) {
  const bytes = new Uint8Array(buffer, 0, Math.min(buffer.byteLength, kLookedAtBytes));
  const [first, second] = bytes;
  if (first === 0xFF && second === 0xFE) return holdsNoText(unitsOf(bytes.subarray(2), true));
  if (first === 0xFE && second === 0xFF) return holdsNoText(unitsOf(bytes.subarray(2), false));
  const utf8Mark = first === 0xEF && second === 0xBB && bytes[2] === 0xBF;
  if (!utf8Mark && bytes.includes(0)) return holdsNoText(unitsOf(bytes, true));
  return holdsNoText(bytes);
}
