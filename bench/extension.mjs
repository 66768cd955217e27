// The browser extension on a long page, the Wikipedia file's 26,128 lines as
// paragraphs served from 127.0.0.1, in Debian's chromium and firefox-esr:
// the time from the page's load to its last paragraph in Roman, the longest
// task the page saw meanwhile (the extension's slices and the layouts they
// cause), in chromium from its trace the longest stretch of script and the
// longest layout (the long page has no script of its own: its script is the
// extension's, and the bench's beat), and the browser's memory
// with the converted page beside the same page without the extension.
//
// Usage: node bench/extension.mjs EXTENSION_FOLDER WIKIPEDIA_FILE
// Goals: 2 s to the last paragraph, no task of the extension over 50 ms,
// 1.5 times the page's own memory.
import { createRequire } from 'node:module';

import { treeBytes } from './browser_memory.mjs';
import { launchWithExtension } from '../tests/web/extension_browser.mjs';
import { servePages, testPages } from '../tests/web/extension_pages.mjs';

const [folder, wikipedia] = process.argv.slice(2);
const require = createRequire(new URL('../tests/web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');
const kSettleMs = 2000;
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Installed before the page's own scripts: a beat that notes every gap over
// 50 ms between its tasks, and the time of the last change to a paragraph's text.
function watchThePage() {
  window.benchGaps = [];
  window.benchLastChange = 0;
  let last = performance.now();
  const beat = () => {
    const now = performance.now();
    if (now - last > 50) window.benchGaps.push({ at: last, length: now - last });
    last = now;
    setTimeout(beat, 0);
  };
  setTimeout(beat, 0);
  new MutationObserver(() => { window.benchLastChange = performance.now(); })
    .observe(document, { subtree: true, characterData: true });
}

// The longest stretch of script and the longest layout in chromium's trace, in ms.
function longestInTrace(trace) {
  const { traceEvents } = JSON.parse(trace);
  const longest = (names) => traceEvents.filter((event) => names.includes(event.name) && event.dur)
    .reduce((most, event) => Math.max(most, event.dur / 1000), 0);
  return { script: longest(['RunMicrotasks', 'FunctionCall', 'TimerFire', 'EventDispatch', 'v8.run']),
    layout: longest(['Layout', 'UpdateLayoutTree']) };
}

async function loadLongPage(browser, origin, traced = false) {
  const page = await browser.newPage();
  await page.bringToFront();
  await page.evaluateOnNewDocument(watchThePage);
  if (traced) await page.tracing.start({ categories: ['devtools.timeline'] });
  await page.goto(`${origin}/long`, { timeout: 120000 });
  return page;
}

// The browser's memory once the page has settled, and in chromium, which
// lets a garbage collection be asked for, after one too: [settled, collected].
async function settledMemory(kind, browser, page) {
  await pause(kSettleMs);
  const settled = treeBytes(browser.process().pid);
  if (kind !== 'chromium') return [settled];
  await (await page.createCDPSession()).send('HeapProfiler.collectGarbage');
  return [settled, treeBytes(browser.process().pid)];
}

async function measure(kind, origin) {
  const alone = await launchWithExtension(puppeteer, kind, null);
  const pageMemory = await settledMemory(kind, alone.browser, await loadLongPage(alone.browser, origin));
  await alone.browser.close();

  const { browser } = await launchWithExtension(puppeteer, kind, folder);
  const traced = kind === 'chromium';
  const page = await loadLongPage(browser, origin, traced);
  await page.waitForFunction(() => ![...document.querySelectorAll('p')].some((p) => /[\u0A00-\u0A7F]/.test(p.textContent)),
    { polling: 500, timeout: 120000 });
  const seen = await page.evaluate(() => {
    const loaded = performance.getEntriesByType('navigation')[0].loadEventEnd;
    const after = window.benchGaps.filter((gap) => gap.at + gap.length > loaded);
    return { toLast: window.benchLastChange - loaded, longestGap: Math.max(0, ...after.map((gap) => gap.length)) };
  });
  const inTrace = traced ? longestInTrace(Buffer.from(await page.tracing.stop()).toString('utf8')) : null;
  const withExtension = await settledMemory(kind, browser, page);
  await browser.close();
  const mb = (bytes) => `${(bytes / 1e6).toFixed(0)} MB`;
  const memory = withExtension.map((bytes, i) => `${mb(bytes)} against ${mb(pageMemory[i])} without the extension ` +
    `(${(bytes / pageMemory[i]).toFixed(2)} times)`);
  console.log(`${kind}: last paragraph in Roman ${(seen.toLast / 1000).toFixed(2)} s after the page loaded; ` +
    `longest task the page saw ${seen.longestGap.toFixed(0)} ms` +
    (inTrace ? ` (of it script ${inTrace.script.toFixed(0)} ms, layout ${inTrace.layout.toFixed(0)} ms)` : '') +
    `; memory ${memory[0]}${memory[1] ? `, after a garbage collection ${memory[1]}` : ''}`);
}

const server = await servePages(testPages(wikipedia));
try {
  for (const kind of ['chromium', 'firefox']) await measure(kind, server.origin);
} finally {
  server.close();
}
