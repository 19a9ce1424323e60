// The package's records are the program's: for every text of the end-to-end tables under each rule set, as bytes
// and as strings, key by key in the program's order; and how texts are read where JavaScript differs from a file.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import test from 'node:test';

import { kalderos, programRecords, required, tableTexts } from './helpers.mjs';

const KINDS = [
  { name: 'SSN', options: [], checkMany: kalderos.checkSsns, checkOne: kalderos.checkSsn, fields: kalderos.SSN_FIELDS },
  { name: 'card', options: ['-C'], checkMany: kalderos.checkCards, checkOne: kalderos.checkCard, fields: kalderos.CARD_FIELDS },
];
const texts = tableTexts();
const utf8 = new TextDecoder('utf-8', { fatal: true });

function assertSameRecords(actual, expected) {
  assert.equal(actual.length, expected.length);
  for (let i = 0; i < expected.length; i++) {
    assert.deepEqual(Object.keys(actual[i]), Object.keys(expected[i]), `keys of record ${i}`);
    assert.deepEqual(actual[i], expected[i], `record ${i}`);
  }
}

for (const kind of KINDS) {
  for (const rules of kalderos.RULE_SETS) {
    test(`every table text as the ${kind.name} record under the ${rules} rules`, () => {
      const expected = programRecords([...kind.options, `--rules=${rules}`], texts);
      assert.deepEqual(Object.keys(expected[0]), [...kind.fields]);
      assertSameRecords(kind.checkMany(texts, { rules }), expected);
      // The texts that are UTF-8, as strings: the same records, the input the string as given up to a NUL.
      const strings = texts.flatMap((text) => {
        try {
          return [utf8.decode(text)];
        } catch {
          return [];
        }
      });
      assert.ok(strings.length > texts.length / 2);
      const fromStrings = kind.checkMany(strings, { rules });
      const fromBytes = kind.checkMany(strings.map((text) => new TextEncoder().encode(text)), { rules });
      strings.forEach((text, i) => {
        assert.deepEqual({ ...fromStrings[i], input: null }, { ...fromBytes[i], input: null }, JSON.stringify(text));
        assert.equal(fromStrings[i].input, text.split('\0')[0]);
        assert.deepEqual(kind.checkOne(text, { rules }), fromStrings[i]);
      });
    });
  }
}

// [text, rules (undefined: the default), the record's fields that the row is about]
const ROWS = [
  ['078-05-1120\0 123', 'classic', { input: '078-05-1120', reason: 'known-invalid' }],
  ['\u0000078-05-1120', 'classic', { input: '', reason: 'empty' }],
  [new Uint8Array([0x37, 0xe9, 0x80, 0x00, 0x31]), 'current', { input: '7\u00e9\u0080', reason: 'malformed' }],
  ['001-13-0001', undefined, { place: null, verdict: 'valid', issued_after: '2011-06' }],
  ['001-13-0001', 'classic', { place: 'New Hampshire', verdict: 'invalid', reason: 'group-not-issued' }],
  ['  123 45 6789\t', undefined, { input: '  123 45 6789\t', area: '123', group: '45', serial: '6789' }],
  ['\u00e9123-45-6789', 'current', { input: '\u00e9123-45-6789', well_formed: false, area: null }],
  [' '.repeat(3_000_000) + '078-05-1120', 'classic', { reason: 'known-invalid' }],
];

test('texts read as JavaScript gives them', () => {
  for (const [text, rules, fields] of ROWS) {
    const record = kalderos.checkSsn(text, rules === undefined ? undefined : { rules });
    const shown = typeof text === 'string' ? JSON.stringify(text.slice(0, 40)) : `[${text}]`;
    for (const [name, value] of Object.entries(fields)) assert.equal(record[name], value, `${name} of ${shown}`);
  }
  assert.equal(kalderos.checkCard('6221260000000000').type, 'Discover');
  assert.equal(kalderos.checkCard('6221260000000000', { rules: 'classic' }).type, 'Other');
  assert.deepEqual(kalderos.checkSsn('1', {}), kalderos.checkSsn('1', { rules: undefined }));
  // A string is judged as its UTF-8 bytes, a lone surrogate as the bytes of U+FFFD.
  const bytesOf = (text) => new Uint8Array(Buffer.from(text));
  for (const text of ['\u{1F600}', '\ud800', '4111\u00a01111']) {
    assert.deepEqual({ ...kalderos.checkCard(text), input: 0 }, { ...kalderos.checkCard(bytesOf(text)), input: 0 });
  }
});

test('lists: any iterable, any length, long texts among short ones, in order', () => {
  const many = Array.from({ length: 20_000 }, (_, i) => (i % 3 === 0 ? `4${String(i).padStart(15, '0')}` : `${i}`));
  many[9000] = '4111 1111 1111 1111'.padStart(2_000_000);
  many[9001] = new Uint8Array(Buffer.from('5500-0000-0000-0004'));
  const records = kalderos.checkCards(many);
  assert.equal(records.length, many.length);
  for (const i of [0, 1, 8191, 8192, 8999, 9000, 9001, 9002, 19_999]) {
    assert.deepEqual(records[i], kalderos.checkCard(many[i]), `text ${i}`);
  }
  assert.equal(records[9000].digits, '4111111111111111');
  assert.equal(records[9001].type, 'MasterCard');
  const few = ['123-45-6789', new Uint8Array([0x31]), ''];
  function* generated() {
    yield* few;
  }
  for (const iterable of [new Set(few), generated(), few.values()]) {
    assert.deepEqual(kalderos.checkSsns(iterable), kalderos.checkSsns(few));
  }
  assert.deepEqual(kalderos.checkSsns([]), []);
});

test('the declarations name the fields of the records in their order', () => {
  const declarations = readFileSync(join(required('KALDEROS_WEB_DIST'), 'kalderos.d.ts'), 'utf8');
  for (const [name, fields] of [['SsnRecord', kalderos.SSN_FIELDS], ['CardRecord', kalderos.CARD_FIELDS]]) {
    const body = declarations.match(new RegExp(`export interface ${name} \\{([^}]*)\\}`))[1];
    const declared = [...body.matchAll(/^ {2}(\w+)\??:/gm)].map((match) => match[1]);
    assert.deepEqual(declared, [...fields], name);
  }
  assert.match(declarations, new RegExp(`export type RuleSetName = ${kalderos.RULE_SETS.map((n) => `'${n}'`).join(' \\| ')};`));
});
