// The npm package under node beside the native taviro-convert on the same
// UTF-8 text: the whole text in one call, a file's bytes to bytes, and a call
// a line, as a program converting records would make them. Then whole
// processes, as a user runs them, on Wikipedia prose (WIKIPEDIA, three times
// over): node converting the file with convertFile(), and with transliterate()
// of its text, beside taviro-convert -j 1 --to utf-8, in turns, with node's
// peak memory; and a text of 200 MB
// piped through transformStream(), with its peak memory.
//
// Usage: node bench/npm_package.mjs PACKAGE_FOLDER TAVIRO_CONVERT CORPUS [WIKIPEDIA]
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import { makeInput, median } from './corpus_input.mjs';

const [packageFolder, convertProgram, corpus, wikipedia] = process.argv.slice(2);
const kBytes = Number(process.env.NPM_BYTES || 20000000);
const kRuns = Number(process.env.RUNS || 3);

function seconds(run) {
  const times = [];
  for (let i = 0; i < kRuns; ++i) {
    const started = process.hrtime.bigint();
    run();
    times.push(Number(process.hrtime.bigint() - started) / 1e9);
  }
  return median(times);
}

// Seconds and peak kilobytes of a whole process, as /usr/bin/time tells them.
function timed(program, args) {
  const run = spawnSync('/usr/bin/time', ['-f', '%e %M', program, ...args], { stdio: ['ignore', 'ignore', 'pipe'] });
  if (run.status !== 0) throw new Error(`${program} failed: ${run.stderr}`);
  const [secondsTaken, kb] = run.stderr.toString().trim().split('\n').pop().split(' ').map(Number);
  return { seconds: secondsTaken, kb };
}

// `copies` of the Wikipedia prose, one after the other, in `file`.
function repeated(file, copies) {
  const text = fs.readFileSync(wikipedia);
  const out = fs.openSync(file, 'w');
  for (let i = 0; i < copies; ++i) fs.writeSync(out, text);
  fs.closeSync(out);
}

function wholeProcesses(work) {
  const index = pathToFileURL(path.join(packageFolder, 'index.js')).href;
  // A file to a file, bytes to bytes, as taviro-convert does it; and through
  // a string, which costs node's UTF-8 reading and writing besides.
  const whole = path.join(work, 'whole.mjs');
  fs.writeFileSync(whole, `import fs from 'node:fs';
const { Taviro } = await import('${index}');
const taviro = await Taviro.create();
fs.writeFileSync(process.argv[3], taviro.convertFile(fs.readFileSync(process.argv[2]), { to: 'utf-8' }));
`);
  const wholeText = path.join(work, 'whole-text.mjs');
  fs.writeFileSync(wholeText, `import fs from 'node:fs';
const { Taviro } = await import('${index}');
const taviro = await Taviro.create();
fs.writeFileSync(process.argv[3], taviro.transliterate(fs.readFileSync(process.argv[2], 'utf8')));
`);
  const streamed = path.join(work, 'stream.mjs');
  fs.writeFileSync(streamed, `import fs from 'node:fs';
import { Readable, Writable } from 'node:stream';
const { Taviro } = await import('${index}');
const taviro = await Taviro.create();
await Readable.toWeb(fs.createReadStream(process.argv[2], { encoding: 'utf8' }))
  .pipeThrough(taviro.transformStream())
  .pipeTo(Writable.toWeb(fs.createWriteStream(process.argv[3])));
`);
  const prose = path.join(work, 'prose.txt');
  repeated(prose, 3);
  const [nodeOut, nativeOut] = [path.join(work, 'node.txt'), path.join(work, 'native.txt')];
  const nodeRuns = [];
  const textRuns = [];
  const nativeRuns = [];
  const ratios = [];
  const textRatios = [];
  for (let i = 0; i < kRuns; ++i) {
    nodeRuns.push(timed(process.execPath, [whole, prose, nodeOut]));
    nativeRuns.push(timed(convertProgram, ['-q', '-j', '1', '--to', 'utf-8', prose, nativeOut]));
    if (!fs.readFileSync(nodeOut).equals(fs.readFileSync(nativeOut))) throw new Error('node and taviro-convert differ');
    textRuns.push(timed(process.execPath, [wholeText, prose, nodeOut]));
    if (!fs.readFileSync(nodeOut).equals(fs.readFileSync(nativeOut))) throw new Error('node and taviro-convert differ');
    ratios.push(nodeRuns[i].seconds / nativeRuns[i].seconds);
    textRatios.push(textRuns[i].seconds / nativeRuns[i].seconds);
  }
  const size = fs.statSync(prose).size;
  const nodeSeconds = median(nodeRuns.map((run) => run.seconds));
  const nativeSeconds = median(nativeRuns.map((run) => run.seconds));
  const nodeMb = median(nodeRuns.map((run) => run.kb)) / 1024;
  console.log(`\nWhole processes on ${(size / 1e6).toFixed(1)} MB of Wikipedia prose (${kRuns} turns, median):`);
  console.log(`  node, convertFile(the file's bytes):   ${nodeSeconds.toFixed(3)} s, peak ${nodeMb.toFixed(0)} MiB`
    + ' (at most 160 MiB)');
  console.log(`  node, transliterate(the file's text): ${median(textRuns.map((run) => run.seconds)).toFixed(3)} s,`
    + ` peak ${(median(textRuns.map((run) => run.kb)) / 1024).toFixed(0)} MiB`);
  console.log(`  taviro-convert -j 1 --to utf-8:       ${nativeSeconds.toFixed(3)} s`);
  console.log(`  node against taviro-convert: ${median(ratios).toFixed(2)}x (at most 2.0x);`
    + ` through a string ${median(textRatios).toFixed(2)}x`);
  fs.rmSync(prose);

  const big = path.join(work, 'big.txt');
  repeated(big, Math.ceil(200e6 / fs.statSync(wikipedia).size));
  const run = timed(process.execPath, [streamed, big, nodeOut]);
  timed(convertProgram, ['-q', '-j', '1', '--to', 'utf-8', big, nativeOut]);
  if (!fs.readFileSync(nodeOut).equals(fs.readFileSync(nativeOut))) throw new Error('the stream and taviro-convert differ');
  console.log(`  ${(fs.statSync(big).size / 1e6).toFixed(0)} MB through transformStream(): ${run.seconds.toFixed(2)} s,`
    + ` peak ${(run.kb / 1024).toFixed(0)} MiB (at most 200 MiB)`);
}

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'taviro-bench-'));
try {
  const input = path.join(work, 'input.txt');
  const output = path.join(work, 'out.txt');
  makeInput(corpus, input, kBytes);
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
  if (wikipedia) wholeProcesses(work);
} finally {
  fs.rmSync(work, { recursive: true, force: true });
}
