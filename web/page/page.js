// The page: hands text and files to the converter in its worker and shows what
// comes back. Every result and every message is the engine's; nothing here
// decides how a word is written. The parts it wires together are modules of
// their own: the worker's client, the result, the word details, the
// character table and the downloads.

import { renderCharacterTable } from './character_table.js';
import { byId } from './dom.js';
import { copyToClipboard, downloadFile } from './downloads.js';
import { kMostWordSpans, ResultView } from './result_view.js';
import { WordDetails } from './word_details.js';
import { WorkerClient } from './worker_client.js';

// A file's Gurmukhi text longer than this is not put in the text box: the
// browser would take seconds to lay it out, and the page would stand still.
const kMostShownSourceUnits = 262144;
const kTypedTextName = 'roman.txt';
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
  lexiconText: byId('lexicon-text'),
  lexiconStatus: byId('lexicon-status'),
};

const view = new ResultView(byId('roman'));
const details = new WordDetails(view, byId('word-info'));
let ready = false;          // the converter has loaded
let fileName = kTypedTextName;  // the name downloads get

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
    if (ui.gurmukhi.value) {
      convertTyped();
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
    clearResult();
    setStatus(reply.message, true);
    setBusy(false);
  },
  encoded: (reply, name) => downloadFile(reply.bytes, name),
  unencoded: (reply) => setStatus(reply.message, true),
  stopped: (message) => {
    setStatus(`The converter stopped: ${message}`, true);
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
  if (ui.lexiconText.value) {
    sendLexicon();
  } else if (ui.gurmukhi.value) {
    convertTyped();
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
  client.setLexicon(ui.lexiconText.value, ui.loanwords.checked);
}

/** @param {import('./messages.js').LexiconReply} reply */
function showLexicon({ entries, problems }) {
  const taken = `${entries} word${entries === 1 ? '' : 's'} of yours.`;
  ui.lexiconStatus.textContent = problems.length ? `${taken} Left out: ${problems.join('; ')}` : taken;
  ui.lexiconStatus.classList.toggle('error', problems.length > 0);
}

// ---- converting ---------------------------------------------------------------

function convertTyped() {
  if (!ready) {
    return;
  }
  client.convertText(ui.gurmukhi.value);
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
    clearResult();
    setStatus(`cannot read '${file.name}': ${reader.error.message}`, true);
    setBusy(false);
  };
  reader.onload = () => {
    showProgress();
    setStatus(`Converting '${file.name}'…`);
    client.convertFile(file.name, reader.result);
  };
  reader.readAsArrayBuffer(file);
}

/**
 * @param {import('./messages.js').ConvertedReply} reply
 * @param {import('./worker_client.js').PendingRequest} request
 */
function showResult(reply, request) {
  const source = request.source !== undefined ? request.source : reply.source;
  const sourceShown = !request.name || source.length <= kMostShownSourceUnits;
  if (request.name) {
    fileName = request.name;
    ui.gurmukhi.value = sourceShown ? source : '';
  }
  const display = reply.roman.replace(/\r/g, '');
  details.clear();
  const count = view.show({ roman: reply.roman, units: reply.units, words: reply.words, source, display });
  enableResultButtons(display.length !== 0);
  const notes = [`${count.toLocaleString('en')} word${count === 1 ? '' : 's'}.`];
  if (!sourceShown) {
    notes.push('Its Gurmukhi text is too long to show here.');
  }
  if (count > kMostWordSpans) {
    notes.push(`Word details are shown for texts of up to ${kMostWordSpans.toLocaleString('en')} words.`);
  }
  if (request.name) {
    notes.unshift(`Converted '${request.name}' (${reply.encoding}):`);
  }
  setStatus(notes.join(' '));
}

function clearResult() {
  view.clear();
  details.clear();
  enableResultButtons(false);
}

// ---- copy and download ------------------------------------------------------------

async function copyResult() {
  if (!await copyToClipboard(view.result.display)) {
    setStatus('The browser did not let the page copy; select the result and copy it.', true);
    return;
  }
  setStatus('The Roman text is on the clipboard.');
}

// ---- wiring -------------------------------------------------------------------------

ui.gurmukhi.addEventListener('input', convertTyped);
ui.lexiconText.addEventListener('input', sendLexicon);
ui.loanwords.addEventListener('change', sendLexicon);
ui.file.addEventListener('change', () => {
  openFile(ui.file.files[0]);
  ui.file.value = '';
});
ui.copy.addEventListener('click', copyResult);
// UTF-8 as taviro-convert --to utf-8 writes it; UTF-16LE as the desktop does.
ui.saveUtf8.addEventListener('click', () => client.encode(view.result.units, 'utf-8', fileName));
ui.saveUtf16.addEventListener('click', () => client.encode(view.result.units, 'utf-16le', fileName));

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
