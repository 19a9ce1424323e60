"""check_csv: a CSV file's column checked as the program's --column checks it, by the library's CsvCheck."""

from __future__ import annotations

import typing

from kalderos._kalderos import _check_csv

_FORMATS = ("csv", "tsv", "jsonl")
_OPEN_QUOTE, _REFUSED = 2, 3


class CsvChecked(typing.NamedTuple):
    """What check_csv gives: the program's output, the rows checked and their counts."""

    output: bytes
    """Byte for byte what ``kalderos --column=... --format=...`` writes for the same bytes."""
    rows: int
    """The rows checked, the header not among them."""
    counts: dict[str, dict[str, int]]
    """By "verdict" and "reason" (SSNs) or "type" and "reason" (cards): every value, 0 included."""
    problem: str | None
    """Where the input ended inside a quoted field (the program's exit status 2), why; else None."""


def _delimiter(value: str, name: str) -> str:
    if not isinstance(value, str):
        raise TypeError(f"check_csv: {name} must be a str such as ';' or 'tab', not {type(value).__name__}")
    byte = "\t" if value == "tab" else value
    if len(byte) != 1 or not " " <= byte <= "~" and byte != "\t" or byte == '"':
        raise ValueError(f"check_csv: {name} {value!r} cannot part fields: give one ASCII character other than a "
                         "quote or a line end, or 'tab'")
    return byte


def check_csv(data: bytes | bytearray | memoryview, *, column: str | int, delimiter: str = ",",
              output_delimiter: str | None = None, header: bool = True, cards: bool = False,
              rules: typing.Literal["classic", "current"] = "current",
              format: typing.Literal["csv", "tsv", "jsonl"] = "csv") -> CsvChecked:
    """The column of a CSV file's bytes checked as ``kalderos --column=COLUMN --format=FORMAT`` checks it.

    >>> checked = kalderos.check_csv(b"name;ssn\\nAnn;078-05-1120\\n", column="ssn", delimiter=";")
    >>> checked.output.decode().splitlines()[1]
    'Ann;078-05-1120;078-05-1120;true;078;05;1120;New York;invalid;false;known-invalid;;'
    >>> checked.counts["verdict"]
    {'valid': 0, 'invalid': 1, 'unknown': 0}
    """
    if not isinstance(data, (bytes, bytearray, memoryview)):
        raise TypeError(f"check_csv: data must be bytes (a file's contents), not {type(data).__name__}")
    if isinstance(column, bool) or not isinstance(column, (str, int)):
        raise TypeError(f"check_csv: column must be the column's name (a str) or its number from 1, "
                        f"not {type(column).__name__}")
    if isinstance(column, int) and column < 1:
        raise ValueError(f"check_csv: column {column} is no column number: columns are numbered from 1")
    if column == "":
        raise ValueError("check_csv: column '' names no column")
    if format not in _FORMATS:
        raise ValueError(f"check_csv: unknown format {format!r}: the formats are 'csv', 'tsv' and 'jsonl'")
    output, rows, counts, status, message = _check_csv(
        bytes(data), column if isinstance(column, str) else "", column if isinstance(column, int) else 0,
        _delimiter(delimiter, "delimiter"),
        "\0" if output_delimiter is None else _delimiter(output_delimiter, "output_delimiter"),
        bool(header), bool(cards), rules, _FORMATS.index(format))
    if status == _REFUSED:
        raise ValueError(f"check_csv: {message}")
    grouped: dict[str, dict[str, int]] = {}
    for what, name, count in counts:
        grouped.setdefault(what, {})[name] = count
    return CsvChecked(output, rows, grouped, message if status == _OPEN_QUOTE else None)
