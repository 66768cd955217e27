// The package's entry: the engine's face with the dictionary it carries, the
// one the web page embeds.
import { loanwords, words } from './dictionary.js';
import { Taviro, TaviroError, carry } from './taviro.js';

carry({ words, loanwords });

export { Taviro, TaviroError };
