// Tells how the word pointed at, or moved to by keyboard, was finished: its
// Gurmukhi, its Roman text and the pieces the dictionary confirmed, in the
// engine's own wording, which taviro-dict explain and Python use too.

import { element } from './dom.js';

const kWordKeys = { ArrowRight: 1, ArrowDown: 1, ArrowLeft: -1, ArrowUp: -1 };

export class WordDetails {
  /**
   * @param {import('./result_view.js').ResultView} view  the words it tells of
   * @param {HTMLElement} info  where it tells
   */
  constructor(view, info) {
    this.view = view;
    this.info = info;
    const words = view.container;
    words.addEventListener('keydown', (event) => {
      const span = event.target.closest('.w');
      if (!span) return;
      const index = Number(span.dataset.i);
      const { spans } = this.view;
      let next = null;
      if (event.key in kWordKeys) next = spans[index + kWordKeys[event.key]];
      if (event.key === 'Home') next = spans[0];
      if (event.key === 'End') next = spans[spans.length - 1];
      if (next) {
        event.preventDefault();
        this.view.focusWord(next);
      }
    });
    words.addEventListener('focusin', (event) => {
      if (!event.target.classList.contains('w')) return;
      // Told first, so that the word's description is ready when it is read.
      this.showWord(event.target);
      this.view.markCurrent(event.target);
    });
    words.addEventListener('mouseover', (event) => {
      const span = event.target.closest && event.target.closest('.w');
      if (span) this.showWord(span);
    });
    words.addEventListener('click', (event) => {
      const span = event.target.closest('.w');
      if (span) this.view.focusWord(span);
    });
  }

  clear() {
    this.info.replaceChildren();
  }

  // Laid out as taviro-dict explain writes it, with the engine's punctuation,
  // the Gurmukhi and the Roman parts in spans of their languages.
  showWord(span) {
    const { view } = this;
    const { layout } = view.words;
    const marks = layout.punctuation;
    const index = Number(span.dataset.i);
    const word = view.words.at(index);
    const gurmukhi = view.result.source.slice(word.sourceBegin, word.sourceEnd);
    const roman = span.textContent;
    // A word in plain letters is told by its marked text, with the plain letters beside it.
    const marked = view.words.marked(index);
    const children = [
      element('span', { className: 'gurmukhi', lang: 'pa-Guru', textContent: gurmukhi }),
      marks.arrow,
      element('span', { lang: 'pa-Latn', textContent: marked ?? roman }),
    ];
    if (marked !== null) {
      children.push(marks.plainOpen, element('span', { lang: 'pa-Latn', textContent: roman }), marks.plainClose);
    }
    children.push(`${marks.finish}${word.finish.how}`);
    view.words.explainedPieces(index, roman).forEach(({ name, text }, i) => {
      children.push(i === 0 ? marks.firstPiece : marks.nextPiece, `${name} `,
        element('span', { className: 'piece', lang: 'pa-Latn', textContent: text }));
    });
    if (word.spokenKept) children.push(`${marks.step}${layout.spokenKept}`);
    if (word.spoken) children.push(`${marks.step}${layout.spoken}`);
    for (const step of ['spokenJoin', 'spokenNasal', 'spokenCluster']) {
      if (word[step]) children.push(`${marks.step}${layout[step]}`);
    }
    this.info.replaceChildren(...children);
  }
}
