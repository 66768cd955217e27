// Types of the taviro package: Gurmukhi to Roman, the engine in WebAssembly.

/** A lexicon of words written your way: "WORD<tab>ROMAN" a line, as `taviro-dict list` writes it, or the pairs. */
export type Lexicon = string | Iterable<readonly [string, string]> | Readonly<Record<string, string>>;

export interface TaviroOptions {
  /** Words written as given, over everything else, as `taviro-dict add` makes them. */
  lexicon?: Lexicon;
  /** Write English loanwords as Punjabi speakers say them, as `taviro-convert --loanwords`. */
  loanwords?: boolean;
  /** Write spoken forms: the loanwords, and the "a"s and nasals as speech says them (bhārtī, sakdē, kānūn), as `taviro-convert --spoken`. */
  spoken?: boolean;
  /**
   * How the Roman text is written, as `taviro-convert --scheme`: with its marks ('marks', the default: bhāratī), or
   * in plain letters as Punjabis type it ('ascii': bharti), which writes spoken forms too.
   */
  scheme?: Scheme;
}

/** The ways the Roman text is written. */
export type Scheme = 'marks' | 'ascii';

/** The encodings a file is read in: by its byte-order mark, or as taviro-convert guesses without one. */
export type SourceEncoding = 'utf-8' | 'utf-16le' | 'utf-16be';

/**
 * The encodings a file is written in: UTF-8 (LF line ends), or UTF-16LE with a
 * byte-order mark and CR LF, as the desktop writes.
 */
export type TargetEncoding = 'utf-8' | 'utf-16le';

/** How a word was finished: by the rules, with a confirmed prefix or suffix, split in two, or from a lexicon. */
export type Finish = 'none' | 'prefix' | 'suffix' | 'prefix+suffix' | 'split' | 'user' | 'loanword';

/** A named piece of a word's Roman text: "prefix", "stem", "suffix", "first" or "second", at [begin, end) of it. */
export interface WordPiece {
  name: string;
  begin: number;
  end: number;
  text: string;
}

/**
 * One word of a text and how it was finished: the engine's word report, which
 * `taviro-dict explain`, Python's `WordReport` and the web page show, field for field.
 */
export interface WordReport {
  /** The word in Gurmukhi. */
  source: string;
  /** Its Roman text, with the marks even where it was written in plain letters. */
  roman: string;
  /** What was written for it in plain letters (`scheme: 'ascii'`), and null otherwise. */
  ascii: string | null;
  /** Where the word begins and ends in the text, in UTF-16 code units (String.prototype.slice). */
  sourceBegin: number;
  sourceEnd: number;
  finish: Finish;
  /** Where a kept prefix ends and a kept suffix (or a split's second part) begins, in `roman`. */
  stemBegin: number;
  stemEnd: number;
  pieces: WordPiece[];
  /** Whether its spoken form changed it (`spoken: true`): its "a"s or its nasal as speech says them; `explanation` says how. */
  spoken: boolean;
  /** The word, its Roman text, how it was finished and its pieces, in the words of `taviro-dict explain`. */
  explanation: string;
  /** @deprecated The older name of sourceBegin. */
  start: number;
  /** @deprecated The older name of sourceEnd. */
  end: number;
}

/** @deprecated The older name of WordReport. */
export type WordExplanation = WordReport;

export interface FileOptions {
  /** The file's name, for messages; "input" unless given. */
  name?: string;
  /** The encoding the bytes are read in, as `taviro-convert --from`; detected ('auto') unless given. */
  from?: 'auto' | SourceEncoding;
}

export interface ConvertFileOptions extends FileOptions {
  /** The encoding written; UTF-16LE, as taviro-convert writes a file, unless given. */
  to?: TargetEncoding;
}

/** Bytes of a file: a Uint8Array (a Node Buffer is one), another view, or an ArrayBuffer. */
export type FileBytes = ArrayBufferView | ArrayBuffer;

/**
 * A failure the engine reports, with its message: a text the rules cannot
 * convert, a file that is not valid UTF-8, a refused lexicon line.
 */
export class TaviroError extends Error {
  name: 'TaviroError';
  /**
   * What failed: a word too long for the rules (over 32,767 characters), a
   * text the rules refuse, bytes that are no text at all, bytes not in their
   * encoding, or a call the package cannot serve.
   */
  kind: 'tooLong' | 'text' | 'notText' | 'file' | 'usage';
}

/**
 * Gurmukhi to Roman with the package's dictionary.
 *
 * @example
 * const taviro = await Taviro.create();
 * taviro.transliterate('ਕਮਲ ਪੱਕਾ ਸੰਤ');  // 'kamal pakkā sant'
 */
export class Taviro {
  private constructor();

  /** Loads the engine and the dictionary; rejects with a TaviroError when the lexicon has a line the engine refuses. */
  static create(options?: TaviroOptions): Promise<Taviro>;

  /**
   * The Roman text, as `taviro-convert --to utf-8` writes it: every line end a "\n"; a lone surrogate stays as it
   * is, where UTF-8 has U+FFFD. Throws a TaviroError.
   */
  transliterate(text: string): string;

  /**
   * The Roman text of a text that comes in parts, as a paragraph of a web page comes in text nodes: the parts are
   * converted as one text, so a word that markup cuts (ਪੰਜਾ<b>ਬੀ</b>) is written as the whole word, and the Roman
   * text comes back in as many parts. Joined, they are what `transliterate` gives for the parts joined; a word cut
   * in two is divided after the letters its first part alone is written with ('pañjā', 'bī'). Throws a TaviroError.
   */
  transliterateParts(parts: readonly string[]): string[];

  /**
   * Each word of the text and how it was finished, in the words the web page
   * and `taviro-dict explain` use. Throws a TaviroError.
   */
  explain(text: string): WordReport[];

  /**
   * A file read as taviro-convert reads one (UTF-8, UTF-16 by its byte-order
   * mark, the desktop's files without one): its Roman text and the encoding it
   * was read in. Throws a TaviroError.
   */
  transliterateFile(bytes: FileBytes, options?: FileOptions): { text: string; encoding: SourceEncoding };

  /** A file converted to the bytes `taviro-convert --to ENCODING` writes for it. Throws a TaviroError. */
  convertFile(bytes: FileBytes, options?: ConvertFileOptions): Uint8Array;

  /**
   * A stream of text to its Roman text, for a text too long to hold at once. The conversion is carried from chunk
   * to chunk as `taviro-convert` carries it from block to block, so the Roman chunks joined are what `transliterate`
   * gives for the text joined, wherever the chunks end (inside a word, a surrogate pair or CR LF). Chunks are
   * strings: decode bytes first, with `TextDecoderStream` or a stream read as 'utf8'. A text the engine refuses
   * errors the stream with a TaviroError.
   *
   * @example
   * await Readable.toWeb(fs.createReadStream('notes.txt', { encoding: 'utf8' }))
   *   .pipeThrough(taviro.transformStream())
   *   .pipeTo(Writable.toWeb(fs.createWriteStream('roman.txt')));
   */
  transformStream(): TransformStream<string, string>;
}
