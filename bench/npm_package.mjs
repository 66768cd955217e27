// The npm package under node beside the native taviro-convert on the same
// UTF-8 text: the whole text in one call, a file's bytes to bytes, and a call
// a line, as a program converting records would make them.
//
// Usage: node bench/npm_package.mjs PACKAGE_FOLDER TAVIRO_CONVERT CORPUS
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const [packageFolder, convertProgram, corpus] = process.argv.slice(2);
const kBytes = Number(process.env.NPM_BYTES || 20000000);
const kRuns = Number(process.env.RUNS || 3);

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor((values.length - 1) / 2)];

function seconds(run) {
  const times = [];
  for (let i = 0; i < kRuns; ++i) {
    const started = process.hrtime.bigint();
    run();
    times.push(Number(process.hrtime.bigint() - started) / 1e9);
  }
  return median(times);
}

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

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'taviro-bench-'));
try {
  const input = path.join(work, 'input.txt');
  const output = path.join(work, 'out.txt');
  makeInput(input);
  const size = fs.statSync(input).size;
  const native = (jobs) => seconds(
    () => execFileSync(convertProgram, ['-q', '-j', jobs, '--to', 'utf-8', input, output]));
  const nativeOne = native('1');
  const nativeAll = native(String(os.availableParallelism()));
  const expected = fs.readFileSync(output);

  const { Taviro } = await import(pathToFileURL(path.join(packageFolder, 'index.js')).href);
  const loadStarted = process.hrtime.bigint();
  const taviro = await Taviro.create();
  const load = Number(process.hrtime.bigint() - loadStarted) / 1e9;
  const bytes = fs.readFileSync(input);
  const text = bytes.toString('utf8');
  const lines = text.split('\n');
  let whole = '';
  const rows = [
    ['taviro-convert --to utf-8 -j 1 (native)', nativeOne],
    [`taviro-convert --to utf-8 -j ${os.availableParallelism()} (native)`, nativeAll],
    ['package: transliterate(whole text)', seconds(() => { whole = taviro.transliterate(text); })],
    ["package: convertFile(bytes, { to: 'utf-8' })", seconds(() => taviro.convertFile(bytes, { to: 'utf-8' }))],
    ['package: transliterate(line), a call a line', seconds(() => lines.map((line) => taviro.transliterate(line)))],
  ];
  if (!Buffer.from(whole, 'utf8').equals(expected)) throw new Error('the package and taviro-convert differ');

  console.log(`npm package under node ${process.version}: ${size} bytes of UTF-8, ${lines.length - 1} lines`
    + ` (${kRuns} runs each, median)\n`);
  for (const [name, time] of rows) {
    console.log(name.padEnd(48), `${time.toFixed(3).padStart(8)} s`,
      `${(size / time / 1e6).toFixed(1).padStart(8)} MB/s`,
      `${(time / nativeOne).toFixed(2).padStart(7)} x native -j 1`);
  }
  console.log(`\nTaviro.create(), the engine and the dictionary loaded: ${(load * 1000).toFixed(0)} ms`);
} finally {
  fs.rmSync(work, { recursive: true, force: true });
}
