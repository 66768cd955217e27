// The content script: writes the Gurmukhi of a page in Roman where it
// stands and gives it back when the reader turns it off, without a reload.
// The engine runs in the extension's background, where WebAssembly may run
// whatever the page's policy; text goes there in batches of runs and comes
// back as each node's Roman text. The page's view comes first, then the rest
// in slices short enough to leave the page responsive; text the page adds or
// changes later is followed, a little after it settles.
//
// It trusts nothing of the page: text is read and written through nodeValue
// alone, and a failure leaves the page as it was.
//
// Each import is one line and each export a declaration: the content script
// is its modules put together into one plain script.
import { extensionApi, readSettings, siteIsOn, siteOf } from './settings.js';
import { ChangedNodes, RunCollector, blockOf, gurmukhiWords, liesInSkipped, textNodesOf, writeRun } from './page_text.js';
import { OriginalTooltip, originalAt } from './tooltip.js';

// A slice of work in one task, well under the 50 ms that makes a page feel
// stuck. Each slice's changes cost the page a layout, which on a long page
// takes longer than the slice: fewer, fuller slices finish sooner.
const kSliceMs = 25;
// What one message to the engine carries: the first few runs (the page's
// view) alone, so they come back at once, then more each time, up to the most.
const kFirstBatchRuns = 100;
const kMostBatchRuns = 4000;
const kMostBatchUnits = 262144;
// How long changes to the page settle before they are converted, and how
// long a stream of them (an endless feed) may wait at most.
const kSettleMs = 100;
const kLongestWaitMs = 400;

// Lets the page run its own tasks (input, rendering) between slices.
function yieldToPage() {
  return new Promise((resolve) => setTimeout(resolve, 0));
}

// What the page shows: its body, and the shadow roots inside it.
function pageRoot() {
  return document.body ?? document.documentElement;
}

// Appends the items one at a time: an array spread into push() as arguments
// fails past some ten thousands of them.
function append(array, items) {
  for (const item of items) array.push(item);
}

// Whether a block lies inside another of the blocks, which is gathered whole.
function hasAncestorIn(block, blocks) {
  for (let node = block.parentNode; node; node = node.parentNode) {
    if (blocks.has(node)) return true;
  }
  return false;
}

function isVisible(block) {
  if (!block.getBoundingClientRect) return false;
  const rect = block.getBoundingClientRect();
  return rect.bottom >= 0 && rect.top <= window.innerHeight * 2 && rect.width > 0;
}

class PageConverter {
  #changed = new ChangedNodes();
  #roots = new Set();
  #observer = new MutationObserver((records) => this.#noticeChanges(records));
  #tooltip = new OriginalTooltip();
  #queue = [];
  #dirty = new Set();
  #settleTimer = 0;
  #firstDirty = 0;
  #pumping = null;
  #generation = 0;
  settings = null;
  on = false;

  get scheme() {
    return this.settings.scheme;
  }

  /** Turns Roman text on or off for this page. */
  async turn(on) {
    if (on === this.on) return;
    this.on = on;
    ++this.#generation;
    if (on) {
      this.#start();
    } else {
      this.#stop();
      await this.#restoreAll();
    }
  }

  /** Writes the page anew in another scheme. */
  async rewrite() {
    if (!this.on) return;
    ++this.#generation;
    this.#stop();
    await this.#restoreAll();
    this.#start();
  }

  /** How many Gurmukhi words the page shows in Roman. */
  wordsInRoman() {
    let words = 0;
    for (const node of textNodesOf(pageRoot())) {
      if (this.#changed.holdsRoman(node)) words += gurmukhiWords(this.#changed.originalOf(node));
    }
    return words;
  }

  #start() {
    this.#roots.clear();
    this.#addRoot(pageRoot());
    this.#pump();
  }

  #stop() {
    this.#observer.disconnect();
    this.#queue = [];
    this.#dirty.clear();
    clearTimeout(this.#settleTimer);
    this.#settleTimer = 0;
    this.#tooltip.hide();
  }

  #addRoot(root) {
    if (!root || this.#roots.has(root)) return;
    this.#roots.add(root);
    this.#observer.observe(root, { childList: true, subtree: true, characterData: true });
    this.#dirty.add(root);
  }

