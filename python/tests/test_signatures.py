"""What help() and editors show is what the module takes: the signatures pybind11 writes for the compiled
functions, the type stubs held to the module by mypy's stubtest and to those signatures, and every example of
every docstring run as a doctest."""
import ast
import doctest
import inspect
import pathlib
import pydoc
import subprocess
import sys
import typing

import pandas
import pytest

import kalderos

STUB = pathlib.Path(kalderos.__file__).with_suffix(".pyi")
HERE = pathlib.Path(__file__).parent


def stub_functions():
    """The stub's functions and methods by name ("check_ssn", "Checker.check_ssn"), as ast nodes."""
    tree = ast.parse(STUB.read_text())
    found = {}
    for node in tree.body:
        if isinstance(node, ast.FunctionDef):
            found[node.name] = node
        elif isinstance(node, ast.ClassDef):
            found.update({f"{node.name}.{item.name}": item for item in node.body if isinstance(item, ast.FunctionDef)})
    return found


def parameters(function):
    """(name, kind, default) of each parameter of an ast function: the shape a caller sees."""
    arguments = function.args
    positional = arguments.posonlyargs + arguments.args
    defaults = [None] * (len(positional) - len(arguments.defaults)) + arguments.defaults
    shape = [(a.arg, "positional", ast.unparse(d) if d else None) for a, d in zip(positional, defaults)]
    shape += [(a.arg, "keyword", ast.unparse(d) if d else None)
              for a, d in zip(arguments.kwonlyargs, arguments.kw_defaults)]
    return [(name, kind, default and repr(ast.literal_eval(default))) for name, kind, default in shape]


def compiled_signature(function):
    """The signature pybind11 wrote as the first line of `function`'s docstring, as an ast function."""
    first_line = function.__doc__.split("\n", 1)[0]
    return ast.parse(f"def {first_line}: ...").body[0]


COMPILED = ["check_ssn", "check_card", "check_ssns", "check_cards", "Checker.check_ssn", "Checker.check_card",
            "Checker.check_ssns", "Checker.check_cards", "Checker.__init__"]


@pytest.mark.parametrize("name", COMPILED)
def test_compiled_signatures_are_the_stubs(name):
    function = kalderos
    for part in name.split("."):
        function = getattr(function, part)
    written = compiled_signature(function)
    stub = stub_functions()[name]
    assert parameters(written) == parameters(stub)
    if name != "Checker.__init__":
        assert ast.unparse(written.returns).replace("kalderos.", "") == ast.unparse(stub.returns)


def test_help_shows_the_signatures():
    text = pydoc.render_doc(kalderos.check_ssn, renderer=pydoc.plaintext)
    assert ("check_ssn(text: str | bytes, *, rules: Literal['classic', 'current'] = 'current', "
            "groups: str | bytes | os.PathLike | None = None) -> kalderos.SsnResult") in text
    package = pydoc.render_doc(kalderos, renderer=pydoc.plaintext)
    for line in ["ssn_frame(texts, *, rules='current', groups=None)", "class SsnResult", "'valid', 'invalid' or 'unknown'",
                 "class Checker", "__init__(self: kalderos.Checker, rules: Literal['classic', 'current'] = 'current', *"]:
        assert line in package
    # The field docs are the record field list's.
    assert kalderos.SsnResult.area.__doc__ == "the area as written, '001'; none when the text is not well formed"


def test_the_rule_sets_are_the_stubs():
    tree = ast.parse(STUB.read_text())
    alias = next(node.value for node in tree.body if isinstance(node, ast.Assign) and node.targets[0].id == "_RuleSetName")
    assert typing.get_args(eval(ast.unparse(alias), {"Literal": typing.Literal})) == kalderos.RULE_SETS
    assert inspect.signature(kalderos.ssn_frame).parameters["rules"].default in kalderos.RULE_SETS


def test_stubtest():
    result = subprocess.run([sys.executable, "-m", "mypy.stubtest", "--mypy-config-file", str(HERE / "mypy.ini"),
                             "--allowlist", str(HERE / "stubtest_allowlist.txt"), "kalderos"],
                            capture_output=True, text=True)
    assert result.returncode == 0, result.stdout + result.stderr


def docstrings():
    """Every docstring of the package: its own, and its public names' and their members'."""
    yield "kalderos", kalderos.__doc__
    yield "SeriesAccessor", kalderos._accessors.SeriesAccessor.__doc__
    for name in kalderos.__all__:
        thing = getattr(kalderos, name)
        if callable(thing):
            yield name, thing.__doc__
        if isinstance(thing, type):
            for member_name, member in vars(thing).items():
                yield f"{name}.{member_name}", getattr(member, "__doc__", None)


def test_every_docstring_example_runs():
    parser, runner = doctest.DocTestParser(), doctest.DocTestRunner(optionflags=doctest.NORMALIZE_WHITESPACE)
    examples = 0
    for name, text in docstrings():
        if not isinstance(text, str):
            continue
        test = parser.get_doctest(text, {"kalderos": kalderos, "pandas": pandas}, name, None, 0)
        examples += len(test.examples)
        runner.run(test)
    assert runner.summarize(verbose=False).failed == 0
    assert examples >= 12
