// The engine's one JavaScript face: the npm package's Taviro, which the web
// page's worker uses too. A Taviro holds an engine in WebAssembly with its
// dictionary; text goes in and out as UTF-16 code units, exactly as they are.
// Every failure the engine reports is thrown as a TaviroError with the
// engine's own message.
//
// Each import is one line and each export a declaration: the page's worker
// is this module put together with the engine's into one plain script.
import { unitsToString } from './code_units.js';
import { createTaviroModule, kEngineWasm } from './engine.js';

/** A failure the engine reports; `message` is the engine's own. */
export class TaviroError extends Error {
  /**
   * @param {string} message
   * @param {'text' | 'tooLong' | 'notText' | 'file' | 'usage'} [kind]
   */
  constructor(message, kind = 'usage') {
    super(message);
    this.name = 'TaviroError';
    this.kind = kind;
  }
}

// Rows for every word of a conversion, however many.
const kAllWords = 0xFFFFFFFF;
// Code units of a long text converted at a time, and of its Roman text's blocks.
const kBlockUnits = 1 << 20;
// A text longer than this is converted a block at a time, never whole.
const kLongestWholeUnits = 8 * kBlockUnits;

function take(result) {
  if (result.error !== undefined) throw new TaviroError(result.error, result.failure);
  return result;
}

// The WebAssembly is inside engine.js as base64 and handed to the module as
// bytes, so that loading it never fetches anything, in a page, a worker or
// Node. One module serves every Taviro of the program.
let engineModule = null;
function loadModule() {
  if (!engineModule) {
    const text = atob(kEngineWasm);
    const wasmBinary = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) wasmBinary[i] = text.charCodeAt(i);
    engineModule = createTaviroModule({ wasmBinary });
  }
  return engineModule;
}

// An engine's memory goes back once its Taviro is gone, and a stream's once
// it is gone unfinished.
const engines = new FinalizationRegistry((engine) => engine.delete());
const streams = new FinalizationRegistry((stream) => stream.delete());

// A lexicon as the engine reads one: "WORD<tab>ROMAN" a line, as
// `taviro-dict list` writes it, from such a text or from pairs.
function lexiconText(lexicon) {
  if (lexicon === undefined || lexicon === null) return '';
  if (typeof lexicon === 'string') return lexicon;
  const pairs = Symbol.iterator in Object(lexicon) ? Array.from(lexicon) : Object.entries(lexicon);
  return pairs.map(([word, roman]) => `${word}\t${roman}\n`).join('');
}

export class Taviro {
  /**
   * A Taviro over `dictionary`: its rows, one a line, and its loanword
   * lexicon, "WORD<tab>ROMAN" a line. The package's Taviro.create gives the
   * dictionary it carries; the page gives the one it embeds.
   * @param {{ words: string, loanwords?: string }} dictionary
   * @param {{ lexicon?: string | Iterable<[string, string]> | Record<string, string>, loanwords?: boolean,
   *   spoken?: boolean, scheme?: 'marks' | 'ascii' }} [options]
   */
  static async open(dictionary, options) {
    const { lexicon, loanwords, spoken, scheme } = options || {};
    const taviro = new this(await loadModule());
    taviro.rows = taviro.load('loadWords', dictionary.words);
    taviro.load('loadLoanwords', dictionary.loanwords || '');
    if (lexicon !== undefined || loanwords || spoken || scheme !== undefined) {
      const { problems } = taviro.setLexicon(lexiconText(lexicon), loanwords, spoken, scheme);
      if (problems.length > 0) throw new TaviroError(`the lexicon is refused:\n${problems.join('\n')}`);
    }
    return taviro;
  }

  /** @private Taviro.create makes one. */
  constructor(module) {
    this.engine = new module.PageEngine();
    engines.register(this, this.engine);
    // How to read the numbers of `words` in a conversion's result.
    this.wordReport = module.wordReport();
    this.module = module;
  }

  /** The Roman text, as `taviro-convert --to utf-8` writes it. */
  transliterate(text) {
    this.setInput(textOf(text));
    return this.romanText();
  }

  /** Each word of `text`: where it is, its Roman text and how it was finished. */
  explain(text) {
    this.setInput(textOf(text));
    take(this.engine.convert(kAllWords));
    // The engine's reports, with the older names of sourceBegin and sourceEnd.
    return this.engine.reports().map((report) => ({ ...report, start: report.sourceBegin, end: report.sourceEnd }));
  }

  /** A file's Roman text and the encoding its bytes were read in. */
  transliterateFile(bytes, options = {}) {
    const { name, from } = optionsOf(options, ['name', 'from'], 'transliterateFile');
    const { encoding } = this.readBytes(bytesOf(bytes), name || 'input', from || 'auto');
    return { text: this.romanText(), encoding };
  }

  /** A file's bytes converted into the bytes taviro-convert writes for them. */
  convertFile(bytes, options = {}) {
    const { name, from, to } = optionsOf(options, ['name', 'from', 'to'], 'convertFile');
    const file = bytesOf(bytes);
    this.engine.inputBytes(file.length).set(file);
    // Copied out at once: the view lies on memory that the next call may move.
    return take(this.engine.convertFileTo(name || 'input', from || 'auto', to || 'utf-16le')).bytes.slice();
  }

  // The input converted, as taviro-convert --to utf-8 writes it, but for a
  // lone surrogate: a string holds one where UTF-8 has U+FFFD, so each is
  // kept. The text crosses from the module once, without a report of its words.
  romanText() {
    return unitsToString(take(this.engine.transliterate()).units);
  }

