// The page: hands text and files to the converter in its worker and shows what
// comes back. Every result and every message is the engine's; nothing here
// decides how a word is written.
'use strict';
(() => {
  // Above this many words the result is shown without a span for each word:
  // making them would hold the page up longer than the conversion itself.
  const kMostWordSpans = 20000;
  // Code units in a block of the shown result, and in the longest block that
  // waits for a line end before it is cut at a space.
  const kBlockUnits = 4096;
  const kLongestBlockUnits = 16 * kBlockUnits;
  // A file's Gurmukhi text longer than this is not put in the text box: the
  // browser would take seconds to lay it out, and the page would stand still.
  const kMostShownSourceUnits = 262144;
  const kTypedTextName = 'roman.txt';
  // The marks the desktop's table picture puts in place of a marker text.
  const kTableMarks = { noConversion: '*', doubling: '\u2020' };
  const kTableBlocks = 3;
  // Where this browser keeps the user's lexicon between visits.
  const kLexiconKey = 'taviro-lexicon';
  const kDottedCircle = '\u25CC';

  const byId = (id) => document.getElementById(id);
  const ui = {
    gurmukhi: byId('gurmukhi'),
    roman: byId('roman'),
    status: byId('status'),
    file: byId('file'),
    progress: byId('progress'),
    copy: byId('copy'),
    saveUtf8: byId('save-utf8'),
    saveUtf16: byId('save-utf16'),
    info: byId('word-info'),
    tableBlocks: byId('table-blocks'),
    table: byId('table'),
    tableNotes: byId('table-notes'),
    loanwords: byId('loanwords'),
    lexiconText: byId('lexicon-text'),
    lexiconStatus: byId('lexicon-status'),
  };

  const state = {
    fields: null,      // where each number of a word's report lies
    inFlight: null,    // the request the worker is working on
    pending: null,     // the newest request, waiting for the worker
    name: kTypedTextName,
    result: null,      // { roman, units, words, source, display }
    spans: [],
    focused: null,
  };

  function element(tag, properties, children) {
    const node = Object.assign(document.createElement(tag), properties || {});
    node.append(...(children || []));
    return node;
  }

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

  // ---- the worker ----------------------------------------------------------

  const worker = new Worker(URL.createObjectURL(
    new Blob([byId('taviro-worker').textContent], { type: 'text/javascript' })));

  // The worker takes one request at a time; while it works, only the newest
  // waiting request is kept, so fast typing never queues stale conversions.
  // A waiting change of the lexicon is not dropped for typing: its answer
  // converts the newest text anyway.
  function send(request) {
    setBusy(true);
    if (state.inFlight) {
      if (!(state.pending && state.pending.lexicon && request.typed)) {
        state.pending = request;
      }
      return;
    }
    state.inFlight = request;
    worker.postMessage(request.message, request.transfer || []);
  }

  function settle() {
    const done = state.inFlight;
    state.inFlight = null;
    if (state.pending) {
      const next = state.pending;
      state.pending = null;
      send(next);
      return null;
    }
    ui.progress.hidden = true;
    return done;
  }

  worker.onmessage = (event) => {
    const message = event.data;
    if (message.kind === 'ready') {
      ready(message);
      return;
    }
    if (message.kind === 'broken') {
      setStatus(`The converter could not start: ${message.message}`, true);
      return;
    }
    if (message.kind === 'lexicon') {
      showLexicon(message);
      if (settle()) {
        setBusy(false);
        if (ui.gurmukhi.value) {
          convertTyped();
        }
      }
      return;
    }
    const request = settle();
    if (!request) {
      return;
    }
    if (message.kind === 'converted') {
      if (message.milliseconds !== undefined) {
        // For make bench: the engine's part, apart from moving the text about.
        performance.measure('taviro-worker-conversion',
          { start: performance.now() - message.milliseconds, duration: message.milliseconds });
      }
      showResult(message, request);
    } else {
      clearResult();
      setStatus(message.message, true);
    }
    setBusy(false);
  };

  worker.onerror = (event) => {
    setStatus('The converter stopped: ' + (event.message || 'unknown error'), true);
    setBusy(false);
  };

  function ready(message) {
    state.fields = message.wordFields;
    // Drawn when first opened: until then it is not needed, and the page is
    // ready sooner.
    ui.table.addEventListener('toggle', () => renderTable(message.table), { once: true });
    setStatus(`Ready: ${message.rows.toLocaleString('en')} dictionary words. ` +
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

  // ---- the user's lexicon and the loanwords ---------------------------------

  function storedLexicon() {
    try {
      return localStorage.getItem(kLexiconKey) || '';
    } catch {
      return '';  // storage is off in this browser: the lexicon lasts as long as the page
    }
  }

  function sendLexicon() {
    if (!state.fields) {
      return;
    }
    try {
      localStorage.setItem(kLexiconKey, ui.lexiconText.value);
    } catch {
      // As above: kept for this visit only.
    }
    send({ message: { kind: 'lexicon', text: ui.lexiconText.value, loanwords: ui.loanwords.checked }, lexicon: true });
  }

  function showLexicon({ entries, problems }) {
    const taken = `${entries} word${entries === 1 ? '' : 's'} of yours.`;
    ui.lexiconStatus.textContent = problems.length ? `${taken} Left out: ${problems.join('; ')}` : taken;
    ui.lexiconStatus.classList.toggle('error', problems.length > 0);
  }

  // ---- converting ---------------------------------------------------------

  function convertTyped() {
    if (!state.fields) {
      return;
    }
    const text = ui.gurmukhi.value;
    send({ message: { kind: 'convert', text }, source: text, typed: true });
  }

  function openFile(file) {
    if (!state.fields || !file) {
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
      const message = { kind: 'file', name: file.name, bytes: reader.result };
      send({ message, transfer: [reader.result], name: file.name });
    };
    reader.readAsArrayBuffer(file);
  }

  function showResult(message, request) {
    const source = request.source !== undefined ? request.source : message.source;
    const sourceShown = !request.name || source.length <= kMostShownSourceUnits;
    if (request.name) {
      state.name = request.name;
      ui.gurmukhi.value = sourceShown ? source : '';
    }
    const display = message.roman.replace(/\r/g, '');
    state.result = { roman: message.roman, units: message.units, words: message.words, source, display };
    const count = message.words.length / state.fields.count;
    renderRoman(count);
    for (const button of [ui.copy, ui.saveUtf8, ui.saveUtf16]) {
      button.disabled = display.length === 0;
    }
    const notes = [`${count.toLocaleString('en')} word${count === 1 ? '' : 's'}.`];
    if (!sourceShown) {
      notes.push('Its Gurmukhi text is too long to show here.');
    }
    if (count > kMostWordSpans) {
      notes.push(`Word details are shown for texts of up to ${kMostWordSpans.toLocaleString('en')} words.`);
    }
    if (request.name) {
      notes.unshift(`Converted '${request.name}' (${message.encoding}):`);
    }
    setStatus(notes.join(' '));
  }

  function clearResult() {
    state.result = null;
    state.spans = [];
    state.focused = null;
    ui.roman.replaceChildren();
    ui.info.replaceChildren();
    for (const button of [ui.copy, ui.saveUtf8, ui.saveUtf16]) {
      button.disabled = true;
    }
  }

  // ---- the Roman text and its words ----------------------------------------

  function wordNumber(index, field) {
    return state.result.words[index * state.fields.count + state.fields[field]];
  }

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

  // The result is shown in blocks that the browser lays out only when they
  // come into view (content-visibility), so that a long result costs no more
  // to show than a short one. Line ends come as CR LF, as the desktop writes
  // them; the page shows and copies them as LF, as the UTF-8 result has them.
  function renderRoman(count) {
    const { roman } = state.result;
    const withSpans = count <= kMostWordSpans;
    const fragment = document.createDocumentFragment();
    const text = (begin, end) => roman.slice(begin, end).replace(/\r/g, '');
    state.spans = [];
    state.focused = null;
    ui.info.replaceChildren();
    let word = 0;
    let at = 0;
    for (const end of blockEnds(roman)) {
      const block = element('div', { className: 'block' });
      for (; withSpans && word < count && wordNumber(word, 'romanBegin') < end; ++word) {
        const begin = wordNumber(word, 'romanBegin');
        const end = wordNumber(word, 'romanEnd');
        const span = element('span', { className: 'w', textContent: roman.slice(begin, end) });
        span.dataset.i = word;
        block.append(text(at, begin), span);
        state.spans.push(span);
        at = end;
      }
      block.append(text(at, end));
      fragment.append(block);
      at = end;
    }
    if (state.spans.length) {
      state.spans[0].tabIndex = 0;
      state.focused = state.spans[0];
    }
    ui.roman.replaceChildren(fragment);
  }

  // How a word was finished, as pieces of its Roman text with their names, in
  // the engine's own wording, which taviro-dict explain and Python use too.
  function pieces(index, roman) {
    const { how, pieces: named } = state.fields.finishes[wordNumber(index, 'finish')];
    const marks = {
      wordBegin: 0,
      stemBegin: wordNumber(index, 'stemBegin'),
      stemEnd: wordNumber(index, 'stemEnd'),
      wordEnd: roman.length,
    };
    const parts = named.map(([name, from, to]) => [name, roman.slice(marks[from], marks[to])]);
    return { how, parts };
  }

  function showWord(span) {
    const index = Number(span.dataset.i);
    const gurmukhi = state.result.source.slice(wordNumber(index, 'sourceBegin'), wordNumber(index, 'sourceEnd'));
    const roman = span.textContent;
    const { how, parts } = pieces(index, roman);
    const children = [
      element('span', { className: 'gurmukhi', lang: 'pa-Guru', textContent: gurmukhi }),
      ' \u2192 ',
      element('span', { lang: 'pa-Latn', textContent: roman }),
      `: ${how}`,
    ];
    parts.forEach(([name, text], i) => {
      children.push(i === 0 ? ': ' : ' + ', `${name} `,
        element('span', { className: 'piece', lang: 'pa-Latn', textContent: text }));
    });
    ui.info.replaceChildren(...children);
  }

  function focusWord(span) {
    if (state.focused && state.focused !== span) {
      state.focused.removeAttribute('tabindex');
    }
    span.tabIndex = 0;
    state.focused = span;
    span.focus();
  }

  const kWordKeys = { ArrowRight: 1, ArrowDown: 1, ArrowLeft: -1, ArrowUp: -1 };

  ui.roman.addEventListener('keydown', (event) => {
    const span = event.target.closest('.w');
    if (!span) return;
    const index = Number(span.dataset.i);
    let next = null;
    if (event.key in kWordKeys) next = state.spans[index + kWordKeys[event.key]];
    if (event.key === 'Home') next = state.spans[0];
    if (event.key === 'End') next = state.spans[state.spans.length - 1];
    if (next) {
      event.preventDefault();
      focusWord(next);
    }
  });
  ui.roman.addEventListener('focusin', (event) => {
    if (event.target.classList.contains('w')) showWord(event.target);
  });
  ui.roman.addEventListener('mouseover', (event) => {
    const span = event.target.closest && event.target.closest('.w');
    if (span) showWord(span);
  });
  ui.roman.addEventListener('click', (event) => {
    const span = event.target.closest('.w');
    if (span) focusWord(span);
  });

  // ---- copy and download ----------------------------------------------------

  async function copyResult() {
    const text = state.result.display;
    try {
      await navigator.clipboard.writeText(text);
    } catch {
      // Without the clipboard interface (an older browser), the selection way.
      const area = element('textarea', { value: text });
      document.body.append(area);
      area.select();
      const copied = document.execCommand('copy');
      area.remove();
      if (!copied) {
        setStatus('The browser did not let the page copy; select the result and copy it.', true);
        return;
      }
    }
    setStatus('The Roman text is on the clipboard.');
  }

  function download(parts, name) {
    const url = URL.createObjectURL(new Blob(parts, { type: 'text/plain' }));
    const link = element('a', { href: url, download: name });
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  }

  // UTF-8 without a byte-order mark, LF line ends: what taviro-convert --to utf-8 writes.
  function saveUtf8() {
    download([state.result.display], state.name);
  }

  // The desktop's file: UTF-16LE after a byte-order mark, CR LF line ends.
  function saveUtf16() {
    const units = state.result.units;
    const bytes = new DataView(new ArrayBuffer(2 * (units.length + 1)));
    bytes.setUint16(0, 0xFEFF, true);
    for (let i = 0; i < units.length; ++i) {
      bytes.setUint16(2 * (i + 1), units[i], true);
    }
    download([bytes.buffer], state.name);
  }

  // ---- the character table ------------------------------------------------

  // A sign that joins the letter before it is shown on a dotted circle, as the
  // desktop's table shows it, so it never sits alone.
  function shownCharacter(codePoint) {
    const character = String.fromCharCode(codePoint);
    return /\p{M}/u.test(character) ? kDottedCircle + character : character;
  }

  function renderTable({ rows, markers }) {
    const markOf = new Map([
      [markers.noConversion, kTableMarks.noConversion],
      [markers.doubling, kTableMarks.doubling],
    ]);
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
    ui.tableBlocks.replaceChildren(...blocks);
    ui.tableNotes.replaceChildren(
      `${kTableMarks.noConversion}  ${markers.noConversion}`, element('br'),
      `${kTableMarks.doubling}  ${markers.doubling}`);
  }

  // ---- wiring ---------------------------------------------------------------

  ui.gurmukhi.addEventListener('input', convertTyped);
  ui.lexiconText.addEventListener('input', sendLexicon);
  ui.loanwords.addEventListener('change', sendLexicon);
  ui.file.addEventListener('change', () => {
    openFile(ui.file.files[0]);
    ui.file.value = '';
  });
  ui.copy.addEventListener('click', copyResult);
  ui.saveUtf8.addEventListener('click', saveUtf8);
  ui.saveUtf16.addEventListener('click', saveUtf16);

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

  worker.postMessage({
    kind: 'load', words: byId('taviro-words').textContent, loanwords: byId('taviro-loanwords').textContent,
  });
})();
