// The kalderos checks in JavaScript: the C++ library compiled to WebAssembly, judging batches of texts in its
// memory, and the records made here from the values it writes back, under the names of the program's record
// fields. Works alike in Node.js, a page and a worker; nothing is fetched (the module is embedded).
import moduleBase64 from './kalderos_wasm.js';

function bytesOfBase64(text) {
  if (typeof Buffer === 'function') return Buffer.from(text, 'base64');
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

// What the module asks of its host: word that its memory grew (every view here is made anew for each call) and
// the end of a run, which comes only when it is out of memory.
const host = {
  env: { emscripten_notify_memory_growth() {} },
  wasi_snapshot_preview1: {
    proc_exit(code) {
      throw new Error(`kalderos: the WebAssembly module stopped (exit code ${code}): out of memory?`);
    },
  },
};
const { instance } = await WebAssembly.instantiate(bytesOfBase64(moduleBase64), host);
const wasm = instance.exports;
// A module without an entry point makes its static data here.
wasm._initialize?.();

const decoder = new TextDecoder();
const encoder = new TextEncoder();

function cString(at) {
  const bytes = new Uint8Array(wasm.memory.buffer, at);
  return decoder.decode(bytes.subarray(0, bytes.indexOf(0)));
}

const description = JSON.parse(cString(wasm.kalderos_description()));

/** The fields of an SSN record, in the program's order. */
export const SSN_FIELDS = Object.freeze(description.ssnFields);
/** The fields of a card record, in the program's order. */
export const CARD_FIELDS = Object.freeze(description.cardFields);
/** The rule sets by name, as the program's --rules names them. */
export const RULE_SETS = Object.freeze(description.rules.map((rules) => rules.name));
/** What each rule set judges by, as the program's --help says it. */
export const RULE_SET_HELP = Object.freeze(Object.fromEntries(description.rules.map((rules) => [rules.name, rules.help])));

const DEFAULT_RULES = RULE_SETS.indexOf('current');
const { null: NULL_VALUE, false: FALSE_VALUE, true: TRUE_VALUE, inBatch: IN_BATCH } = description.values;
const SSN = { code: 0, fields: SSN_FIELDS, one: 'checkSsn' };
const CARD = { code: 1, fields: CARD_FIELDS, one: 'checkCard' };

// A batch holds this many texts at most, and as many as fit in this many bytes (more for one long text).
const BATCH_TEXTS = 8192;
const BATCH_BYTES = 1 << 20;

function typeName(value) {
  if (value === null) return 'null';
  if (typeof value !== 'object') return typeof value;
  return value.constructor?.name || 'Object';
}

function quotedList(names, conjunction) {
  const quoted = names.map((name) => `'${name}'`);
  return quoted.length < 2 ? quoted.join('') : `${quoted.slice(0, -1).join(', ')} ${conjunction} ${quoted.at(-1)}`;
}

function rulesOf(options, caller) {
  if (options === undefined) return DEFAULT_RULES;
  if (options === null || typeof options !== 'object' || Array.isArray(options)) {
    throw new TypeError(`${caller}: options must be an object such as { rules: 'classic' }, not ${typeName(options)}`);
  }
  for (const key of Object.keys(options)) {
    if (key !== 'rules') throw new TypeError(`${caller}: unknown option '${key}': the one option is 'rules'`);
  }
  const { rules } = options;
  if (rules === undefined) return DEFAULT_RULES;
  if (typeof rules !== 'string') {
    throw new TypeError(`${caller}: rules must be a string, ${quotedList(RULE_SETS, 'or')}, not ${typeName(rules)}`);
  }
  const index = RULE_SETS.indexOf(rules);
  if (index < 0) {
    throw new RangeError(`${caller}: unknown rules ${JSON.stringify(rules)}: the rule sets are ${quotedList(RULE_SETS, 'and')}`);
  }
  return index;
}

function listOf(texts, caller, kind) {
  if (typeof texts === 'string' || texts instanceof Uint8Array) {
    throw new TypeError(`${caller}: texts must be a list of texts, not one ${typeName(texts)} (for one text, call ${kind.one})`);
  }
  if (Array.isArray(texts)) return texts;
  if (texts !== null && texts !== undefined && typeof texts[Symbol.iterator] === 'function') return Array.from(texts);
  throw new TypeError(`${caller}: texts must be an array or an iterable of strings and Uint8Arrays, not ${typeName(texts)}`);
}

// A text is read up to its first NUL, as the program reads a line.
function cut(text, caller, name) {
  if (typeof text === 'string') {
    const nul = text.indexOf('\0');
    return nul < 0 ? text : text.slice(0, nul);
  }
  if (text instanceof Uint8Array) {
    const nul = text.indexOf(0);
    return nul < 0 ? text : text.subarray(0, nul);
  }
  throw new TypeError(`${caller}: ${name} must be a string or a Uint8Array, not ${typeName(text)}`);
}

// The record's input of bytes: each byte the character of its number (Latin-1), as the record writes it.
function latin1(bytes) {
  let text = '';
  for (let at = 0; at < bytes.length; at += 8192) text += String.fromCharCode.apply(null, bytes.subarray(at, at + 8192));
  return text;
}

// Every word of the library's constant data lies at one place: its string is made once.
const words = new Map();
function word(at, size) {
  const key = at * 256 + size;
  let text = words.get(key);
  if (text === undefined) {
    text = decoder.decode(new Uint8Array(wasm.memory.buffer, at, size));
    words.set(key, text);
  }
  return text;
}

// Writes texts[start...] into the module's input, as many as a batch takes; returns how many it took. A string is
// written as UTF-8, at most three bytes for each of its UTF-16 units.
function writeBatch(inputs, start) {
  let end = start;
  let bytes = 0;
  while (end < inputs.length && end - start < BATCH_TEXTS) {
    const size = (typeof inputs[end] === 'string' ? 3 * inputs[end].length : inputs[end].length) + 1;
    if (end > start && bytes + size > BATCH_BYTES) break;
    bytes += size;
    end++;
  }
  const at = wasm.kalderos_input(bytes);
  const room = new Uint8Array(wasm.memory.buffer, at, bytes);
  let used = 0;
  for (let i = start; i < end; i++) {
    const text = inputs[i];
    if (typeof text === 'string') {
      used += encoder.encodeInto(text, room.subarray(used)).written;
    } else {
      room.set(text, used);
      used += text.length;
    }
    room[used++] = 0;
  }
  return end - start;
}

function readBatch(kind, inputs, start, count, batch, records) {
  const memory = new Uint32Array(wasm.memory.buffer);
  const [valuesAt, textAt, textSize] = memory.subarray(batch >> 2, (batch >> 2) + 3);
  const text = textSize === 0 ? '' : decoder.decode(new Uint8Array(wasm.memory.buffer, textAt, textSize));
  const { fields } = kind;
  const inputName = fields[0];
  let value = valuesAt >> 2;
  for (let i = 0; i < count; i++) {
    const input = inputs[start + i];
    const record = {};
    record[inputName] = typeof input === 'string' ? input : latin1(input);
    for (let field = 1; field < fields.length; field++, value += 2) {
      const at = memory[value];
      const size = memory[value + 1];
      let result;
      if (size === NULL_VALUE) result = null;
      else if (size === FALSE_VALUE) result = false;
      else if (size === TRUE_VALUE) result = true;
      else if (size >= IN_BATCH) result = text.slice(at, at + size - IN_BATCH);
      else result = word(at, size);
      record[fields[field]] = result;
    }
    records[start + i] = record;
  }
}

function checkAll(kind, inputs, rules) {
  const records = new Array(inputs.length);
  for (let start = 0; start < inputs.length;) {
    const count = writeBatch(inputs, start);
    readBatch(kind, inputs, start, count, wasm.kalderos_check(kind.code, rules, count), records);
    start += count;
  }
  return records;
}

function checkOne(kind, caller, text, options) {
  const rules = rulesOf(options, caller);
  return checkAll(kind, [cut(text, caller, 'text')], rules)[0];
}

function checkMany(kind, caller, texts, options) {
  const rules = rulesOf(options, caller);
  const list = listOf(texts, caller, kind);
  const inputs = new Array(list.length);
  for (let i = 0; i < list.length; i++) inputs[i] = cut(list[i], caller, `texts[${i}]`);
  return checkAll(kind, inputs, rules);
}

/** The record of one SSN text. */
export function checkSsn(text, options) {
  return checkOne(SSN, 'checkSsn', text, options);
}

/** The record of one payment-card text. */
export function checkCard(text, options) {
  return checkOne(CARD, 'checkCard', text, options);
}

/** The records of a list of SSN texts, in its order. */
export function checkSsns(texts, options) {
  return checkMany(SSN, 'checkSsns', texts, options);
}

/** The records of a list of payment-card texts, in its order. */
export function checkCards(texts, options) {
  return checkMany(CARD, 'checkCards', texts, options);
}

const CSV_FORMATS = Object.freeze(['csv', 'tsv', 'jsonl']);
const CSV_OPTIONS = ['column', 'delimiter', 'outputDelimiter', 'header', 'cards', 'rules', 'format', 'onProgress'];
const CSV_STATUS = Object.freeze({ checking: 0, done: 1, openQuote: 2, refused: 3 });
// The file is fed to the module in pieces of this many bytes; its output is taken after each.
const CSV_PIECE = 1 << 20;

// A delimiter option: one ASCII character other than a quote or a line end, or 'tab'.
function delimiterOf(value, name, fallback) {
  if (value === undefined) return fallback;
  if (typeof value !== 'string') throw new TypeError(`checkCsv: ${name} must be a string such as ';' or 'tab', not ${typeName(value)}`);
  const code = value === 'tab' ? 9 : value.length === 1 ? value.charCodeAt(0) : -1;
  if (code < 1 || code > 127 || value === '"' || value === '\r' || value === '\n') {
    throw new RangeError(`checkCsv: ${name} ${JSON.stringify(value)} cannot part fields: give one ASCII character other than a quote or a line end, or 'tab'`);
  }
  return code;
}

function csvOptionsOf(options) {
  if (options === null || typeof options !== 'object' || Array.isArray(options)) {
    throw new TypeError(`checkCsv: options must be an object such as { column: 'SSN' }, not ${typeName(options)}`);
  }
  for (const key of Object.keys(options)) {
    if (!CSV_OPTIONS.includes(key)) throw new TypeError(`checkCsv: unknown option '${key}': the options are ${quotedList(CSV_OPTIONS, 'and')}`);
  }
  const { column, header = true, cards = false, format = 'csv', onProgress } = options;
  if (typeof column === 'number') {
    if (!Number.isInteger(column) || column < 1) throw new RangeError(`checkCsv: column ${column} is no column number: columns are numbered from 1`);
  } else if (typeof column !== 'string') {
    throw new TypeError(`checkCsv: column must be the column's name (a string) or its number from 1, not ${typeName(column)}`);
  } else if (column === '') {
    throw new RangeError("checkCsv: column '' names no column");
  }
  if (typeof header !== 'boolean') throw new TypeError(`checkCsv: header must be true or false, not ${typeName(header)}`);
  if (typeof cards !== 'boolean') throw new TypeError(`checkCsv: cards must be true or false, not ${typeName(cards)}`);
  if (typeof format !== 'string') throw new TypeError(`checkCsv: format must be a string, ${quotedList(CSV_FORMATS, 'or')}, not ${typeName(format)}`);
  if (!CSV_FORMATS.includes(format)) throw new RangeError(`checkCsv: unknown format ${JSON.stringify(format)}: the formats are ${quotedList(CSV_FORMATS, 'and')}`);
  if (onProgress !== undefined && typeof onProgress !== 'function') throw new TypeError(`checkCsv: onProgress must be a function, not ${typeName(onProgress)}`);
  return {
    column,
    header,
    cards,
    format: CSV_FORMATS.indexOf(format),
    rules: rulesOf(options.rules === undefined ? undefined : { rules: options.rules }, 'checkCsv'),
    delimiter: delimiterOf(options.delimiter, 'delimiter', 44),
    outputDelimiter: delimiterOf(options.outputDelimiter, 'outputDelimiter', 0),
    onProgress,
  };
}

function csvState(at) {
  const [output, size, status, rows] = new Uint32Array(wasm.memory.buffer, at, 4);
  return { output: new Uint8Array(wasm.memory.buffer, output, size).slice(), status, rows };
}

function countsOf(check, cards) {
  const { message, counts } = JSON.parse(cString(wasm.kalderos_csv_counts(check)));
  const grouped = cards ? { type: {}, reason: {} } : { verdict: {}, reason: {} };
  for (const [what, name, count] of counts) grouped[what][name] = count;
  return { message, counts: grouped };
}

function joined(parts) {
  const size = parts.reduce((sum, part) => sum + part.length, 0);
  const all = new Uint8Array(size);
  let at = 0;
  for (const part of parts) {
    all.set(part, at);
    at += part.length;
  }
  return all;
}

/**
 * A CSV file's column checked as `kalderos --column=... --format=csv` checks it: the bytes the program writes, the
 * rows checked, and their counts by verdict (or card type) and reason.
 */
export function checkCsv(bytes, options) {
  if (!(bytes instanceof Uint8Array)) {
    throw new TypeError(`checkCsv: bytes must be a Uint8Array (a file's contents), not ${typeName(bytes)}`);
  }
  const o = csvOptionsOf(options);
  const name = typeof o.column === 'string' ? encoder.encode(o.column) : new Uint8Array(0);
  new Uint8Array(wasm.memory.buffer, wasm.kalderos_input(name.length), name.length).set(name);
  const check = wasm.kalderos_csv_start(o.cards ? 1 : 0, o.rules, o.format, o.delimiter, o.outputDelimiter,
    o.header ? 1 : 0, typeof o.column === 'number' ? o.column : 0, name.length);
  try {
    const parts = [];
    let state = { status: CSV_STATUS.checking };
    for (let at = 0; at < bytes.length && state.status === CSV_STATUS.checking; at += CSV_PIECE) {
      const piece = bytes.subarray(at, at + CSV_PIECE);
      new Uint8Array(wasm.memory.buffer, wasm.kalderos_input(piece.length), piece.length).set(piece);
      state = csvState(wasm.kalderos_csv_feed(check, piece.length));
      parts.push(state.output);
      o.onProgress?.(Math.min(at + piece.length, bytes.length) / bytes.length);
    }
    state = csvState(wasm.kalderos_csv_finish(check));
    parts.push(state.output);
    const { message, counts } = countsOf(check, o.cards);
    if (state.status === CSV_STATUS.refused) throw new Error(`checkCsv: ${message}`);
    return {
      output: joined(parts),
      rows: state.rows,
      counts,
      problem: state.status === CSV_STATUS.openQuote ? message : null,
    };
  } finally {
    wasm.kalderos_csv_end(check);
  }
}
