// The engine's JavaScript face: the npm package's Taviro, and the helpers
// that the page's own face (page_engine.js) shares with it. A Taviro holds an
// engine in WebAssembly with its dictionary; text goes in and out as UTF-16
// code units, exactly as they are. Every failure the engine reports is
// thrown as a TaviroError with the engine's own message and kind. A Taviro
// shows what index.d.ts declares and nothing else: the engine it holds is
// private.
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
export const kAllWords = 0xFFFFFFFF;
// Code units of a long text converted at a time, and of its Roman text's blocks.
export const kBlockUnits = 1 << 20;
// A text longer than this is converted a block at a time, never whole.
export const kLongestWholeUnits = 8 * kBlockUnits;

export function take(result) {
  if (result.error !== undefined) throw new TaviroError(result.error, result.failure);
  return result;
}

// The WebAssembly is inside engine.js as base64 and handed to the module as
// bytes, so that loading it never fetches anything, in a page, a worker or
// Node. One module serves every Taviro of the program.
let engineModule = null;
export function loadModule() {
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
export const engines = new FinalizationRegistry((engine) => engine.delete());
const streams = new FinalizationRegistry((stream) => stream.delete());

// A lexicon as the engine reads one: "WORD<tab>ROMAN" a line, as
// `taviro-dict list` writes it, from such a text or from pairs.
export function lexiconText(lexicon) {
  if (lexicon === undefined || lexicon === null) return '';
  if (typeof lexicon === 'string') return lexicon;
  const pairs = Symbol.iterator in Object(lexicon) ? Array.from(lexicon) : Object.entries(lexicon);
  return pairs.map(([word, roman]) => `${word}\t${roman}\n`).join('');
}

// Puts the units of `text`, a string or its code units, from `begin` to
// `end` into the room `room(length)` gives for them in the module.
export function fill(room, text, begin = 0, end = text.length) {
  const input = room(end - begin);
  if (typeof text !== 'string') {
    input.set(text.subarray(begin, end));
    return;
  }
  for (let i = begin; i < end; ++i) input[i - begin] = text.charCodeAt(i);
}

/** The text, a string or its code units, as the engine's input. */
export function setInput(engine, text) {
  fill(engine.inputUnits.bind(engine), text);
}

// Takes a file's bytes as the engine's input, decoded; { units, encoding }.
// A face that opens files for a person refuses an empty one.
export function readBytes(engine, bytes, name, from = 'auto', refuseEmpty = false) {
  engine.inputBytes(bytes.length).set(bytes);
  return take(engine.readFile(name, from, refuseEmpty));
}

// The user's lexicon, "WORD<tab>ROMAN" (or spaces) a line, in place of the
// one before, whether loanwords follow their lexicon, whether words are
// written in their spoken forms (the loanwords with them), and the scheme
// ('marks', the default, or 'ascii'); { entries, problems }, a problem for
// each line left out.
export function setLexicon(engine, text, loanwordsOn, spokenOn, scheme = 'marks') {
  setInput(engine, text);
  return take(engine.setLexicon(Boolean(loanwordsOn), Boolean(spokenOn), String(scheme)));
}

/**
 * A new engine over `dictionary`: its rows, one a line, and its loanword
 * lexicon, "WORD<tab>ROMAN" a line; { engine, rows }. Throws a
 * TaviroError when the lexicon of `options` has a line the engine refuses.
 * @param {{ words: string, loanwords?: string }} dictionary
 * @param {{ lexicon?: string | Iterable<[string, string]> | Record<string, string>, loanwords?: boolean,
 *   spoken?: boolean, scheme?: 'marks' | 'ascii' }} [options]
 */
export function openEngine(module, dictionary, options) {
  const { lexicon, loanwords, spoken, scheme } = options || {};
  const engine = new module.PageEngine();
  setInput(engine, dictionary.words);
  const rows = engine.loadWords();
  setInput(engine, dictionary.loanwords || '');
  engine.loadLoanwords();
  if (lexicon !== undefined || loanwords || spoken || scheme !== undefined) {
    const { problems } = setLexicon(engine, lexiconText(lexicon), loanwords, spoken, scheme);
    if (problems.length > 0) {
      engine.delete();
      throw new TaviroError(`the lexicon is refused:\n${problems.join('\n')}`);
    }
  }
  return { engine, rows };
}

// The dictionary that Taviro.create gives, which the package's entry carries.
let carried = null;
export function carry(dictionary) {
  carried = dictionary;
}

export class Taviro {
  #engine;
  #module;

  /**
   * A converter with the package's dictionary; loading the engine is
   * asynchronous. Rejects with a TaviroError when the lexicon has a line the
   * engine refuses.
   * @param {import('./index.js').TaviroOptions} [options]
   * @returns {Promise<Taviro>}
   */
  static async create(options) {
    const module = await loadModule();
    const { engine } = openEngine(module, carried, options);
    return new Taviro(module, engine);
  }

  /** @private Taviro.create makes one. */
  constructor(module, engine) {
    this.#module = module;
    this.#engine = engine;
    engines.register(this, engine);
  }

  /** The Roman text, as `taviro-convert --to utf-8` writes it. */
  transliterate(text) {
    setInput(this.#engine, textOf(text));
    return this.#romanText();
  }

  /** The Roman text of the parts joined, in as many parts. */
  transliterateParts(parts) {
    if (!Array.isArray(parts)) throw new TypeError('the parts of a text are an array of strings');
    const texts = parts.map(textOf);
    if (texts.length === 1) return [this.transliterate(texts[0])];
    setInput(this.#engine, texts.join(''));
    const lengths = this.#engine.inputPartLengths(texts.length);
    texts.forEach((text, i) => { lengths[i] = text.length; });
    const { units, ends } = take(this.#engine.convertParts());
    const roman = unitsToString(units);
    let begin = 0;
    return Array.from(ends, (end) => roman.slice(begin, begin = end));
  }

  /** Each word of `text`: where it is, its Roman text and how it was finished. */
  explain(text) {
    setInput(this.#engine, textOf(text));
    take(this.#engine.convert(kAllWords, false));
    // The engine's reports, with the older names of sourceBegin and sourceEnd.
    return this.#engine.reports().map((report) => ({ ...report, start: report.sourceBegin, end: report.sourceEnd }));
  }

  /** A file's Roman text and the encoding its bytes were read in. */
  transliterateFile(bytes, options = {}) {
    const { name, from } = optionsOf(options, ['name', 'from'], 'transliterateFile');
    const { encoding } = readBytes(this.#engine, bytesOf(bytes), name || 'input', from || 'auto');
    return { text: this.#romanText(), encoding };
  }

  /** A file's bytes converted into the bytes taviro-convert writes for them. */
  convertFile(bytes, options = {}) {
    const { name, from, to } = optionsOf(options, ['name', 'from', 'to'], 'convertFile');
    const file = bytesOf(bytes);
    this.#engine.inputBytes(file.length).set(file);
    // Copied out at once: the view lies on memory that the next call may move.
    return take(this.#engine.convertFileTo(name || 'input', from || 'auto', to || 'utf-16le')).bytes.slice();
  }

  // The input converted, as taviro-convert --to utf-8 writes it, but for a
  // lone surrogate: a string holds one where UTF-8 has U+FFFD, so each is
  // kept. The text crosses from the module once, without a report of its words.
  #romanText() {
    return unitsToString(take(this.#engine.transliterate()).units);
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
    const state = { stream: new this.#module.TextStream(this.#engine) };
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
        fill(state.stream.inputUnits.bind(state.stream), textOf(chunk));
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
