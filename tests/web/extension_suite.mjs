// The browser extension in a real browser, offline: the test pages served
// from 127.0.0.1, the extension loaded from the build. For each page, with the
// extension off the page is taken as it is; turned on from the options page,
// every text node must hold what the npm package writes for its block's text,
// in the same nodes, with inputs and code untouched; turned off again, every
// original byte must be back. One test file runs this in each browser.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { axeSource, axeViolations } from './axe_check.mjs';
import { kBrowsers, launchWithExtension, openOptions } from './extension_browser.mjs';
import { expectedTexts, probe, servePages, testPages } from './extension_pages.mjs';
import { skipUnless, webFile } from './skip.mjs';

const kWaitMs = 60000;
const gurmukhiGone = `(${probe})('gurmukhiLeft') === 0`;
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// What each page asks besides the checks every page gets.
const kPageChecks = {
  '/news': async ({ page, roman }) => {
    // A paragraph the page adds later is written too.
    await page.evaluate(() => {
      const added = document.createElement('p');
      added.textContent = 'ਨਵੀਂ ਖ਼ਬਰ ਆਈ';
      document.querySelector('article').append(added);
    });
    await page.waitForFunction((expected) => document.querySelector('article > p:last-child').textContent === expected,
      { timeout: kWaitMs }, roman.transliterate('ਨਵੀਂ ਖ਼ਬਰ ਆਈ'));
    // Copying gives what the reader sees, and the original shows on hover in the extension's own element.
    const copied = await page.evaluate(() => {
      const paragraph = document.querySelector('article p');
      getSelection().selectAllChildren(paragraph);
      // Firefox copies a no-break space as a space.
      return [getSelection().toString(), paragraph.textContent].map((text) => text.replace(/\s/g, ' '));
    });
    assert.equal(copied[0], copied[1]);
    const heading = await page.$('h1');
    const box = await heading.boundingBox();
    await page.mouse.move(box.x + 5, box.y + box.height / 2);
    await page.waitForFunction(() => document.documentElement.lastElementChild.localName === 'taviro-original',
      { timeout: 5000 });
    await page.mouse.move(0, 0);
  },
  '/render': async ({ page, roman }) => {
    for (const render of [2, 3]) {
      await page.click('#render');
      await page.waitForFunction(`document.getElementById('status').textContent === 'render ${render}: same nodes'`);
      await page.waitForFunction(gurmukhiGone, { timeout: kWaitMs });
    }
    const items = await page.$$eval('#rendered li', (list) => list.map((item) => item.textContent));
    assert.deepEqual(items, ['ਪਹਿਲਾ', 'ਦੂਜਾ', 'ਤੀਜਾ'].map((_, i) =>
      roman.transliterate(`${['ਪਹਿਲਾ', 'ਦੂਜਾ', 'ਤੀਜਾ'][(i + 3) % 3]} ਨਵਾਂ ਸ਼ਬਦ 3`)));
  },
};
const kTestedPages = ['/news', '/strict', '/frames', '/shadow', '/render', '/form', '/long'];

