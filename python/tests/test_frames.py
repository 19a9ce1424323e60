"""pandas frames: one row per text, one column per record field, the rows those of the results, the words
categorical with every value of the rule set, a Series' index kept so that a frame joins the one its column
came from, and the same through the accessor of a Series."""
import decimal
import subprocess
import sys

import numpy
import pandas
import pandas.testing
import pytest

import kalderos

TEXTS = ["123-96-0001", b"078-05-1120", "  001-06-1234\t", "12-3", "", "800-12-3456\0x"]


def rows(frame):
    """The frame's rows as tuples, a missing value of a categorical column as None, as the results have it."""
    return [tuple(None if value is None or pandas.isna(value) else value for value in row)
            for row in frame.itertuples(index=False)]


@pytest.mark.parametrize("rules", kalderos.RULE_SETS)
def test_rows_are_the_results(rules):
    frame = kalderos.ssn_frame(TEXTS, rules=rules)
    assert list(frame.columns) == list(kalderos.SSN_FIELDS)
    assert list(frame.index) == list(range(len(TEXTS)))
    assert rows(frame) == kalderos.check_ssns(TEXTS, rules=rules)
    cards = kalderos.card_frame(iter(TEXTS), rules=rules)
    assert list(cards.columns) == list(kalderos.CARD_FIELDS)
    assert rows(cards) == kalderos.check_cards(TEXTS, rules=rules)


@pytest.mark.parametrize("rules", kalderos.RULE_SETS)
def test_every_table_text_as_a_frame_row(table_texts, rules):
    # Every word a result holds is among its column's categories (else making the frame fails).
    assert rows(kalderos.ssn_frame(table_texts, rules=rules)) == kalderos.check_ssns(table_texts, rules=rules)
    assert rows(kalderos.card_frame(table_texts, rules=rules)) == kalderos.check_cards(table_texts, rules=rules)


MONTHS = ["2003-11", "2007-07", "2011-06"]
CLASSIC_REASONS = ["ok", "malformed", "area-after-2011", "area-000", "area-900-999", "group-00", "serial-0000",
                   "area-666", "known-invalid", "group-not-issued", "empty"]
CARD_REASONS = ["ok", "not-a-number", "bad-dashes", "too-few-digits", "unknown-prefix", "too-many-digits",
                "bad-check-digit", "empty"]
CLASSIC_TYPES = ["DINERS", "AMEX", "VISA", "MasterCard", "Discover", "JCB16", "JCB15", "enRoute", "Other"]

# frame, rules, column, its categories: every value the rule set gives, and none it cannot
CATEGORIES = [
    (kalderos.ssn_frame, "classic", "verdict", ["valid", "invalid", "unknown"]),
    (kalderos.ssn_frame, "current", "verdict", ["valid", "invalid"]),
    (kalderos.ssn_frame, "classic", "reason", CLASSIC_REASONS),
    (kalderos.ssn_frame, "current", "reason",
     [reason for reason in CLASSIC_REASONS if reason not in ("area-after-2011", "group-not-issued")]),
    (kalderos.ssn_frame, "classic", "issued_after", MONTHS),
    (kalderos.ssn_frame, "current", "issued_by", MONTHS),
    (kalderos.card_frame, "classic", "type", CLASSIC_TYPES),
    (kalderos.card_frame, "classic", "outcome",
     ["UNKNOWN", "2MANY_DIGITS"] + [t + x for t in CLASSIC_TYPES[:-2] for x in ("", "_X")] + ["enRoute", "Other"]),
    (kalderos.card_frame, "current", "luhn", ["n/a", "pass", "fail"]),
    (kalderos.card_frame, "current", "reason", CARD_REASONS),
]


@pytest.mark.parametrize("frame, rules, column, categories", CATEGORIES)
def test_word_columns_hold_every_value_of_the_rule_set(frame, rules, column, categories):
    assert list(frame([], rules=rules)[column].cat.categories) == categories
    assert list(frame(TEXTS, rules=rules)[column].cat.categories) == categories


def test_current_card_outcomes_have_an_x_only_with_a_check_digit():
    outcomes = list(kalderos.card_frame([])["outcome"].cat.categories)
    types = list(kalderos.card_frame([])["type"].cat.categories)
    assert "VISA_X" in outcomes and "UnionPay" in outcomes and "UnionPay_X" not in outcomes
    assert "Other_X" not in outcomes and set(types) <= set(outcomes) and "JCB16" not in types


