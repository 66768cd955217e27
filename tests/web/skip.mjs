// What the web tests need besides themselves; a test that lacks any of it is
// skipped with the reason, never failed and never passed.
import fs from 'node:fs';
import path from 'node:path';

export const kSkipped = 77;

export function skipUnless(condition, reason) {
  if (!condition) {
    console.log(`skipped: ${reason}`);
    process.exit(kSkipped);
  }
}

export function webFile(name) {
  const file = path.join(process.env.TAVIRO_WEB_DIR || '', name);
  skipUnless(fs.existsSync(file), `${file} is not built (make web builds it)`);
  return file;
}
