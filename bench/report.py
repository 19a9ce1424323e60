"""Measures kalderos on the list files, this tree's program and an earlier release's in the same sitting, against
the floor of each output format and against the python-stdnum loop, and prints the report, targets included.
Run through run.sh, which builds the programs and writes the list files first.

Usage: report.py SIZE...   (sizes 1m, 10m; environment: BENCH_RUNS, BENCH_ALTERNATIVE, and from run.sh
BENCH_BASE_BUILD, BENCH_BASE_REF, BENCH_LOOP_BUILD, BENCH_LOOP_REF)"""
import hashlib
import os
import platform
import re
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
BUILD = os.path.join(HERE, "build")
KALDEROS_STATIC_RUNTIME = os.path.join(BUILD, "kalderos_static_runtime")
PLAIN = os.path.join(BUILD, "reference", "kalderos_reference")
FLOOR = os.path.join(BUILD, "floor")
RUN_TIMED = os.path.join(BUILD, "run_timed")
ALTERNATIVE = os.path.join(HERE, "stdnum_loop.py")
SYSTEM_PYTHON = "/usr/bin/python3"
PYTHON_MODULE_DIR = os.path.join(BUILD, "kalderos", "python")
PYTHON_BENCH = os.path.join(HERE, "python_bench.py")
DATA = os.path.join(HERE, "data")

RUNS = int(os.environ.get("BENCH_RUNS", "7"))
SINGLE_RUNS = 100
# Lines of the 1-million-line lists whose instructions are counted under callgrind (a fifth: a minute in all).
COUNTED_LINES = 200_000

# The formats each list is written in: the text format and the record formats, by their options.
FORMATS = [("text", []), ("tsv", ["--format=tsv"]), ("jsonl", ["--format=jsonl"]), ("csv", ["--format=csv"])]
# The runs whose instructions a line are counted: the formats, and for SSNs the strict text (any long option),
# the current rules and --summary; the mixed lists in the text format and tsv.
COUNTED = [
    ("ssn", []), ("ssn", ["--quiet"]), ("ssn", ["--rules=current", "--quiet"]), ("ssn", ["--format=tsv"]),
    ("ssn", ["--format=jsonl"]), ("ssn", ["--format=csv"]), ("ssn", ["--rules=current", "--format=tsv"]),
    ("ssn", ["--summary"]), ("card", ["-C"]), ("card", ["-C", "--format=tsv"]), ("card", ["-C", "--format=jsonl"]),
    ("card", ["-C", "--format=csv"]), ("ssn-mixed", []), ("ssn-mixed", ["--format=tsv"]),
    ("card-mixed", ["-C"]), ("card-mixed", ["-C", "--format=tsv"]),
]

TARGET_LINES_PER_SECOND = 25e6
TARGET_FLOOR_RATIO = 2.5
TARGET_ALTERNATIVE_RATIO = 100.0
TARGET_RSS_KIB = 8 * 1024
TARGET_RSS_GROWTH_KIB = 1024
TARGET_SINGLE_SECONDS = 0.002
# One Checker of the library over a list, against the program's tsv records of it into /dev/null.
TARGET_LIBRARY_RATIO = 1.3
# Instructions a line no more than the earlier release's, give or take what a change of compiler moves.
TARGET_INSTRUCTIONS_GROWTH = 1.01
# The described loop (kalderos -i FILE) against the commit it is held to: no more instructions, time within 3 %.
TARGET_LOOP_TIME = 1.03
# The Python module over a list of a million SSN texts, as many times as fast as python-stdnum's is_valid on the
# same list, each call timed with the freeing of what it returned; and ssn_frame over ten million.
TARGET_PYTHON_RATIOS = {"check_ssns": 20.0, "ssn_frame": 40.0}
TARGET_FRAME_10M_SECONDS = 10.0
# --jobs: two threads against one, in every format, output to /dev/null and to a file.
TARGET_JOBS_SPEEDUP = 1.7
JOBS_RSS = [1, 2, 8]
# A CSV file's SSN column against the SSN list of the same numbers (both as records, current rules), the CSV
# file with two threads against one, the strict text format (any long option) against the lenient one (none),
# and --summary against the tsv records.
TARGET_CSV_RATIO = 2.5
TARGET_CSV_JOBS_SPEEDUP = 1.6
TARGET_STRICT_RATIO = 1.05
TARGET_SUMMARY_RATIO = 1.0


