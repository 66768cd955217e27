// The package's entry: the engine's face with the dictionary it carries, the
// one the web page embeds.
import { loanwords, words } from './dictionary.js';
import { Taviro as Engine, TaviroError } from './taviro.js';

export { TaviroError };

export class Taviro extends Engine {
  /**
   * A converter with the package's dictionary; loading the engine is
   * asynchronous. Rejects with a TaviroError when the lexicon has a line the
   * engine refuses.
   * @param {import('./index.js').TaviroOptions} [options]
   * @returns {Promise<Taviro>}
   */
  static create(options) {
    return this.open({ words, loanwords }, options);
  }
}
