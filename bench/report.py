"""Measures kalderos on the list files against the floor and the python-stdnum loop and prints the report,
targets included. Run through run.sh, which builds the tools and writes the list files first.

Usage: report.py SIZE...   (sizes 1m, 10m; environment: BENCH_RUNS, BENCH_ALTERNATIVE)"""
import hashlib
import os
import platform
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
KALDEROS = os.path.join(HERE, "build", "kalderos", "kalderos")
KALDEROS_STATIC_RUNTIME = os.path.join(HERE, "build", "kalderos_static_runtime")
PLAIN = os.path.join(HERE, "build", "reference", "kalderos_reference")
FLOOR = os.path.join(HERE, "build", "floor")
LIBRARY_LOOP = os.path.join(HERE, "build", "library_loop")
RUN_TIMED = os.path.join(HERE, "build", "run_timed")
ALTERNATIVE = os.path.join(HERE, "stdnum_loop.py")
SYSTEM_PYTHON = "/usr/bin/python3"
PYTHON_MODULE_DIR = os.path.join(HERE, "build", "kalderos", "python")
PYTHON_BENCH = os.path.join(HERE, "python_bench.py")

RUNS = int(os.environ.get("BENCH_RUNS", "7"))
SINGLE_RUNS = 100
# Bytes of a typical result line, which the floor writes once per input line.
RESULT_BYTES = {"ssn": 50, "card": 36}

TARGET_LINES_PER_SECOND = 25e6
TARGET_FLOOR_RATIO = 6.0
TARGET_ALTERNATIVE_RATIO = 100.0
TARGET_RSS_KIB = 8 * 1024
TARGET_RSS_GROWTH_KIB = 1024
TARGET_SINGLE_SECONDS = 0.002
# The record formats, each against the text format on the same list.
RECORD_FORMATS = ["tsv", "jsonl"]
TARGET_FORMAT_RATIO = 2.0
# One Checker of the library over a list, against the program's tsv records of it into /dev/null.
TARGET_LIBRARY_RATIO = 1.5
# The Python module over a list of a million SSN texts, as many times as fast as python-stdnum's is_valid on the
# same list, each call timed with the freeing of what it returned; and ssn_frame over ten million.
TARGET_PYTHON_RATIOS = {"check_ssns": 20.0, "ssn_frame": 40.0}
TARGET_FRAME_10M_SECONDS = 10.0
# --jobs: two threads against one, in the text and both record formats, output to /dev/null and to a file.
TARGET_JOBS_SPEEDUP = 1.7
JOBS_RSS = [1, 2, 8]
# A CSV file's SSN column against the SSN list of the same numbers (both as records, current rules), the CSV
# file with two threads against one, the strict text format (any long option) against the lenient one (none),
# and --summary against the tsv records.
TARGET_CSV_RATIO = 2.5
TARGET_CSV_JOBS_SPEEDUP = 1.6
TARGET_STRICT_RATIO = 1.05
TARGET_SUMMARY_RATIO = 1.0


def timed(command, runs, output="/dev/null"):
    """(median seconds, peak RSS KiB) of `runs` runs, timed by run_timed in C so that neither Python's start-up
    nor its memory counts."""
    result = subprocess.run([RUN_TIMED, str(runs), output] + command, check=True, capture_output=True, text=True)
    median, _fastest, rss, code = result.stdout.split()
    if code != "0":
        sys.exit(f"{' '.join(command)} ended with exit code {code}")
    return float(median), int(rss)


def interleaved(commands, runs):
    """Runs the commands in turn, `runs` rounds, so that a burst of load elsewhere hits all of them alike;
    gives (median seconds, peak RSS KiB) per command."""
    seconds = [[] for _ in commands]
    rss = [0 for _ in commands]
    for _ in range(runs):
        for i, command in enumerate(commands):
            run_seconds, run_rss = timed(command, 1)
            seconds[i].append(run_seconds)
            rss[i] = max(rss[i], run_rss)
    return [(statistics.median(s), r) for s, r in zip(seconds, rss)]


def output_digest(command):
    digest = hashlib.sha256()
    with subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL) as process:
        for chunk in iter(lambda: process.stdout.read(1 << 20), b""):
            digest.update(chunk)
    if process.returncode != 0:
        sys.exit(f"{' '.join(command)} ended with exit code {process.returncode}")
    return digest.hexdigest()


