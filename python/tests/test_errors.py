"""Wrong arguments raise the error that says which; no text, however odd, fails to be judged."""
import copy
import gc
import os
import pickle

import pytest

import kalderos


@pytest.mark.parametrize("call, error, message", [
    (lambda: kalderos.check_ssn("1", rules="modern"), ValueError, "unknown rules 'modern'"),
    (lambda: kalderos.check_ssn("1", rules="Current"), ValueError, "'classic' and 'current'"),
    (lambda: kalderos.check_card("1", rules=""), ValueError, "unknown rules ''"),
    (lambda: kalderos.ssn_frame(["1"], rules="2011"), ValueError, "unknown rules '2011'"),
    (lambda: kalderos.check_ssns(["1"], rules=b"current"), TypeError, "rules must be a str"),
    (lambda: kalderos.Checker(None), TypeError, "rules must be a str, 'classic' or 'current', not NoneType"),
    (lambda: kalderos.check_ssn(78051120), TypeError, "text must be str or bytes, not int"),
    (lambda: kalderos.check_card(None), TypeError, "text must be str or bytes, not NoneType"),
    (lambda: kalderos.check_ssns(["078-05-1120", b"1", 3]), TypeError, r"texts\[2\] must be str or bytes, not int"),
    (lambda: kalderos.check_cards([bytearray(b"1")]), TypeError, r"texts\[0\] must be str or bytes, not bytearray"),
    (lambda: kalderos.check_ssns("078-05-1120"), TypeError, "not one str .for one text, call check_ssn"),
    (lambda: kalderos.check_cards(b"4111"), TypeError, "not one bytes .for one text, call check_card"),
    (lambda: kalderos.check_ssns(5), TypeError, "texts must be an iterable of str or bytes, not int"),
    (lambda: kalderos.check_ssn("1", groups=13), TypeError, "groups must be a group file's text .* not int"),
    (lambda: kalderos.ssn_frame([1.5]), TypeError, r"texts\[0\] must be str or bytes, not float"),
    (lambda: kalderos.check_ssns([None, 0.0]), TypeError, r"texts\[1\] must be str or bytes, not float"),
    # The rules and the group file are named, never given by position.
    (lambda: kalderos.check_ssn("1", "classic"), TypeError, "incompatible function arguments"),
    (lambda: kalderos.check_cards(["1"], "classic"), TypeError, "incompatible function arguments"),
    (lambda: kalderos.ssn_frame(["1"], "classic"), TypeError, "takes 1 positional argument"),
    (lambda: kalderos.Checker("classic", b"123 10\n"), TypeError, "incompatible constructor arguments"),
])
def test_wrong_arguments(call, error, message):
    with pytest.raises(error, match=message):
        call()


def test_an_unreadable_group_file_is_an_os_error_naming_it(tmp_path):
    missing = tmp_path / "missing.txt"
    with pytest.raises(FileNotFoundError, match="cannot read the group file: No such file") as raised:
        kalderos.check_ssn("123-45-6789", groups=missing)
    assert raised.value.filename == str(missing)
    with pytest.raises(IsADirectoryError, match="cannot read the group file"):
        kalderos.Checker("classic", groups=str(tmp_path))
    with pytest.raises(OSError):
        kalderos.check_ssns(["1"], groups=str(missing))


def test_groups_as_text_or_path_alike(tmp_path):
    path = tmp_path / "g"
    path.write_bytes(b"123 10\n")
    expected = kalderos.check_ssn("123-90-0001", rules="classic", groups=b"123 10\n")
    assert expected.reason == "group-not-issued"
    for groups in [path, os.fspath(path), "123 10\n", bytearray(b"123 10\n")]:
        assert kalderos.check_ssn("123-90-0001", rules="classic", groups=groups) == expected
    assert kalderos.check_ssn("123-90-0001", rules="classic").reason == "ok"


def test_a_text_is_read_up_to_its_first_nul():
    for text in ["078-05-1120\0", "078-05-1120\0 123", b"078-05-1120\0\xff"]:
        result = kalderos.check_ssn(text, rules="classic")
        assert result.reason == "known-invalid" and result.input == text[:11]
    assert kalderos.check_ssn("\0078-05-1120").reason == "malformed"
    assert kalderos.check_card("4111111111111111\0x").input == "4111111111111111"
    assert kalderos.check_card("4111111111111111\0x").reason == "ok"


