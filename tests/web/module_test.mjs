// The npm package's engine face under node, as the page's worker uses it:
// what crosses between JavaScript and the engine arrives whole. Text goes in
// and out as UTF-16 units, the engine's failures come out as messages (em++
// drops exceptions unless told), and a file's bytes are read by
// taviro-convert's rules.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { test } from 'node:test';
import { pathToFileURL } from 'node:url';
import v8 from 'node:v8';
import vm from 'node:vm';
import { WordReports } from '../../web/page/word_reports.js';
import { webFile } from './skip.mjs';

const { PageTaviro } = await import(pathToFileURL(webFile('package/page_engine.js')).href);
const taviro = await PageTaviro.open({ words: fs.readFileSync(webFile('words.txt'), 'utf8') });
// The package's own face, over the same dictionary, for what the page asks of it too.
const { Taviro } = await import(pathToFileURL(webFile('package/index.js')).href);
const packaged = await Taviro.create();

test('the whole dictionary is loaded', () => {
  assert.equal(taviro.rows, 20629);
});

test('a text comes back with each word, its place and how it was finished', () => {
  const source = 'ਕਮਲਨਯਨ ਕਿ ਪੰਜਾਬੀ।\n';
  const result = taviro.convert(source);
  assert.equal(result.roman, 'kamlanyan ki pañjābī.\n');
  const report = new WordReports(result, taviro.wordReport);
  const words = [];
  for (let i = 0; i < report.length; ++i) {
    const word = report.at(i);
    words.push([source.slice(word.sourceBegin, word.sourceEnd), result.roman.slice(word.romanBegin, word.romanEnd),
      word.prefix, word.suffix, word.split, word.lexicon, word.stemBegin, word.stemEnd]);
  }
  assert.deepEqual(words, [
    ['ਕਮਲਨਯਨ', 'kamlanyan', false, false, false, null, 0, 9],
    ['ਕਿ', 'ki', false, false, false, null, 0, 2],
    ['ਪੰਜਾਬੀ', 'pañjābī', false, false, true, null, 0, 5],
  ]);
  // More words than asked for come without their rows, which a long text could
  // not afford, in blocks; a text too long to hold whole is converted in
  // blocks, here more than one, with a word and a CR LF cut by a block's end.
  const long = `${source}ਕਮਲ\r\n`.repeat(80000);
  const text = (units) => Buffer.from(units.buffer, units.byteOffset, units.byteLength).toString('utf16le');
  for (const many of [taviro.convert(long, 2), taviro.convertInBlocks(long)]) {
    assert.deepEqual([many.blocks.map(text).join(''), many.words.length, many.wordCount],
      [packaged.transliterate(long), 0, 320000]);
  }
  assert.ok(taviro.convertInBlocks(long).blocks.length > 1);
  // The engine words each way of finishing; the page only shows it.
  assert.deepEqual(report.at(2).finish, {
    name: 'split',
    how: 'split into two dictionary words',
    pieces: [['first', 'wordBegin', 'stemEnd'], ['second', 'stemEnd', 'wordEnd']],
  });
});

