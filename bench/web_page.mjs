// The web page's conversion speed beside the native taviro-convert on the same
// 5 MB of UTF-8 text, in Debian's headless chromium: the conversion in the
// page's worker alone, and from the input event to the result on the page.
//
// Usage: node bench/web_page.mjs PAGE TAVIRO_CONVERT CORPUS
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const [pagePath, convertProgram, corpus] = process.argv.slice(2);
const kBytes = Number(process.env.WEB_BYTES || 5000000);
const kRuns = Number(process.env.RUNS || 5);
const kChromiumFlags = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

// puppeteer-core is installed with the browser tests.
const require = createRequire(new URL('../tests/web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor((values.length - 1) / 2)];

// Whole lines of the corpus up to kBytes of UTF-8.
function makeInput(file) {
  const lines = fs.readFileSync(corpus, 'utf8').split('\n');
  const parts = [];
  let size = 0;
  for (let i = 0; size < kBytes; i = (i + 1) % lines.length) {
    const line = `${lines[i]}\n`;
    parts.push(line);
    size += Buffer.byteLength(line);
  }
  fs.writeFileSync(file, parts.join(''));
}

function nativeSeconds(input, output) {
  const times = [];
  for (let run = 0; run < kRuns; ++run) {
    const started = process.hrtime.bigint();
    execFileSync(convertProgram, ['-q', '--to', 'utf-8', input, output]);
    times.push(Number(process.hrtime.bigint() - started) / 1e9);
  }
  return median(times);
}

async function pageSeconds(text) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'taviro-bench-'));
  const browser = await puppeteer.launch(
    { executablePath: '/usr/bin/chromium', headless: true, userDataDir: profile, args: kChromiumFlags });
  try {
    const page = await browser.newPage();
    await page.goto(pathToFileURL(pagePath).href);
    await page.waitForSelector('body[data-ready="1"]');
    const worker = [];
    const shown = [];
    for (let run = 0; run < kRuns; ++run) {
      // The text is put in place, laid out and drawn first (the browser's own
      // cost of a paste); the timing starts at the input event.
      await page.$eval('#gurmukhi', (area, value) => {
        area.value = value;
        area.getBoundingClientRect();
        return new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve)));
      }, run % 2 ? `${text} ` : text);
      shown.push(await page.evaluate(() => new Promise((resolve) => {
        const started = performance.now();
        const observer = new MutationObserver(() => {
          if (!document.body.dataset.busy) {
            observer.disconnect();
            // After the next frame, so that the result's layout is counted.
            requestAnimationFrame(() => setTimeout(() => resolve((performance.now() - started) / 1000)));
          }
        });
        observer.observe(document.body, { attributes: true, attributeFilter: ['data-busy'] });
        document.getElementById('gurmukhi').dispatchEvent(new Event('input'));
      })));
      worker.push(await page.evaluate(
        () => performance.getEntriesByName('taviro-worker-conversion').pop().duration / 1000));
    }
    return { worker: median(worker), shown: median(shown) };
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'taviro-bench-'));
try {
  const input = path.join(work, 'input.txt');
  makeInput(input);
  const size = fs.statSync(input).size;
  const native = nativeSeconds(input, path.join(work, 'out.txt'));
  const web = await pageSeconds(fs.readFileSync(input, 'utf8'));
  const row = (name, seconds) => console.log(name.padEnd(44),
    `${seconds.toFixed(3).padStart(8)} s`,
    `${(size / seconds / 1e6).toFixed(1).padStart(9)} MB/s`,
    `${(seconds / native).toFixed(2).padStart(7)} x native`);
  console.log(`Web page: ${size} bytes of UTF-8 (${kRuns} runs each, median)\n`);
  row('taviro-convert --to utf-8 (native)', native);
  row("the page's worker, conversion alone", web.worker);
  row('the page, input event to result shown', web.shown);
  console.log(`\nThe whole page: ${fs.statSync(pagePath).size} bytes`);
} finally {
  fs.rmSync(work, { recursive: true, force: true });
}
