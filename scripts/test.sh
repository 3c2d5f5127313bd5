#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: a normal build and its Debian package
# (installed, run as an ordinary user and removed again; needs root), a build with
# AddressSanitizer and UndefinedBehaviorSanitizer, a Windows cross build whose tests run under
# Wine, and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
jobs=$(nproc)
fuzz_seconds=${KORVANE_FUZZ_SECONDS:-30}

echo "== normal build =="
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_WERROR=ON -DKORVANE_BUILD_BENCH=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs" | tee build/ctest.log

echo "== Debian package, installed and run as an ordinary user =="
rm -f build/korvane_*.deb
(cd build && cpack -G DEB)
if [ "$(id -u)" -eq 0 ]; then
  bash tests/package/installed_test.sh build/korvane_*.deb
else
  echo "skipped: installing the package needs root"
fi

echo "== sanitizer build =="
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKORVANE_WERROR=ON -DKORVANE_SANITIZE=ON
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== Windows cross build (mingw-w64), tests under Wine =="
# Everything that does not need Qt: the core, the tools and their tests.
cmake -S . -B build-win --toolchain cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORVANE_WERROR=ON -DKORVANE_BUILD_UI=OFF
cmake --build build-win -j"$jobs"
# Create the Wine prefix once, before the tests start Windows programs in parallel, and let
# Wine finish setting it up.
if [ ! -d build-win/wine ]; then
  cmake/wine-run.sh build-win/wine wineboot -i
  WINEPREFIX="$PWD/build-win/wine" /usr/lib/wine/wineserver -w
fi
# Wine's own background processes start with the first program and inherit its output, so ctest
# would wait for them to end: start them first, detached, from a program that waits for its input
# until the tests are done.
sleep 3600 > >(cmake/wine-run.sh build-win/wine cmd.exe >/dev/null 2>&1) &
wine_session=$!
trap 'kill "$wine_session" 2>/dev/null || true' EXIT
for _ in $(seq 120); do pgrep -f 'system32.cmd\.exe' >/dev/null && break; sleep 0.5; done
ctest --test-dir build-win --output-on-failure -j"$jobs" | tee build-win/ctest.log
kill "$wine_session"
WINEPREFIX="$PWD/build-win/wine" /usr/lib/wine/wineserver -w
count() { grep -o 'tests failed out of [0-9]*' "$1" | grep -o '[0-9]*$'; }
echo "Tests passed: $(count build/ctest.log) on Linux, $(count build-win/ctest.log) on Windows (Wine)"

echo "== fuzzing, ${fuzz_seconds} s a target =="
cmake -S . -B build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_FUZZ=ON -DKORVANE_BUILD_UI=OFF -DKORVANE_BUILD_TESTS=OFF
cmake --build build-fuzz -j"$jobs" --target fuzz_decode fuzz_unpack fuzz_csv fuzz_patch
for target in decode unpack csv patch; do
  work=$(mktemp -d)
  cp fuzz/corpus/$target/* "$work"/
  build-fuzz/fuzz/fuzz_$target -max_total_time="$fuzz_seconds" -print_final_stats=0 "$work" \
    > "build-fuzz/fuzz_$target.log" 2>&1 || { tail -50 "build-fuzz/fuzz_$target.log"; exit 1; }
  rm -rf "$work"
  echo "fuzz_$target: no findings in ${fuzz_seconds} s"
done
echo "All tests passed."
