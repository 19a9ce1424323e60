// Wrong arguments throw the error that says which: TypeError for a wrong type, RangeError for an unknown rule set.
import assert from 'node:assert/strict';
import test from 'node:test';

import { kalderos } from './helpers.mjs';

const { checkSsn, checkCard, checkSsns, checkCards, checkCsv } = kalderos;
const FILE = new TextEncoder().encode('ssn\n078-05-1120\n');

// [call, error, message]
const ROWS = [
  [() => checkSsn('1', { rules: 'modern' }), RangeError, `checkSsn: unknown rules "modern": the rule sets are 'classic' and 'current'`],
  [() => checkCard('1', { rules: 'Current' }), RangeError, 'checkCard: unknown rules "Current"'],
  [() => checkSsns(['1'], { rules: '' }), RangeError, 'checkSsns: unknown rules ""'],
  [() => checkCards(['1'], { rules: 2011 }), TypeError, "checkCards: rules must be a string, 'classic' or 'current', not number"],
  [() => checkSsn('1', { rules: null }), TypeError, 'rules must be a string, .* not null'],
  [() => checkSsn('1', { rule: 'classic' }), TypeError, "checkSsn: unknown option 'rule': the one option is 'rules'"],
  [() => checkSsn('1', 'classic'), TypeError, "checkSsn: options must be an object such as \\{ rules: 'classic' \\}, not string"],
  [() => checkCard('1', null), TypeError, 'options must be an object .* not null'],
  [() => checkSsns(['1'], ['classic']), TypeError, 'options must be an object .* not Array'],
  [() => checkSsn(78051120), TypeError, 'checkSsn: text must be a string or a Uint8Array, not number'],
  [() => checkCard(undefined), TypeError, 'checkCard: text must be a string or a Uint8Array, not undefined'],
  [() => checkCard(new Uint16Array(2)), TypeError, 'not Uint16Array'],
  [() => checkSsns(['078-05-1120', new Uint8Array(1), 3]), TypeError, 'checkSsns: texts\\[2\\] must be a string or a Uint8Array, not number'],
  [() => checkCards([{}]), TypeError, 'checkCards: texts\\[0\\] must be a string or a Uint8Array, not Object'],
  [() => checkSsns('078-05-1120'), TypeError, 'checkSsns: texts must be a list of texts, not one string \\(for one text, call checkSsn\\)'],
  [() => checkCards(new Uint8Array(4)), TypeError, 'not one Uint8Array \\(for one text, call checkCard\\)'],
  [() => checkSsns(5), TypeError, 'checkSsns: texts must be an array or an iterable of strings and Uint8Arrays, not number'],
  [() => checkCards(), TypeError, 'not undefined'],
  [() => checkCsv('ssn\n1\n', { column: 'ssn' }), TypeError, 'checkCsv: bytes must be a Uint8Array \\(a file\'s contents\\), not string'],
  [() => checkCsv(FILE), TypeError, 'checkCsv: options must be an object such as \\{ column: \'SSN\' \\}, not undefined'],
  [() => checkCsv(FILE, { colum: 'ssn' }), TypeError, "checkCsv: unknown option 'colum': the options are 'column', "],
  [() => checkCsv(FILE, {}), TypeError, "checkCsv: column must be the column's name \\(a string\\) or its number from 1, not undefined"],
  [() => checkCsv(FILE, { column: 0 }), RangeError, 'checkCsv: column 0 is no column number: columns are numbered from 1'],
  [() => checkCsv(FILE, { column: 1.5 }), RangeError, 'column 1.5 is no column number'],
  [() => checkCsv(FILE, { column: '' }), RangeError, "checkCsv: column '' names no column"],
  [() => checkCsv(FILE, { column: 1, rules: 'modern' }), RangeError, 'checkCsv: unknown rules "modern"'],
  [() => checkCsv(FILE, { column: 1, format: 'text' }), RangeError, `checkCsv: unknown format "text": the formats are 'csv', 'tsv' and 'jsonl'`],
  [() => checkCsv(FILE, { column: 1, format: 1 }), TypeError, 'checkCsv: format must be a string'],
  [() => checkCsv(FILE, { column: 1, delimiter: '"' }), RangeError, 'checkCsv: delimiter "\\\\"" cannot part fields'],
  [() => checkCsv(FILE, { column: 1, delimiter: ';;' }), RangeError, 'delimiter ";;" cannot part fields'],
  [() => checkCsv(FILE, { column: 1, outputDelimiter: 9 }), TypeError, 'checkCsv: outputDelimiter must be a string'],
  [() => checkCsv(FILE, { column: 1, header: 'no' }), TypeError, 'checkCsv: header must be true or false, not string'],
  [() => checkCsv(FILE, { column: 1, onProgress: 1 }), TypeError, 'checkCsv: onProgress must be a function, not number'],
  [() => checkCsv(FILE, { column: 'SSN ' + 'x' }), Error, "checkCsv: no column 'SSN x' in the header row of the input \\(its columns: 'ssn'\\)"],
  [() => checkCsv(FILE, { column: 'ssn', header: false }), Error, 'checkCsv: without a header row the column is given by its number'],
];

test('wrong arguments', () => {
  for (const [call, error, message] of ROWS) {
    assert.throws(call, (thrown) => {
      assert.equal(thrown.constructor, error, `${call}: ${thrown}`);
      assert.match(thrown.message, new RegExp(message), `${call}`);
      return true;
    });
  }
});
