#!/usr/bin/env bash
# Builds the Debian packages (kalderos, libkalderos1, libkalderos-dev, and python3-kalderos from a build with the
# Python module) from a built tree, lints them, installs them with dpkg, uses them as a user would (the program,
# programs built against the library, the Python module), and purges them.
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
packages=(kalderos libkalderos1 libkalderos-dev)
if grep -q '^KALDEROS_BUILD_PYTHON:BOOL=ON$' "$build_dir/CMakeCache.txt"; then
  packages+=(python3-kalderos)
else
  echo "check-deb: $build_dir has no Python module (-DKALDEROS_BUILD_PYTHON=ON): python3-kalderos is not checked" >&2
fi
# Never replace or remove a kalderos that someone installed on purpose.
for package in "${packages[@]}"; do
  if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    fail "a $package package is already installed here; remove it first"
  fi
done

# A kalderos installed another way (`cmake --install` puts it under /usr/local) comes first in PATH and in man's
# search: the checks below would find it instead of the packages' files.
for found in "$(command -v kalderos || true)" "$(man -w kalderos 2>/dev/null || true)" \
             "$(man -w 3 kalderos 2>/dev/null || true)" /usr/local/include/kalderos/kalderos.h; do
  if [ -n "$found" ] && [ -f "$found" ]; then
    fail "$found is in the way (from cmake --install?); remove what that install put there first, for example with: xargs rm -f < BUILD-DIR/install_manifest.txt"
  fi
done

work=$(mktemp -d /tmp/kalderos-deb.XXXXXX)
installed=no
cleanup() {
  if [ "$installed" = yes ]; then
    dpkg --purge "${packages[@]}" >/dev/null || echo "check-deb: dpkg --purge ${packages[*]} failed" >&2
  fi
  rm -rf "$work"
}
trap cleanup EXIT

