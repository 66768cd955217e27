// The Roman result on the page: its text in blocks, and a span for each word
// that the word details can point at. To a screen reader the result is a
// list of its words, each an option described by the word's explanation;
// above kMostWordSpans words, where there are no spans, it is a plain group.

import { stringToUnits, unitsToString } from '../package/code_units.js';
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
 * @property {string} [roman]      only with the rows
 * @property {Uint32Array} words   the word report (messages.js: WordReportLayout), empty for more
 *   than kMostWordSpans words
 * @property {number} wordCount     how many words it has
 * @property {string} [explanations]  the words' explanations in segments, with the rows
 * @property {Uint32Array} [segmentEnds]   where each segment ends in `explanations`
 * @property {Uint8Array} [segmentKinds]   what each segment is
 * @property {Uint32Array} [wordSegments]  where each word's segments end
 * @property {string} source       the Gurmukhi text it came from
 */

const kLineFeed = 0x0A;
const kSpace = 0x20;

// The blocks of the shown result, from the code units that `pieces` hold one
// after the other: { parts, end }, the block's units in the pieces it spans
// and `end` where it ends in all the units. A block ends at a line end once
// it is long enough, or at a space in a line far too long for one, wherever
// the pieces end. Only a block's units are made a string (blockText), so that
// a long result is never held whole as one.
function* shownBlocks(pieces) {
  let carried = [];    // the units of a block begun in the pieces before
  let carriedUnits = 0;
  let passed = 0;      // the units of the pieces before
  for (let index = 0; index < pieces.length; ++index) {
    const units = pieces[index];
    const last = index === pieces.length - 1;
    let start = -carriedUnits;  // where the block begins, in this piece's units
    while (start < units.length) {
      const from = Math.max(0, start + kBlockUnits);
      let end = units.indexOf(kLineFeed, from);
      if (end === -1 || end - start > kLongestBlockUnits) {
        // Whether the line is far too long may show only in the next piece.
        if (end === -1 && !last && units.length - start <= kLongestBlockUnits) break;
        end = units.indexOf(kSpace, from);
      }
      if (end === -1 && !last) break;
      const stop = end === -1 ? units.length : end + 1;
      carried.push(units.subarray(Math.max(start, 0), stop));
      yield { parts: carried, end: passed + stop };
      carried = [];
      carriedUnits = 0;
      start = stop;
    }
    if (start < units.length) {
      carried.push(units.subarray(Math.max(start, 0)));
      carriedUnits += units.length - Math.max(start, 0);
    }
    passed += units.length;
  }
}

function blockText(parts) {
  return parts.map(unitsToString).join('');
}

/**
 * @param {DocumentFragment} fragment
 * @returns {HTMLElement} a new block of the result, at the end of `fragment`
 */
function newBlock(fragment) {
  const block = element('div', { className: 'block' });
  block.setAttribute('role', 'none');
  fragment.append(block);
  return block;
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
   * Shows `result`; returns how many words it has. A result without its
   * words' rows comes as the code units of its `blocks`, line ends LF, which
   * the page then holds only as it shows them.
   * @param {ShownResult} result
   * @param {Uint16Array[]} [blocks]
   */
  show(result, blocks) {
    this.result = result;
    this.words = new WordReports(result, this.layout);
    this.render(blocks);
    return result.wordCount;
  }

  /**
   * The result's text as copied and saved, line ends LF, in blocks. A long
   * result's are read from the blocks shown, which keep the only copy.
   * @returns {string[]}
   */
  texts() {
    if (!this.result) return [];
    if (this.result.roman !== undefined) return [this.result.roman];
    return Array.from(this.container.children, (block) => block.textContent);
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
  // to show than a short one.
  render(blocks) {
    this.spans = [];
    this.focused = null;
    // A result comes with its Roman text as a string only with its words' rows.
    const fragment = this.result.roman !== undefined ? this.blocksWithSpans() : this.plainBlocks(blocks);
    if (this.spans.length) {
      this.spans[0].tabIndex = 0;
      this.focused = this.spans[0];
    }
    this.container.setAttribute('role', this.spans.length ? 'listbox' : 'group');
    this.container.replaceChildren(fragment);
  }

  /** @returns {DocumentFragment} the text in blocks, each word in a span of its own */
  blocksWithSpans() {
    const { roman } = this.result;
    const fragment = document.createDocumentFragment();
    let word = 0;
    let at = 0;
    for (const { end } of shownBlocks([stringToUnits(roman)])) {
      const block = newBlock(fragment);
      for (; word < this.words.length && this.words.at(word).romanBegin < end; ++word) {
        const { romanBegin: begin, romanEnd: wordEnd } = this.words.at(word);
        const span = element('span', { className: 'w', textContent: roman.slice(begin, wordEnd) });
        span.setAttribute('role', 'option');
        span.dataset.i = word;
        block.append(roman.slice(at, begin), span);
        this.spans.push(span);
        at = wordEnd;
      }
      block.append(roman.slice(at, end));
      at = end;
    }
    return fragment;
  }

  /**
   * @param {Uint16Array[]} blocks
   * @returns {DocumentFragment} the text in blocks
   */
  plainBlocks(blocks) {
    const fragment = document.createDocumentFragment();
    for (const { parts } of shownBlocks(blocks)) newBlock(fragment).append(blockText(parts));
    return fragment;
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
