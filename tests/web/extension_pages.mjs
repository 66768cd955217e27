// The browser extension's test pages, served from 127.0.0.1, and what the
// extension tests ask of a page in its own world: the text nodes it holds
// (open shadow roots and same-origin frames included), whether all of its
// Gurmukhi outside what is left alone is Roman yet. The tests in chromium
// and firefox and the bench share them.
import fs from 'node:fs';
import http from 'node:http';

const escape = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
const page = (title, body, head = '') =>
  `<!DOCTYPE html><html lang="pa"><head><meta charset="utf-8"><title>${title}</title>${head}</head><body>${body}</body></html>`;

// A script of the page's own, as a framework keeps its text nodes: it sets
// their nodeValue anew on each render and tells whether its nodes are still
// where it put them.
const kRenderScript = `
const status = document.getElementById('status');
const parts = ['ਪਹਿਲਾ', 'ਦੂਜਾ', 'ਤੀਜਾ'];
const nodes = parts.map((part) => document.createTextNode(part + ' ਸ਼ਬਦ'));
const list = document.getElementById('rendered');
nodes.forEach((node) => { const item = document.createElement('li'); item.append(node); list.append(item); });
let renders = 1;
document.getElementById('render').addEventListener('click', () => {
  renders += 1;
  nodes.forEach((node, i) => { node.nodeValue = parts[(i + renders) % parts.length] + ' ਨਵਾਂ ਸ਼ਬਦ ' + renders; });
  const same = nodes.every((node, i) => node.isConnected && node.parentNode === list.children[i]);
  status.textContent = 'render ' + renders + (same ? ': same nodes' : ': nodes lost');
});
`;

// A card in an open shadow root, and one in a closed root, which the page
// keeps for the test to read.
// A page that puts its Gurmukhi back whenever its text changes, and counts how often.
const kRevertScript = `
const node = document.getElementById('kept').firstChild;
const original = node.nodeValue;
window.reverts = 0;
new MutationObserver(() => {
  if (node.nodeValue !== original) { window.reverts += 1; node.nodeValue = original; }
}).observe(node, { characterData: true });
`;

const kShadowScript = `
window.closedShadowRoots = [];
customElements.define('pa-card', class extends HTMLElement {
  constructor() {
    super();
    const root = this.attachShadow({ mode: this.hasAttribute('closed') ? 'closed' : 'open' });
    if (this.hasAttribute('closed')) window.closedShadowRoots.push(root);
    const heading = document.createElement('h2');
    heading.textContent = 'ਪੰਜਾਬੀ ਕਾਰਡ';
    const text = document.createElement('p');
    text.textContent = 'ਛਾਂਵੇਂ ਅੰਦਰ ਸ਼ਬਦ: ਕਮਲ, ਸੰਤ।';
    root.append(heading, text);
  }
});
`;

