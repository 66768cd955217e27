// The page's text nodes and their Roman text. Text is changed in one way
// only: a Text node's nodeValue. No node is wrapped, split, replaced or
// added, so a page that keeps its own nodes (a framework's re-render) still
// finds them. Each changed node's original is kept to be given back exactly.
//
// Nodes come in runs: the text nodes of one block that no block, line break
// or picture divides, so a word that inline markup cuts (ਪੰਜਾ<b>ਬੀ</b>) is
// converted with the rest of its run, as one text.
//
// Each import is one line and each export a declaration: the content script
// is its modules put together into one plain script.

const kGurmukhi = /[\u0A00-\u0A7F]/;

// A page that puts its Gurmukhi back whenever it is written in Roman would
// have the two take turns for ever: a node written this many times within
// the window is left to the page.
const kMostWrites = 20;
const kWritesWindowMs = 5000;

// Elements whose text is no reading matter, or is the reader's own to edit.
const kSkippedElements = new Set([
  'SCRIPT', 'STYLE', 'NOSCRIPT', 'TEXTAREA', 'INPUT', 'SELECT', 'OPTION', 'CODE', 'PRE', 'TEMPLATE', 'IFRAME',
  'OBJECT', 'EMBED',
]);

// Elements that stay inside a line of text: a word may run through them.
// Every other element (a block, a line break, a picture, an unknown or
// custom element) ends the words before it.
const kInlineElements = new Set([
  'A', 'ABBR', 'B', 'BDI', 'BDO', 'CITE', 'DATA', 'DEL', 'DFN', 'EM', 'FONT', 'I', 'INS', 'KBD', 'LABEL', 'MARK',
  'Q', 'S', 'SAMP', 'SMALL', 'SPAN', 'STRONG', 'SUB', 'SUP', 'TIME', 'TT', 'U', 'VAR', 'WBR',
]);

function isInline(element) {
  return kInlineElements.has(element.tagName.toUpperCase());
}

/** Whether an element's text is left alone: code, form fields, what is edited, what is marked not to translate. */
export function isSkipped(element) {
  return kSkippedElements.has(element.tagName.toUpperCase()) || element.isContentEditable ||
    element.getAttribute('translate') === 'no' || element.classList.contains('notranslate');
}

/** The block a node's words belong to: its nearest ancestor that is no inline element, or its root. */
export function blockOf(node) {
  let element = node.nodeType === Node.ELEMENT_NODE ? node : node.parentElement;
  while (element && isInline(element) && element.parentElement) element = element.parentElement;
  return element ?? node.getRootNode();
}

/** Whether a node lies where text is left alone. */
export function liesInSkipped(node) {
  for (let element = node.nodeType === Node.ELEMENT_NODE ? node : node.parentElement; element;
    element = element.parentElement) {
    if (isSkipped(element)) return true;
  }
  return false;
}

/**
 * The Roman text the extension wrote into each node, and the node's
 * original: { original, roman, writes, since }. A node whose text the page
 * has since set anew is the page's again.
 */
export class ChangedNodes {
  #nodes = new WeakMap();

  /** The node's text as the page gave it: its original where the extension wrote it, else what it holds. */
  originalOf(node) {
    const change = this.#nodes.get(node);
    return change && change.roman === node.nodeValue ? change.original : node.nodeValue;
  }

  /** Whether the node holds the Roman text the extension wrote. */
  holdsRoman(node) {
    const change = this.#nodes.get(node);
    return Boolean(change) && change.roman === node.nodeValue;
  }

  /** The extension's write: the node's Roman text, its original kept. */
  write(node, original, roman) {
    if (roman === original) {
      this.#nodes.delete(node);
    } else {
      const now = performance.now();
      const before = this.#nodes.get(node);
      const counting = before && (before.writes >= kMostWrites || now - before.since < kWritesWindowMs);
      this.#nodes.set(node, { original, roman, writes: counting ? before.writes + 1 : 1, since: counting ? before.since : now });
    }
    if (node.nodeValue !== roman) node.nodeValue = roman;
  }

  /** Whether the page has taken the node back from the extension too often to write it again. */
  givenUp(node) {
    const change = this.#nodes.get(node);
    return Boolean(change) && change.writes >= kMostWrites && change.roman !== node.nodeValue;
  }

