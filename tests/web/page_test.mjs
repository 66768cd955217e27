// The page in a real browser: Debian's chromium, headless, driven by
// puppeteer-core. The page is opened from disk with every request but its own
// file refused; its results are held byte for byte to taviro-convert's.
// Leaves page.png (and page-phone.png, at a phone's width) in the test's
// output folder for a person to look at, and prints the load-to-ready time.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { skipUnless, webFile } from './skip.mjs';

const kChromium = '/usr/bin/chromium';
const kChromiumFlags = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];
const kConformanceLines = 1500;
// What the one file may weigh, module and dictionary included.
const kMostPageBytes = 600 * 1024;
const kFileLines = 200;

skipUnless(fs.existsSync(kChromium), `${kChromium} is not installed (scripts/install-deps web installs it)`);
const puppeteer = await import('puppeteer-core').then((m) => m.default, () => null);
skipUnless(puppeteer, 'puppeteer-core is not installed in tests/web (scripts/install-deps web installs it)');
const pagePath = webFile('taviro.html');
const pageUrl = pathToFileURL(pagePath).href;
const convertProgram = process.env.TAVIRO_CONVERT;
skipUnless(convertProgram && fs.existsSync(convertProgram), 'taviro-convert is not built');
const corpusLines = fs.readFileSync(process.env.TAVIRO_CORPUS, 'utf8').split('\n');

const output = process.env.TAVIRO_TEST_OUTPUT;
const work = path.join(output, 'page-test');
fs.rmSync(work, { recursive: true, force: true });
fs.mkdirSync(work, { recursive: true });

let browser;
let page;
let browserSession;
const refused = [];
const pageErrors = [];

// ---- taviro-convert ---------------------------------------------------------

let cliRuns = 0;
function desktopOutput(source, options = []) {
  const destination = path.join(work, `desktop-${++cliRuns}.txt`);
  execFileSync(convertProgram, ['-q', ...options, source, destination]);
  return fs.readFileSync(destination);
}

// The reason taviro-convert gives, for a source named as the page knows it.
function desktopFailure(source) {
  try {
    execFileSync(convertProgram, ['-q', path.basename(source), 'never.txt'], { cwd: work, stdio: 'pipe' });
  } catch (error) {
    const lines = error.stderr.toString().trim().split('\n');
    return lines[lines.length - 1].replace(/^taviro-convert: /, '');
  }
  assert.fail(`taviro-convert converted ${source}`);
}

function writeSource(name, bytes) {
  const file = path.join(work, name);
  fs.writeFileSync(file, bytes);
  return file;
}

// ---- the page -----------------------------------------------------------------

const idle = () => page.waitForFunction(() => document.body.dataset.ready && !document.body.dataset.busy);
const text = (selector) => page.$eval(selector, (node) => node.textContent);

async function enterText(value) {
  await page.$eval('#gurmukhi', (area, given) => {
    area.value = given;
    area.dispatchEvent(new Event('input'));
  }, value);
  await idle();
}

// Waits until the page has dealt with a file: a result or a message.
async function fileDone(name) {
  await page.waitForFunction((expected) => !document.body.dataset.busy &&
    (document.getElementById('status').textContent.includes(`Converted '${expected}'`) ||
     document.getElementById('status').classList.contains('error')), {}, name);
}

// Clicks a download button and returns the file the browser saved.
async function download(button) {
  const folder = fs.mkdtempSync(path.join(work, 'download-'));
  await browserSession.send('Browser.setDownloadBehavior',
    { behavior: 'allow', downloadPath: folder, eventsEnabled: true });
  const finished = new Promise((resolve, reject) => {
    const listener = (event) => {
      if (event.state === 'inProgress') return;
      browserSession.off('Browser.downloadProgress', listener);
      event.state === 'completed' ? resolve() : reject(new Error(`download ${event.state}`));
    };
    browserSession.on('Browser.downloadProgress', listener);
  });
  await page.click(button);
  await finished;
  const [name] = fs.readdirSync(folder);
  return { name, bytes: fs.readFileSync(path.join(folder, name)) };
}

