// The Roman result on the page: its text in blocks, and a span for each word
// that the word details can point at. To a screen reader the result is a
// list of its words, each an option described by the word's explanation;
// above kMostWordSpans words, where there are no spans, it is a plain group.

import { element } from './dom.js';
import { WordReports } from './word_reports.js';

// Above this many words the result is shown without a span for each word:
// making them would hold the page up longer than the conversion itself.
export const kMostWordSpans = 20000;
// Code units in a block of the shown result, and in the longest block that
// waits for a line end before it is cut at a space.
const kBlockUnits = 4096;
const kLongestBlockUnits = 16 * kBlockUnits;

/**
 * A conversion as the page keeps it.
 * @typedef {object} ShownResult
 * @property {string} [roman]      line ends CR LF, as the desktop writes them; only with the rows
 * @property {Uint16Array} units   the code units of `roman`
 * @property {Uint32Array} words   the word report (messages.js: WordReportLayout), empty for more
 *   than kMostWordSpans words
 * @property {number} wordCount     how many words it has
 * @property {Object<number, import('./messages.js').PiecesBeforeSpoken>} piecesBeforeSpoken
 * @property {string} [marked]           the marked texts of words written in plain letters
 * @property {Uint32Array} [markedEnds]  where each word's marked text ends in `marked`
 * @property {string} source       the Gurmukhi text it came from
 * @property {string} display      `roman` with LF line ends, as shown and copied
 */

// Where the blocks of the shown result end, in the Roman text: at a line end
// once a block is long enough, or at a space in a line far too long for one.
function blockEnds(roman) {
  const ends = [];
  for (let start = 0; start < roman.length;) {
    let end = roman.indexOf('\n', start + kBlockUnits);
    if (end === -1 || end - start > kLongestBlockUnits) {
      end = roman.indexOf(' ', start + kBlockUnits);
    }
    start = end === -1 ? roman.length : end + 1;
    ends.push(start);
  }
  return ends;
}

export class ResultView {
  /** @param {HTMLElement} container */
  constructor(container) {
    this.container = container;
    /** @type {import('./messages.js').WordReportLayout | null} */
    this.layout = null;
    /** @type {ShownResult | null} */
    this.result = null;
    /** @type {WordReports | null} */
    this.words = null;
    this.spans = [];
    this.focused = null;  // the word that Tab comes to
  }

  /**
   * Shows `result`; returns how many words it has.
   * @param {ShownResult} result
   */
  show(result) {
    this.result = result;
    this.words = new WordReports(result, this.layout);
    this.render(result.wordCount);
    return result.wordCount;
  }

  clear() {
    this.result = null;
    this.words = null;
    this.spans = [];
    this.focused = null;
    this.container.replaceChildren();
    this.container.setAttribute('role', 'group');
  }

  // The result is shown in blocks that the browser lays out only when they
  // come into view (content-visibility), so that a long result costs no more
  // to show than a short one. Line ends come as CR LF, as the desktop writes
  // them; the page shows and copies them as LF, as the UTF-8 result has them.
  render(count) {
    const withSpans = count <= kMostWordSpans;
    // Spans are placed in the text with its CR LF line ends, which the rows count.
    const roman = withSpans ? this.result.roman : this.result.display;
    const fragment = document.createDocumentFragment();
    const text = (begin, end) => roman.slice(begin, end).replace(/\r/g, '');
    this.spans = [];
    this.focused = null;
    let word = 0;
    let at = 0;
    for (const end of blockEnds(roman)) {
      const block = element('div', { className: 'block' });
      block.setAttribute('role', 'none');
      for (; withSpans && word < this.words.length && this.words.at(word).romanBegin < end; ++word) {
        const { romanBegin: begin, romanEnd: end } = this.words.at(word);
        const span = element('span', { className: 'w', textContent: roman.slice(begin, end) });
        span.setAttribute('role', 'option');
        span.dataset.i = word;
        block.append(text(at, begin), span);
        this.spans.push(span);
        at = end;
      }
      block.append(text(at, end));
      fragment.append(block);
      at = end;
    }
    if (this.spans.length) {
      this.spans[0].tabIndex = 0;
      this.focused = this.spans[0];
    }
    this.container.setAttribute('role', this.spans.length ? 'listbox' : 'group');
    this.container.replaceChildren(fragment);
  }

  // The word Tab comes to is the list's chosen option, and the explanation
  // describes it.
  markCurrent(span) {
    if (this.focused && this.focused !== span) {
      this.focused.removeAttribute('tabindex');
      this.focused.removeAttribute('aria-selected');
      this.focused.removeAttribute('aria-describedby');
    }
    span.tabIndex = 0;
    span.setAttribute('aria-selected', 'true');
    span.setAttribute('aria-describedby', 'word-info');
    this.focused = span;
  }

  // One word at a time is the result's stop for Tab, so that Tab passes the
  // result in one step and the arrow keys move within it.
  focusWord(span) {
    this.markCurrent(span);
    span.focus();
  }
}
