// The character table: the engine's map of Gurmukhi characters to Roman
// text, in columns as the desktop's table picture shows it.

import { element } from './dom.js';

const kTableBlocks = 3;
const kDottedCircle = '\u25CC';

// A sign that joins the letter before it is shown on a dotted circle, as the
// desktop's table shows it, so it never sits alone.
function shownCharacter(codePoint) {
  const character = String.fromCharCode(codePoint);
  return /\p{M}/u.test(character) ? kDottedCircle + character : character;
}

/**
 * @param {import('./messages.js').CharacterMap} map
 * @param {HTMLElement} blocksElement  gets the tables
 * @param {HTMLElement} notesElement   gets what the marks stand for
 */
export function renderCharacterTable({ rows, marks }, blocksElement, notesElement) {
  // The engine's marks in place of its marker texts, as the desktop's table
  // picture shows them.
  const markOf = new Map(marks.map(([mark, marker]) => [marker, mark]));
  const perBlock = Math.ceil(rows.length / kTableBlocks);
  const blocks = [];
  for (let first = 0; first < rows.length; first += perBlock) {
    const body = rows.slice(first, first + perBlock).map(([codePoint, roman]) => element('tr', {}, [
      element('td', { className: 'gurmukhi', lang: 'pa-Guru', textContent: shownCharacter(codePoint) }),
      element('td', { lang: 'pa-Latn', textContent: markOf.get(roman) || roman }),
    ]));
    blocks.push(element('table', {}, [
      element('thead', {}, [element('tr', {}, [
        element('th', { scope: 'col', textContent: 'Gurmukhi' }),
        element('th', { scope: 'col', textContent: 'Roman' }),
      ])]),
      element('tbody', {}, body),
    ]));
  }
  blocksElement.replaceChildren(...blocks);
  notesElement.replaceChildren(...marks.flatMap(([mark, marker], i) =>
    [...(i ? [element('br')] : []), `${mark}  ${marker}`]));
}
