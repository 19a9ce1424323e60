"""The accessor kalderos of a pandas Series and of a Dask Series (s.kalderos.ssn(), s.kalderos.card()), the
way pandas extends its types (as .str and .dt): registered when pandas or dask.dataframe is imported, before or
after kalderos, so that importing kalderos never imports either."""
import sys

from kalderos import _frames


class SeriesAccessor:
    """The records of a pandas Series of texts as frames with the Series' index.

    >>> import pandas
    >>> people = pandas.Series(["078-05-1120", None], index=[7, 9])
    >>> people.kalderos.ssn()[["verdict", "reason"]]
      verdict         reason
    7  invalid  known-invalid
    9  invalid          empty
    """

    def __init__(self, series):
        self._series = series

    def ssn(self, *, rules="current", groups=None):
        """kalderos.ssn_frame of the Series: a row per text, a column per SSN record field."""
        return _frames.ssn_frame(self._series, rules=rules, groups=groups)

    def card(self, *, rules="current"):
        """kalderos.card_frame of the Series: a row per text, a column per card record field."""
        return _frames.card_frame(self._series, rules=rules)


class DaskSeriesAccessor:
    """The records of a Dask Series of texts as a Dask DataFrame, each partition's frame made where the partition
    is (the checker, and a group file with it, is sent to the workers)."""

    def __init__(self, series):
        self._series = series

    def ssn(self, *, rules="current", groups=None):
        """kalderos.ssn_frame of every partition."""
        return self._map(_frames.ssn_partition, _frames.checker_of(rules, groups))

    def card(self, *, rules="current"):
        """kalderos.card_frame of every partition."""
        return self._map(_frames.card_partition, _frames.checker_of(rules, None))

    def _map(self, partition_frame, checker):
        meta = partition_frame(self._series._meta, checker)
        return self._series.map_partitions(partition_frame, checker, meta=meta)


def _register_pandas(pandas):
    pandas.api.extensions.register_series_accessor("kalderos")(SeriesAccessor)


def _register_dask(dataframe):
    dataframe.extensions.register_series_accessor("kalderos")(DaskSeriesAccessor)


_REGISTRARS = {"pandas": _register_pandas, "dask.dataframe": _register_dask}
_pending: dict = {}


class _AfterImport:
    """A finder of sys.meta_path that finds nothing itself: it lets the finders after it find pandas or
    dask.dataframe and registers the accessor once the module has run. (Not an importlib.abc.MetaPathFinder:
    importing importlib.abc would double the time `import kalderos` takes.)"""

    def find_spec(self, name, path, target=None):
        register = _pending.get(name)
        if register is None:
            return None
        for finder in sys.meta_path[sys.meta_path.index(self) + 1:]:
            spec = finder.find_spec(name, path, target) if hasattr(finder, "find_spec") else None
            if spec is not None:
                break
        else:
            return None
        loader = spec.loader
        if loader is None or not hasattr(loader, "exec_module"):
            return spec
        run = loader.exec_module

        def run_and_register(module):
            run(module)
            _registered(name)(module)

        loader.exec_module = run_and_register
        return spec


_after_import = _AfterImport()


def _registered(name):
    register = _pending.pop(name)
    if not _pending and _after_import in sys.meta_path:
        sys.meta_path.remove(_after_import)
    return register


def register():
    """Registers the accessors of the modules imported already, and the others when they are imported."""
    for name, register_accessor in _REGISTRARS.items():
        if name in sys.modules:
            register_accessor(sys.modules[name])
        else:
            _pending[name] = register_accessor
    if _pending and _after_import not in sys.meta_path:
        sys.meta_path.insert(0, _after_import)
