// What the reader chooses, kept in the extension's storage, and the one way
// every part of the extension reads it: on every site (the default after
// installing) or only chosen ones, a site's own choice over that, the scheme
// the Roman text is written in, and whether a word's Gurmukhi shows on hover.
//
// Each import is one line and each export a declaration: the content script
// is its modules put together into one plain script.

/** The browser's extension API: promises in both browsers under one of these names. */
export const extensionApi = globalThis.browser ?? globalThis.chrome;

export const kDefaultSettings = Object.freeze({
  everySite: true,
  sites: {},
  scheme: 'ascii',
  originals: true,
});

// The schemes a reader can choose, with the package's options for each.
export const kSchemes = Object.freeze([
  { name: 'ascii', label: 'Plain letters, as Punjabi is typed (panjabi)', options: { scheme: 'ascii' } },
  { name: 'marks', label: 'Letters with marks (pañjābī)', options: {} },
  { name: 'spoken', label: 'Spoken forms with marks (bhārtī, sakdē)', options: { spoken: true } },
]);

export function schemeNamed(name) {
  return kSchemes.find((scheme) => scheme.name === name) ?? kSchemes[0];
}

/** The settings as stored, each missing one at its default. */
export async function readSettings() {
  const stored = await extensionApi.storage.local.get(Object.keys(kDefaultSettings));
  return { ...kDefaultSettings, ...stored };
}

export function writeSettings(changes) {
  return extensionApi.storage.local.set(changes);
}

/** Whether a site's text is written in Roman: its own choice, else every site's. */
export function siteIsOn(settings, site) {
  const own = settings.sites[site];
  return typeof own === 'boolean' ? own : settings.everySite;
}

/** The name a page's site is remembered by: its host, or its scheme for a page without one (a file). */
export function siteOf(location) {
  return location.hostname || location.protocol;
}
