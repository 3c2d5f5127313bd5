#!/bin/sh
# Rebuilds examples/boots.bin: generates the invented sample table and packs it with zlibtool.
# Usage: examples/make_sample.sh [BUILD_DIR]   (default: build-sample beside this folder)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build-sample"}
cmake -S "$root" -B "$build" -DKORVANE_BUILD_UI=OFF -DKORVANE_BUILD_TESTS=ON >/dev/null
cmake --build "$build" --target make_sample zlibtool -j2 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/examples/make_sample" "$work/boots"
"$build/zlib/zlibtool" "$work/boots"
cp "$work/boots.zlib" "$root/examples/boots.bin"
echo "wrote $root/examples/boots.bin"
