// The Gurmukhi of a word, shown beside it on hover or focus: a tooltip of
// the extension's own in a closed shadow root, so the page's styles cannot
// reach it nor its styles the page. Its host is put under the document's
// root element only while it shows, outside the body, and never selected.
//
// Each import is one line and each export a declaration: the content script
// is its modules put together into one plain script.

const kTooltipStyle = `
  :host { all: initial; position: fixed; z-index: 2147483647; pointer-events: none; user-select: none; }
  div { font: 16px/1.4 "Noto Sans Gurmukhi", "Raavi", sans-serif; color: #111; background: #fffbe6;
        border: 1px solid #8a6d00; border-radius: 4px; padding: 2px 6px; max-width: 40em;
        box-shadow: 0 1px 4px rgba(0, 0, 0, 0.3); white-space: pre-wrap; }
`;
const kLongestShown = 200;

export class OriginalTooltip {
  #host = null;
  #text = null;

  /** Shows `original` at (x, y) of the viewport, just below it. */
  show(original, x, y) {
    if (!this.#host) this.#make();
    this.#text.textContent = original.length > kLongestShown ? `${original.slice(0, kLongestShown)}…` : original;
    const left = Math.max(0, Math.min(x, window.innerWidth - 320));
    this.#host.style.left = `${left}px`;
    this.#host.style.top = `${Math.min(y + 4, window.innerHeight - 40)}px`;
    if (!this.#host.isConnected) document.documentElement.append(this.#host);
  }

  hide() {
    this.#host?.remove();
  }

  /** Whether a node is the tooltip's own. */
  owns(node) {
    return node === this.#host;
  }

  #make() {
    this.#host = document.createElement('taviro-original');
    const shadow = this.#host.attachShadow({ mode: 'closed' });
    const style = document.createElement('style');
    style.textContent = kTooltipStyle;
    this.#text = document.createElement('div');
    this.#text.setAttribute('role', 'tooltip');
    this.#text.setAttribute('lang', 'pa');
    shadow.append(style, this.#text);
  }
}

/** The word of `roman` at `offset`, with the original word it was written for, or the whole original. */
export function originalAt(original, roman, offset) {
  const romanWords = [...roman.matchAll(/\S+/g)];
  const originalWords = original.match(/\S+/g) ?? [];
  if (romanWords.length !== originalWords.length) return original.trim();
  const index = romanWords.findIndex((word) => offset >= word.index && offset <= word.index + word[0].length);
  return index === -1 ? '' : originalWords[index];
}
