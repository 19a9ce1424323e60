"""check_csv writes what the program writes for the same bytes and options, and raises what the others raise."""
import os
import subprocess

import pytest

import kalderos

# bytes, check_csv's options, the program's options
FILES = [
    (b"name,SSN\nAnn,078-05-1120\n\"Doe, J\",123-45-6789\nEve,\n", {"column": "SSN"}, ["--column=SSN"]),
    ("\ufeffA;Social Security No\r\n\"x;y\";772-12-3456\r\n".encode(), {"column": 2, "delimiter": ";"},
     ["--column=2", "--delimiter=;"]),
    (b"078-05-1120\tx\n123456789\n", {"column": 1, "header": False, "delimiter": "tab", "output_delimiter": ","},
     ["--column=1", "--no-header", "--delimiter=tab", "--output-delimiter=,"]),
    (b"card\n4111 1111 1111 1111\n12\n", {"column": "card", "cards": True}, ["--column=card", "-C"]),
]


@pytest.mark.parametrize("data, options, program_options", FILES)
@pytest.mark.parametrize("rules", ["classic", "current"])
@pytest.mark.parametrize("format", ["csv", "tsv", "jsonl"])
def test_the_programs_output(data, options, program_options, rules, format):
    if "output_delimiter" in options and format != "csv":
        pytest.skip("the program takes --output-delimiter with --format=csv alone")
    program = subprocess.run([os.environ["KALDEROS_PROGRAM"], f"--rules={rules}", f"--format={format}",
                              *program_options], input=data, capture_output=True, check=True)
    checked = kalderos.check_csv(data, rules=rules, format=format, **options)
    assert checked.output == program.stdout
    assert checked.problem is None


def test_counts_and_an_open_quote():
    checked = kalderos.check_csv(b"ssn\n078-05-1120\n\"123", column=1)
    assert (checked.rows, checked.counts["verdict"]) == (2, {"valid": 0, "invalid": 2, "unknown": 0})
    assert checked.problem == "a quoted field is still open at the end of the input"


@pytest.mark.parametrize("call, error, message", [
    (lambda: kalderos.check_csv("ssn\n", column=1), TypeError, "check_csv: data must be bytes"),
    (lambda: kalderos.check_csv(b"ssn\n", column=1.0), TypeError, "column must be the column's name"),
    (lambda: kalderos.check_csv(b"ssn\n", column=0), ValueError, "column 0 is no column number"),
    (lambda: kalderos.check_csv(b"ssn\n", column=1, rules="modern"), ValueError, "rules"),
    (lambda: kalderos.check_csv(b"ssn\n", column=1, format="text"), ValueError, "unknown format 'text'"),
    (lambda: kalderos.check_csv(b"ssn\n", column=1, delimiter='"'), ValueError, "cannot part fields"),
    (lambda: kalderos.check_csv(b"ssn\n", column="SSN number"), ValueError,
     "check_csv: no column 'SSN number' in the header row of the input"),
])
def test_wrong_arguments(call, error, message):
    with pytest.raises(error, match=message):
        call()
