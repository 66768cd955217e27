// A conversion's words as the page reads them. The module hands them over as
// numbers, a row of them a word, since a long text has hundreds of thousands
// of words and numbers cross from the page's worker at once; the module's
// wordReport() names each number and says how to read it, so that a field is
// named in the engine's binding alone and the page reads a word by its names.

/** @typedef {import('./messages.js').WordReportLayout} WordReportLayout */
/** @typedef {import('./messages.js').WordRow} WordRow */
/** @typedef {import('./messages.js').PiecesBeforeSpoken} PiecesBeforeSpoken */

/** How each kind of number of wordReport().fields becomes a field's value. */
const kReaders = {
  offset: (number) => number,
  yesNo: (number) => number !== 0,
  finish: (number, layout) => layout.finishes[number],
  lexicon: (number, layout) => layout.lexicons[number],
};

export class WordReports {
  /**
   * @param {{words: Uint32Array, piecesBeforeSpoken?: Object<number, PiecesBeforeSpoken>, marked?: string,
   *   markedEnds?: Uint32Array}} result  a conversion's result, as a ConvertedReply brings it
   * @param {WordReportLayout} layout
   */
  constructor(result, layout) {
    this.numbers = result.words;
    this.layout = layout;
    this.piecesBeforeSpoken = result.piecesBeforeSpoken || {};
    this.markedTexts = result.marked === undefined ? null : { text: result.marked, ends: result.markedEnds };
    this.readers = layout.fields.map(([name, kind]) => [name, kReaders[kind]]);
  }

  /** How many words the report holds. */
  get length() {
    return this.numbers.length / this.readers.length;
  }

  /**
   * The record of word `index`.
   * @returns {WordRow}
   */
  at(index) {
    const first = index * this.readers.length;
    const record = {};
    this.readers.forEach(([name, read], i) => { record[name] = read(this.numbers[first + i], this.layout); });
    return /** @type {WordRow} */ (record);
  }

  /**
   * The named pieces of a word's Roman text `roman`, as its finish names them:
   * [{ name, begin, end }] in `roman`.
   * @param {WordRow} word
   * @param {string} roman
   */
  pieces(word, roman) {
    const marks = { wordBegin: 0, stemBegin: word.stemBegin, stemEnd: word.stemEnd, wordEnd: roman.length };
    return word.finish.pieces.map(([name, from, to]) => ({ name, begin: marks[from], end: marks[to] }));
  }

  /**
   * The marked text of word `index` where it was written in plain letters
   * (bhārtī for bharti), else null.
   * @param {number} index
   */
  marked(index) {
    if (!this.markedTexts) return null;
    const { text, ends } = this.markedTexts;
    return text.slice(index === 0 ? 0 : ends[index - 1], ends[index]);
  }

  /**
   * The pieces that word `index`'s explanation names, [{ name, text }], as
   * taviro-dict explain names them: as the dictionary held them, also where
   * spoken forms then changed the word's Roman text `roman` (its marked text
   * where it was written in plain letters).
   * @param {number} index
   * @param {string} roman
   */
  explainedPieces(index, roman) {
    const word = this.at(index);
    const before = this.piecesBeforeSpoken[index];
    const text = before ? before.text : (this.marked(index) ?? roman);
    const marks = before ? { ...word, stemBegin: before.stemBegin, stemEnd: before.stemEnd } : word;
    return this.pieces(marks, text).map(({ name, begin, end }) => ({ name, text: text.slice(begin, end) }));
  }
}
