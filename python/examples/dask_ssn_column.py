"""The SSN column of CSV files checked with Dask: each partition by kalderos.ssn_frame, on the workers.

    python3 dask_ssn_column.py 'people-*.csv'                   two worker processes on this machine
    python3 dask_ssn_column.py 'people-*.csv' tcp://host:8786   the workers of a running cluster

Every worker imports kalderos itself: install python3-kalderos on every machine of a cluster.
"""
import sys

import dask.dataframe
from dask.distributed import Client, LocalCluster

import kalderos


def checked(people):
    """One partition of the people, with the record fields of its ssn column beside each row."""
    return people.join(kalderos.ssn_frame(people["ssn"], rules="current").drop(columns="input"))


def check_csv(paths, blocksize="64MB"):
    """The people of the CSV files with their SSNs' fields, computed by the current Dask client's workers, a
    partition of about `blocksize` bytes at a time."""
    # Every column as text: read as a number, an SSN would lose its leading zeros and its dashes.
    people = dask.dataframe.read_csv(paths, dtype=str, keep_default_na=False, blocksize=blocksize)
    return people.map_partitions(checked, meta=checked(people._meta)).compute()


def local_cluster(**options):
    """Two worker processes of one thread each on this machine, reached on 127.0.0.1 alone, no dashboard."""
    return LocalCluster(n_workers=2, threads_per_worker=1, processes=True, host="127.0.0.1", dashboard_address=None,
                        **options)


def main():
    paths, scheduler = sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else None
    with (Client(scheduler) if scheduler else Client(local_cluster())) as client:
        print(f"{len(client.scheduler_info()['workers'])} workers")
        people = check_csv(paths)
    print(people[["name", "ssn", "verdict", "reason", "place"]].to_string(index=False))
    print(people.groupby("reason").size().to_string())


if __name__ == "__main__":
    main()