  /** Gives the node its original back, unless the page has written it since. */
  restore(node) {
    const change = this.#nodes.get(node);
    if (!change) return;
    this.#nodes.delete(node);
    if (change.roman === node.nodeValue) node.nodeValue = change.original;
  }
}

/**
 * Walks a root (a document's body, a shadow root, a block) in slices and
 * gathers its runs: { nodes, parts }, each part a node's original text. A
 * run is kept when it holds Gurmukhi and some node of it is not yet Roman.
 * Shadow roots met on the way are handed to `onShadowRoot`.
 */
export class RunCollector {
  #walker;
  #changed;
  #onShadowRoot;
  #breaks = 0;
  #current = null;
  runs = [];

  constructor(root, changed, onShadowRoot) {
    this.#changed = changed;
    this.#onShadowRoot = onShadowRoot;
    const filter = (node) => (node.nodeType === Node.ELEMENT_NODE && isSkipped(node)
      ? NodeFilter.FILTER_REJECT : NodeFilter.FILTER_ACCEPT);
    this.#walker = root.ownerDocument.createTreeWalker(root,
      NodeFilter.SHOW_ELEMENT | NodeFilter.SHOW_TEXT, { acceptNode: filter });
  }

  /** Walks until `deadline` (performance.now()); true once the whole root is walked. */
  collect(deadline) {
    for (let count = 1; ; ++count) {
      const node = this.#walker.nextNode();
      if (!node) break;
      if (node.nodeType === Node.TEXT_NODE) {
        this.#add(node);
      } else {
        if (!isInline(node)) ++this.#breaks;
        const shadow = openOrClosedShadowRoot(node);
        if (shadow) this.#onShadowRoot(shadow);
      }
      if (count % 64 === 0 && performance.now() > deadline) return false;
    }
    this.#end();
    return true;
  }

  #add(node) {
    const block = blockOf(node);
    const current = this.#current;
    if (!current || current.block !== block || current.breaks !== this.#breaks) {
      this.#end();
      this.#current = { block, breaks: this.#breaks, nodes: [] };
    }
    this.#current.nodes.push(node);
  }

  #end() {
    const run = this.#current;
    this.#current = null;
    if (!run) return;
    if (run.nodes.some((node) => this.#changed.givenUp(node))) return;
    const parts = run.nodes.map((node) => this.#changed.originalOf(node));
    const needed = run.nodes.some((node, i) => !this.#changed.holdsRoman(node) && kGurmukhi.test(parts[i]));
    if (needed) this.runs.push({ nodes: run.nodes, parts, block: run.block });
  }
}

/**
 * Writes a run's Roman parts into its nodes, unless the page has changed
 * one of them since the run was gathered (that change brings it back).
 */
export function writeRun(run, roman, changed) {
  const unchanged = run.nodes.every((node, i) => changed.originalOf(node) === run.parts[i]);
  if (!unchanged || roman.length !== run.nodes.length) return false;
  run.nodes.forEach((node, i) => changed.write(node, run.parts[i], roman[i]));
  return true;
}

// The shadow root of an element, closed ones too where the browser lets an
// extension in (chromium's dom API, firefox's openOrClosedShadowRoot).
function openOrClosedShadowRoot(element) {
  if (element.openOrClosedShadowRoot) return element.openOrClosedShadowRoot;
  const dom = globalThis.chrome?.dom;
  if (dom?.openOrClosedShadowRoot) return dom.openOrClosedShadowRoot(element);
  return element.shadowRoot;
}

/** Every text node of a root and of the shadow roots inside it. */
export function* textNodesOf(root) {
  const walker = root.ownerDocument.createTreeWalker(root, NodeFilter.SHOW_ELEMENT | NodeFilter.SHOW_TEXT);
  for (let node = walker.nextNode(); node; node = walker.nextNode()) {
    if (node.nodeType === Node.TEXT_NODE) {
      yield node;
    } else {
      const shadow = openOrClosedShadowRoot(node);
      if (shadow) yield* textNodesOf(shadow);
    }
  }
}

/** How many Gurmukhi words a text holds. */
export function gurmukhiWords(text) {
  return text.match(/[\u0A00-\u0A7F]+/g)?.length ?? 0;
}
