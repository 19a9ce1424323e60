"""The example's Dask run: a CSV read with dask.dataframe, its SSN column checked partition by partition under a
LocalCluster of two worker processes, equals the same check in this one process."""
import csv
import random

import pandas
import pandas.testing

import dask_ssn_column as example


def write_people(path, count):
    shapes = ["{:03}-{:02}-{:04}", "{:03}{:02}{:04}", " {:03}-{:02}-{:04} ", "{:03}-{:02}-{:03}", "{:03}, {:02}"]
    chooser = random.Random(20110625)
    with open(path, "w", newline="") as people:
        writer = csv.writer(people)
        writer.writerow(["name", "ssn"])
        for row in range(count):
            shape = chooser.choice(shapes)
            ssn = shape.format(chooser.randrange(1000), chooser.randrange(100), chooser.randrange(10000))
            writer.writerow([f"person {row}", "" if row % 97 == 0 else ssn])


def test_two_worker_processes_give_what_one_process_gives(tmp_path):
    path = tmp_path / "people.csv"
    write_people(path, 60000)
    with example.local_cluster(local_directory=str(tmp_path)) as cluster, example.Client(cluster) as client:
        assert len(client.scheduler_info()["workers"]) == 2
        spread = example.check_csv(str(path), blocksize=200_000)
    alone = example.checked(pandas.read_csv(path, dtype=str, keep_default_na=False))
    assert len(spread) == 60000
    pandas.testing.assert_frame_equal(spread.reset_index(drop=True), alone.reset_index(drop=True))
    assert set(alone["reason"]) >= {"ok", "malformed", "area-000", "group-00"}
