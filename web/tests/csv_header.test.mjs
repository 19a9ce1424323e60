// The page's reading of a CSV header: the delimiter found, the names, and the column offered for checking.
import assert from 'node:assert/strict';
import test from 'node:test';

import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

import { required } from './helpers.mjs';

// The page's copy, beside the package.json that makes its .js files ES modules (Node.js 18 reads a .js file
// without one as CommonJS).
const { readHeader } = await import(pathToFileURL(join(required('KALDEROS_WEB_DIST'), 'csv_header.js')).href);

const utf16le = (text) => new Uint8Array([0xff, 0xfe, ...new Uint8Array(new Uint16Array([...text].map((c) => c.charCodeAt(0))).buffer)]);

// [bytes or text, delimiter given, { delimiter, columns, column, kind }]
const ROWS = [
  ['Name,Born,SSN,Dept\nx,y,z,w\n', undefined, { delimiter: ',', columns: ['Name', 'Born', 'SSN', 'Dept'], column: 2, kind: 'ssn' }],
  ['Name;Born;Social Security No;Dept\r\n', undefined, { delimiter: ';', columns: ['Name', 'Born', 'Social Security No', 'Dept'], column: 2, kind: 'ssn' }],
  ['"Last, First";soc_sec_num;x', undefined, { delimiter: ';', columns: ['Last, First', 'soc_sec_num', 'x'], column: 1, kind: 'ssn' }],
  ['id\tCard Number\tamount\n', undefined, { delimiter: '\t', columns: ['id', 'Card Number', 'amount'], column: 1, kind: 'card' }],
  ['a|b|CC#\n', undefined, { delimiter: '|', columns: ['a', 'b', 'CC#'], column: 2, kind: 'card' }],
  ['card,SSN\n', undefined, { delimiter: ',', columns: ['card', 'SSN'], column: 1, kind: 'ssn' }],
  ['\ufeff employee , "tax ""id"""\n', undefined, { delimiter: ',', columns: ['employee', 'tax "id"'], column: 0, kind: 'ssn' }],
  ['"first\nline",ssns\n', undefined, { delimiter: ',', columns: ['first\nline', 'ssns'], column: 1, kind: 'ssn' }],
  ['a;b,c;SSN\n', ',', { delimiter: ',', columns: ['a;b', 'c;SSN'], column: 1, kind: 'ssn' }],
  ['lessons,session\n', undefined, { delimiter: ',', columns: ['lessons', 'session'], column: 0, kind: 'ssn' }],
  ['', undefined, { delimiter: ',', columns: [''], column: 0, kind: 'ssn' }],
  [utf16le('Name\tSSN\r\n'), undefined, { delimiter: '\t', columns: ['Name', 'SSN'], column: 1, kind: 'ssn' }],
];

test('the header rows', () => {
  for (const [text, delimiter, expected] of ROWS) {
    const bytes = typeof text === 'string' ? new TextEncoder().encode(text) : text;
    assert.deepEqual(readHeader(bytes, delimiter), expected, JSON.stringify(text));
  }
});
