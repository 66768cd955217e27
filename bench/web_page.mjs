// The web page beside the native taviro-convert, in Debian's headless
// chromium, for 5 MB and 50 MB of UTF-8 text: a paste (a real one, through the
// browser's clipboard) until its result is on the page, a keystroke after it,
// and a file opened until its result is on the page, each with the browser's
// peak memory (the proportional set size of all its processes, page, worker
// and GPU alike). The conversion in the page's worker alone is given too.
//
// Usage: node bench/web_page.mjs PAGE TAVIRO_CONVERT CORPUS
// WEB_SIZES (bytes, comma-separated) and RUNS change what it measures.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import { treeBytes, withPeakMemory } from './browser_memory.mjs';
import { makeInput, median } from './corpus_input.mjs';

const [pagePath, convertProgram, corpus] = process.argv.slice(2);
const kSizes = (process.env.WEB_SIZES || '5000000,50000000').split(',').map(Number);
const kRuns = Number(process.env.RUNS || 3);
// A big text is measured fewer times: each run of 50 MB takes a while.
const runsFor = (bytes) => (bytes > 10000000 ? 1 : kRuns);
// gc() lets the bench put away what its own setting up left behind.
const kChromiumFlags = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync', '--js-flags=--expose-gc'];

// puppeteer-core is installed with the browser tests.
const require = createRequire(new URL('../tests/web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');

function nativeSeconds(input, output, runs) {
  const times = [];
  for (let run = 0; run < runs; ++run) {
    const started = process.hrtime.bigint();
    execFileSync(convertProgram, ['-q', '--to', 'utf-8', input, output]);
    times.push(Number(process.hrtime.bigint() - started) / 1e9);
  }
  return median(times);
}

// ---- the page -----------------------------------------------------------------

// Resolves after the page has drawn the frame after the result.
const nextFrame = () => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve)));