test("the user's lexicon wins over the loanwords, which come only when switched on", async () => {
  const words = fs.readFileSync(webFile('words.txt'), 'utf8');
  const lexicons = await PageTaviro.open({ words, loanwords: fs.readFileSync(webFile('loanwords.txt'), 'utf8') });
  const source = 'ਟੈਕਸਟ ਟੈਸਟ ਵਰਤੋਂ';
  assert.equal(lexicons.convert(source).roman, 'ṭaiksaṭ ṭaisaṭ vartōṃ');
  const set = lexicons.setLexicon('ਟੈਸਟ\ttest\nਕਮਲ ka mal\n', true);
  assert.equal(set.entries, 1);
  assert.deepEqual(set.problems,
    ['line:2: the Roman text holds a separator (a space, a digit, punctuation), which would end the word']);
  const result = lexicons.convert(source);
  assert.equal(result.roman, 'ṭaiksṭ test vartōṃ');
  const report = new WordReports(result, lexicons.wordReport);
  assert.deepEqual([0, 1, 2].map((i) => report.at(i).lexicon), ['loanword', 'user', null]);
  assert.deepEqual([0, 1].map((i) => report.at(i).finish.how),
    ['an English loanword, written as Punjabi speakers say it', 'written as your lexicon says']);
  lexicons.setLexicon('', false);
  assert.equal(lexicons.convert(source).roman, 'ṭaiksaṭ ṭaisaṭ vartōṃ');
  // Spoken forms: the loanwords, and the "a" that speech drops after a long vowel, in the engine's words.
  lexicons.setLexicon('', false, true);
  const spoken = lexicons.convert('ਭਾਰਤੀ ਟੈਕਸਟ ਤਰੱਕੀ');
  assert.equal(spoken.roman, 'bhārtī ṭaiksṭ tarakkī');
  const spokenReport = new WordReports(spoken, lexicons.wordReport);
  assert.deepEqual([0, 1, 2].map((i) => spokenReport.at(i).spoken), [true, false, false]);
  assert.deepEqual([0, 1, 2].map((i) => spokenReport.at(i).spokenKept), [false, false, true]);
  // Each part of an explanation says what it is, for the page to style.
  const told = (i) => spokenReport.explanation(i).map(({ text }) => text).join('');
  assert.match(told(0), /; spoken form: a dropped after a long vowel$/);
  assert.match(told(2), /; spoken form: a kept before addak or tippi$/);
  assert.deepEqual(spokenReport.explanation(0).map(({ kind }) => kind),
    ['gurmukhi', 'words', 'roman', 'words', 'piece', 'words', 'piece', 'words']);
  const steps = new WordReports(lexicons.convert('ਸਕਦੇ ਕਾਨੂੰਨ ਪੁਰਸਕਾਰ'), lexicons.wordReport);
  assert.deepEqual([0, 1, 2].map((i) => [steps.at(i).spokenJoin, steps.at(i).spokenNasal, steps.at(i).spokenCluster]),
    [[true, false, false], [false, true, false], [false, false, true]]);
});

test('every code unit survives the crossing, a lone surrogate too', () => {
  const result = taviro.convert('a\uD800 \uDC00');
  assert.deepEqual(Array.from(result.units), [0x61, 0xD800, 0x20, 0xDC00]);
  assert.equal(result.roman, 'a\uD800 \uDC00');
  // Decoded at once where no unit is alone: a byte-order mark that begins the text stays, as a pair does
  // (beside Gurmukhi it would be read as absent).
  assert.equal(packaged.transliterate('\uFEFF ਕਮਲ 😀'), '\uFEFF kamal 😀');
});

test("the engine's failures come with their kinds", () => {
  const cases = [
    ['addak before an unmapped character', 'ਕ\u0A71x', 'text'],
    ['too many characters without a word end', 'ਕ'.repeat(40000), 'tooLong'],
  ];
  for (const [name, text, kind] of cases) {
    assert.throws(() => taviro.convert(text), { name: 'TaviroError', kind }, name);
  }
  assert.equal(taviro.convert('ਕਮਲ').roman, 'kamal', 'the converter still works after a failure');
});

test("a file's bytes are read as taviro-convert reads them", () => {
  const gurmukhi = 'ਕਮਲ';
  const utf16 = (text, littleEndian) => {
    const bytes = Buffer.from(text, 'utf16le');
    return littleEndian ? bytes : bytes.swap16();
  };
  const cases = [
    ['UTF-8', Buffer.from(`${gurmukhi}\n`), `${gurmukhi}\n`, 'utf-8'],
    ['UTF-8 with a byte-order mark', Buffer.from(`\uFEFF${gurmukhi}`), gurmukhi, 'utf-8'],
    ['UTF-16LE with a byte-order mark', utf16(`\uFEFF${gurmukhi}\r\n`, true), `${gurmukhi}\r\n`, 'utf-16le'],
    ['UTF-16BE with a byte-order mark', utf16(`\uFEFF${gurmukhi}`, false), gurmukhi, 'utf-16be'],
    ['Gurmukhi alone in UTF-16LE without a mark', utf16(gurmukhi, true), gurmukhi, 'utf-16le'],
    ['UTF-16BE without a mark', utf16(`${gurmukhi} ਕਿ\r\n`, false), `${gurmukhi} ਕਿ\r\n`, 'utf-16be'],
  ];
  for (const [name, bytes, source, encoding] of cases) {
    const result = taviro.readFile(new Uint8Array(bytes), 'in.txt');
    assert.deepEqual([String.fromCharCode(...result.sourceUnits), result.encoding], [source, encoding], name);
    assert.ok(result.roman.startsWith('kamal'), name);
  }
  const faults = [
    [Buffer.from([0x61, 0x62, 0xFF, 0x0A]), 'file', "cannot read 'in.txt': it is not valid UTF-8 at byte offset 2 (0xFF)"],
    [Buffer.from([0xFF, 0xFE, 0x15]), 'file',
      "cannot read 'in.txt': it ends in half a UTF-16 character (an odd number of bytes)"],
    [Buffer.from([0x7F, 0x45, 0x4C, 0x46, 0x02, 0x01, 0x01, 0, 0, 0, 0x90]), 'notText', "'in.txt' is not a text file"],
  ];
  for (const [bytes, kind, message] of faults) {
    assert.throws(() => taviro.readFile(new Uint8Array(bytes), 'in.txt'), { kind, message });
  }
});

