"""The compiled part of the Python module for setuptools: built by this project's CMake build, from the same
sources and with the same settings as `cmake -DKALDEROS_BUILD_PYTHON=ON` (pyproject.toml holds the rest)."""
import os
import pathlib
import re
import shutil
import subprocess
import sys
import sysconfig

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = pathlib.Path(__file__).resolve().parent


def project_version():
    """The version CMakeLists.txt gives the project."""
    return re.search(r"project\(kalderos VERSION ([0-9.]+)", (HERE / "CMakeLists.txt").read_text()).group(1)


class CMakeBuild(build_ext):
    """Builds the target kalderos_python in a CMake build folder of setuptools' own, for the Python that runs
    setuptools, and copies the module where setuptools puts an extension."""

    def build_extension(self, extension):
        folder = pathlib.Path(self.build_temp).resolve() / "cmake"
        configure = ["cmake", "-S", str(HERE), "-B", str(folder), "-DCMAKE_BUILD_TYPE=Release",
                     "-DKALDEROS_BUILD_PYTHON=ON", "-DKALDEROS_BUILD_TESTS=OFF", f"-DPython3_EXECUTABLE={sys.executable}"]
        try:
            import pybind11
        except ImportError:
            pass  # CMake finds pybind11's own package (Debian's pybind11-dev)
        else:
            configure.append(f"-Dpybind11_DIR={pybind11.get_cmake_dir()}")
        subprocess.run(configure, check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL") or str(os.cpu_count() or 1)
        subprocess.run(["cmake", "--build", str(folder), "--target", "kalderos_python", "--parallel", jobs], check=True)
        built = folder / "python" / "kalderos" / ("_kalderos" + sysconfig.get_config_var("EXT_SUFFIX"))
        target = pathlib.Path(self.get_ext_fullpath(extension.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)


setup(
    version=project_version(),
    ext_modules=[Extension("kalderos._kalderos", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    # Beside the CMake build folders (build*/), not in the README's build/.
    options={"build": {"build_base": "build-python"}},
)