export async function extensionTests(kind) {
  skipUnless(fs.existsSync(kBrowsers[kind]), `${kBrowsers[kind]} is not installed (scripts/install-deps web installs it)`);
  const puppeteer = await import('puppeteer-core').then((m) => m.default, () => null);
  skipUnless(puppeteer, 'puppeteer-core is not installed in tests/web (scripts/install-deps web installs it)');
  const folder = path.dirname(webFile('extension/unpacked/manifest.json'));
  const { Taviro } = await import(pathToFileURL(webFile('package/index.js')).href);
  const plain = await Taviro.create({ scheme: 'ascii' });

  let server;
  let browser;
  let options;
  let page;
  const requests = [];
  const pageErrors = [];

  const setEverySite = async (on) => {
    await options.bringToFront();
    await options.click(on ? '#every-site' : '#chosen-sites');
    await page.bringToFront();
  };
  const snapshot = () => page.evaluate(probe, 'snapshot');
  const samePage = async (expected) => {
    for (let tries = 0; tries < 100; ++tries) {
      const now = await page.evaluate(probe, 'snapshotLater');
      if (JSON.stringify(now) === JSON.stringify(expected)) return;
      await pause(100);
    }
    assert.deepEqual(await page.evaluate(probe, 'snapshotLater'), expected);
  };

  let extensionBase;
  before(async () => {
    server = await servePages(testPages(process.env.TAVIRO_WIKIPEDIA));
    ({ browser, extensionBase } = await launchWithExtension(puppeteer, kind, folder));
    page = await browser.newPage();
    page.on('request', (request) => requests.push(request.url()));
    page.on('pageerror', (error) => pageErrors.push(error.message));
    options = await openOptions(browser, extensionBase);
  });

  after(async () => {
    await browser?.close();
    server?.close();
  });

  test('once installed it writes every site in Roman, in plain letters', async () => {
    await page.bringToFront();
    await page.goto(`${server.origin}/strict`);
    await page.waitForFunction(gurmukhiGone, { timeout: kWaitMs });
    assert.equal(await page.$eval('p', (p) => p.textContent), plain.transliterate('ਇਸ ਪੰਨੇ ਦੀ ਨੀਤੀ ਸਖ਼ਤ ਹੈ, ਪਰ ਪੰਜਾਬੀ ਫਿਰ ਵੀ ਰੋਮਨ ਵਿੱਚ।'));
  });

  for (const pagePath of kTestedPages) {
    test(`${pagePath}: turned on, each node holds the package's text in the same nodes; turned off, the page is back`,
      async () => {
        await setEverySite(false);
        await page.goto(`${server.origin}${pagePath}`);
        await pause(200);
        const original = await snapshot();
        assert.ok(original.texts.some((text) => /[\u0A00-\u0A7F]/.test(text.value)), 'the page holds Gurmukhi');
        await setEverySite(true);
        await page.waitForFunction(gurmukhiGone, { timeout: kWaitMs, polling: 100 });
        assert.ok(await page.evaluate(probe, 'same'), 'the page keeps its own nodes');
        const converted = await page.evaluate(probe, 'snapshotLater');
        assert.deepEqual([converted.structure, converted.values], [original.structure, original.values]);
        const expected = expectedTexts(plain, original);
        const first = converted.texts.findIndex((text, i) => text.value !== expected[i]);
        assert.equal(first, -1, `text node ${first}: '${converted.texts[first]?.value}' where the package writes '${expected[first]}'`);
        await kPageChecks[pagePath]?.({ page, roman: plain });
        await setEverySite(false);
        if (!kPageChecks[pagePath]) await samePage(original);
        else await page.waitForFunction(`(${probe})('gurmukhiLeft') > 0`);
        if (!kPageChecks[pagePath]) assert.ok(await page.evaluate(probe, 'same'), 'the page keeps its own nodes');
      });
  }

  test('another scheme writes the page anew, without a reload', async () => {
    await setEverySite(false);
    await page.goto(`${server.origin}/news`);
    const original = await snapshot();
    await options.bringToFront();
    await options.click('input[name=scheme][value=marks]');
    await setEverySite(true);
    const marks = await Taviro.create();
    const expected = expectedTexts(marks, original);
    await page.waitForFunction((first) => document.querySelector('h1').textContent === first, { timeout: kWaitMs },
      expected[original.texts.findIndex((text) => /[\u0A00-\u0A7F]/.test(text.value))]);
    await page.waitForFunction(gurmukhiGone, { timeout: kWaitMs });
    assert.deepEqual((await page.evaluate(probe, 'snapshotLater')).texts.map((text) => text.value), expected);
    await options.bringToFront();
    await options.click('input[name=scheme][value=ascii]');
  });

  test('the options page and the popup: no axe-core violation, and the options work by keyboard', {
    skip: !axeSource && 'axe-core is not installed in tests/web (scripts/install-deps web installs it)',
  }, async () => {
    await options.bringToFront();
    assert.deepEqual(await axeViolations(options), []);
    // A site added by keyboard alone: the field, its name, Enter.
    await options.focus('#new-site');
    await options.keyboard.type('pa.wikipedia.org');
    await options.keyboard.press('Enter');
    await options.waitForFunction(() => document.querySelector('#sites li span')?.textContent === 'pa.wikipedia.org');
    assert.deepEqual(await axeViolations(options), []);
    await options.click('#sites li button');
    const popup = await browser.newPage();
    await popup.goto(`${extensionBase}/popup.html`, { timeout: 3000 }).catch(() => {});
    // Opened as a tab, the popup has no page to read, and says so; the site's switch is shown as it would be.
    await popup.waitForFunction(() => document.querySelectorAll('#scheme option').length === 3 &&
      !document.getElementById('unreadable').hidden);
    await popup.evaluate(() => { document.getElementById('controls').hidden = false; });
    assert.deepEqual(await axeViolations(popup), []);
    await popup.close();
  });

  test('a page that puts its Gurmukhi back wins: the extension stops writing it', async () => {
    await page.bringToFront();
    await page.goto(`${server.origin}/revert`);
    await page.waitForFunction(() => window.reverts >= 20, { timeout: kWaitMs });
    await pause(1500);
    const reverts = await page.evaluate(() => window.reverts);
    await pause(1500);
    assert.equal(await page.evaluate(() => window.reverts), reverts);
  });

  test('the popup counts the page\'s words in Roman and turns its site off and on', {
    skip: kind !== 'chromium' && 'only chromium lets the background open the popup',
  }, async () => {
    await page.bringToFront();
    await page.goto(`${server.origin}/form`);
    await page.waitForFunction(gurmukhiGone, { timeout: kWaitMs });
    const worker = await (await browser.waitForTarget((target) => target.type() === 'service_worker')).worker();
    await worker.evaluate(() => chrome.action.openPopup());
    const popup = await (await browser.waitForTarget((target) => target.url().endsWith('/popup.html'))).asPage();
    // ਨਾਂ, the field's label, and ਫ਼ਾਰਮ ਤੋਂ ਬਾਹਰ: what the form leaves to read.
    await popup.waitForFunction(() => document.getElementById('words').textContent === '4 words in Roman on this page.');
    await popup.click('#site-on');
    await page.waitForFunction(`(${probe})('gurmukhiLeft') > 0`);
    await popup.click('#site-on');
    await page.waitForFunction(gurmukhiGone, { timeout: kWaitMs });
    const { sites } = await worker.evaluate(() => chrome.storage.local.get('sites'));
    assert.deepEqual(sites, { '127.0.0.1': true });
  });

  test('no request left the page\'s origin, and no page script failed', () => {
    // A data: address (firefox's own fallback font) goes nowhere.
    assert.deepEqual(requests.filter((url) => !url.startsWith(`${server.origin}/`) && !url.startsWith('data:')), []);
    assert.deepEqual(server.asked.filter((asked) => !/^\/([a-z]+(\.js)?|favicon\.ico)$/.test(asked)), []);
    assert.deepEqual(pageErrors, []);
  });
}
