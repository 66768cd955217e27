// The page's side of its worker: sends the requests of messages.js and hands
// each reply to the page. Conversions and lexicons go one at a time; a
// download's request goes at once, and the worker answers it after what it
// is working on.

import { stringToUnits } from '../package/code_units.js';

/** @typedef {import('./messages.js').WorkerRequest} WorkerRequest */
/** @typedef {import('./messages.js').WorkerReply} WorkerReply */

/**
 * A request on its way, with what the page needs to show its reply.
 * @typedef {object} PendingRequest
 * @property {WorkerRequest} message
 * @property {Transferable[]} [transfer]
 * @property {string} [source]    the typed text, for a conversion of it
 * @property {boolean} [typed]    a conversion of the typed text
 * @property {boolean} [lexicon]  a change of the lexicon
 * @property {string} [name]      the file's name, for a conversion of a file
 */

/**
 * What the page does with the replies; every handler is called on the page's thread.
 * @typedef {object} WorkerHandlers
 * @property {(reply: import('./messages.js').ReadyReply) => void} ready
 * @property {(reply: import('./messages.js').BrokenReply) => void} broken
 * @property {(reply: import('./messages.js').LexiconReply) => void} lexicon
 * @property {() => void} lexiconSettled  the lexicon's reply came with nothing left waiting
 * @property {(reply: import('./messages.js').ConvertedReply, request: PendingRequest) => void} converted
 * @property {(reply: import('./messages.js').FailedReply, request: PendingRequest) => void} failed
 * @property {(reply: import('./messages.js').EncodedReply, name: string) => void} encoded  a download's bytes
 * @property {(reply: import('./messages.js').UnencodedReply) => void} unencoded
 * @property {(message: string) => void} stopped  the worker itself failed
 * @property {() => void} busy   a request was sent or is waiting
 * @property {() => void} idle   the last request was answered
 */

export class WorkerClient {
  /**
   * @param {string} script  the worker's whole script: the module, then worker.js
   * @param {WorkerHandlers} handlers
   */
  constructor(script, handlers) {
    this.handlers = handlers;
    this.inFlight = null;  // the request the worker is working on
    this.pending = null;   // the newest request, waiting for the worker
    this.downloads = [];   // the names of the downloads asked for, in order
    this.worker = new Worker(URL.createObjectURL(new Blob([script], { type: 'text/javascript' })));
    this.worker.onmessage = (event) => this.receive(event.data);
    this.worker.onerror = (event) => handlers.stopped(event.message || 'unknown error');
  }

  /** Starts the converter; answered with `ready` or `broken`. */
  load(words, loanwords) {
    /** @type {import('./messages.js').LoadRequest} */
    const message = { kind: 'load', words, loanwords };
    this.worker.postMessage(message);
  }

  setLexicon(text, loanwords, spoken, scheme) {
    this.send({ message: { kind: 'lexicon', text, loanwords, spoken, scheme }, lexicon: true });
  }

  /**
   * The text goes as its code units, handed over: a long text is not copied
   * on its way, as a string would be.
   * @param {number} mostWords  a text of more words comes without their rows
   */
  convertText(text, mostWords) {
    const units = stringToUnits(text);
    this.send({ message: { kind: 'convert', units, mostWords }, transfer: [units.buffer], source: text, typed: true });
  }

  /**
   * @param {ArrayBuffer} bytes  handed over to the worker, no longer usable here
   * @param {number} mostWords   as for convertText
   */
  convertFile(name, bytes, mostWords) {
    this.send({ message: { kind: 'file', name, bytes, mostWords }, transfer: [bytes], name });
  }

  /** Says that the browser could not read the file `name`; answered with `failed`. */
  readFailed(name, reason) {
    this.send({ message: { kind: 'readFailed', name, reason }, name });
  }

  /**
   * Asks for a result's text, in its blocks, as the bytes of a file called
   * `name`; answered with `encoded` or `unencoded`.
   * @param {string[]} blocks  line ends LF
   * @param {'utf-8' | 'utf-16le'} encoding
   */
  encode(blocks, encoding, name) {
    this.downloads.push(name);
    /** @type {import('./messages.js').EncodeRequest} */
    const message = { kind: 'encode', blocks, encoding };
    this.worker.postMessage(message);
  }

  // The worker takes one request at a time; while it works, only the newest
  // waiting request is kept, so fast typing never queues stale conversions.
  // A waiting change of the lexicon is not dropped for typing: its answer
  // converts the newest text anyway.
  /** @param {PendingRequest} request */
  send(request) {
    this.handlers.busy();
    if (this.inFlight) {
      if (!(this.pending && this.pending.lexicon && request.typed)) {
        this.pending = request;
      }
      return;
    }
    this.inFlight = request;
    this.worker.postMessage(request.message, request.transfer || []);
  }

  // The request just answered, or null when a waiting one was sent in its
  // place and the answer is already stale.
  settle() {
    const done = this.inFlight;
    this.inFlight = null;
    if (this.pending) {
      const next = this.pending;
      this.pending = null;
      this.send(next);
      return null;
    }
    this.handlers.idle();
    return done;
  }

  /** @param {WorkerReply} reply */
  receive(reply) {
    switch (reply.kind) {
    case 'ready':
      this.handlers.ready(reply);
      return;
    case 'broken':
      this.handlers.broken(reply);
      return;
    case 'encoded':
      this.handlers.encoded(reply, this.downloads.shift());
      return;
    case 'unencoded':
      this.downloads.shift();
      this.handlers.unencoded(reply);
      return;
    case 'lexicon':
      this.handlers.lexicon(reply);
      if (this.settle()) {
        this.handlers.lexiconSettled();
      }
      return;
    default:
      break;
    }
    const request = this.settle();
    if (!request) {
      return;
    }
    if (reply.kind === 'converted') {
      this.handlers.converted(reply, request);
    } else {
      this.handlers.failed(reply, request);
    }
  }
}
