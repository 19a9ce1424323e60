"""What the module's tests share: the built program and the texts of its end-to-end tables, which ctest names in
KALDEROS_PROGRAM and KALDEROS_TABLE_TEXTS."""
import json
import os
import subprocess

import pytest


def _required(name):
    value = os.environ.get(name)
    if not value:
        pytest.fail(f"{name} is not set: run the module's tests through ctest")
    return value


@pytest.fixture(scope="session")
def program():
    return _required("KALDEROS_PROGRAM")


@pytest.fixture(scope="session")
def table_texts():
    """Every text of the end-to-end tables, as bytes."""
    out = subprocess.run([_required("KALDEROS_TABLE_TEXTS")], check=True, capture_output=True).stdout
    texts = out.split(b"\n")[:-1]
    assert len(texts) > 500
    return texts


@pytest.fixture(scope="session")
def records(program):
    """records(options, texts): the program's JSON Lines records of `texts` (bytes), one dict per text."""

    def run(options, texts):
        result = subprocess.run([program, "--format=jsonl", *options], input=b"".join(t + b"\n" for t in texts),
                                capture_output=True, check=True)
        lines = result.stdout.split(b"\n")[:-1]
        assert len(lines) == len(texts)
        return [json.loads(line) for line in lines]

    return run
