"""pandas frames: one row per text, one column per record field, the rows those of the results, a Series' index
kept so that a frame joins the one its column came from."""
import pandas
import pytest

import kalderos

TEXTS = ["123-96-0001", b"078-05-1120", "  001-06-1234\t", "12-3", "", "800-12-3456\0x"]


@pytest.mark.parametrize("rules", kalderos.RULE_SETS)
def test_rows_are_the_results(rules):
    frame = kalderos.ssn_frame(TEXTS, rules=rules)
    assert list(frame.columns) == list(kalderos.SSN_FIELDS)
    assert list(frame.index) == list(range(len(TEXTS)))
    assert [tuple(row) for row in frame.itertuples(index=False)] == kalderos.check_ssns(TEXTS, rules=rules)
    cards = kalderos.card_frame(iter(TEXTS), rules=rules)
    assert list(cards.columns) == list(kalderos.CARD_FIELDS)
    assert [tuple(row) for row in cards.itertuples(index=False)] == kalderos.check_cards(TEXTS, rules=rules)


def test_column_types():
    frame = kalderos.ssn_frame(TEXTS)
    assert frame.dtypes["well_formed"] == bool and frame.dtypes["confirm"] == bool
    assert all(frame.dtypes[name] == object for name in kalderos.SSN_FIELDS if name not in ("well_formed", "confirm"))
    assert frame["area"].tolist() == ["123", "078", "001", None, None, "800"]
    assert frame["input"].tolist()[-1] == "800-12-3456"
    empty = kalderos.ssn_frame([])
    assert len(empty) == 0 and list(empty.columns) == list(kalderos.SSN_FIELDS)
    assert empty.dtypes["confirm"] == bool


def test_a_series_index_is_kept_and_joins():
    people = pandas.DataFrame({"name": ["Ann", "Bo", "Cy"], "ssn": ["078-05-1120", "001-13-0001", "12"]},
                              index=[30, 10, 20])
    joined = people.join(kalderos.ssn_frame(people["ssn"], rules="current").drop(columns="input"))
    assert joined.loc[10, "verdict"] == "valid" and joined.loc[30, "reason"] == "known-invalid"
    assert joined.loc[20, "reason"] == "malformed" and joined.loc[20, "name"] == "Cy"
    assert list(joined.index) == [30, 10, 20]
    assert list(kalderos.card_frame(people["ssn"]).index) == [30, 10, 20]


def test_missing_values_are_empty_texts():
    series = pandas.Series(["001-13-0001", None, float("nan"), pandas.NA], dtype=object)
    frame = kalderos.ssn_frame(series)
    assert frame["input"].tolist() == ["001-13-0001", None, None, None]
    assert frame["reason"].tolist() == ["ok", "empty", "empty", "empty"]
    strings = kalderos.card_frame(pandas.Series(["4111111111111111", None], dtype="string"))
    assert strings["reason"].tolist() == ["ok", "empty"]
    assert kalderos.ssn_frame([None, "1"])["input"].tolist() == [None, "1"]


def test_a_column_read_as_numbers_is_refused():
    with pytest.raises(TypeError, match=r"texts\[0\] must be str or bytes, not int"):
        kalderos.ssn_frame(pandas.Series([78051120]))
    with pytest.raises(TypeError, match="not one str"):
        kalderos.card_frame("4111111111111111")
