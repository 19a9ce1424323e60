#!/usr/bin/env bash
# Proves the README's set-up lines on a machine that has nothing: builds a minimal Debian root with mmdebstrap,
# copies a clean clone of this repository's HEAD into it (with nothing beside it), runs the README's apt-get
# line and its two commands there, and reports each one's result and time.
#
#   packaging/fresh-machine.sh [work-dir]        (as root; needs mmdebstrap; default work dir: a new /tmp folder)
#
# The Debian mirror and suite are the ones this machine's own apt sources name, so the script works wherever
# apt does. Not part of CI: it downloads and installs a whole toolchain (several minutes).
set -euo pipefail

fail() {
  echo "fresh-machine: $*" >&2
  exit 1
}
[ "$(id -u)" = 0 ] || fail "chroot and mount need root"
command -v mmdebstrap >/dev/null || fail "mmdebstrap is not installed (apt-get install mmdebstrap)"

repo=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$(mktemp -d /tmp/kalderos-fresh.XXXXXX)}
root=$work/root

# The first Debian archive (not the security one) that this machine's apt sources name, and its suite.
mirror_and_suite() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk '/^URIs:/ { uri = $2 } /^Suites:/ { suite = $2 }
         /^$/ { if (uri != "" && uri !~ /security/) { print uri, suite; found = 1; exit } uri = ""; suite = "" }
         END { if (!found && uri != "" && uri !~ /security/) print uri, suite }' "$file"
  done
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    awk '$1 == "deb" && $0 !~ /security/ { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i, $(i + 1); exit } }'
}
read -r mirror suite < <(mirror_and_suite | head -n 1) || true
[ -n "${mirror:-}" ] && [ -n "${suite:-}" ] || fail "no Debian mirror found in this machine's apt sources"

# The README's set-up: the first three indented lines, which are the apt-get line and the two commands.
mapfile -t steps < <(awk '/^    / { sub(/^    /, ""); print; if (++n == 3) exit }' "$repo/README.md")
[ "${#steps[@]}" = 3 ] && [[ ${steps[0]} == *apt-get\ install* ]] || fail "README.md does not start with its set-up lines"

mounted=()
cleanup() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
}
trap cleanup EXIT

started=$(date +%s)
echo "fresh-machine: a minimal $suite root from the mirror in this machine's apt sources, in $root"
mkdir -p "$work"
mmdebstrap --variant=apt --quiet "$suite" "$root" "$mirror" >"$work/mmdebstrap.log" 2>&1 ||
  { tail -n 20 "$work/mmdebstrap.log" >&2; fail "mmdebstrap failed"; }
echo "fresh-machine: root ready in $(($(date +%s) - started)) s: $(du -sh "$root" | cut -f1)," \
  "$(chroot "$root" dpkg-query -W | wc -l) packages, no compiler: $(chroot "$root" sh -c 'command -v g++ || echo none')"

for dir in proc sys dev dev/pts; do
  mount --bind "/$dir" "$root/$dir"
  mounted+=("$root/$dir")
done
cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
# mmdebstrap writes no /etc/hosts, which every installed machine has: without it "localhost" names nothing, and
# the browser test's chromedriver, which selenium reaches as localhost, is never found.
[ -f "$root/etc/hosts" ] || printf '127.0.0.1\tlocalhost\n::1\tlocalhost ip6-localhost ip6-loopback\n' >"$root/etc/hosts"

# A clean clone of what is committed, alone in its folder: nothing beside it, as a user's clone has.
git clone --quiet --no-local "$repo" "$root/root/kalderos"
echo "fresh-machine: clone of $(git -C "$repo" rev-parse --short HEAD) in /root/kalderos; beside it:" \
  "$(ls "$root/root" | tr '\n' ' ')"

status=0
for step in "${steps[@]}"; do
  echo
  echo "\$ $step"
  begin=$(date +%s)
  log=$work/step-$(date +%s%N).log
  if chroot "$root" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive \
      bash -c "cd /root/kalderos && $step" </dev/null >"$log" 2>&1; then
    result=ok
  else
    result="FAILED (exit $?)"
    status=1
  fi
  tail -n 6 "$log" | sed 's/^/    /'
  echo "  -> $result in $(($(date +%s) - begin)) s (full log: $log)"
  [ "$status" = 0 ] || break
done
echo
echo "fresh-machine: $([ "$status" = 0 ] && echo "every step passed" || echo "a step failed") in" \
  "$(($(date +%s) - started)) s"
exit "$status"
