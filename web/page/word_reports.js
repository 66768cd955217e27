// A conversion's words as the page reads them. The module hands them over as
// numbers, a row of them a word, since a long text has hundreds of thousands
// of words and numbers cross from the page's worker at once; the module's
// wordReport() names each number and says how to read it, so that a field is
// named in the engine's binding alone and the page reads a word by its names.

/** @typedef {import('./messages.js').WordReportLayout} WordReportLayout */
/** @typedef {import('./messages.js').WordRow} WordRow */

/** How each kind of number of wordReport().fields becomes a field's value. */
const kReaders = {
  offset: (number) => number,
  yesNo: (number) => number !== 0,
  finish: (number, layout) => layout.finishes[number],
  lexicon: (number, layout) => layout.lexicons[number],
};

export class WordReports {
  /**
   * @param {{words: Uint32Array, explanations?: string, segmentEnds?: Uint32Array, segmentKinds?: Uint8Array,
   *   wordSegments?: Uint32Array}} result  a conversion's result, as a ConvertedReply brings it
   * @param {WordReportLayout} layout
   */
  constructor(result, layout) {
    this.numbers = result.words;
    this.layout = layout;
    this.explanations = result;
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
   * Word `index`'s explanation as the engine made it, in its segments:
   * [{ kind, text }], kind 'gurmukhi', 'roman', 'piece' or 'words'. Joined,
   * the texts are what taviro-dict explain says of the word.
   * @param {number} index
   */
  explanation(index) {
    const { explanations, segmentEnds, segmentKinds, wordSegments } = this.explanations;
    const segments = [];
    for (let segment = index === 0 ? 0 : wordSegments[index - 1]; segment < wordSegments[index]; ++segment) {
      const begin = segment === 0 ? 0 : segmentEnds[segment - 1];
      segments.push({
        kind: this.layout.segmentKinds[segmentKinds[segment]], text: explanations.slice(begin, segmentEnds[segment]),
      });
    }
    return segments;
  }
}
