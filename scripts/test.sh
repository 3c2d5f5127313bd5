#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: a normal build and its Debian package
# (installed, checked by lintian, run as an ordinary user and removed again; needs root), a build
# with AddressSanitizer and UndefinedBehaviorSanitizer, the Windows program and its portable zip
# (scripts/build-windows.sh, which builds Qt for Windows once) with every test run under Wine, and
# a short run of each fuzz target. Ends with the number of tests each build passed.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
jobs=$(nproc)
fuzz_seconds=${KORVANE_FUZZ_SECONDS:-30}
wine_session="" fuzz_work=""
on_exit() {
  if [ -n "$wine_session" ]; then kill "$wine_session" 2>/dev/null || true; fi
  if [ -n "$fuzz_work" ]; then rm -rf "$fuzz_work"; fi
}
trap on_exit EXIT

# Configures the build folder $1 naming every option, so that nothing an earlier command cached
# there counts; later arguments override these.
configure() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_WERROR=ON \
    -DKORVANE_BUILD_TESTS=ON -DKORVANE_BUILD_UI=ON -DKORVANE_BUILD_BENCH=OFF \
    -DKORVANE_SANITIZE=OFF -DKORVANE_FUZZ=OFF -DKORVANE_HARDEN=OFF "$@"
}
# Runs ctest in build folder $1 with the further arguments, its output also in $1/ctest.log.
run_ctest() {
  local dir=$1
  shift
  ctest --test-dir "$dir" --no-tests=error --output-on-failure -j"$jobs" "$@" | tee "$dir/ctest.log"
}
# How many tests passed and how many were skipped, from ctest's output in build folder $1: its
# result line ("100% tests passed, 0 tests failed out of 62", which counts skipped tests as
# passed) and its "(Skipped)" lines; fails when there is no result line.
passed() {
  local line skipped
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1/ctest.log") ||
    { echo "no ctest result line in $1/ctest.log" >&2; return 1; }
  skipped=$(grep -c '(Skipped)$' "$1/ctest.log" || true)
  echo "$line" | awk -v skipped="$skipped" \
    '{ printf "%d tests passed", $NF - $4 - skipped; if (skipped) printf ", %d skipped", skipped }'
}

echo "== normal build, hardened as the Debian package is =="
configure build -DKORVANE_BUILD_BENCH=ON -DKORVANE_HARDEN=ON
cmake --build build -j"$jobs"
run_ctest build

echo "== Debian package, checked, installed and run as an ordinary user =="
rm -f build/korvane_*.deb
(cd build && cpack -G DEB)
if [ "$(id -u)" -eq 0 ]; then
  bash tests/package/installed_test.sh build/korvane_*.deb
  package="passed"
else
  package="skipped (installing the package needs root)"
  echo "$package"
fi

echo "== sanitizer build =="
configure build-asan -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 run_ctest build-asan

# ---- Windows: cross build (mingw-w64) and its tests under Wine ---------------------------------
echo "== Windows cross build (mingw-w64): Qt for Windows, the programs, the zip; tests under Wine =="
# Builds Qt for Windows when its cache folder lacks it, then korvane.exe, the tools, every test and
# the portable zip in build-win.
KORVANE_JOBS=$jobs bash scripts/build-windows.sh
wine=cmake/wine-run.sh
prefix=build-win/wine
# Create the Wine prefix before the tests start Windows programs in parallel, and let Wine finish
# setting it up; the marker tells a finished prefix from one whose creation was cut short.
if [ ! -e "$prefix/.korvane-ready" ]; then
  rm -rf "$prefix"
  "$wine" "$prefix" wineboot -i
  "$wine" "$prefix" wineserver -w
  touch "$prefix/.korvane-ready"
fi
# Wine's own background processes start with the first program and inherit its output, so ctest
# would wait for them to end: start them first, detached, from a program that waits for its input
# until the tests are done, and that says when it runs by making a file.
rm -f build-win/wine-session-up
(echo 'type nul > build-win\wine-session-up'; exec sleep 3600) \
  > >("$wine" "$prefix" cmd.exe >/dev/null 2>&1) &
wine_session=$!
for _ in $(seq 240); do [ -e build-win/wine-session-up ] && break; sleep 0.5; done
[ -e build-win/wine-session-up ] || { echo "Wine's session did not start"; exit 1; }
run_ctest build-win --timeout 300 # for any test without a limit of its own
kill "$wine_session"
wine_session=""
"$wine" "$prefix" wineserver -w
# ---- end of the Windows stage ----------------------------------------------------------------

echo "== fuzzing, ${fuzz_seconds} s a target =="
configure build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKORVANE_FUZZ=ON \
  -DKORVANE_BUILD_UI=OFF -DKORVANE_BUILD_TESTS=OFF
cmake --build build-fuzz -j"$jobs" --target fuzz_decode fuzz_unpack fuzz_csv fuzz_patch
fuzz_work=$(mktemp -d)
for target in decode unpack csv patch; do
  mkdir "$fuzz_work/$target"
  cp fuzz/corpus/$target/* "$fuzz_work/$target"/
  build-fuzz/fuzz/fuzz_$target -max_total_time="$fuzz_seconds" -print_final_stats=0 \
    "$fuzz_work/$target" > "build-fuzz/fuzz_$target.log" 2>&1 ||
    { tail -50 "build-fuzz/fuzz_$target.log"; exit 1; }
  echo "fuzz_$target: no findings in ${fuzz_seconds} s"
done

normal=$(passed build)
asan=$(passed build-asan)
windows=$(passed build-win)
echo "== summary =="
echo "normal build: $normal"
echo "Debian package: $package"
echo "sanitizer build: $asan"
echo "Windows build (Wine): $windows"
echo "fuzzing: no findings in ${fuzz_seconds} s for each of decode, unpack, csv, patch"
echo "All tests passed."
