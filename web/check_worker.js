// The page's worker: the package's checks away from the page's thread, so that the page stays responsive while a
// large file is checked. It tells the page the rule sets when it is ready, then checks the files it is sent: the
// checked CSV (what `kalderos --column=N --format=csv` writes), the counts, and the first rows' verdicts.
import * as kalderos from './kalderos.js';
import { readRows } from './csv_header.js';

postMessage({
  type: 'ready',
  rules: kalderos.RULE_SETS.map((name) => ({ name, help: kalderos.RULE_SET_HELP[name] })),
});

const FIRST_ROWS = 20;

// The groups of bars: every verdict (or card type met), and the reasons met.
function chartGroups(counts, cards) {
  const met = (values) => Object.entries(values).filter(([, count]) => count > 0);
  return cards
    ? [{ title: 'Card type', counts: met(counts.type) }, { title: 'Reason', counts: met(counts.reason) }]
    : [{ title: 'Verdict', counts: Object.entries(counts.verdict) }, { title: 'Reason', counts: met(counts.reason) }];
}

// The first rows of the checked CSV: the checked cell, and the record's verdict (or type) and reason.
function firstRows(output, options, cards) {
  const rows = readRows(output, options.delimiter, FIRST_ROWS + 1);
  const fields = cards ? kalderos.CARD_FIELDS : kalderos.SSN_FIELDS;
  const width = rows.length === 0 ? 0 : rows[0].length - fields.length;
  const at = (row, name) => row[width + fields.indexOf(name)] ?? '';
  const verdict = cards ? 'outcome' : 'verdict';
  return [[rows[0]?.[options.column - 1] ?? '', verdict, 'reason'],
    ...rows.slice(1).map((row) => [row[options.column - 1] ?? '', at(row, verdict), at(row, 'reason')])];
}

async function check(file, options) {
  const cards = options.kind === 'card';
  const bytes = new Uint8Array(await file.arrayBuffer());
  const result = kalderos.checkCsv(bytes, {
    column: options.column,
    delimiter: options.delimiter === '\t' ? 'tab' : options.delimiter,
    rules: options.rules,
    cards,
    onProgress: (fraction) => postMessage({ type: 'progress', done: fraction, total: 1 }),
  });
  return {
    output: result.output,
    rows: firstRows(result.output, options, cards),
    counts: chartGroups(result.counts, cards),
    checked: result.rows,
    problem: result.problem,
  };
}

onmessage = async ({ data }) => {
  if (data.type !== 'check') return;
  try {
    const result = await check(data.file, data.options);
    postMessage({ type: 'done', ...result }, [result.output.buffer]);
  } catch (error) {
    postMessage({ type: 'failed', message: error.message });
  }
};
