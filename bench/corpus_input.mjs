// What the JavaScript benchmarks share: their input, made of a corpus, and
// the median of their timings.
import fs from 'node:fs';

export const median = (values) => [...values].sort((a, b) => a - b)[Math.floor((values.length - 1) / 2)];

/**
 * Writes to `file` whole lines of `corpus`, over and over, up to `bytes` of UTF-8.
 * @param {{ skipEmpty?: boolean }} [options]  whether empty lines are left out
 */
export function makeInput(corpus, file, bytes, { skipEmpty = false } = {}) {
  const lines = fs.readFileSync(corpus, 'utf8').split('\n').filter((line) => !skipEmpty || line);
  const parts = [];
  let size = 0;
  for (let i = 0; size < bytes; i = (i + 1) % lines.length) {
    const line = `${lines[i]}\n`;
    parts.push(line);
    size += Buffer.byteLength(line);
  }
  fs.writeFileSync(file, parts.join(''));
}
