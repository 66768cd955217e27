// A conversion's word report as records. The worker hands the report over as
// numbers, a row of them a word, since a long text has hundreds of thousands
// of words and numbers cross from the worker at once; the module's
// wordReport() names each number and says how to read it, so that a field is
// named in the engine's binding alone and the page reads a word by its names.

/** @typedef {import('./messages.js').WordReportLayout} WordReportLayout */
/** @typedef {import('./messages.js').WordReport} WordReport */

/** How each kind of number of wordReport().fields becomes a field's value. */
const kReaders = {
  offset: (number) => number,
  yesNo: (number) => number !== 0,
  finish: (number, layout) => layout.finishes[number],
  lexicon: (number, layout) => layout.lexicons[number],
};

export class WordReports {
  /**
   * @param {Uint32Array} numbers  a ConvertedReply's words
   * @param {WordReportLayout} layout
   */
  constructor(numbers, layout) {
    this.numbers = numbers;
    this.layout = layout;
    this.readers = layout.fields.map(([name, kind]) => [name, kReaders[kind]]);
  }

  /** How many words the report holds. */
  get length() {
    return this.numbers.length / this.readers.length;
  }

  /**
   * The record of word `index`.
   * @returns {WordReport}
   */
  at(index) {
    const first = index * this.readers.length;
    const record = {};
    this.readers.forEach(([name, read], i) => { record[name] = read(this.numbers[first + i], this.layout); });
    return /** @type {WordReport} */ (record);
  }
}
