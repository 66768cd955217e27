// The browser extension in Debian's chromium, over the test pages.
import { extensionTests } from './extension_suite.mjs';

await extensionTests('chromium');
