"""CSV input read as Python's csv module reads it.

Generated files of stray quotes, blanks before quotes, ragged rows, every line end, byte-order marks, quoted line
breaks, doubled quotes, NUL bytes and UTF-16, with the delimiters , ; tab and |, go through
`kalderos --column=1 --no-header --format=csv`, with one job and with several over small blocks. The cells the
program writes back before each record, and the record's input, must be the rows and cells that the csv module
(excel dialect, strict=False, the file read as bytes) reads from the same file, and the output must read back
strictly. Run as: python3 csv_python_test.py PROGRAM
"""

import csv
import io
import os
import random
import subprocess
import sys
import tempfile

RECORD_FIELDS = 11  # the SSN record's fields after a row's cells
DELIMITERS = [",", ";", "\t", "|"]
LINE_ENDS = ["\n", "\r\n", "\r"]


def python_rows(text, delimiter):
    """The rows the csv module reads; a blank line, which it reads as no cell, is one empty cell."""
    reader = csv.reader(io.StringIO(text, newline=""), delimiter=delimiter, strict=False)
    return [row if row else [""] for row in reader]


def random_cell(rng, delimiter):
    other = rng.choice(DELIMITERS)
    choices = [
        lambda: str(rng.randint(100, 999)) + "-" + str(rng.randint(10, 99)) + "-" + str(rng.randint(1000, 9999)),
        lambda: "".join(rng.choice("ab c9") for _ in range(rng.randint(0, 12))),
        lambda: '"a' + delimiter + other + 'b"',
        lambda: '"line' + rng.choice(LINE_ENDS) + 'break"',
        lambda: '"O""Brien, ""Pat"""',
        lambda: '12" pizza',
        lambda: ' "a' + delimiter + 'b"',
        lambda: '"ab"cd',
        lambda: '""',
        lambda: "",
        lambda: "Zo\u00eb \U0001F600",
        lambda: "a\x00b",
        lambda: '"' * rng.randint(1, 4),
        lambda: "w" * rng.randint(40, 200),
        lambda: '"' + "q" * rng.randint(40, 200) + delimiter + '"',
    ]
    return rng.choice(choices)()


def random_text(rng, delimiter):
    rows = []
    for _ in range(rng.randint(1, 40)):
        cells = [random_cell(rng, delimiter) for _ in range(rng.randint(1, 5))]
        rows.append(delimiter.join(cells) + rng.choice(LINE_ENDS + ["\n"]))
        if rng.random() < 0.05:
            rows.append(rng.choice(LINE_ENDS))
    text = "".join(rows)
    if rng.random() < 0.2:
        text = text.rstrip("\r\n")
    if rng.random() < 0.1:
        text += '"never closed' + delimiter + "x\n"
    return text


def encoded(rng, text):
    """The file's bytes, and the text the program reads from them (UTF-8, as latin-1 for a byte per char)."""
    kind = rng.choice(["utf-8", "utf-8", "utf-8", "bom", "utf-16-le", "utf-16-be"])
    if kind == "utf-16-le":
        return b"\xff\xfe" + text.encode("utf-16-le"), text
    if kind == "utf-16-be":
        return b"\xfe\xff" + text.encode("utf-16-be"), text
    data = text.encode("utf-8")
    return (b"\xef\xbb\xbf" + data if kind == "bom" else data), text


def check(program, path, data, text, delimiter, jobs, block_bytes):
    shown = "tab" if delimiter == "\t" else delimiter
    env = dict(os.environ)
    if block_bytes:
        env["KALDEROS_BLOCK_BYTES"] = str(block_bytes)
    run = subprocess.run([program, "--column=1", "--no-header", "--format=csv", "--rules=current",
                          "--delimiter=" + shown, "--jobs=" + str(jobs), "-i", path],
                         capture_output=True, env=env, check=False)
    as_bytes = text.encode("utf-8").decode("latin-1")
    expected = python_rows(as_bytes, delimiter)
    where = f"{path} ({data[:60]!r}...), delimiter {shown!r}, --jobs={jobs}, blocks of {block_bytes}"
    assert run.returncode in (0, 2), f"{where}: exit {run.returncode}, {run.stderr!r}"
    assert run.returncode == 0 or b"a quoted field is still open" in run.stderr, f"{where}: {run.stderr!r}"
    output = run.stdout
    # The output keeps the input's byte-order mark, in UTF-8, in front of its first row.
    marked = data[:2] in (b"\xff\xfe", b"\xfe\xff") or data[:3] == b"\xef\xbb\xbf"
    assert output.startswith(b"\xef\xbb\xbf") == (marked and bool(expected)), f"{where}: {output[:20]!r}"
    if marked:
        output = output[3:]
    written = list(csv.reader(io.StringIO(output.decode("latin-1"), newline=""), delimiter=delimiter, strict=True))
    assert len(written) == len(expected), f"{where}: {len(written)} rows, Python reads {len(expected)}"
    width = len(expected[0]) if expected else 0
    for number, (row, cells) in enumerate(zip(written, expected), 1):
        padded = cells[:width] + [""] * (width - len(cells))
        assert row[:width] == padded, f"{where}, row {number}: {row[:width]!r}, Python reads {padded!r}"
        assert row[width + RECORD_FIELDS:] == cells[width:], f"{where}, row {number}: cells after the record"
        assert row[width] == cells[0].split("\x00")[0], f"{where}, row {number}: the record's input {row[width]!r}"


def main():
    program = sys.argv[1]
    rng = random.Random(33)
    with tempfile.TemporaryDirectory() as folder:
        for trial in range(300):
            delimiter = DELIMITERS[trial % len(DELIMITERS)]
            data, text = encoded(rng, random_text(rng, delimiter))
            path = os.path.join(folder, f"file{trial}.csv")
            with open(path, "wb") as file:
                file.write(data)
            check(program, path, data, text, delimiter, 1, None)
            if trial % 3 == 0:
                check(program, path, data, text, delimiter, 2 + trial % 2, rng.randint(1, 200))
    print("300 files read as Python's csv module reads them")


if __name__ == "__main__":
    main()