class Program:
    """A build of kalderos: this tree's, or an earlier commit's from bench/build-base."""

    def __init__(self, label, build):
        self.label = label
        self.kalderos = os.path.join(build, "kalderos", "kalderos")
        library_loop = os.path.join(build, "library_loop")
        self.library_loop = library_loop if os.access(library_loop, os.X_OK) else None


def programs_from_environment():
    """This tree's program, the earlier release's (None without one) and the described loop's mark (None)."""
    this = Program("this", BUILD)
    base = loop = None
    if os.environ.get("BENCH_BASE_BUILD"):
        base = Program(os.environ.get("BENCH_BASE_REF", "base"), os.environ["BENCH_BASE_BUILD"])
    if os.environ.get("BENCH_LOOP_BUILD"):
        loop = Program(os.environ.get("BENCH_LOOP_REF", "mark"), os.environ["BENCH_LOOP_BUILD"])
    return this, base, loop


def timed(command, runs, output="/dev/null"):
    """(median seconds, peak RSS KiB) of `runs` runs, timed by run_timed in C so that neither Python's start-up
    nor its memory counts."""
    result = subprocess.run([RUN_TIMED, str(runs), output] + command, check=True, capture_output=True, text=True)
    median, _fastest, rss, code = result.stdout.split()
    if code != "0":
        sys.exit(f"{' '.join(command)} ended with exit code {code}")
    return float(median), int(rss)


def interleaved(commands, runs, output="/dev/null"):
    """Runs the commands in turn, `runs` rounds, so that a burst of load elsewhere hits all of them alike;
    gives (median seconds, peak RSS KiB) per command."""
    seconds = [[] for _ in commands]
    rss = [0 for _ in commands]
    for _ in range(runs):
        for i, command in enumerate(commands):
            run_seconds, run_rss = timed(command, 1, output)
            seconds[i].append(run_seconds)
            rss[i] = max(rss[i], run_rss)
    return [(statistics.median(s), r) for s, r in zip(seconds, rss)]


def output_measure(command):
    """(SHA-256, bytes) of everything the command writes on standard output."""
    digest = hashlib.sha256()
    size = 0
    with subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL) as process:
        for chunk in iter(lambda: process.stdout.read(1 << 20), b""):
            digest.update(chunk)
            size += len(chunk)
    if process.returncode != 0:
        sys.exit(f"{' '.join(command)} ended with exit code {process.returncode}")
    return digest.hexdigest(), size


def count_lines(path):
    lines = 0
    last = b"\n"
    with open(path, "rb") as data:
        for chunk in iter(lambda: data.read(1 << 20), b""):
            lines += chunk.count(b"\n")
            last = chunk[-1:]
    return lines + (last != b"\n")


_refusals = {}


def refusal(command):
    """None when the command runs to exit code 0, else its exit code and first line on standard error: a program
    built before an option it names refuses it, and the rows that need it are skipped rather than the report
    ended. The run also brings the file into the page cache for the timed ones. Asked once per command."""
    key = tuple(command)
    if key not in _refusals:
        result = subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        said = result.stderr.decode(errors="replace").strip().splitlines()
        _refusals[key] = None if result.returncode == 0 else (
            f"exit code {result.returncode}: {said[0] if said else '(nothing on standard error)'}")
    return _refusals[key]


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


def shown(command):
    return " ".join(os.path.basename(word) for word in command)


class Checks:
    """The targets: each row's measure for this tree, and beside it the earlier release's where it was taken."""

    def __init__(self, base_label):
        self.rows = []
        self.base_label = base_label

    def add(self, name, measured, passed, base=None):
        """passed None: not measured (`measured` says why). `base`: (measured, passed) of the earlier release."""
        self.rows.append((name, measured, passed, base))

    @staticmethod
    def word(passed):
        return "SKIP" if passed is None else "PASS" if passed else "FAIL"

    def print(self):
        print("\nTargets" + (f" (this tree; {self.base_label} beside it)" if self.base_label else ""))
        for name, measured, passed, base in self.rows:
            beside = f"   {self.base_label}: {base[0]} {self.word(base[1])}" if base else ""
            print(f"  {self.word(passed)}  {name:<66} {measured:<12}{beside}")
        failed = sum(passed is False for _, _, passed, _ in self.rows)
        skipped = sum(passed is None for _, _, passed, _ in self.rows)
        print(f"{len(self.rows) - failed - skipped} passed, {failed} failed"
              + (f", {skipped} skipped" if skipped else ""))
        return failed


