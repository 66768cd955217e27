// The page's face over the engine, in its worker: what the page asks of the
// engine beyond the npm package's Taviro (a word report for every word, a
// long text in blocks, a file's text with its encoding, downloads, the
// character table, the failures as the page tells them). It is bundled into
// the worker with the package's modules and is no part of the package.
//
// Each import is one line and each export a declaration: the worker is this
// module put together with the package's into one plain script.
import { unitsToString } from './code_units.js';
import { engines, fill, kAllWords, kBlockUnits, kLongestWholeUnits, loadModule, openEngine, readBytes, setInput, setLexicon, take } from './taviro.js';

export class PageTaviro {
  /**
   * A face over the dictionary the page embeds: its rows, one a line, and
   * its loanword lexicon, "WORD<tab>ROMAN" a line.
   * @param {{ words: string, loanwords?: string }} dictionary
   */
  static async open(dictionary) {
    const module = await loadModule();
    const { engine, rows } = openEngine(module, dictionary);
    return new PageTaviro(module, engine, rows);
  }

  constructor(module, engine, rows) {
    this.module = module;
    this.engine = engine;
    engines.register(this, engine);
    this.rows = rows;
    // How to read the numbers of `words` in a conversion's result.
    this.wordReport = module.wordReport();
  }

  // The user's lexicon, "WORD<tab>ROMAN" (or spaces) a line, in place of the
  // one before, whether loanwords follow their lexicon, whether words are
  // written in their spoken forms (the loanwords with them), and the scheme
  // ('marks', the default, or 'ascii'); { entries, problems }, a problem for
  // each line left out.
  setLexicon(text, loanwordsOn, spokenOn, scheme = 'marks') {
    return setLexicon(this.engine, text, loanwordsOn, spokenOn, scheme);
  }

  // { roman, units, words, wordCount, explanations, segmentEnds,
  // segmentKinds, wordSegments }: the Roman text as a string and as its code
  // units, the word report, a row of numbers a word as `wordReport` lays them
  // out, and each word's explanation in segments. `text` is a string, or its
  // code units as a Uint16Array. A text of more than `mostWords` words comes
  // without its words' rows, as { blocks, words (empty), wordCount }, the
  // Roman text's code units in blocks that one after the other are what
  // transliterate() gives; so does a text too long to hold whole beside its
  // Roman text, which is converted a block at a time.
  convert(text, mostWords = kAllWords) {
    if (text.length > kLongestWholeUnits) return this.convertInBlocks(text);
    setInput(this.engine, text);
    return this.convertInput(mostWords);
  }

  // A long text converted a block at a time through a stream, so that neither
  // it nor its Roman text ever lies in the module whole, and the Roman text
  // comes as the blocks it was made in.
  convertInBlocks(text) {
    const stream = new this.module.TextStream(this.engine);
    try {
      const room = stream.inputUnits.bind(stream);
      const blocks = [];
      // Copied out at once: the view lies on memory that the next call may move.
      const keep = (result) => {
        const { units } = take(result);
        if (units.length) blocks.push(units.slice());
      };
      for (let at = 0; at < text.length; at += kBlockUnits) {
        fill(room, text, at, Math.min(text.length, at + kBlockUnits));
        keep(stream.take());
      }
      keep(stream.end());
      return { blocks, words: new Uint32Array(0), wordCount: stream.wordCount() };
    } finally {
      stream.delete();
    }
  }

  // { sourceUnits, encoding, roman, units, words } for a file's bytes, read
  // as taviro-convert reads it, or { sourceUnits, encoding, blocks, words,
  // wordCount } as convert() gives them; `name` is the file's name, for
  // messages. The file's text comes as its code units.
  readFile(bytes, name, mostWords = kAllWords) {
    const read = readBytes(this.engine, bytes, name, 'auto', true);
    // Copied out at once, as in convertInput.
    const sourceUnits = read.units.slice();
    const { encoding } = read;
    if (sourceUnits.length > kLongestWholeUnits) {
      // The stream takes the text from sourceUnits: the module's copy goes first.
      setInput(this.engine, '');
      return Object.assign(this.convertInBlocks(sourceUnits), { sourceUnits, encoding });
    }
    return Object.assign(this.convertInput(mostWords), { sourceUnits, encoding });
  }

  // What the page shows of a failure with this message and kind, of the file
  // `name` or (without one) of a typed text.
  shownFailure(message, kind, name) {
    return this.module.shownFailure(message, kind, name || '');
  }

  // What the page shows when the browser could not read the file `name`.
  readFailure(name, reason) {
    return this.module.readFailure(name, reason);
  }

  convertInput(mostWords) {
    const result = take(this.engine.convert(mostWords, true));
    // Copied out at once: the views lie on memory that the next call may move.
    const units = result.units.slice();
    const { wordCount } = result;
    if (wordCount > mostWords) return { blocks: [units], words: new Uint32Array(0), wordCount };
    return {
      roman: unitsToString(units), units, words: result.words.slice(), wordCount,
      explanations: unitsToString(result.explanations), segmentEnds: result.segmentEnds.slice(),
      segmentKinds: result.segmentKinds.slice(), wordSegments: result.wordSegments.slice(),
    };
  }

  // A result's text, in blocks, as the bytes of a file written as
  // taviro-convert writes one, 'utf-8' or 'utf-16le': the engine's encoder
  // gives each its byte-order mark and line ends. The bytes come in pieces,
  // [Uint8Array], for a Blob to join.
  encode(blocks, encoding) {
    const encoder = new this.module.FileEncoder(encoding);
    try {
      const pieces = [];
      // Copied out at once, as in convertInput.
      const keep = (result) => {
        const { bytes } = take(result);
        if (bytes.length) pieces.push(bytes.slice());
      };
      const room = encoder.inputUnits.bind(encoder);
      for (const block of blocks) {
        fill(room, block);
        keep(encoder.write());
      }
      keep(encoder.finish());
      return pieces;
    } finally {
      encoder.delete();
    }
  }

  // [[code point, Roman text]] in the engine's order, the marker texts, and
  // the marks a table shows in their place: [[mark, marker]].
  characterMap() {
    const { module } = this;
    return { rows: module.characterMap(), markers: module.markers(), marks: module.tableMarks() };
  }
}