/** The pages, by path: { title, body, csp?, script? }. */
export function testPages(corpusFile) {
  const wikipedia = fs.readFileSync(corpusFile, 'utf8').split('\n').filter((line) => line.trim());
  return {
    '/news': {
      title: 'ਖ਼ਬਰਾਂ',
      body: `<header><h1>ਪੰਜਾਬ ਦੀਆਂ ਖ਼ਬਰਾਂ</h1><nav><a href="/news">ਮੁੱਖ ਪੰਨਾ</a> · <a href="/news#sport">ਖੇਡਾਂ</a></nav></header>
<main><article><h2>‘ਕਮਲ’ ਨੇ ਕਿਹਾ: “ਅਸੀਂ ਜਿੱਤਾਂਗੇ!”</h2>
<p>ਲੁਧਿਆਣਾ — ਅੱਜ ਸਵੇਰੇ ਪੰਜਾ<b>ਬੀ</b> ਯੂਨੀਵਰਸਿਟੀ ਵਿੱਚ <a href="/news#more">ਸਮਾ<em>ਗਮ</em></a> ਹੋਇਆ… banana 😀 ਪੰਜਾਬ😀 ਕਮਲ&nbsp;ਸੰਤ (2026).</p>
<ul><li>ਪਹਿਲੀ ਗੱਲ</li><li>ਦੂਜੀ ਗੱਲ, English beside it</li></ul>
<p>Only English here, left as it is.</p>
<p translate="no">ਇਹ ਨਾਂ ਨਹੀਂ ਬਦਲਣਾ</p><p>Code: <code>ਕਮਲ = 1</code></p>
<pre>ਪਹਿਲਾਂ ਵਾਂਗ</pre></article></main>`,
    },
    '/strict': {
      title: 'ਸਖ਼ਤ ਨੀਤੀ',
      csp: "default-src 'self'; script-src 'self'",
      script: "document.getElementById('later').textContent = 'ਸਕ੍ਰਿਪਟ ਨੇ ਲਿਖਿਆ';",
      body: '<p>ਇਸ ਪੰਨੇ ਦੀ ਨੀਤੀ ਸਖ਼ਤ ਹੈ, ਪਰ ਪੰਜਾਬੀ ਫਿਰ ਵੀ ਰੋਮਨ ਵਿੱਚ।</p><p id="later"></p>',
    },
    '/frames': {
      title: 'ਫ਼ਰੇਮ',
      body: '<p>ਬਾਹਰਲਾ ਪੰਨਾ</p><iframe src="/framed" title="ਅੰਦਰਲਾ"></iframe>',
    },
    '/framed': { title: 'ਅੰਦਰਲਾ', body: '<p>ਅੰਦਰਲੇ ਫ਼ਰੇਮ ਦੀ ਪੰਜਾਬੀ</p>' },
    '/shadow': { title: 'ਪਰਛਾਵਾਂ', script: kShadowScript, body: '<p>ਬਾਹਰ</p><pa-card></pa-card><pa-card closed></pa-card>' },
    '/render': {
      title: 'ਦੁਬਾਰਾ',
      script: kRenderScript,
      body: '<ul id="rendered"></ul><button id="render" type="button">render</button><p id="status" translate="no">render 1</p>',
    },
    '/form': {
      title: 'ਫ਼ਾਰਮ',
      body: `<form><label>ਨਾਂ <input id="name" value="ਕਮਲ ਸੰਤ"></label><textarea id="notes">ਮੇਰੇ ਨੋਟ</textarea>
<select><option>ਪਹਿਲਾ</option></select></form><div contenteditable="true" id="editor"><p>ਲਿਖਿਆ <b>ਜਾ</b> ਰਿਹਾ</p></div><p>ਫ਼ਾਰਮ ਤੋਂ ਬਾਹਰ</p>`,
    },
    '/revert': { title: 'ਵਾਪਸ', script: kRevertScript, body: '<p id="kept">ਇਹ ਪੰਨਾ ਆਪਣੀ ਲਿਖਤ ਵਾਪਸ ਰੱਖਦਾ ਹੈ</p>' },
    '/long': {
      title: 'ਵਿਕੀਪੀਡੀਆ',
      body: wikipedia.map((line) => `<p>${escape(line)}</p>`).join('\n'),
    },
  };
}