async function openPage() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'taviro-bench-'));
  const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true,
    userDataDir: profile, args: kChromiumFlags, protocolTimeout: 1800000 });
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 800 });
  await page.goto(pathToFileURL(pagePath).href);
  await page.waitForSelector('body[data-ready="1"]');
  return {
    page,
    pid: browser.process().pid,
    async close() {
      await browser.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// The result is on the page once it is no longer busy and the status tells
// of the conversion; the time is taken after the next frame.
const resultShown = (page, since) => page.waitForFunction((started) => {
  const status = document.getElementById('status').textContent;
  return !document.body.dataset.busy && document.getElementById('roman').childElementCount &&
    /word/.test(status) && performance.now() > started;
}, { timeout: 0, polling: 50 }, since);

// The text is put on the clipboard by a copy of the page's own, the text read
// from its file through a file input of the bench's: handed over through the
// browser's protocol, it would cost the browser several times the text, which
// no paste does. The bench's garbage is collected before the paste is measured.
async function putOnClipboard(page, file) {
  await page.evaluate(() => {
    const input = document.createElement('input');
    input.type = 'file';
    input.id = 'bench-file';
    input.hidden = true;
    document.body.append(input);
  });
  await (await page.$('#bench-file')).uploadFile(file);
  await page.evaluate(async () => {
    const input = document.getElementById('bench-file');
    const value = await input.files[0].text();
    input.remove();
    const area = document.getElementById('gurmukhi');
    area.value = '';
    area.dispatchEvent(new Event('input'));
    document.getElementById('roman').replaceChildren();
    const put = (event) => {
      event.clipboardData.setData('text/plain', value);
      event.preventDefault();
    };
    document.addEventListener('copy', put, { once: true });
    document.execCommand('copy');
    document.addEventListener('paste', () => { window.benchPasted = performance.now(); }, { capture: true, once: true });
    area.focus();
  });
  await page.waitForFunction(() => !document.body.dataset.busy);
  await page.evaluate(() => gc());
  await new Promise((resolve) => { setTimeout(resolve, 1000); });
}

// Pasted into the Gurmukhi box as a person pastes: the browser's paste command.
async function pasteSeconds(page) {
  const since = await page.evaluate(() => performance.now());
  await page.keyboard.press('KeyV', { commands: ['Paste'] });
  await resultShown(page, since);
  return page.evaluate(async (frame) => {
    await eval(frame)();
    return (performance.now() - window.benchPasted) / 1000;
  }, `(${nextFrame})`);
}

// One keystroke after the paste, until the page has answered it and drawn.
async function keystrokeSeconds(page) {
  await page.evaluate(() => {
    document.addEventListener('keydown', () => { window.benchKey = performance.now(); }, { capture: true, once: true });
  });
  await page.keyboard.press('KeyA');
  await page.waitForFunction(() => !document.body.dataset.busy, { timeout: 0, polling: 50 });
  return page.evaluate(async (frame) => {
    await eval(frame)();
    return (performance.now() - window.benchKey) / 1000;
  }, `(${nextFrame})`);
}

async function fileSeconds(page, file) {
  await page.evaluate(() => {
    document.addEventListener('change', () => { window.benchOpened = performance.now(); }, { capture: true, once: true });
  });
  const since = await page.evaluate(() => performance.now());
  await (await page.$('#file')).uploadFile(file);
  await resultShown(page, since);
  return page.evaluate(async (frame) => {
    await eval(frame)();
    return (performance.now() - window.benchOpened) / 1000;
  }, `(${nextFrame})`);
}

// `prepare` readies the page for `step` before the memory is watched; the
// browser's memory just before `step` is given as `before`.
async function measure(name, runs, step, prepare = async () => {}) {
  const times = [];
  const peaks = [];
  const befores = [];
  for (let run = 0; run < runs; ++run) {
    const browser = await openPage();
    try {
      await prepare(browser.page);
      befores.push(treeBytes(browser.pid));
      const { value, peak } = await withPeakMemory(browser.pid, () => step(browser.page));
      times.push(value);
      peaks.push(peak);
    } finally {
      await browser.close();
    }
  }
  return { name, seconds: median(times), peak: Math.max(...peaks), before: median(befores) };
}

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'taviro-bench-'));
try {
  console.log(`Web page: ${path.basename(pagePath)}, ${fs.statSync(pagePath).size} bytes`);
  for (const bytes of kSizes) {
    const input = path.join(work, 'input.txt');
    makeInput(corpus, input, bytes, { skipEmpty: true });
    const size = fs.statSync(input).size;
    const text = fs.readFileSync(input, 'utf8');
    const runs = runsFor(size);
    const native = nativeSeconds(input, path.join(work, 'out.txt'), runs);
    const rows = [];
    // Taken in each run of the paste, and their medians given, as for the rows.
    const keystrokes = [];
    const workers = [];
    rows.push(await measure('paste to result', runs, async (page) => {
      const seconds = await pasteSeconds(page);
      workers.push(await page.evaluate(
        () => (performance.getEntriesByName('taviro-worker-conversion').pop()?.duration ?? NaN) / 1000));
      if (size <= 10000000) keystrokes.push(await keystrokeSeconds(page));
      return seconds;
    }, (page) => putOnClipboard(page, input)));
    rows.push(await measure('file to result', runs, (page) => fileSeconds(page, input)));
    console.log(`\n${size} bytes of UTF-8, ${text.length} characters (${runs} run${runs === 1 ? '' : 's'}, median)`);
    const mib = (bytes) => (bytes / 1048576).toFixed(0).padStart(8);
    const row = (name, seconds, peak, before) => console.log(`  ${name.padEnd(38)}${seconds.toFixed(3).padStart(9)} s` +
      `${(seconds / native).toFixed(2).padStart(8)} x native` +
      (peak ? `${mib(peak)} MiB peak, ${mib(peak - before).trim()} MiB over the ${mib(before).trim()} MiB before` : ''));
    row('taviro-convert --to utf-8 (native)', native);
    row("the page's worker, conversion alone", median(workers));
    for (const { name, seconds, peak, before } of rows) row(name, seconds, peak, before);
    if (keystrokes.length) row('a keystroke after the paste, answered', median(keystrokes));
  }
} finally {
  fs.rmSync(work, { recursive: true, force: true });
}