class Instructions:
    """Instructions a line, which the load of the machine does not move: `perf stat -e instructions:u` on the
    1-million-line lists where the machine counts them, else callgrind on their first COUNTED_LINES lines; the
    count of the same command on an empty list is taken off."""

    def __init__(self):
        self.method = None
        self.why_not = None
        probe = subprocess.run(["perf", "stat", "-x,", "-e", "instructions:u", "true"], capture_output=True,
                               text=True) if shutil.which("perf") else None
        if probe is not None and probe.returncode == 0 and re.match(r"^\d+,", probe.stderr.strip()):
            self.method = "perf"
        elif shutil.which("valgrind"):
            self.method = "callgrind"
        else:
            self.why_not = "skipped: neither `perf stat -e instructions` nor valgrind works here"
        self.empty = os.path.join(DATA, "empty.txt")
        open(self.empty, "wb").close()

    def described(self):
        if self.method == "perf":
            return "perf stat -e instructions:u, the 1-million-line lists"
        return f"callgrind, the first {COUNTED_LINES} lines of the 1-million-line lists"

    def path(self, kind):
        """The list counted for a kind (ssn, card, ssn-mixed, card-mixed), made from the 1-million-line list."""
        whole = os.path.join(DATA, f"{kind}-1m.txt")
        if self.method == "perf":
            return whole, count_lines(whole)
        part = os.path.join(DATA, f"{kind}-counted.txt")
        if not os.path.exists(part) or os.path.getmtime(part) < os.path.getmtime(whole):
            with open(whole, "rb") as source, open(part + ".part", "wb") as sink:
                for _, line in zip(range(COUNTED_LINES), source):
                    sink.write(line)
            os.replace(part + ".part", part)
        return part, COUNTED_LINES

    def count(self, command):
        """The instructions the command runs, None when it fails."""
        if self.method == "perf":
            result = subprocess.run(["perf", "stat", "-x,", "-e", "instructions:u"] + command,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, errors="replace")
            found = re.search(r"^(\d+),", result.stderr, re.MULTILINE)
        else:
            result = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null"] + command,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, errors="replace")
            found = re.search(r"Collected : (\d+)", result.stderr)
        return int(found.group(1)) if result.returncode == 0 and found else None

    def per_line(self, program, kind, options):
        path, lines = self.path(kind)
        full = self.count([program.kalderos] + options + ["-i", path])
        empty = self.count([program.kalderos] + options + ["-i", self.empty])
        return None if full is None or empty is None else (full - empty) / lines


def instructions_report(programs, loop, checks):
    """Instructions a line of every counted run, each program's; the rows: no more than the earlier release's
    in any run, and the described loop no more than its mark's."""
    counter = Instructions()
    print(f"\nInstructions a line ({counter.why_not or counter.described()})")
    if counter.why_not:
        return None
    columns = programs + ([loop] if loop else [])
    print(f"  {'list and options':<40}" + "".join(f"{p.label:>12}" for p in columns))
    for kind, options in COUNTED:
        counts = [counter.per_line(p, kind, options) if p is not loop or (kind, options) == ("ssn", []) else None
                  for p in columns]
        print(f"  {kind + ' ' + ' '.join(options):<40}"
              + "".join(f"{'-' if c is None else f'{c:.1f}':>12}" for c in counts))
        this, base = counts[0], counts[1] if len(programs) > 1 else None
        name = f"{kind} {' '.join(options) or 'text'}: instructions a line"
        if this is not None and base is not None:
            checks.add(f"{name} at most {programs[1].label}'s", f"{this:.1f}",
                       this <= base * TARGET_INSTRUCTIONS_GROWTH, (f"{base:.1f}", True))
        if (kind, options) == ("ssn", []) and loop:
            mark = counts[-1]
            if this is not None and mark is not None:
                checks.add(f"ssn -i (the described loop): instructions at most {loop.label}'s", f"{this:.1f}",
                           this <= mark, (f"{counts[1]:.1f}", counts[1] <= mark) if base is not None else None)


