// Wrong arguments throw the error that says which: TypeError for a wrong type, RangeError for an unknown rule set.
import assert from 'node:assert/strict';
import test from 'node:test';

import { kalderos } from './helpers.mjs';

const { checkSsn, checkCard, checkSsns, checkCards } = kalderos;

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
