"""The SSN column of CSV files checked with Dask: each partition by kalderos, on the workers.

    python3 dask_ssn_column.py 'people-*.csv'                      two worker processes on this machine
    python3 dask_ssn_column.py 'people-*.csv' tcp://host:8786      the workers of a running cluster
    python3 dask_ssn_column.py --column SSN --separator ';' 'staff-*.csv'

Every worker imports kalderos itself: install python3-kalderos on every machine of a cluster.
"""
import argparse

import dask.dataframe
from dask.distributed import Client, LocalCluster

import kalderos  # also gives a Dask Series its accessor .kalderos


def check_csv(paths, column="ssn", separator=",", blocksize="64MB"):
    """The rows of the CSV files with the record fields of their SSN column beside each, computed by the current
    Dask client's workers, a partition of about `blocksize` bytes at a time."""
    # Every column as text, an empty cell as an empty text: read as a number, an SSN would lose its leading zeros
    # and its dashes, and pandas would take cells such as "n/a" or "NULL" for missing.
    people = dask.dataframe.read_csv(paths, sep=separator, dtype=str, keep_default_na=False, blocksize=blocksize)
    fields = people[column].kalderos.ssn(rules="current").drop(columns="input")
    return people.assign(**{name: fields[name] for name in fields.columns}).compute()


def local_cluster(**options):
    """Two worker processes of one thread each on this machine, reached on 127.0.0.1 alone, no dashboard."""
    return LocalCluster(n_workers=2, threads_per_worker=1, processes=True, host="127.0.0.1", dashboard_address=None,
                        **options)


def separator_named(text):
    """A separator as typed: one character, or "tab" or "\\t" for a tab."""
    if text in ("tab", "\\t"):
        return "\t"
    if len(text) != 1:
        raise argparse.ArgumentTypeError(f"a separator is one character, or tab, not {text!r}")
    return text


def main():
    parser = argparse.ArgumentParser(description="Check the SSN column of CSV files with Dask and kalderos.")
    parser.add_argument("paths", help="the CSV files: a path, a pattern such as 'people-*.csv', or a URL Dask reads")
    parser.add_argument("scheduler", nargs="?", help="a Dask scheduler's address (default: two local workers)")
    parser.add_argument("--column", default="ssn", help="the column of SSNs (default: ssn)")
    parser.add_argument("--separator", default=",", type=separator_named,
                        help="what separates the fields: one character, or tab (default: a comma)")
    arguments = parser.parse_args()
    with Client(arguments.scheduler) if arguments.scheduler else Client(local_cluster()) as client:
        print(f"{len(client.scheduler_info()['workers'])} workers")
        people = check_csv(arguments.paths, arguments.column, arguments.separator)
    read = [name for name in people.columns if name not in kalderos.SSN_FIELDS]
    print(people[read + ["verdict", "reason", "place"]].to_string(index=False))
    print(people.groupby("reason", observed=True).size().sort_index().to_string())


if __name__ == "__main__":
    main()
