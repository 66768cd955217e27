"""Builds the Python module taviro for pip with the project's own CMake build,
so that a wheel holds the same extension as `cmake --install`, and the word
dictionary beside it."""

import os
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

SOURCE = Path(__file__).resolve().parent


class CMakeBuild(build_ext):
    def build_extension(self, ext: Extension) -> None:
        build = Path(self.build_temp).resolve() / "cmake"
        subprocess.run(["cmake", "-S", str(SOURCE), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
                        "-DTAVIRO_BUILD_TESTS=OFF", "-DTAVIRO_BUILD_UI=OFF",
                        f"-DPython3_EXECUTABLE={sys.executable}"], check=True)
        subprocess.run(["cmake", "--build", str(build), "--target", "taviro_python_package",
                        f"-j{os.environ.get('JOBS', '2')}"], check=True)
        built = build / "python" / "taviro"
        destination = Path(self.get_ext_fullpath(ext.name))
        destination.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(next(built.glob("_taviro.*.so")), destination)
        # The build tree links words.mdb; the wheel carries a copy.
        shutil.copyfile((built / "words.mdb").resolve(), destination.parent / "words.mdb")


setup(
    packages=["taviro"],
    package_dir={"": "python"},
    # The extension's types, and the mark that tells mypy the package has them.
    package_data={"taviro": ["py.typed", "_taviro.pyi"]},
    ext_modules=[Extension("taviro._taviro", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    # Out of the way of the CMake build in build/.
    options={"build": {"build_base": "build-python"}},
    zip_safe=False,
)
