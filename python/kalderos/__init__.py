"""Check US Social Security Numbers and payment-card numbers as the kalderos program does.

Every answer is the one the program's JSON Lines record gives (``kalderos --format=jsonl``, with ``-C`` for
cards): a result's attributes are the record's fields, by the same names and with the same values, None where
the record has null.

    >>> import kalderos
    >>> kalderos.check_ssn("078-05-1120").reason
    'known-invalid'
    >>> kalderos.check_card("4111 1111 1111 1111").outcome
    'VISA'

One text:    check_ssn(text, *, rules="current", groups=None) -> SsnResult
             check_card(text, *, rules="current") -> CardResult
Many texts:  check_ssns(texts, ...) -> list of SsnResult, check_cards(texts, ...) -> list of CardResult
pandas:      ssn_frame(texts, ...), card_frame(texts, ...) -> DataFrame, one row per text, one column per field;
             series.kalderos.ssn(...), series.kalderos.card(...) the same for a pandas or a Dask Series
CSV files:   check_csv(data, *, column, ...) -> CsvChecked: the output of kalderos --column=... and the counts
Made once:   Checker(rules="current", *, groups=None), whose methods are the same calls without the settings

Rules. "current" (the default here) judges by what can be known since issuance became random on 25 June 2011;
"classic" by the issuance data of 2011, as the program does by default (its --rules=classic). RULE_SETS names
them.

Texts. A text is a str or bytes; it is read up to its first NUL character, as a line of a list is. A str is
judged as its UTF-8 bytes (the surrogates of surrogateescape, U+DC80-U+DCFF, as the bytes they stand for). Among
many texts, a missing value (None, NaN, NaT, pandas.NA) is an empty text, whose input is None.

Group files. ``groups`` takes a group file's text (bytes, or a str holding a line feed) or its path (any other
str, or an os.PathLike), and is read over the built-in highest groups as the program's -g reads it.

Errors. A rules value other than those of RULE_SETS raises ValueError, an argument of the wrong type TypeError,
and a group file that cannot be read OSError (FileNotFoundError, ...) naming the file.
"""

from kalderos import _accessors
from kalderos._csv import CsvChecked, check_csv
from kalderos._frames import card_frame, ssn_frame
from kalderos._kalderos import (
    CARD_FIELDS,
    RULE_SETS,
    SSN_FIELDS,
    CardResult,
    Checker,
    SsnResult,
    check_card,
    check_cards,
    check_ssn,
    check_ssns,
)

__all__ = [
    "CARD_FIELDS",
    "RULE_SETS",
    "SSN_FIELDS",
    "CardResult",
    "Checker",
    "CsvChecked",
    "SsnResult",
    "card_frame",
    "check_card",
    "check_cards",
    "check_csv",
    "check_ssn",
    "check_ssns",
    "ssn_frame",
]

for _function in (ssn_frame, card_frame, check_csv, CsvChecked):
    _function.__module__ = __name__
del _function

_accessors.register()
