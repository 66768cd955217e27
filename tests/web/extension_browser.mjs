// Debian's chromium or firefox-esr, headless, with the extension loaded
// from the build, for the extension's tests and its bench: chromium loads it
// at launch (over a pipe, as it allows only there), firefox installs it over
// WebDriver BiDi under a fixed internal address, so that its options page can
// be opened in either (firefox lets automation open an extension's page only
// with system access, and then tells of no load: the page is awaited).
import crypto from 'node:crypto';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

export const kBrowsers = {
  chromium: '/usr/bin/chromium',
  firefox: '/usr/bin/firefox-esr',
};
const kGeckoId = 'reader@taviro.invalid';
const kChromiumFlags = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

/** { browser, extensionBase, profile }: the browser with the extension in `folder`, and its pages' origin. */
export async function launchWithExtension(puppeteer, kind, folder) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), `taviro-extension-${kind}-`));
  if (kind === 'chromium') {
    const browser = await puppeteer.launch({
      executablePath: kBrowsers.chromium, headless: true, pipe: true, enableExtensions: folder ? [folder] : false,
      userDataDir: profile, args: kChromiumFlags,
    });
    if (!folder) return { browser, profile };
    const worker = await browser.waitForTarget(
      (target) => target.type() === 'service_worker' && target.url().endsWith('/background.js'), { timeout: 20000 });
    return { browser, extensionBase: `chrome-extension://${new URL(worker.url()).host}`, profile };
  }
  const uuid = crypto.randomUUID();
  const browser = await puppeteer.launch({
    browser: 'firefox', executablePath: kBrowsers.firefox, protocol: 'webDriverBiDi', headless: true,
    userDataDir: profile, args: ['-remote-allow-system-access'],
    extraPrefsFirefox: { 'extensions.webextensions.uuids': JSON.stringify({ [kGeckoId]: uuid }) },
  });
  if (!folder) return { browser, profile };
  await browser.installExtension(path.resolve(folder));
  return { browser, extensionBase: `moz-extension://${uuid}`, profile };
}

/** A new tab with the extension's options page, ready. */
export async function openOptions(browser, extensionBase) {
  const page = await browser.newPage();
  await page.goto(`${extensionBase}/options.html`, { timeout: 3000 }).catch(() => {});
  await page.waitForFunction(() => document.querySelectorAll('input[name=scheme]').length === 3 &&
    document.querySelector('input[name=where]:checked'));
  return page;
}