  /**
   * A TransformStream of Gurmukhi text to its Roman text, carrying the
   * conversion from chunk to chunk: what comes out, joined, is what
   * transliterate() gives for the chunks joined, wherever they end.
   * @returns {TransformStream<string, string>}
   */
  transformStream() {
    // The steps hold the module's stream through `state`, which the registry
    // watches: the stream goes back once the steps can no longer be called,
    // a stream given up unfinished too.
    const state = { stream: new this.module.TextStream(this.engine) };
    const close = () => {
      streams.unregister(state);
      state.stream.delete();
    };
    const roman = (result) => {
      try {
        return unitsToString(take(result).units);
      } catch (error) {
        close();
        throw error;
      }
    };
    // The stream converts over this Taviro's dictionary: its steps keep it.
    const transform = new TransformStream({
      transform: (chunk, controller) => {
        this.fill(state.stream.inputUnits.bind(state.stream), textOf(chunk));
        const written = roman(state.stream.take());
        if (written) controller.enqueue(written);
      },
      flush: (controller) => {
        const written = roman(state.stream.end());
        close();
        if (written) controller.enqueue(written);
      },
    });
    streams.register(state, state.stream, state);
    return transform;
  }

  // ---- what the page's worker asks for ----------------------------------------

  load(call, text) {
    this.setInput(text);
    return this.engine[call]();
  }

  // The user's lexicon, "WORD<tab>ROMAN" (or spaces) a line, in place of the
  // one before, whether loanwords follow their lexicon, whether words are
  // written in their spoken forms (the loanwords with them), and the scheme
  // ('marks', the default, or 'ascii'); { entries, problems }, a problem for
  // each line left out.
  setLexicon(text, loanwordsOn, spokenOn, scheme = 'marks') {
    this.setInput(text);
    return take(this.engine.setLexicon(Boolean(loanwordsOn), Boolean(spokenOn), String(scheme)));
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
    this.setInput(text);
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
        this.fill(room, text, at, Math.min(text.length, at + kBlockUnits));
        keep(stream.take());
      }
      keep(stream.end());
      return { blocks, words: new Uint32Array(0), wordCount: stream.wordCount() };
    } finally {
      stream.delete();
    }
  }

  setInput(text) {
    this.fill(this.engine.inputUnits.bind(this.engine), text);
  }

  // Puts the units of `text`, a string or its code units, from `begin` to
  // `end` into the room `room(length)` gives for them in the module.
  fill(room, text, begin = 0, end = text.length) {
    const input = room(end - begin);
    if (typeof text !== 'string') {
      input.set(text.subarray(begin, end));
      return;
    }
    for (let i = begin; i < end; ++i) input[i - begin] = text.charCodeAt(i);
  }

  // { sourceUnits, encoding, roman, units, words } for a file's bytes, read
  // as taviro-convert reads it, or { sourceUnits, encoding, blocks, words,
  // wordCount } as convert() gives them; `name` is the file's name, for
  // messages. The file's text comes as its code units.
  readFile(bytes, name, mostWords = kAllWords) {
    const read = this.readBytes(bytes, name, 'auto', true);
    // Copied out at once, as in convertInput.
    const sourceUnits = read.units.slice();
    const { encoding } = read;
    if (sourceUnits.length > kLongestWholeUnits) {
      // The stream takes the text from sourceUnits: the module's copy goes first.
      this.setInput('');
      return Object.assign(this.convertInBlocks(sourceUnits), { sourceUnits, encoding });
    }
    return Object.assign(this.convertInput(mostWords), { sourceUnits, encoding });
  }

  // Takes a file's bytes as the input, decoded; { units, encoding }. The
  // page, which opens files for a person, refuses an empty one.
  readBytes(bytes, name, from = 'auto', refuseEmpty = false) {
    this.engine.inputBytes(bytes.length).set(bytes);
    return take(this.engine.readFile(name, from, refuseEmpty));
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
    const result = take(this.engine.convert(mostWords));
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
        this.fill(room, block);
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

// A text to convert, which must be a string: anything else is a mistake that
// String() would turn into a text such as "undefined".
function textOf(text) {
  if (ArrayBuffer.isView(text) || text instanceof ArrayBuffer) {
    throw new TypeError('a text to convert is a string, not bytes: give a file\'s bytes to transliterateFile, '
      + 'or decode them first (new TextDecoder().decode(bytes))');
  }
  if (typeof text !== 'string') throw new TypeError(`a text to convert is a string, not ${typeof text}`);
  return text;
}

// A file call's options: an option it does not take is a mistake, refused as
// the command line refuses an unknown option, never passed over.
function optionsOf(options, known, call) {
  const unknown = Object.keys(options || {}).filter((key) => !known.includes(key));
  if (unknown.length !== 0) {
    throw new TaviroError(`unknown option '${unknown[0]}' for ${call} (${known.join(', ')})`);
  }
  return options || {};
}

// Bytes as a Uint8Array, from one or from an ArrayBuffer, a Node Buffer or
// another view.
function bytesOf(bytes) {
  if (bytes instanceof Uint8Array) return bytes;
  if (ArrayBuffer.isView(bytes)) return new Uint8Array(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  if (bytes instanceof ArrayBuffer) return new Uint8Array(bytes);
  throw new TypeError('a file is given as a Uint8Array, an ArrayBuffer or another view of bytes');
}