/** Serves the pages on 127.0.0.1 and keeps every path asked for. */
export async function servePages(pages) {
  const asked = [];
  const server = http.createServer((request, response) => {
    asked.push(request.url);
    const url = new URL(request.url, 'http://127.0.0.1');
    const scriptOf = url.pathname.endsWith('.js') ? pages[url.pathname.slice(0, -3)] : null;
    const found = pages[url.pathname];
    if (scriptOf?.script) {
      response.writeHead(200, { 'Content-Type': 'text/javascript; charset=utf-8' });
      response.end(scriptOf.script);
    } else if (found) {
      const headers = { 'Content-Type': 'text/html; charset=utf-8' };
      if (found.csp) headers['Content-Security-Policy'] = found.csp;
      const head = found.script ? `<script src="${url.pathname}.js" defer></script>` : '';
      response.writeHead(200, headers);
      response.end(page(found.title, found.body, head));
    } else {
      response.writeHead(404);
      response.end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { origin: `http://127.0.0.1:${server.address().port}`, asked, close: () => server.close() };
}

/**
 * Run in the page: 'snapshot' gives { texts: [{ value, block, skipped }], structure, values } of every text node
 * in document order with its block's number, and keeps the nodes; 'snapshotLater' gives it without keeping them;
 * 'same' tells whether the nodes are those kept;
 * 'gurmukhiLeft' counts the text nodes outside what is left alone that hold Gurmukhi.
 */
export function probe(command) {
  const skippedTags = new Set(['SCRIPT', 'STYLE', 'NOSCRIPT', 'TEXTAREA', 'INPUT', 'SELECT', 'OPTION', 'CODE', 'PRE',
    'TEMPLATE']);
  const inlineTags = new Set(['A', 'ABBR', 'B', 'BDI', 'BDO', 'CITE', 'DATA', 'DEL', 'DFN', 'EM', 'FONT', 'I', 'INS',
    'KBD', 'LABEL', 'MARK', 'Q', 'S', 'SAMP', 'SMALL', 'SPAN', 'STRONG', 'SUB', 'SUP', 'TIME', 'TT', 'U', 'VAR', 'WBR']);
  const isSkipped = (element) => skippedTags.has(element.tagName) || element.isContentEditable ||
    element.getAttribute('translate') === 'no';
  const blocks = new Map();
  const blockNumber = (node) => {
    let element = node.parentElement;
    while (element && inlineTags.has(element.tagName) && element.parentElement) element = element.parentElement;
    const block = element ?? node.getRootNode();
    if (!blocks.has(block)) blocks.set(block, blocks.size);
    return blocks.get(block);
  };
  const nodes = [];
  const texts = [];
  const structure = [];
  const values = [];
  const walk = (root, skipped) => {
    for (const node of root.childNodes) {
      if (node.nodeType === Node.TEXT_NODE) {
        nodes.push(node);
        texts.push({ value: node.nodeValue, block: blockNumber(node), skipped });
        structure.push('#');
      } else if (node.nodeType === Node.ELEMENT_NODE) {
        structure.push(`<${node.tagName}${[...node.attributes].map((a) => ` ${a.name}="${a.value}"`).join('')}>`);
        if ('value' in node && node.tagName !== 'BUTTON' && node.tagName !== 'LI') values.push(node.value);
        const inside = skipped || isSkipped(node);
        const shadow = node.shadowRoot ?? window.closedShadowRoots?.find((root) => root.host === node);
        if (shadow) walk(shadow, inside);
        if (node.tagName === 'IFRAME' && node.contentDocument?.body) walk(node.contentDocument.body, inside);
        walk(node, inside);
        structure.push('</>');
      }
    }
  };
  walk(document.body, false);
  if (command === 'snapshot' || command === 'snapshotLater') {
    // The first keeps the nodes, for 'same' to compare the later ones with.
    if (command === 'snapshot') window.taviroTestNodes = nodes;
    return { texts, structure, values };
  }
  if (command === 'same') {
    return nodes.length === window.taviroTestNodes.length && nodes.every((node, i) => node === window.taviroTestNodes[i]);
  }
  if (command === 'gurmukhiLeft') {
    return texts.filter((text) => !text.skipped && /[\u0A00-\u0A7F]/.test(text.value)).length;
  }
  throw new Error(`no probe '${command}'`);
}

/**
 * What the extension should have written: each block's consecutive text nodes converted together by the
 * package's transliterateParts, what is left alone as it was.
 */
export function expectedTexts(taviro, original) {
  const expected = [];
  const texts = original.texts;
  for (let begin = 0; begin < texts.length;) {
    let end = begin + 1;
    while (end < texts.length && texts[end].block === texts[begin].block && texts[end].skipped === texts[begin].skipped) {
      ++end;
    }
    const values = texts.slice(begin, end).map((text) => text.value);
    const left = texts[begin].skipped || !values.some((value) => /[\u0A00-\u0A7F]/.test(value));
    expected.push(...(left ? values : taviro.transliterateParts(values)));
    begin = end;
  }
  return expected;
}
