// The extension's background: the engine of the taviro package, where
// WebAssembly may run whatever a page's policy (a service worker in
// chromium, an event page in firefox). It converts the runs of text its own
// content scripts send and answers nothing else; an engine for each scheme
// is made when first asked and kept while the background lives.
//
// Each import is one line and each export a declaration: the background is
// the package's modules and these put together into one plain script.
import { Taviro } from './index.js';
import { extensionApi, kSchemes, schemeNamed } from './settings.js';

const schemeEngines = new Map();

function engineFor(name) {
  const scheme = schemeNamed(name);
  if (!schemeEngines.has(scheme.name)) schemeEngines.set(scheme.name, Taviro.create(scheme.options));
  return schemeEngines.get(scheme.name);
}

function isRuns(runs) {
  return Array.isArray(runs) && runs.every((parts) => Array.isArray(parts) && parts.every((part) => typeof part === 'string'));
}

// Each run's Roman parts; a run the engine refuses (a word too long for the
// rules) is null, and stays as it is on the page.
async function convertRuns({ scheme, runs }) {
  if (!kSchemes.some((known) => known.name === scheme) || !isRuns(runs)) return { error: 'not a request to convert' };
  const taviro = await engineFor(scheme);
  return {
    runs: runs.map((parts) => {
      try {
        return taviro.transliterateParts(parts);
      } catch {
        return null;
      }
    }),
  };
}

extensionApi.runtime.onMessage.addListener((message, sender, sendResponse) => {
  // Only this extension's own content scripts, in a tab, ask for text.
  if (sender.id !== extensionApi.runtime.id || !sender.tab || message?.type !== 'convert') return false;
  convertRuns(message).then(sendResponse, (error) => sendResponse({ error: String(error?.message ?? error) }));
  return true;
});

// The shortcut turns the current tab on or off.
extensionApi.commands.onCommand.addListener(async (command, tab) => {
  if (command !== 'toggle-page') return;
  const target = tab ?? (await extensionApi.tabs.query({ active: true, currentWindow: true }))[0];
  if (target?.id !== undefined) extensionApi.tabs.sendMessage(target.id, { type: 'toggle' }).catch(() => {});
});
