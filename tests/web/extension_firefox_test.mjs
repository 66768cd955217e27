// The browser extension in Debian's firefox, over the test pages.
import { extensionTests } from './extension_suite.mjs';

await extensionTests('firefox');
