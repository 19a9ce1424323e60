"""The module as a Python user installs it: in a virtual environment (with the system's packages, as a machine
without access to PyPI needs), `pip install --no-build-isolation --no-index .`; and a wheel made by
`python3 -m build --wheel --no-isolation`, installed into a second environment, where the module's tests run
against it. Works on a copy of the sources, so that the build folders pip and setuptools make stay out of the
tree.

Usage: check_pip_install.py SOURCE_DIR WORK_DIR   (with KALDEROS_PROGRAM and KALDEROS_TABLE_TEXTS set, as ctest
does, for the module's tests)"""
import os
import pathlib
import shutil
import subprocess
import sys

# What the build reads, from the top of the sources.
SOURCES = ["CMakeLists.txt", "pyproject.toml", "setup.py", "MANIFEST.in", "LICENSE", "README.md", "cmake", "data",
           "include", "man", "packaging", "python", "src"]


def run(*command, **options):
    print("+", " ".join(str(part) for part in command), flush=True)
    subprocess.run([str(part) for part in command], check=True, **options)


def environment(path):
    """A new virtual environment that sees the system's packages (pandas, Dask, pytest, the build tools)."""
    shutil.rmtree(path, ignore_errors=True)
    run(sys.executable, "-m", "venv", "--system-site-packages", path)
    return path / "bin" / "python"


def installed_from(python, env):
    """Where `python` imports kalderos from: inside `env`, never the build tree or the system's packages."""
    where = subprocess.run([python, "-c", "import kalderos; print(kalderos.__file__)"], check=True,
                           capture_output=True, text=True, env=env, cwd="/").stdout.strip()
    return pathlib.Path(where)


def main():
    source, work = pathlib.Path(sys.argv[1]).resolve(), pathlib.Path(sys.argv[2]).resolve()
    tree = work / "sources"
    shutil.rmtree(tree, ignore_errors=True)
    tree.mkdir(parents=True)
    for name in SOURCES:
        if (source / name).is_dir():
            shutil.copytree(source / name, tree / name, ignore=shutil.ignore_patterns("__pycache__", "*.egg-info"))
        else:
            shutil.copy2(source / name, tree / name)
    env = {name: value for name, value in os.environ.items() if name not in ("PYTHONPATH", "PIP_INDEX_URL")}
    env.setdefault("CMAKE_BUILD_PARALLEL_LEVEL", "2")

    # pip install . into the first environment.
    first = environment(work / "pip-env")
    run(first, "-m", "pip", "install", "--no-build-isolation", "--no-index", tree, env=env)
    assert installed_from(first, env).is_relative_to(work / "pip-env"), installed_from(first, env)
    run(first, "-c", "import kalderos; assert kalderos.check_ssn('078-05-1120').reason == 'known-invalid'",
        env=env, cwd="/")

    # A wheel, built by the same Python (its CMake build folder is the one pip's build left), into the second.
    dist = work / "dist"
    shutil.rmtree(dist, ignore_errors=True)
    run(first, "-m", "build", "--wheel", "--no-isolation", "--outdir", dist, tree, env=env)
    wheels = list(dist.glob("kalderos-*.whl"))
    assert len(wheels) == 1, wheels
    second = environment(work / "wheel-env")
    run(second, "-m", "pip", "install", "--no-index", wheels[0], env=env)
    assert installed_from(second, env).is_relative_to(work / "wheel-env"), installed_from(second, env)
    stub = installed_from(second, env).with_name("__init__.pyi")
    assert stub.is_file() and stub.with_name("py.typed").is_file()

    # The module's tests against the wheel (the example's folder for the Dask test).
    tests = source / "python" / "tests"
    env["PYTHONPATH"] = str(source / "python" / "examples")
    env["PYTHONDONTWRITEBYTECODE"] = "1"
    run(second, "-B", "-m", "pytest", "-q", "-p", "no:cacheprovider", *sorted(tests.glob("test_*.py")), env=env,
        cwd=work)


if __name__ == "__main__":
    main()