  // Gathers the runs of every dirty block into the queue as it walks them,
  // so that the engine has the first while the rest are walked; with the
  // page scrolled down, after all of them, its view first.
  async #gather(generation) {
    const blocks = new Set([...this.#dirty].filter((block) => block.isConnected));
    this.#dirty.clear();
    const viewFirst = window.scrollY !== 0 && [...blocks].some((block) => this.#roots.has(block));
    const found = [];
    const keep = (runs) => append(viewFirst ? found : this.#queue, runs.splice(0));
    for (const block of blocks) {
      if (hasAncestorIn(block, blocks)) continue;
      if (block.nodeType === Node.ELEMENT_NODE && liesInSkipped(block)) continue;
      const collector = new RunCollector(block, this.#changed, (shadow) => this.#addRoot(shadow));
      while (!collector.collect(performance.now() + kSliceMs)) {
        keep(collector.runs);
        await yieldToPage();
        if (generation !== this.#generation) return;
      }
      keep(collector.runs);
    }
    if (viewFirst) await this.#queueViewFirst(found, generation);
  }

  // A whole root read with the page scrolled down (come back to, or opened
  // at a fragment). At the top of a page, and for later changes, the order
  // of the text is the order it is seen in, and asking where each block lies
  // would only make the browser lay the page out.
  async #queueViewFirst(found, generation) {
    const visible = new Set();
    let deadline = performance.now() + kSliceMs;
    for (const run of found) {
      if (isVisible(run.block)) visible.add(run);
      if (performance.now() > deadline) {
        await yieldToPage();
        if (generation !== this.#generation) return;
        deadline = performance.now() + kSliceMs;
      }
    }
    append(this.#queue, [...visible]);
    append(this.#queue, found.filter((run) => !visible.has(run)));
  }

  // Converts what is dirty and queued, a batch at a time, while the dirty
  // blocks are still being walked: the next batch is with the engine while
  // this one is written.
  #pump() {
    if (this.#pumping) return this.#pumping;
    const generation = this.#generation;
    this.#pumping = (async () => {
      try {
        while (this.#dirty.size || this.#queue.length) {
          const gathering = { done: false };
          const gathered = this.#gather(generation).finally(() => { gathering.done = true; });
          await this.#convertQueue(generation, gathering, gathered);
          await gathered;
          if (generation !== this.#generation) break;
        }
      } catch (error) {
        // The page stays as it is: what was written is right, what was not stays Gurmukhi.
        console.warn('Taviro could not convert this page:', error);
      } finally {
        this.#pumping = null;
      }
      if (generation !== this.#generation && this.on) this.#pump();
    })();
    return this.#pumping;
  }

  async #convertQueue(generation, gathering, gathered) {
    let most = kFirstBatchRuns;
    // The next batch, once the queue holds one or the walk has ended.
    const sendNext = async () => {
      while (!gathering.done && this.#queue.length < most) await Promise.race([gathered, yieldToPage()]);
      return this.#queue.length ? { reply: this.#send(this.#takeBatch(most)) } : null;
    };
    let pending = await sendNext();
    while (pending && generation === this.#generation) {
      // Reading the engine's answer, sending the next batch and writing
      // each take tasks of their own.
      const { batch, roman } = await pending.reply;
      await yieldToPage();
      most = Math.min(kMostBatchRuns, most * 4);
      pending = await sendNext();
      await yieldToPage();
      if (generation === this.#generation) await this.#write(batch, roman, generation);
    }
  }

  // The runs at the queue's head, taken at once: a long page's queue is too
  // long to take its runs off one by one.
  #takeBatch(most) {
    let count = 0;
    for (let units = 0; count < this.#queue.length && count < most && units < kMostBatchUnits; ++count) {
      units += this.#queue[count].parts.reduce((sum, part) => sum + part.length, 0);
    }
    return this.#queue.splice(0, count);
  }

  async #send(batch) {
    if (!batch.length) return { batch, roman: [] };
    const answer = await extensionApi.runtime.sendMessage(
      { type: 'convert', scheme: this.scheme, runs: batch.map((run) => run.parts) });
    if (!answer || answer.error) throw new Error(answer?.error ?? 'no answer from the engine');
    return { batch, roman: answer.runs };
  }

  async #write(batch, roman, generation) {
    let deadline = performance.now() + kSliceMs;
    for (let i = 0; i < batch.length; ++i) {
      if (roman[i]) writeRun(batch[i], roman[i], this.#changed);
      if (performance.now() > deadline) {
        await yieldToPage();
        if (generation !== this.#generation) return;
        deadline = performance.now() + kSliceMs;
      }
    }
  }

  // Gives every node its original back, a slice at a time.
  async #restoreAll() {
    const generation = this.#generation;
    let deadline = performance.now() + kSliceMs;
    for (const node of textNodesOf(pageRoot())) {
      this.#changed.restore(node);
      if (performance.now() > deadline) {
        await yieldToPage();
        if (generation !== this.#generation) return;
        deadline = performance.now() + kSliceMs;
      }
    }
  }

  // The page added or changed text: its blocks are gathered again once the
  // changes settle, or at the latest a little later while they keep coming.
  // The extension's own writes hold its Roman text, and are no change.
  #noticeChanges(records) {
    for (const record of records) {
      if (record.type === 'characterData') {
        if (!this.#changed.holdsRoman(record.target)) this.#dirty.add(blockOf(record.target));
      } else {
        for (const node of record.addedNodes) {
          if (!this.#tooltip.owns(node) && node.isConnected) this.#dirty.add(blockOf(node));
        }
      }
    }
    if (!this.#dirty.size) return;
    const now = performance.now();
    if (!this.#settleTimer) this.#firstDirty = now;
    clearTimeout(this.#settleTimer);
    const wait = Math.min(kSettleMs, Math.max(0, this.#firstDirty + kLongestWaitMs - now));
    this.#settleTimer = setTimeout(() => {
      this.#settleTimer = 0;
      this.#pump();
    }, wait);
  }

  // ---- the original Gurmukhi on hover and focus -----------------------------

  showOriginalAt(x, y) {
    const node = textNodeAt(x, y);
    if (!node || !this.#changed.holdsRoman(node.node)) {
      this.#tooltip.hide();
      return;
    }
    const word = originalAt(this.#changed.originalOf(node.node), node.node.nodeValue, node.offset);
    if (word) this.#tooltip.show(word, x, y + 12);
    else this.#tooltip.hide();
  }

  showOriginalOf(element) {
    const originals = [];
    for (const node of textNodesOf(element)) {
      if (this.#changed.holdsRoman(node)) originals.push(this.#changed.originalOf(node));
    }
    const text = originals.join('').replace(/\s+/g, ' ').trim();
    if (!text || !element.getBoundingClientRect) return;
    const rect = element.getBoundingClientRect();
    this.#tooltip.show(text, rect.left, rect.bottom);
  }

  hideOriginal() {
    this.#tooltip.hide();
  }
}

// The text node under a point of the viewport, and the offset there.
function textNodeAt(x, y) {
  if (document.caretPositionFromPoint) {
    const position = document.caretPositionFromPoint(x, y);
    return position?.offsetNode?.nodeType === Node.TEXT_NODE
      ? { node: position.offsetNode, offset: position.offset } : null;
  }
  const range = document.caretRangeFromPoint?.(x, y);
  return range?.startContainer?.nodeType === Node.TEXT_NODE
    ? { node: range.startContainer, offset: range.startOffset } : null;
}

const converter = new PageConverter();
// A frame follows the choice of the site it is shown in, where it may know it.
const site = (() => {
  try {
    return siteOf(window.top.location);
  } catch {
    return siteOf(location);
  }
})();
// The shortcut turns this tab on or off until it is reloaded, over the site's choice.
let tabChoice = null;

function wanted() {
  return tabChoice ?? siteIsOn(converter.settings, site);
}

async function follow(settings) {
  const schemeChanged = converter.settings && settings.scheme !== converter.settings.scheme;
  converter.settings = settings;
  if (schemeChanged && converter.on && wanted()) await converter.rewrite();
  else await converter.turn(wanted());
}

function followPointer() {
  let pending = null;
  document.addEventListener('mousemove', (event) => {
    if (!converter.on || !converter.settings.originals) return;
    const point = { x: event.clientX, y: event.clientY };
    if (!pending) {
      requestAnimationFrame(() => {
        converter.showOriginalAt(pending.x, pending.y);
        pending = null;
      });
    }
    pending = point;
  }, { passive: true });
  document.addEventListener('focusin', (event) => {
    if (converter.on && converter.settings.originals && event.target instanceof Element) {
      converter.showOriginalOf(event.target);
    }
  });
  for (const type of ['focusout', 'scroll', 'mouseleave', 'keydown']) {
    document.addEventListener(type, () => converter.hideOriginal(), { passive: true, capture: true });
  }
}

extensionApi.runtime.onMessage.addListener((message, sender, sendResponse) => {
  if (sender.id !== extensionApi.runtime.id) return false;
  if (message?.type === 'toggle') {
    tabChoice = !converter.on;
    converter.turn(tabChoice);
  } else if (message?.type === 'state') {
    sendResponse({ site, on: converter.on, siteOn: siteIsOn(converter.settings, site), words: converter.wordsInRoman() });
  }
  return false;
});

extensionApi.storage.onChanged.addListener(async (changes, area) => {
  if (area === 'local') follow(await readSettings());
});

readSettings().then(follow).then(followPointer);
