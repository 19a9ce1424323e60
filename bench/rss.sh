#!/usr/bin/env bash
# Peak memory (resident set) of list runs of 1 and 10 million lines, SSN and card mode, standard output to
# /dev/null. The program keeps one read buffer and one output buffer whatever the list's length, so both sizes
# must peak alike; the script says so and exits 1 when the larger list needs more than 1 MiB more.
#   bench/rss.sh [program, default build/kalderos]
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/kalderos}
[ -x "$program" ] || { echo "no program at $program (build it first, or name it)" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "needs GNU time as /usr/bin/time (Debian package time)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The peak resident set in KiB of one run.
peak() {
  /usr/bin/time -f %M -o "$work/peak" "$program" "$@" >/dev/null 2>&1 || true
  cat "$work/peak"
}

printf '%-10s %-5s %s\n' lines mode 'peak RSS (KiB)'
status=0
for mode in ssn card; do
  first=
  for lines in 1000000 10000000; do
    list="$work/$mode-$lines.txt"
    if [ "$mode" = ssn ]; then
      awk -v n="$lines" 'BEGIN { for (i = 0; i < n; i++) printf "%03d-%02d-%04d\n", i % 1000, i % 100, i % 10000 }' >"$list"
      kib=$(peak -i "$list")
    else
      awk -v n="$lines" 'BEGIN { for (i = 0; i < n; i++) printf "4%015d\n", i }' >"$list"
      kib=$(peak -C -i "$list")
    fi
    rm -f "$list"
    printf '%-10s %-5s %s\n' "$lines" "$mode" "$kib"
    if [ -z "$first" ]; then
      first=$kib
    elif [ "$kib" -gt $((first + 1024)) ]; then
      echo "$mode: peak grows with the list ($first KiB for 1 million lines, $kib KiB for 10 million)"
      status=1
    fi
  done
done
[ "$status" -eq 0 ] && echo "flat: the peak does not grow with the list"
exit "$status"