def count_lines(path):
    lines = 0
    last = b"\n"
    with open(path, "rb") as data:
        for chunk in iter(lambda: data.read(1 << 20), b""):
            lines += chunk.count(b"\n")
            last = chunk[-1:]
    return lines + (last != b"\n")


def alternative_missing():
    if os.environ.get("BENCH_ALTERNATIVE", "1") == "0":
        return "skipped (BENCH_ALTERNATIVE=0)"
    if not os.access(SYSTEM_PYTHON, os.X_OK):
        return f"skipped: no {SYSTEM_PYTHON}"
    probe = subprocess.run([SYSTEM_PYTHON, "-c", "import stdnum"], capture_output=True)
    if probe.returncode != 0:
        return "skipped: python3-stdnum is not installed (apt-get install python3-stdnum)"
    return None


def rate(lines, seconds):
    per_second = lines / seconds
    return f"{per_second / 1e6:7.2f} M/s" if per_second >= 1e6 else f"{per_second / 1e3:7.1f} k/s"


def mib(kib):
    return f"{kib / 1024:5.2f} MiB"


class Checks:
    def __init__(self):
        self.rows = []

    def add(self, name, measured, passed):
        """passed None: not measured, since the program refused the command (`measured` says why)."""
        self.rows.append((name, measured, passed))

    def print(self):
        print("\nTargets")
        for name, measured, passed in self.rows:
            print(f"  {'SKIP' if passed is None else 'PASS' if passed else 'FAIL'}  {name:<52} {measured}")
        failed = sum(passed is False for _, _, passed in self.rows)
        skipped = sum(passed is None for _, _, passed in self.rows)
        print(f"{len(self.rows) - failed - skipped} passed, {failed} failed"
              + (f", {skipped} skipped" if skipped else ""))
        return failed


def jobs_report(kind, size, path, checks):
    """--jobs=2 against --jobs=1 (interleaved), and the peak RSS of --jobs=1, 2 and 8."""
    mode = [] if kind == "ssn" else ["-C"]
    # The file on tmpfs where there is one: on a disk, each run would also pay for writing back the runs before.
    # Every run to /dev/null comes before the first to a file for the same reason.
    output_dir = "/dev/shm" if os.access("/dev/shm", os.W_OK) else os.path.join(HERE, "data")
    output_file = os.path.join(output_dir, "kalderos-jobs-output.tmp")
    for output in ["/dev/null", output_file]:
        for name, form in [("text", []), ("tsv", ["--format=tsv"]), ("jsonl", ["--format=jsonl"])]:
            seconds = {1: [], 2: []}
            for _ in range(RUNS):
                for jobs in seconds:
                    run_seconds, _ = timed([KALDEROS] + form + mode + [f"--jobs={jobs}", "-i", path], 1, output)
                    seconds[jobs].append(run_seconds)
            one, two = statistics.median(seconds[1]), statistics.median(seconds[2])
            where = "a file" if output == output_file else output
            print(f"  --jobs=2 {name:<5} to {where:<10} {two:9.4f} s against {one:.4f} s with --jobs=1 "
                  f"({one / two:.2f} times as fast)")
            if size == "10m":
                checks.add(f"{kind}-{size} {name} to {where}: --jobs=2 at least 1.7 times as fast", f"{one / two:.2f}",
                           one / two >= TARGET_JOBS_SPEEDUP)
    if os.path.exists(output_file):
        os.remove(output_file)
    rss = [timed([KALDEROS] + mode + [f"--jobs={jobs}", "-i", path], 1)[1] for jobs in JOBS_RSS]
    print("  peak RSS " + ", ".join(f"--jobs={jobs} {mib(r)}" for jobs, r in zip(JOBS_RSS, rss)))


def refusal(command):
    """None when the command runs to exit code 0, else its exit code and first line on standard error: a program
    built before an option it names refuses it, and the rows that need it are skipped rather than the report
    ended. The run also brings the file into the page cache for the timed ones."""
    result = subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    if result.returncode == 0:
        return None
    said = result.stderr.decode(errors="replace").strip().splitlines()
    return f"exit code {result.returncode}: {said[0] if said else '(nothing on standard error)'}"


