// The options page: every site or only chosen ones, each site's own choice,
// the scheme and the Gurmukhi on hover. Every change is kept at once; the
// open pages follow it without a reload.
import { extensionApi, kSchemes, readSettings, writeSettings } from './settings.js';

const byId = (id) => document.getElementById(id);

function siteRow(site, on, sites) {
  const row = document.createElement('li');
  const name = document.createElement('span');
  name.textContent = site;
  const toggle = document.createElement('label');
  const box = document.createElement('input');
  box.type = 'checkbox';
  box.checked = on;
  box.addEventListener('change', () => writeSettings({ sites: { ...sites, [site]: box.checked } }));
  toggle.append(box, 'Roman');
  const forget = document.createElement('button');
  forget.type = 'button';
  forget.textContent = 'Forget';
  forget.setAttribute('aria-label', `Forget ${site}`);
  forget.addEventListener('click', () => {
    const rest = { ...sites };
    delete rest[site];
    writeSettings({ sites: rest });
  });
  row.append(name, toggle, forget);
  return row;
}

function show(settings) {
  byId(settings.everySite ? 'every-site' : 'chosen-sites').checked = true;
  const entries = Object.entries(settings.sites).sort(([a], [b]) => a.localeCompare(b));
  byId('no-sites').hidden = entries.length > 0;
  byId('sites').replaceChildren(...entries.map(([site, on]) => siteRow(site, on, settings.sites)));
  for (const input of document.querySelectorAll('input[name=scheme]')) input.checked = input.value === settings.scheme;
  byId('originals').checked = settings.originals;
}

function makeSchemes() {
  for (const scheme of kSchemes) {
    const label = document.createElement('label');
    const input = document.createElement('input');
    input.type = 'radio';
    input.name = 'scheme';
    input.value = scheme.name;
    input.addEventListener('change', () => writeSettings({ scheme: scheme.name }));
    label.append(input, scheme.label);
    byId('schemes').append(label);
  }
}

// A site as it is typed: its host, from a name or an address.
function siteTyped(text) {
  const typed = text.trim().toLowerCase();
  if (!typed) return '';
  try {
    return new URL(typed.includes('://') ? typed : `https://${typed}`).hostname;
  } catch {
    return '';
  }
}

async function addSite() {
  const site = siteTyped(byId('new-site').value);
  if (!site) return;
  const { sites } = await readSettings();
  await writeSettings({ sites: { ...sites, [site]: true } });
  byId('new-site').value = '';
}

makeSchemes();
byId('every-site').addEventListener('change', () => writeSettings({ everySite: true }));
byId('chosen-sites').addEventListener('change', () => writeSettings({ everySite: false }));
byId('originals').addEventListener('change', (event) => writeSettings({ originals: event.target.checked }));
byId('add-site').addEventListener('click', addSite);
byId('new-site').addEventListener('keydown', (event) => {
  if (event.key === 'Enter') addSite();
});
extensionApi.storage.onChanged.addListener(async () => show(await readSettings()));
readSettings().then(show);