def list_report(kind, size, programs, checks, peak_rss, alternative_missing_why):
    """One list: every format of every program and the floor of each format's bytes a line, interleaved; the
    library's loop against tsv; python-stdnum; the checksum against the plain path; --jobs."""
    mode = [] if kind == "ssn" else ["-C"]
    path = os.path.join(DATA, f"{kind}-{size}.txt")
    lines = count_lines(path)
    print(f"\n{os.path.basename(path)}: {lines} lines, {os.path.getsize(path) / 2**20:.1f} MiB, "
          f"{'SSN mode' if kind == 'ssn' else 'card mode (-C)'}")
    this = programs[0]
    # The bytes a line of each format, from this tree's output; the floor writes as many.
    measures = {name: output_measure([this.kalderos] + form + mode + ["-i", path]) for name, form in FORMATS}
    bytes_a_line = {name: size_ / lines for name, (_, size_) in measures.items()}
    commands = {}
    refused = {}
    for program in programs:
        for name, form in FORMATS:
            command = [program.kalderos] + form + mode + ["-i", path]
            reason = refusal(command)
            if reason:
                refused[(program.label, name)] = reason
            else:
                commands[(program.label, name)] = command
    for name, _ in FORMATS:
        commands[("floor", name)] = [FLOOR, f"{bytes_a_line[name]:.2f}", path]
    keys = list(commands)
    results = dict(zip(keys, interleaved([commands[key] for key in keys], RUNS)))

    print(f"  {'format':<7}{'bytes':>7}{'floor':>10}  " + "".join(
        f"{p.label + ': time':>18}{'M/s':>8}{'/floor':>8}{'RSS MiB':>9}  " for p in programs))
    ratios = {}
    for name, _ in FORMATS:
        floor_seconds = results[("floor", name)][0]
        row = f"  {name:<7}{bytes_a_line[name]:7.1f}{floor_seconds:9.4f}s  "
        for program in programs:
            key = (program.label, name)
            if key in refused:
                row += f"{'refused':>18}{'':>8}{'':>8}{'':>9}  "
                continue
            seconds, rss = results[key]
            ratios[key] = seconds / floor_seconds
            peak_rss[(program.label, kind, size, name)] = rss
            row += f"{seconds:17.4f}s{lines / seconds / 1e6:8.2f}{ratios[key]:8.2f}{rss / 1024:9.2f}  "
        print(row)
    for key, reason in refused.items():
        print(f"  {key[0]} refused --format={key[1]}: {reason}")

    label = f"{kind}-{size}"
    base = programs[1] if len(programs) > 1 else None

    def beside(value_of, passes):
        if base is None or value_of(base) is None:
            return None
        value = value_of(base)
        return (value if isinstance(value, str) else f"{value:.2f}", passes(value))

    for name, _ in FORMATS:
        if (this.label, name) not in ratios:
            continue
        rss = peak_rss[(this.label, kind, size, name)]
        checks.add(f"{label} {name}: peak RSS under 8 MiB", mib(rss), rss < TARGET_RSS_KIB)
        if size == sizes_measured[-1]:
            ratio = ratios[(this.label, name)]
            checks.add(f"{label} {name}: within {TARGET_FLOOR_RATIO} times its floor", f"{ratio:.2f}",
                       ratio <= TARGET_FLOOR_RATIO,
                       beside(lambda p: ratios.get((p.label, name)), lambda v: v <= TARGET_FLOOR_RATIO))
    text_seconds = results[(this.label, "text")][0]
    if size == sizes_measured[-1]:
        checks.add(f"{label}: at least 25 M lines/s", rate(lines, text_seconds),
                   lines / text_seconds >= TARGET_LINES_PER_SECOND)

    library_report(kind, size, path, lines, programs, checks)

    if alternative_missing_why:
        print(f"  {'python-stdnum':<16} {alternative_missing_why}")
    else:
        a_seconds, _ = timed([SYSTEM_PYTHON, ALTERNATIVE] + (["--card"] if kind == "card" else []) + [path], 1)
        alternative_ratio = a_seconds / text_seconds
        print(f"  {'python-stdnum':<16} {a_seconds:9.4f} s  {rate(lines, a_seconds)}  (one run; "
              f"{alternative_ratio:.0f} times the text format's time)")
        if size == sizes_measured[-1]:
            checks.add(f"{label}: at least 100 times python-stdnum", f"{alternative_ratio:.0f}",
                       alternative_ratio >= TARGET_ALTERNATIVE_RATIO)
    plain_report(label, [this.kalderos] + mode + ["-i", path], measures["text"][0], checks)
    jobs_report(kind, size, path, programs, checks)