def csv_report(size, checks):
    """The SSN column of the payroll CSV file against the SSN list of the same lines, the CSV file with --jobs=2
    against --jobs=1, strict text against lenient, and --summary against tsv records; interleaved rounds."""
    ssn = os.path.join(HERE, "data", f"ssn-{size}.txt")
    payroll = os.path.join(HERE, "data", f"payroll-{size}.csv")
    lines = count_lines(ssn)
    print(f"\n{os.path.basename(payroll)} and {os.path.basename(ssn)}: the same {lines} SSN lines, "
          f"{os.path.getsize(payroll) / 2**20:.1f} MiB as a CSV file's third column")
    csv = [KALDEROS, "--rules=current", "--column=SSN", "--format=csv"]
    commands = {
        "csv": csv + ["-i", payroll],
        "list": [KALDEROS, "--rules=current", "--format=tsv", "-i", ssn],
        "csv jobs 1": csv + ["--jobs=1", "-i", payroll],
        "csv jobs 2": csv + ["--jobs=2", "-i", payroll],
        "strict": [KALDEROS, "--quiet", "-i", ssn],
        "lenient": [KALDEROS, "-i", ssn],
        "summary": [KALDEROS, "--summary", "-i", ssn],
        "records": [KALDEROS, "--format=tsv", "-i", ssn],
    }
    # What is compared, the command measured and the one it is measured against, whether the figure is a
    # speed-up (against's time over measured's) or a ratio (measured's over against's), the target, and the
    # target's row.
    rows = [
        ("CSV column against the list in tsv", "csv", "list", False, "at most 2.5 times",
         lambda value: value <= TARGET_CSV_RATIO, "csv: within 2.5 times the list in tsv"),
        ("CSV column, --jobs=2 against --jobs=1", "csv jobs 2", "csv jobs 1", True, "at least 1.6 times as fast",
         lambda value: value >= TARGET_CSV_JOBS_SPEEDUP, "csv: --jobs=2 at least 1.6 times as fast"),
        ("strict text (--quiet) against lenient", "strict", "lenient", False, "at most 1.05 times",
         lambda value: value <= TARGET_STRICT_RATIO, "strict text: within 1.05 times lenient"),
        ("--summary against --format=tsv", "summary", "records", False, "under 1 time (faster)",
         lambda value: value < TARGET_SUMMARY_RATIO, "--summary: faster than --format=tsv"),
    ]
    refused = {}
    if not os.path.exists(payroll):
        for key in ["csv", "csv jobs 1", "csv jobs 2"]:
            refused[key] = f"no {payroll} (bench/run.sh writes it)"
    for key, command in commands.items():
        if key not in refused:
            reason = refusal(command)
            if reason:
                refused[key] = reason
    for key, reason in refused.items():
        shown = " ".join(os.path.basename(word) for word in commands[key])
        print(f"  skipped {shown}: {reason}")
    measured = [key for key in commands if key not in refused]
    results = dict(zip(measured, interleaved([commands[key] for key in measured], RUNS)))
    for key in measured:
        seconds, rss = results[key]
        shown = " ".join(os.path.basename(word) for word in commands[key][1:])
        print(f"  {shown:<70} {seconds:9.4f} s  {rate(lines, seconds)}  peak RSS {mib(rss)}")
    for name, key, against, speedup, target, meets, check in rows:
        missing = dict.fromkeys(refused[k] for k in [key, against] if k in refused)
        if missing:
            print(f"  {name:<40} skipped ({'; '.join(missing)})")
            if size == "10m":
                checks.add(f"ssn-{size} {check}", "skipped", None)
            continue
        seconds, against_seconds = results[key][0], results[against][0]
        value = against_seconds / seconds if speedup else seconds / against_seconds
        word = "times as fast" if speedup else "times"
        print(f"  {name:<40} {value:5.2f} {word:<13}  target: {target}")
        if size == "10m":
            checks.add(f"ssn-{size} {check}", f"{value:.2f}", meets(value))


