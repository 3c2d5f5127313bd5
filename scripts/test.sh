#!/usr/bin/env bash
# scripts/test.sh [STAGE...]: installs what is missing, then builds and runs the tests of the named
# stages, always in this order, or of all of them when none is named:
#   normal   a normal build, hardened as the Debian package is, and its tests
#   package  its Debian package (installed, checked by lintian, run as an ordinary user and removed
#            again; needs root); builds the normal build first (without its tests)
#            when `normal` is not named
#   asan     a build with AddressSanitizer and UndefinedBehaviorSanitizer, and its tests
#   windows  the Windows program and its portable zip (scripts/build-windows.sh, which builds Qt
#            for Windows once), every test run under Wine
#   fuzz     a short run of each fuzz target (KORVANE_FUZZ_SECONDS a target, default 30)
# Ends with the number of tests each build passed. The build folders' options are the presets of
# CMakePresets.json.
set -euo pipefail
cd "$(dirname "$0")/.."

stages=(normal package asan windows fuzz)
usage="usage: scripts/test.sh [$(IFS='|'; echo "${stages[*]}")]..."
declare -A wanted=()
[ $# -gt 0 ] || set -- "${stages[@]}"
for name in "$@"; do
  for stage in "${stages[@]}"; do
    if [ "$name" = "$stage" ]; then
      wanted[$stage]=1
      continue 2
    fi
  done
  printf 'scripts/test.sh: no stage "%s"\n%s\n' "$name" "$usage" >&2
  exit 2
done

bash scripts/install-deps.sh
jobs=$(nproc)
fuzz_seconds=${KORVANE_FUZZ_SECONDS:-30}
wine_session="" fuzz_work="" normal_built=""
summary=()
on_exit() {
  if [ -n "$wine_session" ]; then kill "$wine_session" 2>/dev/null || true; fi
  if [ -n "$fuzz_work" ]; then rm -rf "$fuzz_work"; fi
}
trap on_exit EXIT

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

# Configures and builds build/ once a run.
build_normal() {
  if [ -z "$normal_built" ]; then
    cmake --preset normal
    cmake --build build -j"$jobs"
    normal_built=1
  fi
}

stage_normal() {
  echo "== normal build, hardened as the Debian package is =="
  build_normal
  run_ctest build
  summary+=("normal build: $(passed build)")
}

stage_package() {
  echo "== Debian package, checked, installed and run as an ordinary user =="
  build_normal
  rm -f build/korvane_*.deb
  (cd build && cpack -G DEB)
  local package
  if [ "$(id -u)" -eq 0 ]; then
    bash tests/package/installed_test.sh build/korvane_*.deb
    package="passed"
  else
    package="skipped (installing the package needs root)"
    echo "$package"
  fi
  summary+=("Debian package: $package")
}

stage_asan() {
  echo "== sanitizer build =="
  cmake --preset asan
  cmake --build build-asan -j"$jobs"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 run_ctest build-asan
  summary+=("sanitizer build: $(passed build-asan)")
}

stage_windows() {
  echo "== Windows cross build (mingw-w64): Qt for Windows, the programs, the zip; tests under Wine =="
  # Builds Qt for Windows when its cache folder lacks it, then korvane.exe, the tools, every test
  # and the portable zip in build-win.
  KORVANE_JOBS=$jobs bash scripts/build-windows.sh
  local wine=cmake/wine-run.sh prefix=build-win/wine
  # Create the Wine prefix before the tests start Windows programs in parallel, and let Wine finish
  # setting it up; the marker tells a finished prefix from one whose creation was cut short.
  if [ ! -e "$prefix/.korvane-ready" ]; then
    rm -rf "$prefix"
    "$wine" "$prefix" wineboot -i
    "$wine" "$prefix" wineserver -w
    touch "$prefix/.korvane-ready"
  fi
  # Wine's own background processes start with the first program and inherit its output, so ctest
  # would wait for them to end: start them first, detached, from a program that waits for its
  # input until the tests are done, and that says when it runs by making a file.
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
  summary+=("Windows build (Wine): $(passed build-win)")
}

stage_fuzz() {
  echo "== fuzzing, ${fuzz_seconds} s a target =="
  cmake --preset fuzz
  cmake --build build-fuzz -j"$jobs" --target fuzz_decode fuzz_unpack fuzz_csv fuzz_patch
  fuzz_work=$(mktemp -d)
  local target
  for target in decode unpack csv patch; do
    mkdir "$fuzz_work/$target"
    cp fuzz/corpus/$target/* "$fuzz_work/$target"/
    build-fuzz/fuzz/fuzz_$target -max_total_time="$fuzz_seconds" -print_final_stats=0 \
      "$fuzz_work/$target" > "build-fuzz/fuzz_$target.log" 2>&1 ||
      { tail -50 "build-fuzz/fuzz_$target.log"; exit 1; }
    echo "fuzz_$target: no findings in ${fuzz_seconds} s"
  done
  summary+=("fuzzing: no findings in ${fuzz_seconds} s for each of decode, unpack, csv, patch")
}

for stage in "${stages[@]}"; do
  if [ -n "${wanted[$stage]:-}" ]; then "stage_$stage"; fi
done
echo "== summary =="
printf '%s\n' "${summary[@]}"
echo "All tests passed."