def plain_report(label, command, fast_digest, checks):
    """The output of the fast program against the plain path's (the tests' reference program)."""
    plain_digest, _ = output_measure([PLAIN] + command[1:])
    print(f"  {label}: output sha256 {fast_digest}, plain path "
          f"{'the same' if fast_digest == plain_digest else plain_digest}")
    checks.add(f"{label}: output equals the plain path's", fast_digest[:16], fast_digest == plain_digest)


def library_report(kind, size, path, lines, programs, checks):
    """One Checker of the library over the list against the program's tsv records of it, interleaved."""
    mode = [] if kind == "ssn" else ["-C"]
    measured = [p for p in programs if p.library_loop]
    commands = []
    for program in measured:
        commands += [[program.library_loop, kind, path], [program.kalderos, "--format=tsv"] + mode + ["-i", path]]
    results = interleaved(commands, RUNS)
    ratios = {}
    for i, program in enumerate(measured):
        (l_seconds, _), (t_seconds, _) = results[2 * i], results[2 * i + 1]
        ratios[program.label] = l_seconds / t_seconds
        print(f"  {program.label + ' library':<16} {l_seconds:9.4f} s  {rate(lines, l_seconds)}  "
              f"({l_seconds / lines * 1e9:.1f} ns a number; {ratios[program.label]:.2f} times --format=tsv's "
              f"{t_seconds / lines * 1e9:.1f} ns)")
    this = programs[0]
    base = programs[1] if len(programs) > 1 else None
    if size == sizes_measured[-1]:
        ratio = ratios[this.label]
        base_ratio = ratios.get(base.label) if base else None
        checks.add(f"{kind}-{size} library: within {TARGET_LIBRARY_RATIO} times --format=tsv", f"{ratio:.2f}",
                   ratio <= TARGET_LIBRARY_RATIO,
                   (f"{base_ratio:.2f}", base_ratio <= TARGET_LIBRARY_RATIO) if base_ratio is not None else None)


def jobs_report(kind, size, path, programs, checks):
    """--jobs=2 against --jobs=1 (interleaved, each program), in every format, into /dev/null and into a file;
    and the peak RSS of --jobs=1, 2 and 8."""
    mode = [] if kind == "ssn" else ["-C"]
    # The file on tmpfs where there is one: on a disk, each run would also pay for writing back the runs before.
    # Every run to /dev/null comes before the first to a file for the same reason.
    output_dir = "/dev/shm" if os.access("/dev/shm", os.W_OK) else DATA
    output_file = os.path.join(output_dir, "kalderos-jobs-output.tmp")
    speedups = {}
    for output in ["/dev/null", output_file]:
        where = "a file" if output == output_file else output
        for name, form in FORMATS:
            commands = {}
            for program in programs:
                if refusal([program.kalderos] + form + mode + ["-i", path]) is None:
                    for jobs in (1, 2):
                        commands[(program.label, jobs)] = [program.kalderos] + form + mode + [f"--jobs={jobs}", "-i",
                                                                                             path]
            keys = list(commands)
            results = dict(zip(keys, interleaved([commands[key] for key in keys], RUNS, output)))
            row = f"  --jobs=2 {name:<5} to {where:<10}"
            for program in programs:
                if (program.label, 1) not in results:
                    row += f"  {program.label}: refused"
                    continue
                one, two = results[(program.label, 1)][0], results[(program.label, 2)][0]
                speedups[(program.label, where, name)] = one / two
                row += f"  {program.label}: {two:7.4f} s against {one:.4f} s ({one / two:.2f} times as fast)"
            print(row)
            if size == sizes_measured[-1]:
                this, base = programs[0], programs[1] if len(programs) > 1 else None
                value = speedups.get((this.label, where, name))
                if value is None:
                    continue
                base_value = speedups.get((base.label, where, name)) if base else None
                checks.add(f"{kind}-{size} {name} to {where}: --jobs=2 at least 1.7 times as fast", f"{value:.2f}",
                           value >= TARGET_JOBS_SPEEDUP,
                           (f"{base_value:.2f}", base_value >= TARGET_JOBS_SPEEDUP) if base_value else None)
    if os.path.exists(output_file):
        os.remove(output_file)
    rss = [timed([programs[0].kalderos] + mode + [f"--jobs={jobs}", "-i", path], 1)[1] for jobs in JOBS_RSS]
    print("  peak RSS " + ", ".join(f"--jobs={jobs} {mib(r)}" for jobs, r in zip(JOBS_RSS, rss)))


