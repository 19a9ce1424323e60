"""Check US Social Security Numbers and payment-card numbers as the kalderos program does.

Every answer is the one the program's JSON Lines record gives (``kalderos --format=jsonl``, with ``-C`` for
cards): a result's attributes are the record's fields, by the same names and with the same values, None where
the record has null.

    >>> import kalderos
    >>> kalderos.check_ssn("078-05-1120").reason
    'known-invalid'
    >>> kalderos.check_card("4111 1111 1111 1111").outcome
    'UNKNOWN'

One text:    check_ssn(text, rules="current", groups=None) -> SsnResult
             check_card(text, rules="current") -> CardResult
Many texts:  check_ssns(texts, ...) -> list of SsnResult, check_cards(texts, ...) -> list of CardResult
pandas:      ssn_frame(texts, ...), card_frame(texts, ...) -> DataFrame, one row per text, one column per field
Made once:   Checker(rules="current", groups=None), whose methods are the same calls without the settings

Rules. "current" (the default here) judges by what can be known since issuance became random on 25 June 2011;
"classic" by the issuance data of 2011, as the program does by default (its --rules=classic).

Texts. A text is a str or bytes; it is read up to its first NUL character, as a line of a list is. A str is
judged as its UTF-8 bytes (the surrogates of surrogateescape, U+DC80-U+DCFF, as the bytes they stand for).

Group files. ``groups`` takes a group file's text (bytes, or a str holding a line feed) or its path (any other
str, or an os.PathLike), and is read over the built-in highest groups as the program's -g reads it.

Errors. A rules value other than "classic" or "current" raises ValueError, an argument of the wrong type
TypeError, and a group file that cannot be read OSError (FileNotFoundError, ...) naming the file.
"""

import os

from kalderos._kalderos import CARD_FIELDS, SSN_FIELDS, CardResult, SsnResult
from kalderos._kalderos import Checker as _CompiledChecker

__all__ = [
    "CARD_FIELDS",
    "RULE_SETS",
    "SSN_FIELDS",
    "CardResult",
    "Checker",
    "SsnResult",
    "card_frame",
    "check_card",
    "check_cards",
    "check_ssn",
    "check_ssns",
    "ssn_frame",
]

RULE_SETS = ("classic", "current")


def _group_text(groups):
    """The bytes of the group file that `groups` gives or names, None for none."""
    if groups is None or isinstance(groups, bytes):
        return groups
    if isinstance(groups, (bytearray, memoryview)):
        return bytes(groups)
    if isinstance(groups, str) and "\n" in groups:
        return groups.encode("utf-8", "surrogateescape")
    if not isinstance(groups, (str, os.PathLike)):
        raise TypeError("groups must be a group file's text (bytes, or a str with a line feed) or its path "
                        f"(str, os.PathLike), not {type(groups).__name__}")
    try:
        with open(groups, "rb") as group_file:
            return group_file.read()
    except OSError as error:
        raise type(error)(error.errno, f"cannot read the group file: {error.strerror}",
                          os.fspath(groups)) from None


class Checker(_CompiledChecker):
    """The checks of one rule set (and group file), made once and used for any number of texts.

    Checker(rules="current", groups=None): rules is "current" or "classic"; groups a group file's text (bytes,
    or a str holding a line feed) or path (another str, os.PathLike), read over the built-in highest groups.
    The module's functions make one per call (the ones without a group file are made once); make your own to
    judge many calls' texts against one group file. A checker is never changed once made; it pickles, so it
    may be sent to Dask's workers.
    """

    def __init__(self, rules="current", groups=None):
        super().__init__(rules, _group_text(groups))

    def __reduce__(self):
        # The highest groups it judges by, as a group file of every area: the same checks, wherever unpickled.
        text = "".join(f"{area} {group}\n" for area, group in enumerate(self.highest_groups))
        return (Checker, (self.rules, text.encode("ascii")))


_PLAIN_CHECKERS = {}


def _checker(rules, groups):
    if groups is None:
        try:
            return _PLAIN_CHECKERS[rules]
        except (KeyError, TypeError):
            checker = Checker(rules)
            _PLAIN_CHECKERS[checker.rules] = checker
            return checker
    return Checker(rules, groups)


def check_ssn(text, rules="current", groups=None):
    """The SsnResult of one SSN text (str or bytes): what the program's record says of it, field by field.

    >>> kalderos.check_ssn("123-45-6789", rules="classic").place
    'New York'
    """
    return _checker(rules, groups).check_ssn(text)


def check_card(text, rules="current"):
    """The CardResult of one payment-card text (str or bytes), by the card networks of the rule set."""
    return _checker(rules, None).check_card(text)


def check_ssns(texts, rules="current", groups=None):
    """A list of the SsnResult of every text of an iterable of str or bytes, in its order, by one checker."""
    return _checker(rules, groups).check_ssns(texts)


def check_cards(texts, rules="current"):
    """A list of the CardResult of every text of an iterable of str or bytes, in its order, by one checker."""
    return _checker(rules, None).check_cards(texts)


def _frame_texts(texts, pandas):
    """The texts of a frame, and the index its rows take (a Series' own, else 0, 1, ...)."""
    if isinstance(texts, pandas.Series):
        # Missing values (NaN, None, pandas.NA) all become None, which a frame judges as an empty text.
        return texts.to_numpy(dtype=object, na_value=None).tolist(), texts.index
    return texts, None


def _frame(pandas, fields, columns, index):
    return pandas.DataFrame(dict(zip(fields, columns)), index=index, copy=False)


def ssn_frame(texts, rules="current", groups=None):
    """A pandas DataFrame of the SSN records of `texts`: one row per text, one column per field (SSN_FIELDS).

    `texts` is an iterable of str or bytes, or a pandas Series, whose index the frame takes, so that
    ``df.join(kalderos.ssn_frame(df["ssn"]).drop(columns="input"))`` puts the fields beside every row. A
    missing value (None, NaN, pandas.NA) is judged as an empty text, reason "empty"; its input is None. The
    text fields are object columns of str and None, well_formed and confirm bool columns.
    """
    import pandas

    texts, index = _frame_texts(texts, pandas)
    return _frame(pandas, SSN_FIELDS, _checker(rules, groups)._ssn_columns(texts), index)


def card_frame(texts, rules="current"):
    """A pandas DataFrame of the card records of `texts`: one row per text, one column per field (CARD_FIELDS).

    Takes texts as ssn_frame does (a Series' index is kept; a missing value is judged as an empty text).
    """
    import pandas

    texts, index = _frame_texts(texts, pandas)
    return _frame(pandas, CARD_FIELDS, _checker(rules, None)._card_columns(texts), index)
