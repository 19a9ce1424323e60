"""The example's Dask run: a CSV read with dask.dataframe, its SSN column checked partition by partition through
a Dask Series' accessor under a LocalCluster of two worker processes, equals the same check in this one
process."""
import csv
import random

import dask.dataframe
import pandas
import pandas.testing

import dask_ssn_column as example
import kalderos


def write_people(path, count, column="ssn", separator=","):
    shapes = ["{:03}-{:02}-{:04}", "{:03}{:02}{:04}", " {:03}-{:02}-{:04} ", "{:03}-{:02}-{:03}", "{:03}, {:02}"]
    chooser = random.Random(20110625)
    with open(path, "w", newline="") as people:
        writer = csv.writer(people, delimiter=separator)
        writer.writerow(["name", column])
        for row in range(count):
            shape = chooser.choice(shapes)
            ssn = shape.format(chooser.randrange(1000), chooser.randrange(100), chooser.randrange(10000))
            writer.writerow([f"person {row}", "" if row % 97 == 0 else "n/a" if row % 89 == 0 else ssn])


def checked_here(path, column="ssn", separator=","):
    people = pandas.read_csv(path, sep=separator, dtype=str, keep_default_na=False)
    return people.join(people[column].kalderos.ssn(rules="current").drop(columns="input"))


def test_two_worker_processes_give_what_one_process_gives(tmp_path):
    path = tmp_path / "people.csv"
    write_people(path, 60000)
    staff = tmp_path / "staff.csv"
    write_people(staff, 3000, column="SSN", separator="\t")
    with example.local_cluster(local_directory=str(tmp_path)) as cluster, example.Client(cluster) as client:
        assert len(client.scheduler_info()["workers"]) == 2
        spread = example.check_csv(str(path), blocksize=200_000)
        spread_staff = example.check_csv(str(staff), column="SSN", separator="\t", blocksize=20_000)
    alone = checked_here(path)
    assert len(spread) == 60000
    pandas.testing.assert_frame_equal(spread.reset_index(drop=True), alone.reset_index(drop=True))
    assert set(alone["reason"]) >= {"ok", "malformed", "area-000", "group-00", "empty"}
    pandas.testing.assert_frame_equal(spread_staff.reset_index(drop=True),
                                      checked_here(staff, "SSN", "\t").reset_index(drop=True))


def test_the_accessor_of_a_dask_series_maps_its_partitions():
    texts = pandas.Series(["078-05-1120", None, "4111 1111 1111 1111", "800-12-3456", "12"] * 5, name="texts")
    series = dask.dataframe.from_pandas(texts, npartitions=3)
    for rules in kalderos.RULE_SETS:
        ssns = series.kalderos.ssn(rules=rules)
        assert ssns.npartitions == 3 and ssns["verdict"].cat.known
        pandas.testing.assert_frame_equal(ssns.compute(scheduler="sync"), kalderos.ssn_frame(texts, rules=rules))
        cards = series.kalderos.card(rules=rules).compute(scheduler="sync")
        pandas.testing.assert_frame_equal(cards, kalderos.card_frame(texts, rules=rules))
    # A group file is read once, here, and goes to the partitions with the checker.
    grouped = series.kalderos.ssn(rules="classic", groups=b"078 04\n800 12\n").compute(scheduler="sync")
    pandas.testing.assert_frame_equal(grouped, kalderos.ssn_frame(texts, rules="classic", groups=b"078 04\n800 12\n"))


def test_a_separator_as_typed():
    assert [example.separator_named(text) for text in [";", "tab", "\\t", "\t"]] == [";", "\t", "\t", "\t"]
