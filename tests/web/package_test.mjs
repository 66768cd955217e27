// The npm package as a programmer gets it: the tarball installed offline into
// a fresh project, used there under node, imported and required (as Node 18,
// which cannot require an ES module, requires it), type-checked against its
// declarations with tsc, and bundled by esbuild into a page that Debian's
// chromium runs, on the page's thread and in a Web Worker, with every request
// refused. Its results are held byte for byte to taviro-convert's.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { skipUnless } from './skip.mjs';

const kChromium = '/usr/bin/chromium';
const kChromiumFlags = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];
const kLines = 1500;
// What the package holds, and nothing else.
const kPackageFiles = ['LICENSE', 'README.md', 'code_units.js', 'dictionary.js', 'engine.js', 'index.cjs', 'index.d.cts', 'index.d.ts',
  'index.js', 'package.json', 'taviro.js'];
// Node 18's require() takes no ES module; a newer node takes one unless told
// not to, which would hide a package that offers none to require().
const kNode18Require = process.allowedNodeEnvironmentFlags.has('--no-experimental-require-module')
  ? ['--no-experimental-require-module'] : [];

const tarball = process.env.TAVIRO_PACKAGE;
skipUnless(tarball && fs.existsSync(tarball), `${tarball} is not built (make web builds it)`);
const convertProgram = process.env.TAVIRO_CONVERT;
skipUnless(convertProgram && fs.existsSync(convertProgram), 'taviro-convert is not built');
const nodeModules = new URL('./node_modules/', import.meta.url);
const tool = (name) => new URL(`.bin/${name}`, nodeModules).pathname;
skipUnless(['tsc', 'esbuild'].every((name) => fs.existsSync(tool(name))),
  'typescript and esbuild are not installed in tests/web (scripts/install-deps web installs them)');
const puppeteer = await import('puppeteer-core').then((m) => m.default, () => null);
skipUnless(puppeteer && fs.existsSync(kChromium), 'chromium or puppeteer-core is missing (make test installs them)');

const work = path.join(process.env.TAVIRO_TEST_OUTPUT, 'package-test');
fs.rmSync(work, { recursive: true, force: true });
const project = path.join(work, 'project');
fs.mkdirSync(project, { recursive: true });
const inProject = (name) => path.join(project, name);

// Text around words first: typographic punctuation, English, emoji and format characters.
const kAroundWords = '‘ਕਮਲ’ “ਟੈਕਸਟ” ਕਮਲ\u00A0ਕਮਲ – banana ਪੰਜਾਬ😀 ਕ😀ਕ 👨\u200D👩\u200D👧 ਸਮਝ\u200Bਦਾ ਕ੍\u200Cਸ\n';
const lines = `${kAroundWords}${fs.readFileSync(process.env.TAVIRO_CORPUS, 'utf8').split('\n').slice(0, kLines).join('\n')}\n`;
const source = inProject('lines.txt');
fs.writeFileSync(source, lines);
const desktop = (options) => execFileSync(convertProgram, ['-q', ...options, source, '-']);
const expectedUtf8 = desktop(['--to', 'utf-8']);

// The first line where the two differ, for a readable failure.
function assertSameBytes(actual, expected, what) {
  const ours = Buffer.from(actual).toString('utf8').split('\n');
  const theirs = expected.toString('utf8').split('\n');
  const line = ours.findIndex((value, i) => value !== theirs[i]);
  if (line !== -1) assert.equal(ours[line], theirs[line], `${what}: line ${line + 1} differs`);
  assert.ok(Buffer.from(actual).equals(expected), `${what}: the bytes differ`);
}

