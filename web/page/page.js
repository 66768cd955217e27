// The page: hands text and files to the converter in its worker and shows what
// comes back. Every result and every message is the engine's; nothing here
// decides how a word is written. The parts it wires together are modules of
// their own: the worker's client, the result, the word details, the
// character table, the downloads and the checks on a file.
//
// A text too long for the Gurmukhi box, pasted or read from a file, is held
// apart from the box: a browser takes seconds to lay out a text box of
// millions of characters and seconds more for each keystroke after, so the
// box is left empty, says that it holds the text, and the result and its
// downloads are the held text's. Typing after that asks first, in the page's
// own dialog, before the held text and its result are put away.

import { unitsToString } from '../package/code_units.js';
import { renderCharacterTable } from './character_table.js';
import { byId } from './dom.js';
import { copyToClipboard, downloadFile, downloadNames } from './downloads.js';
import { kMostWordSpans, ResultView } from './result_view.js';
import { WordDetails } from './word_details.js';
import { WorkerClient } from './worker_client.js';

// A text longer than this, pasted or read from a file, is not put in the text
// box but held. Measured in chromium on a desktop: a paste of this much takes
// a quarter of a second and a keystroke after it a tenth at most; four times
// as much, 0.7 s and as long again; sixteen times as much, 3 s, and half a
// second for every keystroke. A phone is several times slower.
const kMostShownSourceUnits = 262144;
// Where this browser keeps the user's lexicon between visits.
const kLexiconKey = 'taviro-lexicon';

const ui = {
  gurmukhi: byId('gurmukhi'),
  status: byId('status'),
  file: byId('file'),
  progress: byId('progress'),
  copy: byId('copy'),
  saveUtf8: byId('save-utf8'),
  saveUtf16: byId('save-utf16'),
  table: byId('table'),
  loanwords: byId('loanwords'),
  spoken: byId('spoken'),
  plain: byId('plain'),
  lexiconText: byId('lexicon-text'),
  lexiconStatus: byId('lexicon-status'),
  held: byId('held'),
  heldText: byId('held-text'),
  heldDrop: byId('held-drop'),
  replaceHeld: byId('replace-held'),
  replaceHeldText: byId('replace-held-text'),
  replaceHeldKeep: byId('replace-held-keep'),
  replaceHeldNew: byId('replace-held-new'),
};

const view = new ResultView(byId('roman'));
const details = new WordDetails(view, byId('word-info'));
const wordHelp = byId('word-help');
const kWordHelp = wordHelp.textContent;
let ready = false;          // the converter has loaded
let sourceName = null;      // the file the text came from; null once the user types
/** @type {{text: string, name: string | null} | null} */
let held = null;            // the text too long for the box, and its file's name
let placeholder = '';       // the box's own, while no text is held
let givenWhileHeld = '';    // what the user typed or pasted while asked

function setStatus(text, isError) {
  ui.status.textContent = text;
  ui.status.classList.toggle('error', Boolean(isError));
}

function setBusy(busy) {
  if (busy) {
    document.body.dataset.busy = '1';
  } else {
    delete document.body.dataset.busy;
  }
}

function showProgress(value, max) {
  ui.progress.hidden = false;
  if (max === undefined) {
    ui.progress.removeAttribute('value');
  } else {
    ui.progress.max = max;
    ui.progress.value = value;
  }
}

function enableResultButtons(enabled) {
  for (const button of [ui.copy, ui.saveUtf8, ui.saveUtf16]) {
    button.disabled = !enabled;
  }
}

// ---- the worker ----------------------------------------------------------------

const client = new WorkerClient(byId('taviro-worker').textContent, {
  ready: startReady,
  broken: (reply) => setStatus(`The converter could not start: ${reply.message}`, true),
  lexicon: showLexicon,
  lexiconSettled: () => {
    setBusy(false);
    if (held || ui.gurmukhi.value) {
      convertCurrent();
    }
  },
  converted: (reply, request) => {
    if (reply.milliseconds !== undefined) {
      // For make bench: the engine's part, apart from moving the text about.
      performance.measure('taviro-worker-conversion',
        { start: performance.now() - reply.milliseconds, duration: reply.milliseconds });
    }
    showResult(reply, request);
    setBusy(false);
  },
  failed: (reply) => {
    showFailure(reply.message);
    setBusy(false);
  },
  encoded: (reply, name) => downloadFile(reply.pieces, name),
  unencoded: (reply) => setStatus(reply.message, true),
  stopped: (message) => {
    clearResult();
    setStatus(`The converter stopped: ${message}. Load the page again.`, true);
    setBusy(false);
  },
  busy: () => setBusy(true),
  idle: () => { ui.progress.hidden = true; },
});

