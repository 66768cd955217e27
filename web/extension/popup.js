// The toolbar button's popup: Roman text on or off for the current site,
// remembered for it, how many words the page shows in Roman, the scheme,
// the Gurmukhi on hover.
import { extensionApi, kSchemes, readSettings, writeSettings } from './settings.js';

const byId = (id) => document.getElementById(id);

async function pageState() {
  const [tab] = await extensionApi.tabs.query({ active: true, currentWindow: true });
  if (tab?.id === undefined) return null;
  try {
    return { tab, state: await extensionApi.tabs.sendMessage(tab.id, { type: 'state' }, { frameId: 0 }) };
  } catch {
    return null;
  }
}

function showWords(words, on) {
  byId('words').textContent = on
    ? `${words.toLocaleString('en')} ${words === 1 ? 'word' : 'words'} in Roman on this page.`
    : 'This page is in Gurmukhi.';
}

function fillSchemes(select, chosen) {
  for (const scheme of kSchemes) {
    const option = new Option(scheme.label, scheme.name, false, scheme.name === chosen);
    select.append(option);
  }
}

async function showShortcut() {
  const commands = await extensionApi.commands.getAll();
  const toggle = commands.find((command) => command.name === 'toggle-page');
  byId('shortcut').textContent = toggle?.shortcut
    ? `${toggle.shortcut} turns this tab on or off.`
    : 'A shortcut that turns this tab on or off can be set in the browser\'s extension settings.';
}

// The scheme and the hover are every site's, shown whatever the page.
function showChoices(settings) {
  const scheme = byId('scheme');
  fillSchemes(scheme, settings.scheme);
  scheme.addEventListener('change', () => writeSettings({ scheme: scheme.value }));
  const originals = byId('originals');
  originals.checked = settings.originals;
  originals.addEventListener('change', () => writeSettings({ originals: originals.checked }));
}

async function open() {
  const settings = await readSettings();
  const page = await pageState();
  showShortcut();
  showChoices(settings);
  byId('options').addEventListener('click', (event) => {
    event.preventDefault();
    extensionApi.runtime.openOptionsPage();
  });
  if (!page) {
    byId('unreadable').hidden = false;
    return;
  }
  const { tab, state } = page;
  byId('controls').hidden = false;
  byId('site-label').textContent = `Roman on ${state.site}`;
  const siteOn = byId('site-on');
  siteOn.checked = state.on;
  showWords(state.words, state.on);
  siteOn.addEventListener('change', async () => {
    const { sites } = await readSettings();
    await writeSettings({ sites: { ...sites, [state.site]: siteOn.checked } });
    // The words once the page has been written.
    setTimeout(async () => {
      const now = await extensionApi.tabs.sendMessage(tab.id, { type: 'state' }, { frameId: 0 }).catch(() => null);
      if (now) showWords(now.words, now.on);
    }, 500);
  });
}

open();
