// The header row of a CSV file as the page offers it: the delimiter it is written with, its column names, and
// the column to check (the one named like an SSN or a card number). Only the first row is read here; the rows
// themselves are the library's to read.

// The delimiters the page tells apart, the default first.
export const DELIMITERS = Object.freeze([',', ';', '\t', '|']);

const SSN_NAME = /\bssn\b|\bssns\b|social ?security|soc\.? ?sec|\bss ?(#|no\b|num)/;
const CARD_NAME = /\bcard\b|credit|\bpan\b|\bcc ?(#|no\b|num)/;

// The text of a file's first bytes: UTF-16 where it starts with a byte-order mark, else UTF-8 (a mark dropped).
export function textOf(bytes) {
  if (bytes[0] === 0xff && bytes[1] === 0xfe) return new TextDecoder('utf-16le').decode(bytes.subarray(2));
  if (bytes[0] === 0xfe && bytes[1] === 0xff) return new TextDecoder('utf-16be').decode(bytes.subarray(2));
  return new TextDecoder('utf-8').decode(bytes).replace(/^\ufeff/, '');
}

// The first row of `text`: where it ends (a line end outside quotes, every quote counted, as the program finds a
// row's end) and each delimiter's count outside quotes.
function firstRow(text) {
  const counts = new Map(DELIMITERS.map((delimiter) => [delimiter, 0]));
  let quoted = false;
  let at = 0;
  for (; at < text.length; at++) {
    const c = text[at];
    if (c === '"') quoted = !quoted;
    else if (!quoted && (c === '\n' || c === '\r')) break;
    else if (!quoted && counts.has(c)) counts.set(c, counts.get(c) + 1);
  }
  return { row: text.slice(0, at), counts };
}

// The fields of one row as the program reads them: split at the delimiter outside quotes, the quotes that open
// and close quoted stretches dropped, a doubled quote inside one standing for a quote; blanks around a name
// trimmed.
export function fieldsOf(row, delimiter) {
  const fields = [];
  let field = '';
  let quoted = false;
  for (let at = 0; at < row.length; at++) {
    const c = row[at];
    if (c === '"') {
      if (quoted && row[at + 1] === '"') field += row[++at];
      else quoted = !quoted;
    } else if (c === delimiter && !quoted) {
      fields.push(field.trim());
      field = '';
    } else {
      field += c;
    }
  }
  fields.push(field.trim());
  return fields;
}

// The header of a file's first bytes: { delimiter, columns, column (index of the one to check), kind ('ssn' or
// 'card') }. The delimiter is the one the header holds most of (a comma where it holds none); `delimiter` given
// overrides it.
export function readHeader(bytes, delimiter) {
  const { row, counts } = firstRow(textOf(bytes));
  let found = delimiter;
  if (found === undefined) {
    found = DELIMITERS[0];
    for (const [candidate, count] of counts) if (count > counts.get(found)) found = candidate;
  }
  const columns = fieldsOf(row, found);
  const names = columns.map((name) => name.toLowerCase().replace(/[_-]+/g, ' '));
  const ssn = names.findIndex((name) => SSN_NAME.test(name));
  const card = names.findIndex((name) => CARD_NAME.test(name));
  if (ssn < 0 && card >= 0) return { delimiter: found, columns, column: card, kind: 'card' };
  return { delimiter: found, columns, column: Math.max(ssn, 0), kind: 'ssn' };
}

// The first `count` rows of CSV the program wrote (each field quoted where it holds a quote, the delimiter or a
// line end), each as its fields: the page shows them beside their verdicts.
export function readRows(bytes, delimiter, count) {
  const text = textOf(bytes.subarray(0, Math.min(bytes.length, 1 << 20)));
  const rows = [];
  let fields = [];
  let field = '';
  let quoted = false;
  for (let at = 0; at < text.length && rows.length < count; at++) {
    const c = text[at];
    if (quoted) {
      if (c !== '"') field += c;
      else if (text[at + 1] === '"') field += text[++at];
      else quoted = false;
    } else if (c === '"') {
      quoted = true;
    } else if (c === delimiter) {
      fields.push(field);
      field = '';
    } else if (c === '\r' || c === '\n') {
      if (c === '\r' && text[at + 1] === '\n') at++;
      rows.push([...fields, field]);
      fields = [];
      field = '';
    } else {
      field += c;
    }
  }
  return rows;
}
