// The engine's one JavaScript face: the npm package's Taviro, which the web
// page's worker uses too. A Taviro holds an engine in WebAssembly with its
// dictionary; text goes in and out as UTF-16 code units, exactly as they are.
// Every failure the engine reports is thrown as a TaviroError with the
// engine's own message.
//
// Each import is one line and each export a declaration: the page's worker
// is this module put together with the engine's into one plain script.
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

// Strings are built from code units by the UTF-16 decoder, at once, where
// it keeps every unit as it is: on a little-endian machine (every machine a
// browser runs on), for units without a lone surrogate, which it would
// replace. Otherwise in slices by fromCharCode, since a call's arguments are
// limited.
function unitsToString(units) {
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

// Rows for every word of a conversion, however many.
const kAllWords = 0xFFFFFFFF;

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
    // What the page adds to a failure's message, in the engine's words.
    this.advice = module.advice();
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
    const { encoding } = this.readBytes(bytesOf(bytes), options.name || 'input');
    return { text: this.romanText(), encoding };
  }

  /** A file's bytes converted into the bytes taviro-convert writes for them. */
  convertFile(bytes, options = {}) {
    this.readBytes(bytesOf(bytes), options.name || 'input');
    // Copied out at once: the view lies on memory that the next call may move.
    return take(this.engine.convertTo(options.to || 'utf-16le')).bytes.slice();
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

  // { roman, units, words }: the Roman text as a string and as its code units
  // (line ends CR LF, as the desktop writes them) and the word report, a row
  // of numbers a word as `wordReport` lays them out.
  // A text of more than `mostWords` words comes without its words' rows.
  convert(text, mostWords = kAllWords) {
    this.setInput(text);
    return this.convertInput(mostWords);
  }

  setInput(text) {
    this.fill(this.engine.inputUnits.bind(this.engine), text);
  }

  // Puts `text` into the room `room(length)` gives for its units in the module.
  fill(room, text) {
    const input = room(text.length);
    for (let i = 0; i < text.length; ++i) input[i] = text.charCodeAt(i);
  }

  // { source, encoding, roman, units, words } for a file's bytes, read as
  // taviro-convert reads it; `name` is the file's name, for messages.
  readFile(bytes, name, mostWords = kAllWords) {
    const read = this.readBytes(bytes, name);
    const source = unitsToString(read.units);
    const { encoding } = read;
    return Object.assign(this.convertInput(mostWords), { source, encoding });
  }

  // Takes a file's bytes as the input, decoded; { units, encoding }.
  readBytes(bytes, name) {
    this.engine.inputBytes(bytes.length).set(bytes);
    return take(this.engine.readFile(name));
  }

  convertInput(mostWords = kAllWords) {
    const result = take(this.engine.convert(mostWords));
    // Copied out at once: the views lie on memory that the next call may move.
    const units = result.units.slice();
    const words = result.words.slice();
    // Words in plain letters come with their marked texts.
    const marked = result.marked === undefined ? {}
      : { marked: unitsToString(result.marked), markedEnds: result.markedEnds.slice() };
    // Without rows the text is not made a string here: the page, which shows a
    // long text without word spans, makes its own from the units once.
    const roman = words.length > 0 || result.wordCount === 0 ? { roman: unitsToString(units) } : {};
    return { ...roman, units, words, wordCount: result.wordCount, piecesBeforeSpoken: result.piecesBeforeSpoken, ...marked };
  }

  // A result's code units (line ends CR LF) as the bytes of a file, written as
  // taviro-convert writes one: 'utf-8' (no byte-order mark, LF line ends) or
  // 'utf-16le' (the byte-order mark, CR LF, as the desktop writes).
  encode(units, encoding) {
    this.engine.inputUnits(units.length).set(units);
    // Copied out at once, as in convertInput.
    return take(this.engine.encode(encoding)).bytes.slice();
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
  if (typeof text !== 'string') throw new TypeError(`a text to convert is a string, not ${typeof text}`);
  return text;
}

// Bytes as a Uint8Array, from one or from an ArrayBuffer, a Node Buffer or
// another view.
function bytesOf(bytes) {
  if (bytes instanceof Uint8Array) return bytes;
  if (ArrayBuffer.isView(bytes)) return new Uint8Array(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  if (bytes instanceof ArrayBuffer) return new Uint8Array(bytes);
  throw new TypeError('a file is given as a Uint8Array, an ArrayBuffer or another view of bytes');
}
