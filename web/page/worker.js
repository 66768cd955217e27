// The page's converter, off the page's thread: a long text or a large file is
// converted here while the page stays responsive. Runs after the npm
// package's modules and the page's face over them, put together into one
// script, which define PageTaviro. It
// answers each request of messages.js with one reply of messages.js.
'use strict';

/** @typedef {import('./messages.js').WorkerRequest} WorkerRequest */
/** @typedef {import('./messages.js').WorkerReply} WorkerReply */

let taviro = null;

/**
 * @param {WorkerReply} message
 * @param {Transferable[]} [transfer]
 */
function reply(message, transfer) {
  self.postMessage(message, transfer || []);
}

// `result` becomes a ConvertedReply; its arrays are handed over, not copied.
// With the rows the page takes the Roman text as a string: its units stay here.
function converted(result) {
  const { units, ...shown } = result;
  shown.kind = 'converted';
  const handed = [shown.words, ...(shown.blocks || []), shown.sourceUnits, shown.segmentEnds, shown.segmentKinds,
    shown.wordSegments].filter((array) => array !== undefined);
  reply(shown, handed.map((array) => array.buffer));
}

/** What the worker does with each kind of WorkerRequest. */
const handlers = {
  async load(message) {
    taviro = await PageTaviro.open({ words: message.words, loanwords: message.loanwords });
    reply({
      kind: 'ready', rows: taviro.rows, wordReport: taviro.wordReport, table: taviro.characterMap(),
    });
  },
  lexicon(message) {
    reply({ kind: 'lexicon', ...taviro.setLexicon(message.text, message.loanwords, message.spoken, message.scheme) });
  },
  convert(message) {
    const started = performance.now();
    const result = taviro.convert(message.units, message.mostWords);
    result.milliseconds = performance.now() - started;
    converted(result);
  },
  file(message) {
    converted(taviro.readFile(new Uint8Array(message.bytes), message.name, message.mostWords));
  },
  readFailed(message) {
    reply({ kind: 'failed', message: taviro.readFailure(message.name, message.reason), failure: 'file' });
  },
  encode(message) {
    const pieces = taviro.encode(message.blocks, message.encoding);
    reply({ kind: 'encoded', pieces }, pieces.map((piece) => piece.buffer));
  },
};

// The reply to a request that failed: the load's ends the converter, a
// download's concerns that download alone, the rest the conversion awaited.
const kFailureKinds = { load: 'broken', encode: 'unencoded' };

self.onmessage = async (event) => {
  /** @type {WorkerRequest} */
  const message = event.data;
  try {
    await handlers[message.kind](message);
  } catch (error) {
    const kind = kFailureKinds[message.kind] || 'failed';
    const text = error.message || String(error);
    const failure = error.kind || 'usage';
    reply(kind === 'failed' ? { kind, message: taviro.shownFailure(text, failure, message.name), failure }
      : { kind, message: text });
  }
};
