#!/usr/bin/env bash
# Builds the Debian package from a built tree, installs it with dpkg, uses it as a user would, and removes it.
#
#   packaging/check-deb.sh [build-dir]      (default: build; needs root for dpkg)
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${1:-build}" && pwd)

fail() {
  echo "check-deb: $*" >&2
  exit 1
}

[ "$(id -u)" = 0 ] || fail "dpkg -i needs root"
[ -f "$build_dir/CPackConfig.cmake" ] || fail "$build_dir is not a configured build directory"
# Never replace or remove a kalderos that someone installed on purpose.
if dpkg-query -W -f='${Status}' kalderos 2>/dev/null | grep -q 'install ok installed'; then
  fail "a kalderos package is already installed here; remove it first"
fi

work=$(mktemp -d /tmp/kalderos-deb.XXXXXX)
installed=no
cleanup() {
  if [ "$installed" = yes ]; then dpkg -r kalderos >/dev/null || echo "check-deb: dpkg -r kalderos failed" >&2; fi
  rm -rf "$work"
}
trap cleanup EXIT

(cd "$build_dir" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$work"/kalderos_*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no kalderos_*.deb"
deb=${debs[0]}

[ "$(dpkg-deb -f "$deb" Section)" = utils ] || fail "the package is not in section utils"
contents=$(dpkg-deb -c "$deb")
libdir=./usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for path in ./usr/bin/kalderos ./usr/share/man/man1/kalderos.1.gz ./usr/include/kalderos/kalderos.h \
            "$libdir/pkgconfig/kalderos.pc" "$libdir/cmake/kalderos/kalderosConfig.cmake" \
            ./usr/share/doc/kalderos/copyright ./usr/share/doc/kalderos/changelog.gz \
            ./usr/share/kalderos/june_24_2011_raw.txt; do
  grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done

# Debian's own checks of the package: no error and no warning may remain (an override needs its reason).
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
    { cat "$work/lintian.log" >&2; fail "lintian found errors or warnings"; }
else
  echo "check-deb: lintian is not installed: the package was not linted" >&2
fi

installed=yes
dpkg -i "$deb" >"$work/dpkg.log" || { cat "$work/dpkg.log" >&2; fail "dpkg -i failed"; }

# The README's first example, byte for byte (command substitution would drop the final line feed).
expected=$'\nSSN: 123-45-6789   New York              VALID=NO\n'
status=0
/usr/bin/kalderos 123-45-6789 >"$work/out" 2>/dev/null || status=$?
[ "$status" = 0 ] || fail "kalderos 123-45-6789 ended with $status"
printf '%s' "$expected" | cmp -s - "$work/out" || fail "kalderos 123-45-6789 printed: $(od -c "$work/out")"

# The published June 2011 list as the manual page shows it: area 123's group 98 was the highest issued then.
expected=$'\nSSN: 123-98-0001   New York              VALID=YES  CONFIRM\n'
/usr/bin/kalderos 123-98-0001 -g /usr/share/kalderos/june_24_2011_raw.txt >"$work/out" 2>/dev/null ||
  fail "kalderos with the installed June 2011 list ended with $?"
printf '%s' "$expected" | cmp -s - "$work/out" || fail "kalderos -g june_24_2011_raw.txt printed: $(od -c "$work/out")"

if command -v man >/dev/null; then
  page=$(man -w kalderos) || fail "man -w kalderos finds no page"
  [ "$page" = /usr/share/man/man1/kalderos.1.gz ] || fail "man -w kalderos gives $page"
fi

# The library as the package installs it, found the way a Makefile would find it.
if command -v pkg-config >/dev/null; then
  # shellcheck disable=SC2046  # the flags are meant to split into words
  c++ -std=c++17 "$source_dir/tests/consumer/main.cpp" $(pkg-config --cflags --libs kalderos) -o "$work/consumer"
  "$work/consumer" | grep -qx 'SSN: 123-96-0001   New York              VALID=YES  CONFIRM' ||
    fail "a program built with the packaged library printed something else"
fi

dpkg -r kalderos >"$work/dpkg.log" || { cat "$work/dpkg.log" >&2; fail "dpkg -r failed"; }
installed=no
[ ! -e /usr/bin/kalderos ] || fail "dpkg -r left /usr/bin/kalderos behind"
echo "check-deb: $(basename "$deb") installs, runs and removes cleanly"
