// checkCsv writes what the program writes for the same file and options, byte for byte, under both rule sets and in
// every record format, and counts what --summary counts.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import test from 'node:test';

import { kalderos, required } from './helpers.mjs';

const utf8 = (text) => new TextEncoder().encode(text);
const utf16le = (text) => new Uint8Array([0xff, 0xfe, ...Array.from(text).flatMap((c) => [c.charCodeAt(0), 0])]);

// [what, file, checkCsv's options, the program's options]
const FILES = [
  ['names and SSNs', utf8('name,SSN\nAnn,078-05-1120\nBob,123-45-6789\n"Doe, J",219-09-9999\nEve,\n'), { column: 'SSN' }, ['--column=SSN']],
  ['a semicolon export, CR LF, a mark', utf8('\uFEFFName;Social Security No\r\n"A;B";987-65-4320\r\nC;772-12-3456\r\n'),
    { column: 'social security no', delimiter: ';' }, ['--column=social security no', '--delimiter=;']],
  ['tabs out of commas', utf8('id,ssn\n1,"123-45-6789"\n2,"12""3"\n'), { column: 2, outputDelimiter: 'tab' }, ['--column=2', '--output-delimiter=tab']],
  ['no header, wide and short rows', utf8('078-05-1120,x,y\n123456789\n'), { column: 1, header: false }, ['--column=1', '--no-header']],
  ['UTF-16 with tabs', utf16le('n\tssn\r\nZoë\t001-01-0001\r\n'), { column: 'ssn', delimiter: 'tab' }, ['--column=ssn', '--delimiter=tab']],
  ['a quote left open', utf8('ssn\n"123-45-6789\n'), { column: 1 }, ['--column=1']],
  ['cards', utf8('Card number,x\n4111 1111 1111 1111,a\n5500-0000-0000-0004,b\n1234\n'), { column: 'Card number', cards: true }, ['--column=Card number', '-C']],
];

function program(bytes, options) {
  const run = spawnSync(required('KALDEROS_PROGRAM'), options, { input: bytes, maxBuffer: 1 << 30 });
  return { out: new Uint8Array(run.stdout), status: run.status };
}

test('the program\'s output, byte for byte', () => {
  for (const [what, file, options, programOptions] of FILES) {
    for (const rules of ['classic', 'current']) {
      for (const format of ['csv', 'tsv', 'jsonl']) {
        if (options.outputDelimiter && format !== 'csv') continue;
        const expected = program(file, [`--rules=${rules}`, `--format=${format}`, ...programOptions]);
        const result = kalderos.checkCsv(file, { ...options, rules, format });
        assert.deepEqual(Buffer.from(result.output).toString('latin1'), Buffer.from(expected.out).toString('latin1'), `${what} ${rules} ${format}`);
        assert.equal(result.problem === null ? 0 : 2, expected.status, `${what}: ${result.problem}`);
      }
    }
  }
});

test('the counts', () => {
  const [, file] = FILES[0];
  const { rows, counts, problem } = kalderos.checkCsv(file, { column: 'SSN' });
  assert.equal(rows, 4);
  assert.equal(problem, null);
  assert.deepEqual(counts.verdict, { valid: 1, invalid: 3, unknown: 0 });
  assert.equal(counts.reason['known-invalid'], 2);
  assert.equal(counts.reason.empty, 1);
  const cards = kalderos.checkCsv(FILES[6][1], FILES[6][2]).counts;
  assert.equal(cards.type.VISA, 1);
  assert.equal(cards.reason.ok, 2);
});

test('a file larger than a piece, with progress', () => {
  const rows = ['ssn'];
  for (let i = 0; i < 120000; i++) rows.push(`"${String(100 + (i % 600)).padStart(3, '0')}-${String(1 + (i % 99)).padStart(2, '0')}-${String(1 + (i % 9999)).padStart(4, '0')}"`);
  const file = utf8(rows.join('\r\n'));
  const progress = [];
  const result = kalderos.checkCsv(file, { column: 'ssn', onProgress: (fraction) => progress.push(fraction) });
  assert.equal(result.rows, 120000);
  assert.ok(progress.length >= 2 && progress.at(-1) === 1, `${progress}`);
  assert.deepEqual(Buffer.from(result.output), Buffer.from(program(file, ['--rules=current', '--format=csv', '--column=ssn']).out));
});
