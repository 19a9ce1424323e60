// Type declarations of the npm package kalderos.

/** A text to check: a string (read as its UTF-8 bytes) or the bytes themselves. Read up to its first NUL. */
export type Text = string | Uint8Array;

/** The rule sets by name: "classic" (the issuance data of 2011, the card networks of that time) or "current". */
export type RuleSetName = 'classic' | 'current';

export interface CheckOptions {
  /** The rules to judge by; "current" when not given. */
  rules?: RuleSetName;
}

/** What the kalderos program's JSON Lines record says of one SSN text (`kalderos --format=jsonl`), field by field. */
export interface SsnRecord {
  /** The text as given, up to its first NUL; a Uint8Array's bytes each as the character of its number (Latin-1). */
  input: string;
  /** The text, blanks trimmed, is exactly NNN-NN-NNNN, NNN NN NNNN or nine digits. */
  well_formed: boolean;
  /** The area as written, "001"; null when the text is not well formed. */
  area: string | null;
  /** The group as written, "06"; null when the text is not well formed. */
  group: string | null;
  /** The serial as written, "1234"; null when the text is not well formed. */
  serial: string | null;
  /** The state or office of issue, "New York"; null where there is none. */
  place: string | null;
  verdict: 'valid' | 'invalid' | 'unknown';
  /** The number is valid and its group is the highest its area had reached. */
  confirm: boolean;
  /** "ok", or the first rule the number breaks: "malformed", "area-000", "group-not-issued", ...; "empty" for a text of blanks or none. */
  reason: string;
  /** The latest published list ("2003-11", "2007-07", "2011-06") the group was not yet in; null where no list bounds it. */
  issued_after: string | null;
  /** The earliest published list the group was in; null where no list bounds it. */
  issued_by: string | null;
}

/** What the kalderos program's JSON Lines record says of one card text (`kalderos -C --format=jsonl`), field by field. */
export interface CardRecord {
  /** The text as given, up to its first NUL; a Uint8Array's bytes each as the character of its number (Latin-1). */
  input: string;
  /** The digits of the number, the blanks or dashes between its groups left out; null for a text that is no number. */
  digits: string | null;
  /** The type by the leading digits, "VISA", or "Other"; null for a text that is no number. */
  type: string | null;
  /** The check digit: "pass", "fail", or "n/a" where it is not tested. */
  luhn: 'pass' | 'fail' | 'n/a';
  /** What the program's text line shows: the type ("VISA_X" when its check digit is wrong), "Other", "2MANY_DIGITS" or "UNKNOWN". */
  outcome: string;
  /** "ok", or why not: "not-a-number", "bad-dashes", "too-few-digits", "unknown-prefix", "too-many-digits", "bad-check-digit", "empty". */
  reason: string;
}

/** The fields of an SSN record, in the program's order. */
export const SSN_FIELDS: readonly (keyof SsnRecord)[];
/** The fields of a card record, in the program's order. */
export const CARD_FIELDS: readonly (keyof CardRecord)[];
/** The rule sets by name, as the program's --rules names them. */
export const RULE_SETS: readonly RuleSetName[];
/** What each rule set judges by, as the program's --help says it. */
export const RULE_SET_HELP: Readonly<Record<RuleSetName, string>>;

/**
 * The record of one SSN text.
 * @throws {TypeError} when the text is neither a string nor a Uint8Array, or the options are not an object of known options.
 * @throws {RangeError} when the rules name no rule set.
 */
export function checkSsn(text: Text, options?: CheckOptions): SsnRecord;
/** The record of one payment-card text, by the card networks of the rule set. Throws as checkSsn does. */
export function checkCard(text: Text, options?: CheckOptions): CardRecord;
/** The records of a list of SSN texts, in its order. Throws as checkSsn does, naming the text at fault. */
export function checkSsns(texts: Iterable<Text>, options?: CheckOptions): SsnRecord[];
/** The records of a list of payment-card texts, in its order. Throws as checkSsn does, naming the text at fault. */
export function checkCards(texts: Iterable<Text>, options?: CheckOptions): CardRecord[];

/** How checkCsv reads a file and what it writes, as the program's options say it. */
export interface CsvOptions {
  /** The column checked: its name in the header row (matched as --column=NAME matches it), or its number from 1. */
  column: string | number;
  /** What parts the fields (--delimiter): one ASCII character other than a quote or a line end, or 'tab'; ',' by default. */
  delimiter?: string;
  /** What parts the csv output's fields (--output-delimiter); the input's by default. */
  outputDelimiter?: string;
  /** false: the first row is data (--no-header), and the column is given by its number. true by default. */
  header?: boolean;
  /** true: the column holds payment-card numbers (-C). false by default. */
  cards?: boolean;
  /** 'current' by default. */
  rules?: RuleSetName;
  /** 'csv' (each row's cells, then the record's fields), 'tsv' or 'jsonl' (the records alone); 'csv' by default. */
  format?: 'csv' | 'tsv' | 'jsonl';
  /** Called after each piece of the file with the share of it checked, from 0 to 1. */
  onProgress?: (fraction: number) => void;
}

/** What checkCsv gives: the program's output and the counts of the rows checked. */
export interface CsvResult {
  /** Byte for byte what `kalderos --column=... --format=...` writes for the same file. */
  output: Uint8Array;
  /** The rows checked, the header not among them. */
  rows: number;
  /** The rows by verdict and reason (SSNs) or by type and reason (cards), every value listed, 0 included. */
  counts: { verdict: Record<string, number>; reason: Record<string, number> } | { type: Record<string, number>; reason: Record<string, number> };
  /** Where the file ended inside a quoted field (the program's exit status 2), why; every row was checked. Else null. */
  problem: string | null;
}

/**
 * A CSV file's column checked as the program's --column checks it.
 * @throws {TypeError} when bytes is not a Uint8Array or an option has the wrong type or name.
 * @throws {RangeError} for an unknown rule set or format, a column number below 1, or a delimiter that cannot part fields.
 * @throws {Error} when the file lacks the column, with the program's message.
 */
export function checkCsv(bytes: Uint8Array, options: CsvOptions): CsvResult;