def python_report(sizes, checks):
    """check_ssns and ssn_frame against python-stdnum in one Python process (python_bench.py)."""
    print("\nPython module (a Python list of the ssn-1m.txt lines, in one process; each call until its result is "
          f"freed; median of {RUNS} runs, python-stdnum one run)")
    if not os.path.isdir(os.path.join(PYTHON_MODULE_DIR, "kalderos")):
        print("  skipped: the module is not built (Debian's python3-dev and pybind11-dev are missing)")
        return
    paths = [os.path.join(HERE, "data", f"ssn-{size}.txt") for size in ["1m", "10m"] if size in sizes]
    if "1m" not in sizes:
        print("  skipped: it needs the 1-million-line list (BENCH_SIZES with 1m)")
        return
    environment = dict(os.environ, PYTHONPATH=PYTHON_MODULE_DIR)
    result = subprocess.run([SYSTEM_PYTHON, PYTHON_BENCH, str(RUNS)] + paths, env=environment, check=True,
                            capture_output=True, text=True)
    numbers = {name: float(value) for name, value in (item.split("=") for item in result.stdout.split())}
    lines = 1_000_000
    stdnum = numbers["stdnum"]
    for name in ["check_ssns", "ssn_frame", "checker"]:
        label = {"checker": "Checker.check_ssns"}.get(name, name)
        ratio = f"  ({stdnum / numbers[name]:.0f} times as fast as python-stdnum)" if stdnum else ""
        print(f"  {label:<20} {numbers[name]:9.4f} s  {rate(lines, numbers[name])}{ratio}")
    if stdnum:
        print(f"  {'python-stdnum':<20} {stdnum:9.4f} s  {rate(lines, stdnum)}  (stdnum.us.ssn.is_valid per text)")
        for name, target in TARGET_PYTHON_RATIOS.items():
            checks.add(f"python {name}: at least {target:.0f} times python-stdnum", f"{stdnum / numbers[name]:.0f}",
                       stdnum / numbers[name] >= target)
    else:
        print(f"  {'python-stdnum':<20} skipped (BENCH_ALTERNATIVE=0, or python3-stdnum is not installed)")
    if "ssn_frame_10m" in numbers:
        seconds = numbers["ssn_frame_10m"]
        print(f"  {'ssn_frame 10m':<20} {seconds:9.4f} s  {rate(numbers['lines_10m'], seconds)}")
        checks.add("python ssn_frame of 10 million texts under 10 s", f"{seconds:.2f} s",
                   seconds < TARGET_FRAME_10M_SECONDS)