// The README's examples, each with its `// result` comments beside what it prints.
function readmeExamples() {
  const readme = fs.readFileSync(new URL('../../README.md', import.meta.url), 'utf8');
  const start = readme.indexOf('## From JavaScript');
  const section = readme.slice(start, readme.indexOf('\n## ', start));
  return [...section.matchAll(/```js\n([\s\S]*?)```/g)].map(([, code]) => ({
    code,
    shown: code.split('\n').filter((line) => /^\s*console\.log\(.*\/\/ /.test(line))
      .map((line) => line.slice(line.lastIndexOf('// ') + 3)),
  }));
}

let Taviro;
let TaviroError;
let taviro;
before(async () => {
  fs.writeFileSync(inProject('package.json'), JSON.stringify({ name: 'reader', private: true, type: 'module' }));
  execFileSync('npm', ['install', '--offline', '--no-audit', '--no-fund', '--loglevel=error', tarball], {
    cwd: project, stdio: 'pipe', env: { ...process.env, npm_config_cache: path.join(work, 'npm-cache') },
  });
  // Resolved as the project's own modules resolve 'taviro'.
  fs.writeFileSync(inProject('use.mjs'), "export * from 'taviro';\n");
  ({ Taviro, TaviroError } = await import(pathToFileURL(inProject('use.mjs')).href));
  taviro = await Taviro.create();
});

test('the tarball holds the modules, their types and the dictionary, with no dependency or script', () => {
  const listed = execFileSync('tar', ['-tzf', tarball], { encoding: 'utf8' }).trim().split('\n');
  assert.deepEqual(listed.map((file) => file.replace(/^package\//, '')).sort(), kPackageFiles);
  const manifest = JSON.parse(fs.readFileSync(inProject('node_modules/taviro/package.json'), 'utf8'));
  assert.deepEqual([manifest.dependencies, manifest.scripts], [undefined, undefined]);
  console.log(`the package: ${fs.statSync(tarball).size} bytes`);
  // Within the bound the README gives it.
  const [, most] = fs.readFileSync(new URL('../../README.md', import.meta.url), 'utf8')
    .match(/taviro-1\.0\.0\.tgz` \(under (\d+) KB\)/);
  assert.ok(fs.statSync(tarball).size <= 1000 * Number(most), `the package has grown past ${most} KB`);
});

test(`installed in a project, it converts ${kLines} lines as taviro-convert does, text and files`, () => {
  assertSameBytes(Buffer.from(taviro.transliterate(lines), 'utf8'), expectedUtf8, 'transliterate');
  const utf16 = Buffer.from(`\uFEFF${lines}`, 'utf16le');
  const read = taviro.transliterateFile(utf16);
  assert.equal(read.encoding, 'utf-16le');
  assertSameBytes(Buffer.from(read.text, 'utf8'), expectedUtf8, 'transliterateFile');
  assertSameBytes(taviro.convertFile(fs.readFileSync(source)), desktop(['--to', 'utf-16le']), 'convertFile');
  // Before: U+FFFD. A string holds a lone surrogate, as UTF-16 does; UTF-8 bytes cannot.
  assert.equal(taviro.transliterate('ਕਮਲ \uD800\r\nਸੰਤ\uDC00'), 'kamal \uD800\nsanta\uDC00');
  // A text's last word is written as if a separator followed it.
  assert.deepEqual(['ਨ', 'ਨ\n', 'ਉਹ ਘਰ ਚ'].map((text) => taviro.transliterate(text)), ['na', 'na\n', 'uh ghar ca']);
  // Cut every 7 units, inside words and surrogate pairs, the parts join to the whole text's Roman text.
  const cuts = lines.match(/[^]{1,7}/g);
  const parts = taviro.transliterateParts(cuts);
  assert.equal(parts.length, cuts.length);
  assertSameBytes(Buffer.from(parts.join(''), 'utf8'), expectedUtf8, 'transliterateParts');
  // What the types declare, and nothing more: the engine a Taviro holds is its own.
  assert.deepEqual([Object.keys(taviro), Object.getOwnPropertyNames(Object.getPrototypeOf(taviro)).sort()],
    [[], ['constructor', 'convertFile', 'explain', 'transformStream', 'transliterate', 'transliterateFile',
      'transliterateParts']]);
});

test(`in plain letters it converts ${kLines} lines as taviro-convert --scheme ascii does`, async () => {
  const plain = await Taviro.create({ scheme: 'ascii' });
  assertSameBytes(Buffer.from(plain.transliterate(lines), 'utf8'), desktop(['--scheme', 'ascii', '--to', 'utf-8']),
    'transliterate');
  const [word] = plain.explain('ਭਾਰਤੀ');
  assert.deepEqual([word.roman, word.ascii, word.pieces.map((piece) => piece.text)], ['bhārtī', 'bharti', ['bhā', 'rtī']]);
  await assert.rejects(Taviro.create({ scheme: 'plain' }), (error) => error instanceof TaviroError && error.kind === 'usage');
});

test('an argument or option that is wrong is refused with one sentence', () => {
  // Before: `from` passed over, and "a text to convert is a string, not object" for bytes.
  const bytes = Buffer.from('ਕਮਲ\n');
  const cases = [
    [() => taviro.transliterateFile(bytes, { from: 'latin1' }), TaviroError,
      "unknown encoding 'latin1' for from (auto, utf-16le, utf-16be, utf-8)"],
    [() => taviro.transliterateFile(bytes, { form: 'utf-8' }), TaviroError,
      "unknown option 'form' for transliterateFile (name, from)"],
    [() => taviro.convertFile(bytes, { to: 'latin1' }), TaviroError, "unknown encoding 'latin1' for to (utf-16le, utf-8)"],
    [() => taviro.transliterate(bytes), TypeError, "a text to convert is a string, not bytes: give a file's bytes to "
      + 'transliterateFile, or decode them first (new TextDecoder().decode(bytes))'],
  ];
  for (const [call, kind, message] of cases) {
    assert.throws(call, (error) => error instanceof kind && error.message === message, message);
  }
  const utf16be = Buffer.from('\uFEFFਕਮਲ', 'utf16le').swap16();
  assert.deepEqual(taviro.transliterateFile(utf16be, { from: 'utf-16be' }), { text: 'kamal', encoding: 'utf-16be' });
});

test('required from CommonJS as Node 18 requires it, it converts as imported', () => {
  fs.writeFileSync(inProject('use.cjs'), `const { Taviro, TaviroError } = require('taviro');
Taviro.create().then((taviro) => {
  process.stdout.write(taviro.transliterate(require('node:fs').readFileSync('lines.txt', 'utf8')));
  try {
    taviro.transliterate('ਕ\\u0A71x');
  } catch (error) {
    if (!(error instanceof TaviroError)) throw error;
  }
});
`);
  const printed = execFileSync(process.execPath, [...kNode18Require, 'use.cjs'], { cwd: project });
  assertSameBytes(printed, expectedUtf8, 'required');
});

test("explain tells each word in taviro-dict's words, and failures are TaviroErrors", async () => {
  const words = taviro.explain('ਪੰਜਾਬੀਆਂ ਕਮਲ');
  assert.deepEqual(words.map(({ source, sourceBegin, sourceEnd, finish }) => [source, sourceBegin, sourceEnd, finish]),
    [['ਪੰਜਾਬੀਆਂ', 0, 8, 'split'], ['ਕਮਲ', 9, 12, 'none']]);
  assert.deepEqual(words[0].pieces, [{ name: 'first', begin: 0, end: 7, text: 'pañjābī' },
    { name: 'second', begin: 7, end: 9, text: 'āṃ' }]);
  const dict = process.env.TAVIRO_DICT;
  const told = execFileSync(dict, ['explain', 'ਪੰਜਾਬੀਆਂ', 'ਕਮਲ'], { encoding: 'utf8' }).trim().split('\n');
  // taviro-dict explain adds that the dictionary holds ਕਮਲ itself.
  assert.deepEqual(words.map((word) => word.explanation), told.map((line) => line.split(' (the dictionary holds')[0]));
  const isTaviroError = (message, kind) => (error) =>
    error instanceof TaviroError && message.test(error.message) && (kind === undefined || error.kind === kind);
  assert.throws(() => taviro.transliterate('ਕ\u0A71x'), isTaviroError(/addak/, 'text'));
  // Before: the page told a word too long by matching these words of the message.
  assert.throws(() => taviro.transliterate('ਕ'.repeat(40000)), isTaviroError(/32767/, 'tooLong'));
  assert.throws(() => taviro.transliterate(undefined), TypeError);
  await assert.rejects(Taviro.create({ lexicon: 'ਕਮਲ ka mal\n' }),
    isTaviroError(/line:1: the Roman text holds a separator/));
});

test("the README's examples, an ES module and a CommonJS one, print what they show", () => {
  const examples = readmeExamples();
  assert.equal(examples.length, 2);
  for (const { code, shown } of examples) {
    // Each in the file type the README says it needs.
    const file = code.includes("require('taviro')") ? 'example.cjs' : 'example.mjs';
    fs.writeFileSync(inProject(file), code);
    const printed = execFileSync(process.execPath, [...kNode18Require, file], { cwd: project, encoding: 'utf8' });
    assert.deepEqual(printed.trimEnd().split('\n'), shown, file);
  }
});

test('a TypeScript program type-checks against the declarations, and a wrong call does not', () => {
  fs.writeFileSync(inProject('check.ts'), `import { Taviro, TaviroError, type WordReport } from 'taviro';
const taviro: Taviro = await Taviro.create({ lexicon: [['ਜਲੰਧਰ', 'jalandhar']], loanwords: true, scheme: 'ascii' });
const roman: string = taviro.transliterate('ਕਮਲ');
const words: WordReport[] = taviro.explain(roman);
const { text, encoding }: { text: string; encoding: 'utf-8' | 'utf-16le' | 'utf-16be' } =
  taviro.transliterateFile(new Uint8Array(0), { name: 'notes.txt' });
const bytes: Uint8Array = taviro.convertFile(new ArrayBuffer(0), { to: 'utf-8' });
const failure: Error = new TaviroError('');
// @ts-expect-error: a text is a string
taviro.transliterate(42);
// @ts-expect-error: no such encoding to write
taviro.convertFile(bytes, { to: 'latin-1' });
// @ts-expect-error: no such scheme
await Taviro.create({ scheme: 'plain' });
const plain: string | null = words[0].ascii;
const kind: 'tooLong' | 'text' | 'notText' | 'file' | 'usage' = new TaviroError('').kind;
console.log(words[0].finish, words[0].stemBegin, text, encoding, failure, kind, plain);
`);
  // The same declarations for a CommonJS program.
  fs.writeFileSync(inProject('check.cts'), `import taviro = require('taviro');
taviro.Taviro.create().then((converter: taviro.Taviro) => {
  const roman: string = converter.transliterate('ਕਮਲ');
  // @ts-expect-error: a text is a string
  converter.transliterate(42);
  console.log(roman, new taviro.TaviroError('') instanceof Error);
});
`);
  execFileSync(tool('tsc'), ['--noEmit', '--strict', '--target', 'es2022', '--module', 'nodenext',
    '--moduleResolution', 'nodenext', '--lib', 'es2022,dom', 'check.ts', 'check.cts'],
  { cwd: project, stdio: 'pipe' });
});

// ---- bundled into a page ------------------------------------------------------

let browser;
after(async () => {
  await browser?.close();
});

// A page of the project's own, bundled by esbuild: it converts on its own
// thread and in a worker, bundled too, that it makes from its own text.
function bundlePage() {
  fs.writeFileSync(inProject('worker.js'), `import { Taviro } from 'taviro';
const taviro = Taviro.create();
self.onmessage = async (event) => self.postMessage((await taviro).transliterate(event.data));
`);
  fs.writeFileSync(inProject('page.js'), `import { Taviro } from 'taviro';
const taviro = Taviro.create();
window.onPage = async (text) => (await taviro).transliterate(text);
window.inWorker = (text) => new Promise((resolve, reject) => {
  const script = document.getElementById('worker').textContent;
  const worker = new Worker(URL.createObjectURL(new Blob([script], { type: 'text/javascript' })));
  worker.onmessage = (event) => resolve(event.data);
  worker.onerror = (event) => reject(new Error(event.message));
  worker.postMessage(text);
});
`);
  const bundle = (entry) => execFileSync(tool('esbuild'), [entry, '--bundle', '--format=iife', '--log-level=error'],
    { cwd: project, encoding: 'utf8' });
  const page = inProject('page.html');
  fs.writeFileSync(page, `<!DOCTYPE html><meta charset="utf-8"><title>Taviro bundled</title>
<script type="text/plain" id="worker">${bundle('worker.js')}</script>
<script>${bundle('page.js')}</script>
`);
  return pathToFileURL(page).href;
}

test('bundled by esbuild into a page, it converts the same lines on the page and in a worker', async () => {
  const pageUrl = bundlePage();
  browser = await puppeteer.launch({ executablePath: kChromium, headless: true, args: kChromiumFlags,
    userDataDir: fs.mkdtempSync(path.join(work, 'profile-')) });
  const page = await browser.newPage();
  const refused = [];
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    if (request.url() === pageUrl || request.url().startsWith('blob:')) {
      request.continue();
    } else {
      refused.push(request.url());
      request.abort();
    }
  });
  await page.goto(pageUrl);
  assertSameBytes(Buffer.from(await page.evaluate((text) => window.onPage(text), lines), 'utf8'), expectedUtf8,
    "the page's thread");
  assertSameBytes(Buffer.from(await page.evaluate((text) => window.inWorker(text), lines), 'utf8'), expectedUtf8,
    'the worker');
  assert.deepEqual([refused, errors], [[], []]);
});
