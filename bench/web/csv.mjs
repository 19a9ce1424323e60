// checkCsv of the payroll file against the native program writing the same output (bench/README.md, "The npm
// package"): node csv.mjs PAYROLL.csv DIST PROGRAM RUNS. Rounds interleaved, medians printed.
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const [payroll, dist, program, runs = '3'] = process.argv.slice(2);
const kalderos = await import(pathToFileURL(resolve(join(dist, 'kalderos.js'))).href);
const options = ['--rules=current', '--column=SSN', '--format=csv', '-i', payroll];

const median = (times) => [...times].sort((a, b) => a - b)[Math.floor(times.length / 2)];
const node = [];
const native = [];
let same = true;
for (let round = 0; round < Number(runs); round++) {
  let start = process.hrtime.bigint();
  const bytes = new Uint8Array(readFileSync(payroll));
  const { output, rows } = kalderos.checkCsv(bytes, { column: 'SSN', rules: 'current' });
  node.push(Number(process.hrtime.bigint() - start) / 1e9);
  start = process.hrtime.bigint();
  const run = spawnSync(program, options, { maxBuffer: 2 ** 31 });
  native.push(Number(process.hrtime.bigint() - start) / 1e9);
  same &&= run.status === 0 && Buffer.compare(Buffer.from(output.buffer, output.byteOffset, output.length), run.stdout) === 0;
  if (round === 0) console.log(`${rows} rows, ${bytes.length} bytes, ${runs} rounds, Node.js ${process.version}`);
}
const show = (times) => `${median(times).toFixed(2)} s  (${times.map((t) => t.toFixed(2)).join(' ')})`;
console.log(`kalderos checkCsv (Node):      ${show(node)}`);
console.log(`kalderos program, one job:     ${show(native)}`);
const ratio = median(node) / median(native);
console.log(`checkCsv / program: ${ratio.toFixed(2)}  target <= 3: ${ratio <= 3 ? 'PASS' : 'FAIL'}; output identical: ${same}`);
process.exitCode = ratio <= 3 && same ? 0 : 1;
