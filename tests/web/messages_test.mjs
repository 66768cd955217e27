// The worker's side of the message contract, under node: each request of
// web/page/messages.js gets a reply of a kind messages.js declares, with the
// properties it declares for that kind and no others, so that the page,
// which reads replies by those types, never meets a reply it does not know.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { test } from 'node:test';
import vm from 'node:vm';
import { webFile } from './skip.mjs';

const pageFolder = new URL('../../web/page/', import.meta.url);

// A @property line's name, and whether it is optional ("[name]"); its type
// may hold braces of its own.
function propertyOf(line) {
  let at = line.indexOf('{');
  for (let depth = 0; at < line.length; ++at) {
    depth += line[at] === '{' ? 1 : line[at] === '}' ? -1 : 0;
    if (depth === 0) break;
  }
  const [, bracket, name] = line.slice(at + 1).match(/^\s*(\[)?(\w+)/);
  return { name, optional: Boolean(bracket) };
}

// Every typedef of messages.js with a `kind`: { kind, union, required, optional }.
function declaredMessages() {
  const text = fs.readFileSync(new URL('messages.js', pageFolder), 'utf8');
  const unions = {};
  for (const [, members, name] of text.matchAll(/@typedef \{([A-Za-z |]+)\}[\s*]*(WorkerRequest|WorkerReply)\b/g)) {
    for (const member of members.split('|')) unions[member.trim()] = name;
  }
  const messages = [];
  for (const block of text.split('/**').slice(1).map((part) => part.split('*/')[0])) {
    const name = block.match(/@typedef \{object\} (\w+)/);
    const kind = block.match(/@property \{'(\w+)'\} kind/);
    if (!name || !kind) continue;
    const required = [];
    const optional = [];
    for (const line of block.split('\n').filter((l) => l.includes('@property'))) {
      const property = propertyOf(line);
      (property.optional ? optional : required).push(property.name);
    }
    messages.push({ kind: kind[1], union: unions[name[1]], required, optional });
  }
  return messages;
}

const units = (text) => Uint16Array.from({ length: text.length }, (_, i) => text.charCodeAt(i));

// The worker's script as the page runs it, the package's modules and then
// worker.js, with `self` and its replies kept.
function startWorker() {
  const replies = [];
  const self = { postMessage: (message) => replies.push(message) };
  const context = vm.createContext({ self, performance, Uint8Array, atob, TextDecoder });
  const script = [webFile('worker_engine.js'), new URL('worker.js', pageFolder)]
    .map((file) => fs.readFileSync(file, 'utf8')).join('\n');
  vm.runInContext(script, context);
  return {
    async ask(request) {
      await self.onmessage({ data: request });
      return replies.pop();
    },
  };
}

test('every reply of the worker is a message of messages.js, whole', async () => {
  const messages = declaredMessages();
  const kindsOf = (union) => messages.filter((m) => m.union === union).map((m) => m.kind).sort();
  const declaration = (union, kind) => messages.find((m) => m.union === union && m.kind === kind);
  assert.deepEqual(kindsOf('WorkerRequest'), ['convert', 'encode', 'file', 'lexicon', 'load', 'readFailed']);
  assert.deepEqual(kindsOf('WorkerReply'),
    ['broken', 'converted', 'encoded', 'failed', 'lexicon', 'ready', 'unencoded']);

  const words = fs.readFileSync(webFile('words.txt'), 'utf8');
  const loanwords = fs.readFileSync(webFile('loanwords.txt'), 'utf8');
  // In order, to one worker; the last to a worker of its own, which cannot start.
  const requests = [
    [{ kind: 'load', words, loanwords }, 'ready'],
    [{ kind: 'lexicon', text: 'ਜਲੰਧਰ jalandhar\nਕਮਲ\n', loanwords: true, spoken: true, scheme: 'ascii' }, 'lexicon'],
    [{ kind: 'convert', units: units('ਜਲੰਧਰ ਕਮਲ'), mostWords: 20000 }, 'converted'],
    [{ kind: 'convert', units: units('ਕ\u0A71x'), mostWords: 1 }, 'failed'],
    [{ kind: 'file', name: 'in.txt', bytes: new TextEncoder().encode('ਕਮਲ ਕਮਲ\n').buffer, mostWords: 1 }, 'converted'],
    [{ kind: 'file', name: 'in.txt', bytes: new Uint8Array([0x61, 0xFF]).buffer, mostWords: 20000 }, 'failed'],
    [{ kind: 'file', name: 'empty.txt', bytes: new ArrayBuffer(0), mostWords: 1 }, 'failed'],
    [{ kind: 'readFailed', name: 'in.txt', reason: 'the file is gone' }, 'failed'],
    [{ kind: 'encode', blocks: ['k\n'], encoding: 'utf-16le' }, 'encoded'],
    [{ kind: 'encode', blocks: ['k'], encoding: 'latin-1' }, 'unencoded'],
    [{ kind: 'load', words: null, loanwords }, 'broken'],
  ];
  const worker = startWorker();
  for (const [i, [request, kind]] of requests.entries()) {
    const asked = declaration('WorkerRequest', request.kind);
    assert.deepEqual(Object.keys(request).sort(), [...asked.required].sort(), `the test's ${request.kind}`);
    const reply = await (i === requests.length - 1 ? startWorker() : worker).ask(request);
    assert.equal(reply.kind, kind, `the reply to ${request.kind}`);
    const declared = declaration('WorkerReply', reply.kind);
    for (const property of declared.required) {
      assert.ok(property in reply, `${reply.kind} lacks ${property}`);
    }
    for (const property of Object.keys(reply)) {
      assert.ok([...declared.required, ...declared.optional].includes(property),
        `${reply.kind} holds ${property}, which messages.js does not declare`);
    }
  }
});