(cd "$build_dir" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
if grep -qi 'warning' "$work/cpack.log"; then cat "$work/cpack.log" >&2; fail "cpack warned"; fi
debs=()
for package in "${packages[@]}"; do
  found=("$work/${package}"_*.deb)
  [ -f "${found[0]}" ] || fail "cpack made no ${package}_*.deb"
  debs+=("${found[0]}")
done
deb=${debs[0]}

# Each package holds what it is for, and its own copyright and changelog.
libdir=./usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
expect_files() {  # expect_files DEB SECTION PATH...
  local deb=$1 section=$2 package contents
  shift 2
  package=$(dpkg-deb -f "$deb" Package)
  [ "$(dpkg-deb -f "$deb" Section)" = "$section" ] || fail "$package is not in section $section"
  contents=$(dpkg-deb -c "$deb")
  for path in "$@" "./usr/share/doc/$package/copyright" "./usr/share/doc/$package/changelog.gz"; do
    grep -q " $path\$" <<<"$contents" || grep -q " $path -> " <<<"$contents" || fail "$package lacks $path"
  done
}
expect_files "${debs[0]}" utils ./usr/bin/kalderos ./usr/share/man/man1/kalderos.1.gz \
  ./usr/share/kalderos/june_24_2011_raw.txt
expect_files "${debs[1]}" libs "$libdir/libkalderos.so.1" "$libdir/libkalderos.so.1.0.0"
expect_files "${debs[2]}" libdevel ./usr/include/kalderos/kalderos.h "$libdir/libkalderos.so" "$libdir/libkalderos.a" \
  "$libdir/pkgconfig/kalderos.pc" "$libdir/cmake/kalderos/kalderosConfig.cmake" ./usr/share/man/man3/kalderos.3.gz
if dpkg-deb -c "${debs[0]}" | grep -q 'include/\|libkalderos'; then fail "the kalderos package holds library files"; fi
[ "$(dpkg-deb -f "${debs[2]}" Depends)" = "libkalderos1 (= $(dpkg-deb -f "${debs[1]}" Version))" ] ||
  fail "libkalderos-dev depends on $(dpkg-deb -f "${debs[2]}" Depends)"
# Programs built against the library depend on its package at this version at least.
[ "$(dpkg-deb -I "${debs[1]}" shlibs)" = "libkalderos 1 libkalderos1 (= $(dpkg-deb -f "${debs[1]}" Version))" ] ||
  fail "libkalderos1's shlibs file says: $(dpkg-deb -I "${debs[1]}" shlibs)"
if [ ${#debs[@]} -gt 3 ]; then
  python_dir=./usr/lib/python3/dist-packages/kalderos
  expect_files "${debs[3]}" python "$python_dir/__init__.py" "$python_dir/__init__.pyi" "$python_dir/py.typed" \
    "$python_dir/_frames.py" "$python_dir/_kalderos$(/usr/bin/python3 -c 'import sysconfig; print(sysconfig.get_config_var("EXT_SUFFIX"))')" \
    ./usr/share/doc/python3-kalderos/examples/dask_ssn_column.py ./usr/share/doc/python3-kalderos/examples/people.csv
  # The module holds its own copy of the library, and imports pandas only when a frame is asked for: python3 and the
  # C and C++ runtimes are all it needs, as its description says.
  depends=$(dpkg-deb -f "${debs[3]}" Depends)
  for needed in 'python3 (>= ' 'libc6' 'libstdc++6'; do
    grep -qF "$needed" <<<"$depends" || fail "python3-kalderos does not depend on $needed: $depends"
  done
  if grep -q 'kalderos\|pandas' <<<"$depends"; then fail "python3-kalderos depends on $depends"; fi
fi

# Debian's own checks of the packages: no error and no warning may remain (an override needs its reason).
if ! command -v lintian >/dev/null; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -q lintian >"$work/apt.log" 2>&1 || { apt-get update -q && apt-get install -y -q lintian; } >>"$work/apt.log" 2>&1 ||
    echo "check-deb: lintian could not be installed" >&2
fi
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "${debs[@]}" >"$work/lintian.log" 2>&1 ||
    { cat "$work/lintian.log" >&2; fail "lintian found errors or warnings"; }
else
  echo "check-deb: lintian is not installed: the packages were not linted" >&2
fi

installed=yes
dpkg -i "${debs[@]}" >"$work/dpkg.log" || { cat "$work/dpkg.log" >&2; fail "dpkg -i failed"; }

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

# The library as the packages install it, found the way a Makefile would find it: the shared library, and the
# static one where the linker is told to take static libraries; and through the CMake package.
expected_consumer=$'SSN: 123-96-0001   New York              VALID=YES  CONFIRM\nVISA 1\n123-45-6789 valid ok 1 2011-06\n2221000000000009 MasterCard pass\n'
if command -v pkg-config >/dev/null; then
  # shellcheck disable=SC2046  # the flags are meant to split into words
  c++ -std=c++17 "$source_dir/tests/consumer/main.cpp" $(pkg-config --cflags --libs kalderos) -o "$work/consumer"
  readelf -d "$work/consumer" | grep -q 'NEEDED.*\[libkalderos\.so\.1\]' || fail "the consumer does not need libkalderos.so.1"
  "$work/consumer" >"$work/out"
  printf '%s' "$expected_consumer" | cmp -s - "$work/out" || fail "a program built with the shared library printed: $(cat "$work/out")"
  # shellcheck disable=SC2046
  c++ -std=c++17 "$source_dir/tests/consumer/main.cpp" -Wl,-Bstatic $(pkg-config --cflags --libs kalderos) -Wl,-Bdynamic \
    -o "$work/consumer-static"
  ! readelf -d "$work/consumer-static" | grep -q 'libkalderos' || fail "the static consumer needs the shared library"
  "$work/consumer-static" >"$work/out"
  printf '%s' "$expected_consumer" | cmp -s - "$work/out" || fail "a program built with the static library printed: $(cat "$work/out")"
  # shellcheck disable=SC2046
  c++ -std=c++17 "$source_dir/tests/consumer/check_list.cpp" $(pkg-config --cflags --libs kalderos) -o "$work/check_list"
  "$work/check_list" <"$source_dir/tests/consumer/list.txt" | cmp -s - "$source_dir/tests/consumer/list.expected" ||
    fail "the example of kalderos(3) printed something else"
fi
if command -v cmake >/dev/null; then
  cmake -S "$source_dir/tests/consumer" -B "$work/consumer-cmake" -DCMAKE_BUILD_TYPE=Release >"$work/cmake.log" 2>&1 &&
    cmake --build "$work/consumer-cmake" >>"$work/cmake.log" 2>&1 || { cat "$work/cmake.log" >&2; fail "the CMake consumer did not build"; }
  for program in consumer consumer_shared; do
    "$work/consumer-cmake/$program" >"$work/out"
    printf '%s' "$expected_consumer" | cmp -s - "$work/out" || fail "the CMake $program printed: $(cat "$work/out")"
  done
fi
if command -v man >/dev/null; then
  page=$(man -w 3 kalderos) || fail "man -w 3 kalderos finds no page"
  [ "$page" = /usr/share/man/man3/kalderos.3.gz ] || fail "man -w 3 kalderos gives $page"
fi

# The Python module as Debian's python3 imports it from the package, without the build's folders, its answer that
# of the program's record.
if [ ${#debs[@]} -gt 3 ]; then
  (cd "$work" && env -u PYTHONPATH /usr/bin/python3 -c 'import kalderos' ) || fail "/usr/bin/python3 cannot import kalderos"
  module=$(cd "$work" && env -u PYTHONPATH /usr/bin/python3 -c 'import kalderos; print(kalderos.__file__)')
  [ "$module" = /usr/lib/python3/dist-packages/kalderos/__init__.py ] || fail "python3 imports kalderos from $module"
  groups=/usr/share/kalderos/june_24_2011_raw.txt
  /usr/bin/kalderos --format=jsonl --rules=classic -g "$groups" 123-98-0001 >"$work/record" 2>/dev/null ||
    fail "kalderos --format=jsonl ended with $?"
  (cd "$work" && env -u PYTHONPATH /usr/bin/python3 -c '
import json, sys, kalderos
record = json.load(open(sys.argv[1]))
result = kalderos.check_ssn("123-98-0001", rules="classic", groups=sys.argv[2])
sys.exit(0 if dict(zip(kalderos.SSN_FIELDS, result)) == record and result.confirm else f"the module: {result}")' \
    "$work/record" "$groups") || fail "the installed module differs from the program's record $(cat "$work/record")"
  # The Dask example as the package installs it, run as its README says, on its own sample file.
  if /usr/bin/python3 -c 'import dask.dataframe, distributed' 2>/dev/null; then
    examples=/usr/share/doc/python3-kalderos/examples
    (cd "$work" && env -u PYTHONPATH timeout 300 /usr/bin/python3 "$examples/dask_ssn_column.py" "$examples/people.csv") \
      >"$work/dask.out" 2>"$work/dask.err" || { cat "$work/dask.err" >&2; fail "the installed Dask example failed"; }
    grep -q '^ *Hal Hart *n/a *Hilo invalid *malformed *None$' "$work/dask.out" ||
      fail "the installed Dask example printed: $(cat "$work/dask.out")"
  fi
fi

dpkg --purge "${packages[@]}" >"$work/dpkg.log" || { cat "$work/dpkg.log" >&2; fail "dpkg --purge failed"; }
installed=no
for path in /usr/bin/kalderos /usr/include/kalderos "/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/libkalderos.so.1" \
            /usr/share/doc/libkalderos1 /usr/share/kalderos /usr/lib/python3/dist-packages/kalderos \
            /usr/share/doc/python3-kalderos; do
  [ ! -e "$path" ] || fail "dpkg --purge left $path behind"
done
echo "check-deb: $(cd "$work" && echo "${debs[@]##*/}") install, run and purge cleanly"
