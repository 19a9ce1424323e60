// What the package's tests share: the built package, the program, and the texts of its end-to-end tables, which
// ctest names in the environment (tests/CMakeLists.txt).
import { spawnSync } from 'node:child_process';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

export function required(name) {
  const value = process.env[name];
  if (!value) throw new Error(`${name} is not set: run the package's tests through ctest`);
  return value;
}

/** The package as the build made it (its folder, not the tarball). */
export const kalderos = await import(pathToFileURL(join(required('KALDEROS_WEB_DIST'), 'kalderos.js')).href);

/** Every text of the end-to-end tables, as bytes. */
export function tableTexts() {
  const run = spawnSync(required('KALDEROS_TABLE_TEXTS'), { maxBuffer: 1 << 30 });
  if (run.status !== 0) throw new Error(`e2e_table_texts failed: ${run.stderr}`);
  const texts = [];
  for (let at = 0; at < run.stdout.length;) {
    const end = run.stdout.indexOf(10, at);
    texts.push(new Uint8Array(run.stdout.subarray(at, end)));
    at = end + 1;
  }
  if (texts.length < 500) throw new Error(`only ${texts.length} table texts`);
  return texts;
}

/** The program's records of `texts` with `options`, one object per text. */
export function programRecords(options, texts) {
  const input = Buffer.concat(texts.flatMap((text) => [text, Buffer.from('\n')]));
  const run = spawnSync(required('KALDEROS_PROGRAM'), ['--format=jsonl', ...options], { input, maxBuffer: 1 << 30 });
  if (run.status !== 0) throw new Error(`kalderos ${options.join(' ')} failed: ${run.stderr}`);
  const lines = run.stdout.toString('latin1').split('\n').slice(0, -1);
  if (lines.length !== texts.length) throw new Error(`${lines.length} records of ${texts.length} texts`);
  return lines.map((line) => JSON.parse(line));
}