// The first line where the page and taviro-convert differ, for a readable failure.
function assertSameLines(actual, expected) {
  const ours = actual.toString('utf8').split('\n');
  const theirs = expected.toString('utf8').split('\n');
  const line = ours.findIndex((value, i) => value !== theirs[i]);
  if (line !== -1 || ours.length !== theirs.length) {
    assert.equal(ours[line], theirs[line], `line ${line + 1} differs`);
  }
  assert.ok(actual.equals(expected), 'the bytes differ');
}

before(async () => {
  browser = await puppeteer.launch({
    executablePath: kChromium,
    headless: true,
    userDataDir: fs.mkdtempSync(path.join(work, 'profile-')),
    args: kChromiumFlags,
  });
  browserSession = await browser.target().createCDPSession();
  page = await browser.newPage();
  await page.setViewport({ width: 1100, height: 900 });
  page.on('pageerror', (error) => pageErrors.push(error.message));
  const session = await page.createCDPSession();
  await session.send('Network.emulateNetworkConditions',
    { offline: true, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
  // The page's own file and the worker it makes from its own text are let
  // through; everything else is refused and noted.
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    const url = request.url();
    if (url === pageUrl || url.startsWith('blob:')) {
      request.continue();
    } else {
      refused.push(url);
      request.abort();
    }
  });
  await page.goto(pageUrl);
  await page.waitForSelector('body[data-ready="1"]');
  const ready = await page.evaluate(() => performance.getEntriesByName('taviro-ready')[0].startTime);
  console.log(`load to ready: ${ready.toFixed(0)} ms`);
});

after(async () => {
  await browser?.close();
});

test('opened from disk, offline, it is ready and asked for nothing from a network', () => {
  const size = fs.statSync(pagePath).size;
  console.log(`the page: ${size} bytes`);
  assert.ok(size <= kMostPageBytes, `the page has grown to ${size} bytes`);
  assert.deepEqual(refused, []);
  assert.deepEqual(pageErrors, []);
});

test(`${kConformanceLines} pasted lines come out as taviro-convert --to utf-8 writes them`, async () => {
  const lines = `${corpusLines.slice(0, kConformanceLines).join('\n')}\n`;
  const source = writeSource('pasted.txt', lines);
  await enterText(lines);
  assertSameLines(Buffer.from(await text('#roman'), 'utf8'), desktopOutput(source, ['--to', 'utf-8']));
});

test("a UTF-8 file downloads as taviro-convert's two outputs, under the source's name", async () => {
  const name = 'chapter.txt';
  const source = writeSource(name, `${corpusLines.slice(0, kFileLines).join('\n')}\n`);
  await (await page.$('#file')).uploadFile(source);
  await fileDone(name);
  const utf16 = await download('#save-utf16');
  const utf8 = await download('#save-utf8');
  assert.deepEqual([utf16.name, utf8.name], [name, name]);
  assert.ok(utf16.bytes.equals(desktopOutput(source)), 'the UTF-16 download is not the desktop\'s file');
  assertSameLines(utf8.bytes, desktopOutput(source, ['--to', 'utf-8']));
});

test('a UTF-16LE file with a byte-order mark, dropped on the page', async () => {
  const name = 'dropped.txt';
  const lines = corpusLines.slice(kFileLines, 2 * kFileLines).join('\r\n');
  const source = writeSource(name, Buffer.from(`\uFEFF${lines}\r\n`, 'utf16le'));
  await page.evaluate((bytes, fileName) => {
    const data = new DataTransfer();
    data.items.add(new File([new Uint8Array(bytes)], fileName));
    document.getElementById('gurmukhi').dispatchEvent(
      new DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true }));
  }, [...fs.readFileSync(source)], name);
  await fileDone(name);
  assertSameLines(Buffer.from(await text('#roman'), 'utf8'), desktopOutput(source, ['--to', 'utf-8']));
});