def main():
    sizes = sys.argv[1:] or ["1m", "10m"]
    missing = alternative_missing()
    checks = Checks()
    load = os.getloadavg()[0]
    cpu = platform.processor() or platform.machine()
    try:
        with open("/proc/cpuinfo") as info:
            cpu = next(line.split(":", 1)[1].strip() for line in info if line.startswith("model name"))
    except (OSError, StopIteration):
        pass
    print(f"kalderos list benchmark, {time.strftime('%Y-%m-%d %H:%M')}, {cpu}, {os.cpu_count()} cores, "
          f"load average {load:.2f} at the start")
    print(f"wall times: median of {RUNS} interleaved runs, output to /dev/null; peak RSS: largest of the runs")

    peak_rss = {}
    for kind in ["ssn", "card"]:
        mode = [] if kind == "ssn" else ["-C"]
        for size in sizes:
            path = os.path.join(HERE, "data", f"{kind}-{size}.txt")
            lines = count_lines(path)
            print(f"\n{os.path.basename(path)}: {lines} lines, {os.path.getsize(path) / 2**20:.1f} MiB, "
                  f"{'SSN mode' if kind == 'ssn' else 'card mode (-C)'}")
            formats = [[KALDEROS, f"--format={name}"] + mode + ["-i", path] for name in RECORD_FORMATS]
            (k_seconds, k_rss), (f_seconds, _), *format_results = interleaved(
                [[KALDEROS] + mode + ["-i", path], [FLOOR, str(RESULT_BYTES[kind]), path]] + formats, RUNS)
            peak_rss[(kind, size)] = k_rss
            print(f"  {'kalderos':<16} {k_seconds:9.4f} s  {rate(lines, k_seconds)}  peak RSS {mib(k_rss)}")
            print(f"  {'floor':<16} {f_seconds:9.4f} s  {rate(lines, f_seconds)}")
            for name, (r_seconds, r_rss) in zip(RECORD_FORMATS, format_results):
                peak_rss[(kind, size, name)] = r_rss
                ratio = r_seconds / k_seconds
                print(f"  {'--format=' + name:<16} {r_seconds:9.4f} s  {rate(lines, r_seconds)}  peak RSS {mib(r_rss)}"
                      f"  ({ratio:.2f} times the text format)")
                checks.add(f"{kind}-{size} {name}: peak RSS under 8 MiB", mib(r_rss), r_rss < TARGET_RSS_KIB)
                if size == "10m":
                    checks.add(f"{kind}-{size} {name}: within 2 times the text format", f"{ratio:.2f}",
                               ratio <= TARGET_FORMAT_RATIO)
            (l_seconds, _), (t_seconds, _) = interleaved(
                [[LIBRARY_LOOP, kind, path], [KALDEROS, "--format=tsv"] + mode + ["-i", path]], RUNS)
            library_ratio = l_seconds / t_seconds
            print(f"  {'library':<16} {l_seconds:9.4f} s  {rate(lines, l_seconds)}  "
                  f"({l_seconds / lines * 1e9:.1f} ns a number; {library_ratio:.2f} times --format=tsv's "
                  f"{t_seconds / lines * 1e9:.1f} ns)")
            if size == "10m":
                checks.add(f"{kind}-{size} library: within 1.5 times --format=tsv", f"{library_ratio:.2f}",
                           library_ratio <= TARGET_LIBRARY_RATIO)
            floor_ratio = k_seconds / f_seconds
            alternative_ratio = None
            if missing:
                print(f"  {'python-stdnum':<16} {missing}")
            else:
                a_seconds, _ = timed([SYSTEM_PYTHON, ALTERNATIVE] + (["--card"] if kind == "card" else []) + [path], 1)
                alternative_ratio = a_seconds / k_seconds
                print(f"  {'python-stdnum':<16} {a_seconds:9.4f} s  {rate(lines, a_seconds)}  (one run)")
            print(f"  kalderos/floor {floor_ratio:.2f}"
                  + (f", python-stdnum/kalderos {alternative_ratio:.0f}" if alternative_ratio else ""))
            fast_digest = output_digest([KALDEROS] + mode + ["-i", path])
            plain_digest = output_digest([PLAIN] + mode + ["-i", path])
            plain_result = "the same" if fast_digest == plain_digest else plain_digest
            print(f"  output sha256 {fast_digest}, plain path {plain_result}")
            jobs_report(kind, size, path, checks)
            label = f"{kind}-{size}"
            checks.add(f"{label}: output equals the plain path's", fast_digest[:16], fast_digest == plain_digest)
            checks.add(f"{label}: peak RSS under 8 MiB", mib(k_rss), k_rss < TARGET_RSS_KIB)
            if size == "10m":
                checks.add(f"{label}: at least 25 M lines/s", rate(lines, k_seconds),
                           lines / k_seconds >= TARGET_LINES_PER_SECOND)
                checks.add(f"{label}: within 6 times the floor", f"{floor_ratio:.2f}",
                           floor_ratio <= TARGET_FLOOR_RATIO)
                if alternative_ratio is not None:
                    checks.add(f"{label}: at least 100 times python-stdnum", f"{alternative_ratio:.0f}",
                               alternative_ratio >= TARGET_ALTERNATIVE_RATIO)
        if ("1m" in sizes) and ("10m" in sizes):
            growth = peak_rss[(kind, "10m")] - peak_rss[(kind, "1m")]
            checks.add(f"{kind}: peak RSS of 10m within 1 MiB of 1m", f"{growth:+d} KiB",
                       abs(growth) <= TARGET_RSS_GROWTH_KIB)
            for name in RECORD_FORMATS:
                growth = peak_rss[(kind, "10m", name)] - peak_rss[(kind, "1m", name)]
                checks.add(f"{kind} {name}: peak RSS of 10m within 1 MiB of 1m", f"{growth:+d} KiB",
                           abs(growth) <= TARGET_RSS_GROWTH_KIB)

    for size in sizes:
        csv_report(size, checks)
    python_report(sizes, checks)

    (single_seconds, single_rss), (static_seconds, static_rss) = interleaved(
        [[KALDEROS, "123-45-6789"], [KALDEROS_STATIC_RUNTIME, "123-45-6789"]], SINGLE_RUNS)
    true_seconds, _ = timed(["/bin/true"], SINGLE_RUNS)
    print(f"\nsingle number (kalderos 123-45-6789), median of {SINGLE_RUNS} runs:")
    print(f"  {'kalderos':<16} {single_seconds * 1000:6.3f} ms  peak RSS {mib(single_rss)}")
    print(f"  {'static runtime':<16} {static_seconds * 1000:6.3f} ms  peak RSS {mib(static_rss)}  "
          "(the same program, C++ runtime linked in)")
    print(f"  {'/bin/true':<16} {true_seconds * 1000:6.3f} ms  (starting any process)")
    checks.add("single number under 2 ms", f"{single_seconds * 1000:.3f} ms", single_seconds < TARGET_SINGLE_SECONDS)
    return 1 if checks.print() else 0


if __name__ == "__main__":
    sys.exit(main())