/** @param {import('./messages.js').ReadyReply} reply */
function startReady(reply) {
  view.layout = reply.wordReport;
  ready = true;
  // Drawn when first opened: until then it is not needed, and the page is
  // ready sooner.
  ui.table.addEventListener('toggle',
    () => renderCharacterTable(reply.table, byId('table-blocks'), byId('table-notes')), { once: true });
  setStatus(`Ready: ${reply.rows.toLocaleString('en')} dictionary words. ` +
    'Type or paste Gurmukhi, or open a text file.');
  performance.mark('taviro-ready');
  document.body.dataset.ready = '1';
  ui.lexiconText.value = storedLexicon();
  // A switch ticked before the converter was ready, or kept ticked by the
  // browser across a reload, counts as much as a stored lexicon.
  if (ui.lexiconText.value || ui.loanwords.checked || ui.spoken.checked || ui.plain.checked) {
    sendLexicon();
  } else if (held || ui.gurmukhi.value) {
    convertCurrent();
  }
}

// ---- the user's lexicon and the loanwords ---------------------------------------

function storedLexicon() {
  try {
    return localStorage.getItem(kLexiconKey) || '';
  } catch {
    return '';  // storage is off in this browser: the lexicon lasts as long as the page
  }
}

function sendLexicon() {
  if (!ready) {
    return;
  }
  try {
    localStorage.setItem(kLexiconKey, ui.lexiconText.value);
  } catch {
    // As above: kept for this visit only.
  }
  client.setLexicon(ui.lexiconText.value, ui.loanwords.checked, ui.spoken.checked,
    ui.plain.checked ? 'ascii' : 'marks');
}

/** @param {import('./messages.js').LexiconReply} reply */
function showLexicon({ entries, problems }) {
  const taken = `${entries} word${entries === 1 ? '' : 's'} of yours.`;
  ui.lexiconStatus.textContent = problems.length ? `${taken} Left out: ${problems.join('; ')}` : taken;
  ui.lexiconStatus.classList.toggle('error', problems.length > 0);
}

// ---- converting ---------------------------------------------------------------

// The text the result is made from: the held text, or the box's.
function convertCurrent() {
  if (!ready) {
    return;
  }
  client.convertText(held ? held.text : ui.gurmukhi.value, kMostWordSpans);
}

// Holds `text`, too long for the box, and converts it; `name` is its file's.
function hold(text, name) {
  held = { text, name };
  sourceName = name;
  if (ui.gurmukhi.value) {
    ui.gurmukhi.value = '';
  }
  const what = name ? `The text of '${name}'` : 'The pasted text';
  ui.heldText.textContent = `${what}, ${text.length.toLocaleString('en')} characters, is too long to show ` +
    'here. Its Roman text is beside it, to copy or download.';
  ui.held.hidden = false;
  ui.gurmukhi.placeholder = '';
  ui.gurmukhi.setAttribute('aria-describedby', 'held-text');
}

// Puts the held text away; the box is the user's again, empty.
function dropHeld() {
  if (!held) {
    return;
  }
  held = null;
  sourceName = null;
  ui.held.hidden = true;
  ui.gurmukhi.placeholder = placeholder;
  ui.gurmukhi.removeAttribute('aria-describedby');
}

// Takes a text the user gave: into the box if it fits, else held.
function takeText(text, name) {
  dropHeld();
  sourceName = name;
  if (text.length > kMostShownSourceUnits) {
    hold(text, name);
  } else {
    ui.gurmukhi.value = text;
  }
}

function typed() {
  if (held) {
    // Something reached the box while a text is held: nothing is thrown
    // away before the user says so.
    askToReplaceHeld(ui.gurmukhi.value);
    return;
  }
  sourceName = null;  // the text is the user's now, not the file's
  if (ui.gurmukhi.value) {
    convertCurrent();
  } else {
    clearResult();
    setStatus('Type or paste Gurmukhi, or open a text file.');
  }
}

// A paste too long for the box is held, not put in it.
function pasted(event) {
  const text = event.clipboardData ? event.clipboardData.getData('text/plain') : '';
  const area = ui.gurmukhi;
  if (held) {
    event.preventDefault();
    askToReplaceHeld(text);
    return;
  }
  const { selectionStart: start, selectionEnd: end, value } = area;
  if (value.length - (end - start) + text.length <= kMostShownSourceUnits) {
    return;  // the browser puts it in the box, and the input event converts it
  }
  event.preventDefault();
  takeText(value.slice(0, start) + text + value.slice(end), null);
  setStatus('Converting the pasted text…');
  convertCurrent();
}

// Asks, in the page's own dialog, before a held text is put away for what the
// user typed or pasted (`given`, which is kept for the box if they say so).
function askToReplaceHeld(given) {
  const what = held.name ? `the text of '${held.name}'` : 'the pasted text';
  ui.replaceHeldText.textContent = `Typing here puts away ${what} and its Roman text. ` +
    'Download the Roman text first if you need it.';
  givenWhileHeld = given;
  if (!ui.replaceHeld.open) {
    ui.replaceHeld.showModal();
  }
}

function answerReplaceHeld(replace) {
  const given = givenWhileHeld;
  givenWhileHeld = '';
  ui.replaceHeld.close();
  if (replace) {
    dropHeld();
    clearResult();
    takeText(given, null);
    if (held || ui.gurmukhi.value) {
      convertCurrent();
    } else {
      setStatus('Type or paste Gurmukhi, or open a text file.');
    }
  } else if (ui.gurmukhi.value) {
    ui.gurmukhi.value = '';  // what was typed; the held text stays
  }
  ui.gurmukhi.focus();
}

