// The tarball npm pack made, installed offline into an empty project as a user installs it: it holds the
// package's files alone, Node.js imports it by name, and TypeScript checks a program against its declarations.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import test from 'node:test';

import { required } from './helpers.mjs';

function run(command, args, cwd) {
  const result = spawnSync(command, args, { cwd, encoding: 'utf8' });
  assert.equal(result.status, 0, `${command} ${args.join(' ')}:\n${result.stdout}${result.stderr}`);
  return result.stdout;
}

const USE = `import { checkSsn, checkCards, RULE_SETS } from 'kalderos';
console.log(JSON.stringify([checkSsn('078-05-1120', { rules: 'classic' }), checkCards(['4111 1111 1111 1111']), RULE_SETS]));
`;

const TYPED = `import { checkSsn, checkCards, type SsnRecord, type CardRecord } from 'kalderos';
const record: SsnRecord = checkSsn('078-05-1120', { rules: 'classic' });
const area: string | null = record.area;
const cards: CardRecord[] = checkCards(new Set([new Uint8Array([0x34]), '4111']));
const confirm: boolean = record.confirm;
// @ts-expect-error a number is no text
checkSsn(78051120);
// @ts-expect-error no such rule set
checkSsn('1', { rules: 'modern' });
// @ts-expect-error a field may be null
const place: string = record.place;
console.log(area, cards, confirm, place);
`;

test('the tarball installs offline into an empty project and works there', () => {
  const project = mkdtempSync(join(tmpdir(), 'kalderos-npm-'));
  try {
    writeFileSync(join(project, 'package.json'), JSON.stringify({ name: 'consumer', version: '1.0.0', private: true, type: 'module' }));
    run(required('KALDEROS_NPM'), ['install', '--offline', '--no-audit', '--no-fund', '--cache', join(project, '.npm-cache'),
      required('KALDEROS_WEB_TARBALL')], project);
    assert.deepEqual(readdirSync(join(project, 'node_modules', 'kalderos')).sort(),
      ['LICENSE', 'README.md', 'kalderos.d.ts', 'kalderos.js', 'kalderos_wasm.js', 'package.json']);

    writeFileSync(join(project, 'use.mjs'), USE);
    const [ssn, cards, rules] = JSON.parse(run(process.execPath, ['use.mjs'], project));
    assert.equal(ssn.reason, 'known-invalid');
    assert.equal(ssn.place, 'New York');
    assert.deepEqual(cards.map((card) => [card.digits, card.type, card.reason]), [['4111111111111111', 'VISA', 'ok']]);
    assert.deepEqual(rules, ['classic', 'current']);

    writeFileSync(join(project, 'use.ts'), TYPED);
    run(required('KALDEROS_TSC'), ['--noEmit', '--strict', '--target', 'es2022', '--module', 'nodenext',
      '--moduleResolution', 'nodenext', 'use.ts'], project);
  } finally {
    rmSync(project, { recursive: true, force: true });
  }
});
