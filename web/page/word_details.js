// Tells how the word pointed at, or moved to by keyboard, was finished: its
// Gurmukhi, its Roman text and its pieces, in the engine's own wording, which
// taviro-dict explain and Python use too.

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

  // The engine's explanation, as taviro-dict explain writes it, the Gurmukhi
  // and the Roman parts in spans of their languages.
  showWord(span) {
    const children = this.view.words.explanation(Number(span.dataset.i)).map(({ kind, text }) => {
      if (kind === 'words') return text;
      if (kind === 'gurmukhi') return element('span', { className: 'gurmukhi', lang: 'pa-Guru', textContent: text });
      const roman = element('span', { lang: 'pa-Latn', textContent: text });
      if (kind === 'piece') roman.className = 'piece';
      return roman;
    });
    this.info.replaceChildren(...children);
  }
}