function openFile(file) {
  if (!ready || !file) {
    return;
  }
  setBusy(true);
  setStatus(`Reading '${file.name}'…`);
  showProgress(0, file.size);
  const reader = new FileReader();
  reader.onprogress = (event) => showProgress(event.loaded, file.size);
  reader.onerror = () => {
    ui.progress.hidden = true;
    client.readFailed(file.name, reader.error.message);
  };
  reader.onload = () => {
    showProgress();
    setStatus(`Converting '${file.name}'…`);
    client.convertFile(file.name, reader.result, kMostWordSpans);
  };
  reader.readAsArrayBuffer(file);
}

/**
 * @param {import('./messages.js').ConvertedReply} reply
 * @param {import('./worker_client.js').PendingRequest} request
 */
function showResult(reply, request) {
  const source = request.source !== undefined ? request.source : unitsToString(reply.sourceUnits);
  if (request.name) {
    takeText(source, request.name);
  }
  details.clear();
  const { roman, blocks, words, wordCount, explanations, segmentEnds, segmentKinds, wordSegments } = reply;
  const count = view.show(
    { roman, words, wordCount, explanations, segmentEnds, segmentKinds, wordSegments, source }, blocks);
  enableResultButtons(roman !== undefined ? roman.length !== 0 : blocks.length !== 0);
  const notes = [`${count.toLocaleString('en')} word${count === 1 ? '' : 's'}.`];
  const detailed = count <= kMostWordSpans;
  if (!detailed) {
    notes.push(`Word details are shown for texts of up to ${kMostWordSpans.toLocaleString('en')} words.`);
  }
  // Past the limit no word can be pointed at, and the hint says so instead.
  wordHelp.textContent = detailed ? kWordHelp
    : `Word details stop at ${kMostWordSpans.toLocaleString('en')} words: this text has more, so no word tells how it was made.`;
  if (request.name) {
    notes.unshift(`Converted '${request.name}' (${reply.encoding}):`);
  } else if (held && source === held.text) {
    notes.unshift(held.name ? `Converted '${held.name}':` : 'Converted the pasted text:');
  }
  setStatus(notes.join(' '));
}

// A failure clears the result and its downloads, so that no result is taken
// for the failed text's. A file that failed replaced nothing: the box's text
// and a held text stay as they were, since nothing is thrown away before the
// user says so, and convert as usual once the user types or converts. The
// message names the file, and says what a word too long for the rules means.
function showFailure(message) {
  clearResult();
  setStatus(message, true);
}

function clearResult() {
  view.clear();
  details.clear();
  enableResultButtons(false);
}

// ---- copy and download ------------------------------------------------------------

async function copyResult() {
  if (!await copyToClipboard(view.texts().join(''))) {
    setStatus('The browser did not let the page copy; select the result and copy it.', true);
    return;
  }
  setStatus('The Roman text is on the clipboard.');
}

// ---- wiring -------------------------------------------------------------------------

placeholder = ui.gurmukhi.placeholder;
ui.gurmukhi.addEventListener('input', typed);
ui.gurmukhi.addEventListener('paste', pasted);
ui.heldDrop.addEventListener('click', () => {
  dropHeld();
  clearResult();
  setStatus('Type or paste Gurmukhi, or open a text file.');
  ui.gurmukhi.focus();
});
ui.replaceHeldKeep.addEventListener('click', () => answerReplaceHeld(false));
ui.replaceHeldNew.addEventListener('click', () => answerReplaceHeld(true));
// Escape keeps the held text, as "Keep it" does.
ui.replaceHeld.addEventListener('cancel', (event) => {
  event.preventDefault();
  answerReplaceHeld(false);
});
ui.lexiconText.addEventListener('input', sendLexicon);
ui.loanwords.addEventListener('change', sendLexicon);
ui.spoken.addEventListener('change', sendLexicon);
ui.plain.addEventListener('change', sendLexicon);
ui.file.addEventListener('change', () => {
  openFile(ui.file.files[0]);
  ui.file.value = '';
});
ui.copy.addEventListener('click', copyResult);
// UTF-8 as taviro-convert --to utf-8 writes it; UTF-16LE as the desktop does.
// Named after the source with a Roman mark, so that one saved beside its
// source never replaces it.
for (const [button, encoding] of [[ui.saveUtf8, 'utf-8'], [ui.saveUtf16, 'utf-16le']]) {
  button.addEventListener('click', () => client.encode(view.texts(), encoding, downloadNames(sourceName)[encoding]));
}

document.addEventListener('dragover', (event) => {
  event.preventDefault();
  event.dataTransfer.dropEffect = 'copy';
  ui.gurmukhi.classList.add('dropping');
});
document.addEventListener('dragleave', () => ui.gurmukhi.classList.remove('dropping'));
document.addEventListener('drop', (event) => {
  event.preventDefault();
  ui.gurmukhi.classList.remove('dropping');
  openFile(event.dataTransfer.files[0]);
});

client.load(byId('taviro-words').textContent, byId('taviro-loanwords').textContent);
