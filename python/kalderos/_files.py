"""Group files named by path, read for the compiled part, which names the file when it cannot be read."""
import os


def read_group_file(path):
    """The bytes of the group file at `path` (a str or an os.PathLike)."""
    try:
        with open(path, "rb") as group_file:
            return group_file.read()
    except OSError as error:
        raise type(error)(error.errno, f"cannot read the group file: {error.strerror}", os.fspath(path)) from None