def loop_report(size, programs, loop, checks):
    """The described loop, kalderos -i FILE on the SSN list, against the commit it is held to, interleaved."""
    path = os.path.join(DATA, f"ssn-{size}.txt")
    measured = programs[:1] + ([loop] if loop else [])
    results = interleaved([[p.kalderos, "-i", path] for p in measured], RUNS)
    print(f"\nThe described loop (kalderos -i {os.path.basename(path)}), against {loop.label}")
    for program, (seconds, _) in zip(measured, results):
        print(f"  {program.label:<16} {seconds:9.4f} s  {rate(count_lines(path), seconds)}")
    ratio = results[0][0] / results[1][0]
    print(f"  this/{loop.label} {ratio:.3f}")
    checks.add(f"ssn-{size} -i (the described loop): time within 3 % of {loop.label}'s", f"{ratio:.3f}",
               ratio <= TARGET_LOOP_TIME)


def csv_report(size, programs, checks):
    """The SSN column of the payroll CSV file against the SSN list of the same lines, the CSV file with --jobs=2
    against --jobs=1, strict text against lenient, and --summary against tsv records; interleaved rounds, each
    program."""
    ssn = os.path.join(DATA, f"ssn-{size}.txt")
    payroll = os.path.join(DATA, f"payroll-{size}.csv")
    lines = count_lines(ssn)
    print(f"\n{os.path.basename(payroll)} and {os.path.basename(ssn)}: the same {lines} SSN lines, "
          f"{os.path.getsize(payroll) / 2**20:.1f} MiB as a CSV file's third column")
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
    values = {}
    for program in programs:
        kalderos = program.kalderos
        csv = [kalderos, "--rules=current", "--column=SSN", "--format=csv"]
        commands = {
            "csv": csv + ["-i", payroll],
            "list": [kalderos, "--rules=current", "--format=tsv", "-i", ssn],
            "csv jobs 1": csv + ["--jobs=1", "-i", payroll],
            "csv jobs 2": csv + ["--jobs=2", "-i", payroll],
            "strict": [kalderos, "--quiet", "-i", ssn],
            "lenient": [kalderos, "-i", ssn],
            "summary": [kalderos, "--summary", "-i", ssn],
            "records": [kalderos, "--format=tsv", "-i", ssn],
        }
        refused = {key: reason for key, command in commands.items() if (reason := refusal(command))}
        for key, reason in refused.items():
            print(f"  {program.label}: skipped {shown(commands[key])}: {reason}")
        measured = [key for key in commands if key not in refused]
        results = dict(zip(measured, interleaved([commands[key] for key in measured], RUNS)))
        for key in measured:
            seconds, rss = results[key]
            print(f"  {program.label + ': ' + shown(commands[key][1:]):<80} {seconds:9.4f} s  {rate(lines, seconds)}"
                  f"  peak RSS {mib(rss)}")
        for name, key, against, speedup, target, meets, check in rows:
            if key in refused or against in refused:
                print(f"  {program.label}: {name:<40} skipped")
                continue
            seconds, against_seconds = results[key][0], results[against][0]
            value = against_seconds / seconds if speedup else seconds / against_seconds
            values[(program.label, check)] = value
            word = "times as fast" if speedup else "times"
            print(f"  {program.label}: {name:<40} {value:5.2f} {word:<13}  target: {target}")
    if size == sizes_measured[-1]:
        this, base = programs[0], programs[1] if len(programs) > 1 else None
        for name, key, against, speedup, target, meets, check in rows:
            value = values.get((this.label, check))
            base_value = values.get((base.label, check)) if base else None
            beside = (f"{base_value:.2f}", meets(base_value)) if base_value is not None else None
            if value is None:
                checks.add(f"ssn-{size} {check}", "skipped", None, beside)
            else:
                checks.add(f"ssn-{size} {check}", f"{value:.2f}", meets(value), beside)


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


