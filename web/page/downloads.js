// The result leaving the page: on the clipboard, or as a file. The file's
// bytes come from the module, written as taviro-convert writes them; the page
// only saves them.

import { element } from './dom.js';

/**
 * Puts `text` on the clipboard; returns whether the browser let the page.
 * @param {string} text
 */
export async function copyToClipboard(text) {
  try {
    await navigator.clipboard.writeText(text);
    return true;
  } catch {
    // Without the clipboard interface (an older browser), the selection way.
    const area = element('textarea', { value: text });
    document.body.append(area);
    area.select();
    const copied = document.execCommand('copy');
    area.remove();
    return copied;
  }
}

/**
 * Saves `pieces`, a file the module wrote, as `name`.
 * @param {Uint8Array[]} pieces
 */
export function downloadFile(pieces, name) {
  const url = URL.createObjectURL(new Blob(pieces, { type: 'text/plain' }));
  const link = element('a', { href: url, download: name });
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

// The downloads of a typed text, and the mark a source's own name gets.
const kTypedTextBase = 'roman';
const kRomanMark = '-roman';

/**
 * The names the two downloads take: after the source, with a Roman mark, so
 * that one saved beside its source never replaces it (small.txt gives
 * small-roman.txt and small-roman-utf16.txt); after nothing for a typed text.
 * @param {string | null} sourceName  the file's name, or null for a typed text
 * @returns {{'utf-8': string, 'utf-16le': string}}
 */
export function downloadNames(sourceName) {
  const stem = sourceName ? sourceName.replace(/\.[^.]*$/, '') : '';
  const name = stem ? stem + kRomanMark : kTypedTextBase;
  return { 'utf-8': `${name}.txt`, 'utf-16le': `${name}-utf16.txt` };
}
