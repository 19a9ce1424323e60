"""pandas data frames of the records: one row per text, one column per record field, the input, digits and
places as str, the flags bool, and the words categorical with every word of the rule set as a category."""
from kalderos._kalderos import CARD_FIELDS, SSN_FIELDS, Checker, _card_words, _ssn_words

# The checker of each rule set without a group file, made once.
_PLAIN_CHECKERS: dict = {}


def checker_of(rules, groups):
    """The checker of `rules` and `groups`: made once for each rule set where there is no group file."""
    if groups is None:
        try:
            return _PLAIN_CHECKERS[rules]
        except (KeyError, TypeError):
            checker = Checker(rules)
            _PLAIN_CHECKERS[checker.rules] = checker
            return checker
    return Checker(rules, groups=groups)


class _Kind:
    """What differs between the two kinds of record: the fields, their words, and the checker's call."""

    def __init__(self, fields, words, columns):
        self.fields, self._words, self.columns, self._dtypes = fields, words, columns, {}

    def dtypes(self, pandas, rules):
        """The categorical dtype of each word field under `rules`, made once."""
        if rules not in self._dtypes:
            self._dtypes[rules] = {field: pandas.CategoricalDtype(words) for field, words in self._words(rules).items()}
        return self._dtypes[rules]


_SSN = _Kind(SSN_FIELDS, _ssn_words, Checker._ssn_columns)
_CARD = _Kind(CARD_FIELDS, _card_words, Checker._card_columns)


def _frame(kind, checker, texts):
    import pandas

    index = None
    if isinstance(texts, pandas.Series):
        texts, index = texts.to_numpy(dtype=object).tolist(), texts.index
    dtypes = kind.dtypes(pandas, checker.rules)
    columns = {}
    for field, column in zip(kind.fields, kind.columns(checker, texts)):
        dtype = dtypes.get(field)
        columns[field] = column if dtype is None else pandas.Categorical.from_codes(column, dtype=dtype)
    return pandas.DataFrame(columns, index=index, copy=False)


def ssn_partition(texts, checker):
    """The SSN frame of `texts` by `checker`: one partition of a Dask Series."""
    return _frame(_SSN, checker, texts)


def card_partition(texts, checker):
    """The card frame of `texts` by `checker`."""
    return _frame(_CARD, checker, texts)


def ssn_frame(texts, *, rules="current", groups=None):
    """A pandas DataFrame of the SSN records of `texts`: one row per text, one column per field (SSN_FIELDS).

    `texts` is an iterable of str or bytes, or a pandas Series, whose index the frame takes, so that
    ``df.join(kalderos.ssn_frame(df["ssn"]).drop(columns="input"))`` puts the fields beside every row (as does
    ``df["ssn"].kalderos.ssn()``). A missing value (None, NaN, NaT, pandas.NA) is judged as an empty text, reason
    "empty"; its input is None. well_formed and confirm are bool columns; verdict, reason, issued_after and
    issued_by categorical, every value of the rule set a category, so that frames of other texts concatenate
    into the same types; the others str (None where the record has null).

    >>> frame = kalderos.ssn_frame(["078-05-1120", "001-13-0001", None])
    >>> frame[["area", "verdict", "reason"]]
       area  verdict         reason
    0   078  invalid  known-invalid
    1   001    valid             ok
    2  None  invalid          empty
    >>> list(frame["verdict"].cat.categories)
    ['valid', 'invalid']
    """
    return _frame(_SSN, checker_of(rules, groups), texts)


def card_frame(texts, *, rules="current"):
    """A pandas DataFrame of the card records of `texts`: one row per text, one column per field (CARD_FIELDS).

    Takes texts as ssn_frame does (a Series' index is kept; a missing value is judged as an empty text). type,
    luhn, outcome and reason are categorical, with every type and outcome of the rule set's card networks.

    >>> kalderos.card_frame(["4111 1111 1111 1111", "4111 1111 1111 1112"])[["digits", "type", "outcome"]]
                 digits  type outcome
    0  4111111111111111  VISA    VISA
    1  4111111111111112  VISA  VISA_X
    """
    return _frame(_CARD, checker_of(rules, None), texts)
