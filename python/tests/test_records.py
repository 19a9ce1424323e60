"""The module's results are the program's records: field by field, for a table of texts, and for every text of
the end-to-end tables under each rule set, as bytes and as str."""
import pytest

import kalderos

NONE = dict(well_formed=False, area=None, group=None, serial=None, place=None, verdict="invalid", confirm=False,
            reason="malformed", issued_after=None, issued_by=None)


def ssn(well_formed, area, group, serial, place, verdict, confirm, reason, issued_after, issued_by):
    return dict(well_formed=well_formed, area=area, group=group, serial=serial, place=place, verdict=verdict,
                confirm=confirm, reason=reason, issued_after=issued_after, issued_by=issued_by)


GROUPS = "001 13\n800 12\n"

# text, rules, group file text, the record's fields after the input
SSN_ROWS = [
    ("123-96-0001", "classic", None, ssn(True, "123", "96", "0001", "New York", "valid", True, "ok", "2007-07", "2011-06")),
    ("  001-06-1234\t", "classic", None,
     ssn(True, "001", "06", "1234", "New Hampshire", "valid", True, "ok", "2003-11", "2011-06")),
    ("078-05-1120", "classic", None,
     ssn(True, "078", "05", "1120", "New York", "invalid", False, "known-invalid", None, None)),
    ("078-05-1120", "current", None,
     ssn(True, "078", "05", "1120", "New York", "invalid", False, "known-invalid", None, None)),
    ("800-12-3456", "classic", None,
     ssn(True, "800", "12", "3456", None, "unknown", False, "area-after-2011", "2011-06", None)),
    ("000-00-0001", "classic", None, ssn(True, "000", "00", "0001", None, "invalid", False, "area-000", None, None)),
    ("580-01-0001", "classic", None,
     ssn(True, "580", "01", "0001", "Virgin Islands, Puerto Rico", "valid", False, "ok", None, "2003-11")),
    ("001-13-0001", "current", None, ssn(True, "001", "13", "0001", None, "valid", False, "ok", "2011-06", None)),
    ("001-11-0001", "current", None,
     ssn(True, "001", "11", "0001", "New Hampshire", "valid", True, "ok", "2007-07", None)),
    ("001130001", "current", GROUPS,
     ssn(True, "001", "13", "0001", "New Hampshire", "valid", True, "ok", "2011-06", None)),
    ("800-12-3456", "current", GROUPS, ssn(True, "800", "12", "3456", None, "valid", True, "ok", "2011-06", None)),
    ("123-96-", "classic", None, NONE),
    ("", "current", None, {**NONE, "reason": "empty"}),
    (" \t ", "classic", None, {**NONE, "reason": "empty"}),
    ("123 45 6789", "current", None, ssn(True, "123", "45", "6789", None, "valid", False, "ok", "2011-06", None)),
    ("123 45-6789", "current", None, NONE),
    ("1234567890", "classic", None, NONE),
    ("078-05-1120\x00", "classic", None,
     ssn(True, "078", "05", "1120", "New York", "invalid", False, "known-invalid", None, None)),
]


def card(digits, type_, luhn, outcome, reason):
    return dict(digits=digits, type=type_, luhn=luhn, outcome=outcome, reason=reason)


CARD_ROWS = [
    ("4000-0000-0000-0002", "classic", card("4000000000000002", "VISA", "pass", "VISA", "ok")),
    ("1", "classic", card(None, None, "n/a", "UNKNOWN", "too-few-digits")),
    ("12345x7890123", "current", card(None, None, "n/a", "UNKNOWN", "not-a-number")),
    ("4000-000000000002", "classic", card(None, None, "n/a", "UNKNOWN", "bad-dashes")),
    ("4000000000000001", "classic", card("4000000000000001", "VISA", "fail", "VISA_X", "bad-check-digit")),
    ("51000000000000081", "classic", card("5100000000000008", "MasterCard", "pass", "MasterCard", "ok")),
    ("9000000000000000", "classic", card("9000000000000000", "Other", "n/a", "Other", "unknown-prefix")),
    ("3400000000000090", "classic", card("3400000000000090", "AMEX", "n/a", "2MANY_DIGITS", "too-many-digits")),
    ("6221260000000000", "current", card("6221260000000000", "Discover", "pass", "Discover", "ok")),
    ("6360000000000002", "current",
     card("6360000000000002", "InterPayment", "fail", "InterPayment_X", "bad-check-digit")),
    ("4111 1111 1111 1111", "classic", card("4111111111111111", "VISA", "pass", "VISA", "ok")),
    (" 3782 822463 10005\t", "current", card("378282246310005", "AMEX", "pass", "AMEX", "ok")),
    ("4111  1111 1111 1111", "classic", card(None, None, "n/a", "UNKNOWN", "not-a-number")),
    ("   ", "current", card(None, None, "n/a", "UNKNOWN", "empty")),
]