def test_surrogates_are_judged_as_the_bytes_they_stand_for():
    assert kalderos.check_ssn("\udcff078-05-1120") == kalderos.check_ssn("\udcff078-05-1120")
    assert kalderos.check_ssn("\udcff")[1:] == kalderos.check_ssn(b"\xff")[1:]
    lone = kalderos.check_ssns(["\ud800", "123-45-6789\ud800", "\udcff\ud800"])
    assert [result.reason for result in lone] == ["malformed"] * 3
    assert [result.input for result in lone] == ["\ud800", "123-45-6789\ud800", "\udcff\ud800"]
    assert kalderos.check_card("4111111111111111\udc80")[1:] == kalderos.check_card(b"4111111111111111\x80")[1:]


def test_huge_texts():
    blanks = " " * 50_000_000
    assert kalderos.check_ssn(blanks + "078-05-1120" + blanks).reason == "known-invalid"
    assert kalderos.check_ssn("7" * 100_000_000).reason == "malformed"
    assert kalderos.check_card(b"4" * 100_000_000).reason == "too-many-digits"
    assert kalderos.check_ssn("\u00e9" * 10_000_000).reason == "malformed"


def test_results_are_immutable_and_pickle():
    result = kalderos.check_ssn("123-96-0001", rules="classic")
    with pytest.raises(AttributeError):
        result.verdict = "invalid"
    assert hash(result) == hash(kalderos.check_ssn("123-96-0001", rules="classic"))
    assert pickle.loads(pickle.dumps(result)) == result
    card = kalderos.check_card(b"6011111111111117")
    assert type(pickle.loads(pickle.dumps(card))) is kalderos.CardResult and card.type == "Discover"


def test_a_checker_pickles_with_its_group_file():
    checker = kalderos.Checker("classic", groups="123 10\n")
    copy = pickle.loads(pickle.dumps(checker))
    assert copy.rules == "classic" and copy.highest_groups == checker.highest_groups
    assert copy.check_ssn("123-90-0001").reason == "group-not-issued"
    assert repr(copy) == "kalderos.Checker(rules='classic')"


@pytest.mark.parametrize("use", [
    lambda checker: checker.check_ssn("123-45-6789"),
    lambda checker: checker.check_card("4111111111111111"),
    lambda checker: checker.check_ssns(["123-45-6789"]),
    lambda checker: checker.check_cards([]),
    lambda checker: checker._ssn_columns(["1"]),
    lambda checker: checker.rules,
    lambda checker: checker.highest_groups,
    lambda checker: pickle.dumps(checker),
])
def test_a_checker_never_initialised_refuses_every_use(use):
    checker = kalderos.Checker.__new__(kalderos.Checker)
    with pytest.raises(TypeError, match="this kalderos.Checker was never initialised"):
        use(checker)
    assert repr(checker) == "<kalderos.Checker, never initialised>"


def test_a_result_is_a_named_tuple_of_its_fields_alone():
    result = kalderos.check_ssn("078-05-1120")
    assert kalderos.SsnResult._fields == kalderos.SSN_FIELDS and len(result) == len(kalderos.SSN_FIELDS)
    assert kalderos.SsnResult(tuple(result)) == result and copy.deepcopy(result) == result
    match result:
        case kalderos.SsnResult(text, _, area, reason=reason):
            assert (text, area, reason) == ("078-05-1120", "078", "known-invalid")
    # Its fields are read where the tuple holds them: one of another length is never made.
    for fields in [(), tuple(result) + ("x",), tuple(kalderos.check_card("1"))]:
        with pytest.raises(TypeError, match="takes an iterable of 11 fields"):
            kalderos.SsnResult(fields)
    with pytest.raises(TypeError, match="is not safe"):
        tuple.__new__(kalderos.SsnResult, ())
    with pytest.raises(TypeError):
        type("Wider", (kalderos.CardResult,), {})
    # Made by the module, it holds nothing the garbage collector need walk; made by a caller, anything.
    assert not gc.is_tracked(result) and not gc.is_tracked(kalderos.check_cards(["1"])[0])
    assert gc.is_tracked(kalderos.SsnResult([[]] * 11))
