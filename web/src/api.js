// The module's JavaScript face, shared by the page's worker and the node-level
// test: a Taviro object converts a string or a file's bytes and gives back
// strings and the report on each word. Failures are thrown as Error with the
// engine's own message.

// Strings are built from code units in slices: a call's arguments are limited,
// and fromCharCode keeps every unit as it is, unlike a UTF-16 TextDecoder,
// which would replace a lone surrogate.
function taviroUnitsToString(units) {
  const kSlice = 8192;
  const parts = [];
  for (let at = 0; at < units.length; at += kSlice) {
    parts.push(String.fromCharCode.apply(null, units.subarray(at, at + kSlice)));
  }
  return parts.join('');
}

function taviroTake(result) {
  if (result.error !== undefined) throw new Error(result.error);
  return result;
}

Module['Taviro'] = class Taviro {
  // `words`: the dictionary's rows, one a line; `loanwords`: the loanword
  // lexicon, "WORD<tab>ROMAN" a line, used once switched on.
  constructor(words, loanwords) {
    this.engine = new Module['PageEngine']();
    this.setInput(words);
    this.rows = this.engine['loadWords']();
    this.setInput(loanwords || '');
    this.loanwords = this.engine['loadLoanwords']();
    // How to read the numbers of `words` in a result: word_reports.js reads them so.
    this.wordReport = Module['wordReport']();
  }

  // The user's lexicon, "WORD<tab>ROMAN" (or spaces) a line, in place of the
  // one before, and whether loanwords follow their lexicon; { entries,
  // problems }, a problem for each line left out.
  setLexicon(text, loanwordsOn) {
    this.setInput(text);
    return this.engine['setLexicon'](Boolean(loanwordsOn));
  }

  // { roman, units, words }: the Roman text as a string and as its code units
  // (line ends CR LF, as the desktop writes them) and the word report, a row
  // of numbers a word as `wordReport` lays them out.
  convert(text) {
    this.setInput(text);
    return this.convertInput();
  }

  setInput(text) {
    const input = this.engine['inputUnits'](text.length);
    for (let i = 0; i < text.length; ++i) input[i] = text.charCodeAt(i);
  }

  // { source, encoding, roman, units, words } for a file's bytes, read as
  // taviro-convert reads it; `name` is the file's name, for messages.
  readFile(bytes, name) {
    this.engine['inputBytes'](bytes.length).set(bytes);
    const read = taviroTake(this.engine['readFile'](name));
    const source = taviroUnitsToString(read.units);
    const encoding = read.encoding;
    return Object.assign(this.convertInput(), { source, encoding });
  }

  convertInput() {
    const result = taviroTake(this.engine['convert']());
    // Copied out at once: the views lie on memory that the next call may move.
    const units = result.units.slice();
    const words = result.words.slice();
    return { roman: taviroUnitsToString(units), units, words };
  }

  // A result's code units (line ends CR LF) as the bytes of a file, written as
  // taviro-convert writes one: 'utf-8' (no byte-order mark, LF line ends) or
  // 'utf-16le' (the byte-order mark, CR LF, as the desktop writes).
  encode(units, encoding) {
    this.engine['inputUnits'](units.length).set(units);
    // Copied out at once, as in convertInput.
    return taviroTake(this.engine['encode'](encoding)).bytes.slice();
  }

  // [[code point, Roman text]] in the engine's order, the marker texts, and
  // the marks a table shows in their place: [[mark, marker]].
  characterMap() {
    return { rows: Module['characterMap'](), markers: Module['markers'](), marks: Module['tableMarks']() };
  }
};
