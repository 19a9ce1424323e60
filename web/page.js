// The page: a CSV file picked or dropped, its header read here to offer its columns and delimiter, and the check
// itself in a worker (check_worker.js), whose progress, counts and first rows the page shows and whose checked
// CSV it saves.
import { drawCounts } from './bar_chart.js';
import { readHeader } from './csv_header.js';

const $ = (id) => document.getElementById(id);
// Enough of a file for any header row.
const HEADER_BYTES = 1 << 16;
const FIRST_ROWS = 20;

let file = null;
let savedUrl = null;

function setState(state, message = '') {
  document.body.dataset.state = state;
  $('message').textContent = message;
}

function fail(message) {
  $('progress-line').hidden = true;
  setState('failed', message);
}

// Started from a blob: URL, so that the worker runs under this page's policy rather than under whatever headers
// the server sends with a script (a static server sends none).
function startWorker() {
  const source = `import ${JSON.stringify(new URL('check_worker.js', document.baseURI).href)};\n`;
  const worker = new Worker(URL.createObjectURL(new Blob([source], { type: 'text/javascript' })), { type: 'module' });
  worker.onmessage = ({ data }) => handlers[data.type](data);
  worker.onerror = (event) => fail(`The checker could not start${event.message ? `: ${event.message}` : '.'}`);
  return worker;
}

function showRules(rules) {
  const fieldset = $('rules');
  for (const { name, help } of rules) {
    const label = document.createElement('label');
    const input = Object.assign(document.createElement('input'), { type: 'radio', name: 'rules', value: name });
    input.checked = name === 'current';
    label.append(input, ` ${name}`);
    // The classic rules are the ones to explain: the current ones are what a user expects of today's numbers.
    if (name === 'classic') label.append(Object.assign(document.createElement('span'), { className: 'rule-help', textContent: help }));
    fieldset.append(label);
  }
}

function option(value, text) {
  return Object.assign(document.createElement('option'), { value, textContent: text });
}

async function showHeader(delimiter) {
  const bytes = new Uint8Array(await file.slice(0, HEADER_BYTES).arrayBuffer());
  const header = readHeader(bytes, delimiter);
  $('column').replaceChildren(...header.columns.map((name, i) => option(String(i + 1), name === '' ? `column ${i + 1}` : name)));
  $('column').selectedIndex = header.column;
  $('delimiter').value = header.delimiter;
  if (delimiter === undefined) $('kind').value = header.kind;
  $('options').hidden = false;
  setState('header');
}

function pick(picked) {
  if (!picked) return;
  file = picked;
  $('file-name').textContent = `${file.name}, ${file.size.toLocaleString('en-US')} bytes`;
  $('results').hidden = true;
  showHeader().catch((error) => fail(`The file could not be read: ${error.message}`));
}

function check(event) {
  event.preventDefault();
  const options = {
    column: Number($('column').value),
    delimiter: $('delimiter').value,
    rules: new FormData($('options')).get('rules'),
    kind: $('kind').value,
  };
  $('progress').value = 0;
  $('progress-line').hidden = false;
  $('results').hidden = true;
  setState('checking', `Checking ${file.name}...`);
  worker.postMessage({ type: 'check', file, options });
}

function showRows(rows) {
  $('rows').replaceChildren(...rows.slice(0, FIRST_ROWS + 1).map((fields, i) => {
    const row = document.createElement('tr');
    row.append(...fields.map((field) => Object.assign(document.createElement(i === 0 ? 'th' : 'td'), { textContent: field })));
    return row;
  }));
}

function save(output) {
  if (savedUrl) URL.revokeObjectURL(savedUrl);
  savedUrl = URL.createObjectURL(new Blob([output], { type: 'text/csv' }));
  $('save').onclick = () => {
    const link = Object.assign(document.createElement('a'), { href: savedUrl, download: `${file.name.replace(/\.[^.]*$/, '')}-checked.csv` });
    link.click();
  };
}

const handlers = {
  ready({ rules }) {
    showRules(rules);
    setState('ready');
  },
  progress({ done, total }) {
    $('progress').value = total === 0 ? 1 : done / total;
    $('progress-text').textContent = `${Math.floor((100 * done) / Math.max(total, 1))} %`;
  },
  done({ output, counts, rows, checked, problem }) {
    $('progress-line').hidden = true;
    drawCounts($('chart'), counts);
    showRows(rows);
    save(output);
    $('results').hidden = false;
    $('results').dataset.rows = checked;
    const done = `${file.name}: ${checked.toLocaleString('en-US')} ${checked === 1 ? 'row' : 'rows'} checked.`;
    setState('done', problem ? `${done} But ${problem}: its last row may hold more than one.` : done);
  },
  failed({ message }) {
    fail(message);
  },
};

const worker = startWorker();
$('file').addEventListener('change', (event) => pick(event.target.files[0]));
$('delimiter').addEventListener('change', (event) => showHeader(event.target.value).catch((error) => fail(error.message)));
$('options').addEventListener('submit', check);
const drop = $('drop');
drop.addEventListener('dragover', (event) => {
  event.preventDefault();
  drop.classList.add('over');
});
drop.addEventListener('dragleave', () => drop.classList.remove('over'));
drop.addEventListener('drop', (event) => {
  event.preventDefault();
  drop.classList.remove('over');
  pick(event.dataTransfer.files[0]);
});
