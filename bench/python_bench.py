"""The Python module against python-stdnum on the same Python list of SSN texts, in one process: check_ssns and
ssn_frame over the lines of the 1-million-line list, stdnum.us.ssn.is_valid over the same list, and ssn_frame
over the 10-million-line list. Each call is timed with the freeing of what it returned, which its caller pays
too. Run by report.py with Debian's python3 and PYTHONPATH at the built module.

Usage: python_bench.py RUNS SSN_LIST_1M [SSN_LIST_10M]   (prints the report's lines, then a line of numbers)"""
import os
import statistics
import sys
import time

import kalderos


def texts_of(path):
    """The list's lines as str, as a Python program reading the file would have them."""
    with open(path, encoding="utf-8", errors="surrogateescape", newline="\n") as lines:
        return lines.read().split("\n")[:-1]


def median_seconds(call, runs):
    """The median time of `runs` calls, each until what it returned has been freed."""
    seconds = []
    for _ in range(runs):
        start = time.perf_counter()
        result = call()
        del result
        seconds.append(time.perf_counter() - start)
    return statistics.median(seconds)


def main():
    runs, path_1m = int(sys.argv[1]), sys.argv[2]
    texts = texts_of(path_1m)
    checker = kalderos.Checker()
    numbers = {
        "check_ssns": median_seconds(lambda: kalderos.check_ssns(texts), runs),
        "ssn_frame": median_seconds(lambda: kalderos.ssn_frame(texts), runs),
        "checker": median_seconds(lambda: checker.check_ssns(texts), runs),
    }
    try:
        if os.environ.get("BENCH_ALTERNATIVE", "1") == "0":
            raise ImportError("skipped")
        from stdnum.us import ssn
    except ImportError:
        numbers["stdnum"] = 0.0
    else:
        numbers["stdnum"] = median_seconds(lambda: [ssn.is_valid(text) for text in texts], 1)
    del texts
    if len(sys.argv) > 3:
        texts = texts_of(sys.argv[3])
        numbers["ssn_frame_10m"] = median_seconds(lambda: kalderos.ssn_frame(texts), max(1, runs // 2))
        numbers["lines_10m"] = len(texts)
    print(" ".join(f"{name}={value}" for name, value in numbers.items()))


if __name__ == "__main__":
    main()