test('a file that is not UTF-8 gives taviro-convert\'s message and nothing to download', async () => {
  const broken = Buffer.concat([Buffer.from('ਕਮਲ ਕਿ '), Buffer.from([0xE0, 0xA8, 0x41, 0x0A])]);
  const source = writeSource('broken.txt', broken);
  await (await page.$('#file')).uploadFile(source);
  await fileDone('broken.txt');
  assert.equal(await text('#status'), desktopFailure(source));
  assert.equal(await text('#roman'), '');
  const enabled = await page.$$eval('#save-utf8, #save-utf16, #copy',
    (buttons) => buttons.filter((button) => !button.disabled).length);
  assert.equal(enabled, 0);
});

test("the user's own words and the loanword switch change only their words", async () => {
  const setLexicon = async (value) => {
    await page.$eval('#lexicon-text', (area, given) => {
      area.value = given;
      area.dispatchEvent(new Event('input'));
    }, value);
    await idle();
  };
  await enterText('ਜਲੰਧਰ ਟੈਕਸਟ ਵਰਤੋਂ।');
  assert.equal(await text('#roman'), 'jalndhar ṭaiksaṭ vartōṃ.');
  await setLexicon('ਜਲੰਧਰ jalandhar\nਕਮਲ\n');
  assert.equal(await text('#roman'), 'jalandhar ṭaiksaṭ vartōṃ.');
  assert.equal(await text('#lexicon-status'), '1 word of yours. Left out: line:2: a word without its Roman text');
  await page.$eval('#loanwords', (box) => box.click());
  await idle();
  assert.equal(await text('#roman'), 'jalandhar ṭaiksṭ vartōṃ.');
  await page.hover('#roman .w');
  assert.match(await text('#word-info'), /^ਜਲੰਧਰ → jalandhar: written as your lexicon says$/);
  // The browser keeps the words for the next visit.
  assert.equal(await page.evaluate(() => localStorage.getItem('taviro-lexicon')), 'ਜਲੰਧਰ jalandhar\nਕਮਲ\n');
  await page.$eval('#loanwords', (box) => box.click());
  await setLexicon('');
  assert.equal(await text('#roman'), 'jalndhar ṭaiksaṭ vartōṃ.');
});

test('pointing at a word or moving to it by keyboard tells how it was finished', async () => {
  await enterText(`ਕਮਲਨਯਨ ਕਿ ਪੰਜਾਬੀ।\n${corpusLines.slice(0, 12).join('\n')}`);
  await page.hover('#roman .w');
  assert.match(await text('#word-info'), /^ਕਮਲਨਯਨ → kamlanyan: the rules alone/);
  await page.focus('#roman .w');
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('ArrowRight');
  assert.match(await text('#word-info'),
    /^ਪੰਜਾਬੀ → pañjābī: split into two dictionary words: first pañjā \+ second bī$/);

  await page.$eval('#table', (table) => { table.open = true; });
  await page.waitForSelector('#table-blocks table');
  // The table's marks are the engine's, the desktop's table picture's too.
  const rows = new Map(await page.$$eval('#table-blocks tbody tr',
    (trs) => trs.map((tr) => [...tr.cells].map((cell) => cell.textContent))));
  assert.deepEqual(['\u25CC\u0A71', '\u0A72', '\u0A73', '\u0A15'].map((c) => rows.get(c)),
    ['\u2020', '*', '*', 'ka']);
  assert.deepEqual(await page.$eval('#table-notes',
    (notes) => [...notes.childNodes].map((node) => node.textContent)),
    ['*  [No Conversion Available]', '', '\u2020  [Doubles the following character]']);
  await page.screenshot({ path: path.join(output, 'page.png'), fullPage: true });
  await page.setViewport({ width: 390, height: 844 });
  await page.screenshot({ path: path.join(output, 'page-phone.png'), fullPage: true });
});
