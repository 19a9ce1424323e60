// checkCards of the npm package kalderos against npm's credit-card-type over the same list of card texts, in one
// Node.js process: `node cards.mjs LIST PACKAGE_DIR [ROUNDS]`. Each round times both, one after the other, on the
// whole list, keeping every result as a caller would; the report gives each one's median and the ratio.
import { readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

import creditCardType from 'credit-card-type';

const [list, packageDir, rounds = '3'] = process.argv.slice(2);
const { checkCards } = await import(pathToFileURL(join(resolve(packageDir), 'kalderos.js')).href);
// The list's lines as the program reads them: bytes as characters, each line without its line feed.
const texts = readFileSync(list, 'latin1').split('\n').slice(0, -1);

function time(run) {
  const start = process.hrtime.bigint();
  const results = run();
  const seconds = Number(process.hrtime.bigint() - start) / 1e9;
  if (results.length !== texts.length) throw new Error('a result lost');
  return seconds;
}

const kalderos = [];
const peer = [];
for (let round = 0; round < Number(rounds); round++) {
  kalderos.push(time(() => checkCards(texts)));
  peer.push(time(() => texts.map((text) => creditCardType(text))));
}
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ratio = median(peer) / median(kalderos);
console.log(`${texts.length} card texts, ${rounds} rounds, Node.js ${process.version}`);
console.log(`kalderos checkCards:         ${median(kalderos).toFixed(2)} s  (${kalderos.map((s) => s.toFixed(2)).join(' ')})`);
console.log(`credit-card-type, per text:  ${median(peer).toFixed(2)} s  (${peer.map((s) => s.toFixed(2)).join(' ')})`);
console.log(`credit-card-type / kalderos: ${ratio.toFixed(1)}  target >= 3: ${ratio >= 3 ? 'PASS' : 'FAIL'}`);
process.exitCode = ratio >= 3 ? 0 : 1;
