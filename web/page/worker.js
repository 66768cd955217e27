// The page's converter, off the page's thread: a long text or a large file is
// converted here while the page stays responsive. Runs after the module's
// own script, which defines createTaviroModule.
'use strict';

let taviro = null;

function reply(message, transfer) {
  self.postMessage(message, transfer || []);
}

function converted(result) {
  result.kind = 'converted';
  reply(result, [result.units.buffer, result.words.buffer]);
}

const handlers = {
  async load(message) {
    const module = await createTaviroModule();
    taviro = new module.Taviro(message.words, message.loanwords);
    reply({ kind: 'ready', rows: taviro.rows, wordFields: taviro.wordFields, table: taviro.characterMap() });
  },
  lexicon(message) {
    reply({ kind: 'lexicon', ...taviro.setLexicon(message.text, message.loanwords) });
  },
  convert(message) {
    const started = performance.now();
    const result = taviro.convert(message.text);
    result.milliseconds = performance.now() - started;
    converted(result);
  },
  file(message) {
    converted(taviro.readFile(new Uint8Array(message.bytes), message.name));
  },
};

self.onmessage = async (event) => {
  const message = event.data;
  try {
    await handlers[message.kind](message);
  } catch (error) {
    const kind = message.kind === 'load' ? 'broken' : 'failed';
    reply({ kind, message: error.message || String(error) });
  }
};
