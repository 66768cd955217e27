// axe-core's checks of a page in the browser, for the page's and the
// extension's tests: the rules of WCAG 2.2 at levels A and AA.
import fs from 'node:fs';
import { createRequire } from 'node:module';

/** axe-core's script, or null when it is not installed. */
export const axeSource = (() => {
  try {
    return fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
  } catch {
    return null;
  }
})();

/** Each violation on `page`, as "rule: where". */
export async function axeViolations(page) {
  if (!await page.evaluate(() => Boolean(window.axe))) await page.evaluate(axeSource);
  return page.evaluate(async () => {
    const { violations } = await window.axe.run(document,
      { runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'] } });
    return violations.map(({ id, nodes }) => `${id}: ${nodes.map((node) => node.target.join(' ')).join(', ')}`);
  });
}