def fields(result, names):
    return dict(zip(names, result))


@pytest.mark.parametrize("text, rules, groups, expected", SSN_ROWS)
def test_ssn_table(text, rules, groups, expected):
    result = kalderos.check_ssn(text, rules=rules, groups=groups)
    # A text is read up to its first NUL, as the program reads a line.
    assert fields(result, kalderos.SSN_FIELDS) == {"input": text.split("\0")[0], **expected}
    assert result.reason == expected["reason"] and result.area == expected["area"]


@pytest.mark.parametrize("text, rules, expected", CARD_ROWS)
def test_card_table(text, rules, expected):
    result = kalderos.check_card(text, rules=rules)
    assert fields(result, kalderos.CARD_FIELDS) == {"input": text, **expected}
    assert result.outcome == expected["outcome"]


def test_the_default_rules_are_current():
    assert kalderos.check_ssn("001-13-0001") == kalderos.check_ssn("001-13-0001", rules="current")
    assert kalderos.check_ssn("001-13-0001") != kalderos.check_ssn("001-13-0001", rules="classic")
    assert kalderos.check_card("6221260000000000").type == "Discover"


def expected_records(records, options, texts):
    """The program's records with the input as the module gives it back: the bytes (up to a NUL), which the
    records write escaped (a byte above 127 as the character of that number)."""
    rows = records(options, texts)
    for row, text in zip(rows, texts):
        text = text.split(b"\0")[0]
        assert row["input"] == text.decode("latin-1")
        row["input"] = text
    return rows


def as_str(texts):
    return [text.decode("utf-8", "surrogateescape") for text in texts]


@pytest.mark.parametrize("rules", kalderos.RULE_SETS)
def test_every_table_text_as_the_ssn_record(records, table_texts, rules):
    expected = expected_records(records, [f"--rules={rules}"], table_texts)
    results = kalderos.check_ssns(table_texts, rules=rules)
    assert [fields(result, kalderos.SSN_FIELDS) for result in results] == expected
    # The same texts as str, decoded as Python decodes file names: the same results but for the input's type.
    assert [result[1:] for result in kalderos.check_ssns(as_str(table_texts), rules=rules)] == \
        [result[1:] for result in results]


@pytest.mark.parametrize("rules", kalderos.RULE_SETS)
def test_every_table_text_as_the_card_record(records, table_texts, rules):
    expected = expected_records(records, ["-C", f"--rules={rules}"], table_texts)
    results = kalderos.check_cards(table_texts, rules=rules)
    assert [fields(result, kalderos.CARD_FIELDS) for result in results] == expected
    assert [result[1:] for result in kalderos.check_cards(as_str(table_texts), rules=rules)] == \
        [result[1:] for result in results]


@pytest.mark.parametrize("rules", kalderos.RULE_SETS)
def test_every_table_text_with_a_group_file(records, table_texts, tmp_path, rules):
    group_file = tmp_path / "groups.txt"
    group_file.write_text("001 13\n123 10 800 12\nword 580 02\n")
    expected = expected_records(records, [f"--rules={rules}", "-g", str(group_file)], table_texts)
    for groups in [group_file, str(group_file), group_file.read_bytes(), group_file.read_text()]:
        results = kalderos.check_ssns(table_texts, rules=rules, groups=groups)
        assert [fields(result, kalderos.SSN_FIELDS) for result in results] == expected, groups
