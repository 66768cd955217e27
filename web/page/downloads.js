// The result leaving the page: on the clipboard, or as a file in either of
// the forms taviro-convert writes.

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

function download(parts, name) {
  const url = URL.createObjectURL(new Blob(parts, { type: 'text/plain' }));
  const link = element('a', { href: url, download: name });
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

/**
 * UTF-8 without a byte-order mark, LF line ends: what taviro-convert --to utf-8 writes.
 * @param {string} display  the result with LF line ends
 */
export function downloadUtf8(display, name) {
  download([display], name);
}

/**
 * The desktop's file: UTF-16LE after a byte-order mark, CR LF line ends.
 * @param {Uint16Array} units  the result's code units, line ends CR LF
 */
export function downloadDesktopUtf16(units, name) {
  const bytes = new DataView(new ArrayBuffer(2 * (units.length + 1)));
  bytes.setUint16(0, 0xFEFF, true);
  for (let i = 0; i < units.length; ++i) {
    bytes.setUint16(2 * (i + 1), units[i], true);
  }
  download([bytes.buffer], name);
}