test("the character table is the engine's map as a conversion reads it, with the engine's marks", () => {
  const { rows, markers, marks } = taviro.characterMap();
  const roman = new Map(rows);
  assert.equal(rows.length, 76);
  // Iri and ura read as the vowels they carry, bindi as tippi; no row is left "no conversion".
  assert.deepEqual([0x0A71, 0x0A72, 0x0A73, 0x0A02].map((c) => roman.get(c)),
    [markers.doubling, 'i\u2021', 'u\u2021', '\u1E43']);
  assert.deepEqual(marks.map(([mark]) => mark), ['\u2020', '\u2021']);
});

test('a download is written as taviro-convert writes a file, from the blocks of the result', () => {
  const cases = [
    ['UTF-8: no byte-order mark, LF line ends', ['kamal\nki\n'], 'utf-8', Buffer.from('kamal\nki\n')],
    ['UTF-16LE: the mark once, and CR LF, as the desktop', ['kamal\n', 'ki\n'], 'utf-16le',
      Buffer.from('\uFEFFkamal\r\nki\r\n', 'utf16le')],
    ['UTF-8 cannot hold a lone surrogate', ['a\uD800'], 'utf-8', Buffer.from('a\uFFFD')],
    ['a pair cut by a block\'s end is one character', ['a\uD83D', '\uDE00'], 'utf-8', Buffer.from('a\u{1F600}')],
    ['UTF-16LE keeps a lone surrogate', ['a\uD800'], 'utf-16le', Buffer.from([0xFF, 0xFE, 0x61, 0x00, 0x00, 0xD8])],
  ];
  for (const [name, blocks, encoding, bytes] of cases) {
    assert.deepEqual(Buffer.concat(taviro.encode(blocks, encoding)), bytes, name);
  }
  assert.throws(() => taviro.encode(['a'], 'latin-1'), /latin-1/);
});

v8.setFlagsFromString('--expose-gc');
const collectGarbage = vm.runInNewContext('gc');

test('a transform stream writes what transliterate() writes, wherever its chunks end', async () => {
  const corpus = fs.readFileSync(process.env.TAVIRO_CORPUS, 'utf8').split('\n').slice(0, 60).join('\n');
  // Line ends of every kind, a surrogate pair and lone surrogates, one-letter
  // words whose final "a" hangs on the counter, and a word cut by every end.
  const text = `ਕ ਕ ਕ\r\nਕ ਕ\nਕ\rਪੱਕਾ 😀ਕਮਲ \uD800 ਸੰਤ\uDC00\r\n\r\n${corpus}\r\nਕਮਲ`;
  const expected = packaged.transliterate(text);
  // A chunk at a time; where asked, after a pause and a collection of
  // garbage: nothing but the pipe holds the transform stream, which must
  // live to its end.
  const streamed = async (chunks, collecting = false) => {
    const pieces = [];
    let next = 0;
    await new ReadableStream({
      async pull(controller) {
        if (collecting) {
          await new Promise((resolve) => { setTimeout(resolve, 1); });
          collectGarbage();
        }
        if (next < chunks.length) controller.enqueue(chunks[next++]);
        else controller.close();
      },
    }).pipeThrough(packaged.transformStream()).pipeTo(new WritableStream({ write: (piece) => { pieces.push(piece); } }));
    return pieces.join('');
  };
  const inChunksOf = (size) => Array.from({ length: Math.ceil(text.length / size) },
    (_, i) => text.slice(i * size, (i + 1) * size));
  for (const size of [1, 2, 3, 7, text.length]) {
    assert.equal(await streamed(inChunksOf(size)), expected, `chunks of ${size}`);
  }
  // Cut inside the surrogate pair and between CR and LF.
  const pair = text.indexOf('😀') + 1;
  const crlf = text.indexOf('\r\n') + 1;
  assert.equal(await streamed([text.slice(0, pair), text.slice(pair, crlf + 30), text.slice(crlf + 30)], true),
    expected);
  assert.equal(await streamed([text.slice(0, crlf), '', text.slice(crlf)], true), expected);
  // A failure ends the stream with the engine's TaviroError.
  await assert.rejects(streamed(['ਕ\u0A71', 'x']), /addak/);
});
