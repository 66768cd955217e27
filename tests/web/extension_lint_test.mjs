// The extension's package as web-ext lint reads it, the Firefox add-ons
// site's own checks: no error. Its warnings are printed.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import { skipUnless, webFile } from './skip.mjs';

const webExt = process.env.TAVIRO_WEB_EXT;
skipUnless(webExt && fs.existsSync(webExt), 'web-ext is not installed in tests/web (scripts/install-deps web installs it)');
// web-ext's linter parses with modules that need Node 20 (Debian 12's own node is 18).
skipUnless(Number(process.versions.node.split('.')[0]) >= 20, `web-ext needs Node 20 or newer, not ${process.version}`);
const folder = path.dirname(webFile('extension/unpacked/manifest.json'));

test('web-ext lint finds no error in the extension', () => {
  let report;
  try {
    report = execFileSync(webExt, ['lint', '--source-dir', folder, '--no-config-discovery', '--output', 'json'],
      { encoding: 'utf8' });
  } catch (error) {
    report = error.stdout;
  }
  const { errors, warnings } = JSON.parse(report);
  for (const warning of warnings) console.log(`warning: ${warning.code}: ${warning.message}`);
  assert.deepEqual(errors.map((error) => `${error.file}: ${error.code}: ${error.message}`), []);
});