def test_column_types():
    frame = kalderos.ssn_frame(TEXTS)
    assert frame.dtypes.to_dict() == {
        "input": object, "well_formed": bool, "area": object, "group": object, "serial": object, "place": object,
        "verdict": "category", "confirm": bool, "reason": "category", "issued_after": "category",
        "issued_by": "category"}
    assert frame["area"].tolist() == ["123", "078", "001", None, None, "800"]
    assert frame["input"].tolist()[-1] == "800-12-3456"
    assert kalderos.card_frame(TEXTS).dtypes.to_dict() == {
        "input": object, "digits": object, "type": "category", "luhn": "category", "outcome": "category",
        "reason": "category"}
    empty = kalderos.ssn_frame([])
    assert len(empty) == 0 and empty.dtypes.to_dict() == frame.dtypes.to_dict()


def test_frames_of_other_texts_concatenate_into_the_same_types():
    first, second = kalderos.ssn_frame(["078-05-1120"]), kalderos.ssn_frame(["", "800-12-3456"])
    joined = pandas.concat([first, second], ignore_index=True)
    assert joined.dtypes.to_dict() == first.dtypes.to_dict()
    assert joined["reason"].tolist() == ["known-invalid", "empty", "ok"]


def test_a_series_index_is_kept_and_joins():
    people = pandas.DataFrame({"name": ["Ann", "Bo", "Cy"], "ssn": ["078-05-1120", "001-13-0001", "12"]},
                              index=[30, 10, 20])
    joined = people.join(kalderos.ssn_frame(people["ssn"], rules="current").drop(columns="input"))
    assert joined.loc[10, "verdict"] == "valid" and joined.loc[30, "reason"] == "known-invalid"
    assert joined.loc[20, "reason"] == "malformed" and joined.loc[20, "name"] == "Cy"
    assert list(joined.index) == [30, 10, 20]
    assert list(kalderos.card_frame(people["ssn"]).index) == [30, 10, 20]


MISSING = [None, float("nan"), numpy.float32("nan"), numpy.float64("nan"), pandas.NA, pandas.NaT,
           numpy.datetime64("NaT"), decimal.Decimal("NaN")]


@pytest.mark.parametrize("missing", MISSING, ids=repr)
def test_missing_values_are_empty_texts_in_any_iterable(missing):
    for texts in [["001-13-0001", missing], ("001-13-0001", missing), pandas.Series(["001-13-0001", missing])]:
        assert [(r.input, r.reason) for r in kalderos.check_ssns(texts)] == [("001-13-0001", "ok"), (None, "empty")]
        assert [(r.input, r.reason) for r in kalderos.check_cards(texts)] == [("001-13-0001", "too-few-digits"),
                                                                                  (None, "empty")]
        frame = kalderos.ssn_frame(texts)
        assert frame["input"].tolist() == ["001-13-0001", None] and frame["reason"].tolist() == ["ok", "empty"]
    assert kalderos.card_frame([missing])["reason"].tolist() == ["empty"]


def test_missing_values_of_typed_series():
    strings = kalderos.card_frame(pandas.Series(["4111111111111111", None], dtype="string"))
    assert strings["reason"].tolist() == ["ok", "empty"]
    numbers = kalderos.ssn_frame(pandas.Series([numpy.nan, numpy.nan]))
    assert numbers["reason"].tolist() == ["empty", "empty"]


def test_a_column_read_as_numbers_is_refused():
    with pytest.raises(TypeError, match=r"texts\[0\] must be str or bytes, not int"):
        kalderos.ssn_frame(pandas.Series([78051120]))
    with pytest.raises(TypeError, match="not one str"):
        kalderos.card_frame("4111111111111111")


def test_the_accessor_gives_the_frames_with_the_series_index():
    series = pandas.Series(["078-05-1120", "4111 1111 1111 1111", None], index=["a", "b", "c"])
    for rules in kalderos.RULE_SETS:
        pandas.testing.assert_frame_equal(series.kalderos.ssn(rules=rules), kalderos.ssn_frame(series, rules=rules))
        pandas.testing.assert_frame_equal(series.kalderos.card(rules=rules), kalderos.card_frame(series, rules=rules))
    assert list(series.kalderos.ssn(groups=b"078 04\n").index) == ["a", "b", "c"]


@pytest.mark.parametrize("imports", ["import kalderos, pandas", "import pandas, kalderos",
                                     "import kalderos, dask.dataframe, pandas"])
def test_the_accessor_is_there_whichever_is_imported_first(imports):
    code = f"{imports}\nprint(pandas.Series(['078-05-1120']).kalderos.ssn().reason[0])"
    result = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True, check=True)
    assert result.stdout == "known-invalid\n" and result.stderr == ""