def single_report(programs, checks):
    commands = [[p.kalderos, "123-45-6789"] for p in programs] + [[KALDEROS_STATIC_RUNTIME, "123-45-6789"]]
    results = interleaved(commands, SINGLE_RUNS)
    true_seconds, _ = timed(["/bin/true"], SINGLE_RUNS)
    print(f"\nsingle number (kalderos 123-45-6789), median of {SINGLE_RUNS} runs:")
    for program, (seconds, rss) in zip(programs, results):
        print(f"  {program.label:<16} {seconds * 1000:6.3f} ms  peak RSS {mib(rss)}")
    static_seconds, static_rss = results[-1]
    print(f"  {'static runtime':<16} {static_seconds * 1000:6.3f} ms  peak RSS {mib(static_rss)}  "
          "(this tree's program, C++ runtime linked in)")
    print(f"  {'/bin/true':<16} {true_seconds * 1000:6.3f} ms  (starting any process)")
    single_seconds = results[0][0]
    base = (f"{results[1][0] * 1000:.3f} ms", results[1][0] < TARGET_SINGLE_SECONDS) if len(programs) > 1 else None
    checks.add("single number under 2 ms", f"{single_seconds * 1000:.3f} ms", single_seconds < TARGET_SINGLE_SECONDS,
               base)


def mixed_report(checks):
    """The lists of every shape: this tree's output against the plain path's."""
    print("\nThe lists of every shape a list may hold (the plain path's output, byte for byte)")
    for kind, mode in [("ssn-mixed", []), ("card-mixed", ["-C"])]:
        path = os.path.join(DATA, f"{kind}-1m.txt")
        for name, form in FORMATS[:2]:
            command = [os.path.join(BUILD, "kalderos", "kalderos")] + form + mode + ["-i", path]
            digest, _ = output_measure(command)
            plain_report(f"{kind}-1m {name}", command, digest, checks)


sizes_measured = []


def main():
    sizes = sys.argv[1:] or ["1m", "10m"]
    sizes_measured.extend(sizes)
    this, base, loop = programs_from_environment()
    programs = [this] + ([base] if base else [])
    missing = alternative_missing()
    checks = Checks(base.label if base else None)
    load = os.getloadavg()[0]
    cpu = platform.processor() or platform.machine()
    try:
        with open("/proc/cpuinfo") as info:
            cpu = next(line.split(":", 1)[1].strip() for line in info if line.startswith("model name"))
    except (OSError, StopIteration):
        pass
    print(f"kalderos list benchmark, {time.strftime('%Y-%m-%d %H:%M')}, {cpu}, {os.cpu_count()} cores, "
          f"load average {load:.2f} at the start")
    print(f"programs: this tree (bench/build)"
          + (f", {base.label} (bench/build-base)" if base else ", no earlier release (BENCH_BASE=none)")
          + (f"; the described loop held to {loop.label}'s" if loop else ""))
    print(f"wall times: median of {RUNS} interleaved runs, output to /dev/null; peak RSS: largest of the runs")

    instructions_report(programs, loop, checks)
    if loop:
        loop_report(sizes[-1], programs, loop, checks)

    peak_rss = {}
    for kind in ["ssn", "card"]:
        for size in sizes:
            list_report(kind, size, programs, checks, peak_rss, missing)
        if ("1m" in sizes) and ("10m" in sizes):
            for name, _ in FORMATS:
                key_1m, key_10m = (this.label, kind, "1m", name), (this.label, kind, "10m", name)
                if key_1m in peak_rss and key_10m in peak_rss:
                    growth = peak_rss[key_10m] - peak_rss[key_1m]
                    checks.add(f"{kind} {name}: peak RSS of 10m within 1 MiB of 1m", f"{growth:+d} KiB",
                               abs(growth) <= TARGET_RSS_GROWTH_KIB)
    mixed_report(checks)

    for size in sizes:
        csv_report(size, programs, checks)
    python_report(sizes, checks)
    single_report(programs, checks)
    return 1 if checks.print() else 0


if __name__ == "__main__":
    sys.exit(main())
