#!/usr/bin/env bash
# scripts/build-windows.sh [--qt-only]: builds Korvane for 64-bit Windows with Debian's mingw-w64.
# Qt for Windows is cross-built once from Debian's source of the Qt the Linux build uses, with the
# installed Linux Qt as its host tools, and kept outside the checkout in
# ${XDG_CACHE_HOME:-~/.cache}/korvane/qt-<version>-mingw-<hash> (the hash covers the options).
# --qt-only stops there and prints that folder. KORVANE_JOBS sets the parallel jobs (default nproc).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${KORVANE_JOBS:-$(nproc)}
triplet=x86_64-w64-mingw32

# --- Qt for Windows -------------------------------------------------------------------------------

qt_deb_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev) # e.g. 6.4.2+dfsg-10
qt_version=${qt_deb_version%%[+~-]*}
qt_host_cmake=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake
if ! grep -q "PACKAGE_VERSION \"$qt_version\"" "$qt_host_cmake/Qt6/Qt6ConfigVersionImpl.cmake"; then
  echo "the installed Qt 6 is not $qt_version" >&2
  exit 1
fi

# Qt's own build uses the program's toolchain file, read once here so that the key and the build
# see the same text whatever happens to the checkout meanwhile.
qt_toolchain=$(cat cmake/mingw-w64.cmake)
# Static, Release, and only what Korvane and its tests use: Core, Gui, Widgets, Test, the Windows
# platform plugin and style, and the offscreen platform plugin for the tests. Every third-party
# library is Qt's bundled copy, so nothing of the Linux system is linked in.
qt_options=(
  -static -release -nomake examples -nomake tests -no-pkg-config
  -no-feature-network -no-feature-sql -no-dbus -no-opengl -no-feature-printsupport
  -no-feature-concurrent -no-feature-xml -no-feature-vulkan -no-zstd -no-icu
  -no-feature-tabletevent # Debian's source lacks the Wintab headers
  -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
  -qt-host-path /usr
)
qt_key=$(printf '%s\n' "$qt_deb_version" "$($triplet-g++-posix -dumpfullversion)" "$qt_toolchain" \
  "${qt_options[@]}" | sha256sum | cut -c1-12)
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/korvane
qt_prefix=$cache_root/qt-$qt_version-mingw-$qt_key

# Fetches Debian's qt6-base source and unpacks it, Debian's patches applied (dpkg-source does),
# into the new folder $1, through a private apt configuration (in $2, removed after) whose only
# entries are source entries derived from the machine's own.
fetch_qt_source() {
  local dest=$1 apt=$2 f
  rm -rf "$apt"
  mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/src"
  for f in /etc/apt/sources.list.d/*.sources; do
    if [ -f "$f" ]; then
      sed -e 's/^Types:.*/Types: deb-src/' "$f" > "$apt/sources.list.d/${f##*/}"
    fi
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    if [ -f "$f" ]; then
      sed -n -e 's/^deb /deb-src /p' "$f" > "$apt/sources.list.d/${f##*/}.list"
    fi
  done
  local options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt/sources.list.d"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o Dir::Cache::pkgcache=
    -o Dir::Cache::srcpkgcache= -o Debug::NoLocking=1)
  [ "$(id -u)" -ne 0 ] || options+=(-o APT::Sandbox::User=root)
  apt-get "${options[@]}" -qq update
  (cd "$apt/src" && apt-get "${options[@]}" -qq source --download-only "qt6-base=$qt_deb_version")
  dpkg-source -x "$apt/src/qt6-base_${qt_deb_version#*:}.dsc" "$dest"
  rm -rf "$apt"
}

# Builds Qt in a work folder beside the final one and installs it there.
build_qt() {
  local work=$qt_prefix.work started=$SECONDS
  mkdir -p "$work"
  if [ ! -d "$work/src" ]; then
    rm -rf "$work/src.tmp"
    fetch_qt_source "$work/src.tmp" "$work/apt"
    mv "$work/src.tmp" "$work/src"
  fi
  mkdir -p "$work/build"
  if [ ! -f "$work/build/build.ninja" ]; then
    printf '%s\n' "$qt_toolchain" > "$work/mingw-w64.cmake"
    (cd "$work/build" && "$work/src/configure" -prefix "$qt_prefix" "${qt_options[@]}" -- -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$work/mingw-w64.cmake" -DQT_HOST_PATH_CMAKE_DIR="$qt_host_cmake")
  fi
  cmake --build "$work/build" --parallel "$jobs"
  # Installed beside the final folder, then renamed into place: a half-built Qt is never taken
  # for a finished one.
  rm -rf "$work/stage"
  DESTDIR=$work/stage cmake --install "$work/build" > "$work/install.log"
  mv "$work/stage$qt_prefix" "$qt_prefix"
  rm -rf "$work"
  echo "Qt for Windows built in $(((SECONDS - started) / 60)) min, $(du -sh "$qt_prefix" | cut -f1)"
}

# Builds Qt unless it is there already (at most one build of it at a time on this machine).
ensure_qt() {
  if [ ! -d "$qt_prefix" ]; then
    mkdir -p "$cache_root"
    exec 9> "$qt_prefix.lock"
    flock 9
    [ -d "$qt_prefix" ] || build_qt
    exec 9>&-
  fi
  echo "Qt for Windows: $qt_prefix"
}

# --- Korvane for Windows --------------------------------------------------------------------------

# Configures build-win with the preset `windows` (Qt's toolchain file, which loads the project's
# own) and builds it; a build folder made with another toolchain is configured afresh (a toolchain
# is only read on the first configure). The Wine prefix there stays.
build_korvane() {
  local toolchain=$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake
  if ! grep -qx "CMAKE_TOOLCHAIN_FILE:[A-Z]*=$toolchain" build-win/CMakeCache.txt 2>/dev/null; then
    rm -rf build-win/CMakeCache.txt build-win/CMakeFiles
  fi
  KORVANE_QT_PREFIX=$qt_prefix cmake --preset windows
  cmake --build build-win -j"$jobs"
}

# Packs the portable zip and checks what it holds.
pack_zip() {
  local version zip top expected listed
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win/CMakeCache.txt)
  zip=build-win/korvane-$version-win64.zip
  top=korvane-$version-win64
  rm -f "$zip"
  (cd build-win && cpack -G ZIP > cpack.log)
  expected="$top/LICENSE.txt
$top/README.txt
$top/boots.bin
$top/korvane-table.exe
$top/korvane.exe
$top/zlib/
$top/zlib/temp/
$top/zlib/zlibtool.exe"
  listed=$(cmake -E tar tf "$zip" | LC_ALL=C sort)
  if [ "$listed" != "$expected" ]; then
    printf '%s holds:\n%s\nexpected:\n%s\n' "$zip" "$listed" "$expected" >&2
    return 1
  fi
  unpacked=$(mktemp -d)
  trap 'rm -rf "$unpacked"' EXIT
  (cd "$unpacked" && cmake -E tar xf "$OLDPWD/$zip")
  local program
  for program in korvane.exe korvane-table.exe zlib/zlibtool.exe; do
    if $triplet-objdump -h "$unpacked/$top/$program" | grep -q '[.]debug_'; then
      echo "$program in $zip is not stripped" >&2
      return 1
    fi
  done
  cmp examples/boots.bin "$unpacked/$top/boots.bin"
  # README.txt: UTF-8 with a byte-order mark, every line ended by CRLF.
  local readme=$unpacked/$top/README.txt
  if [ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" != efbbbf ] ||
    [ "$(grep -c $'\r$' "$readme")" != "$(wc -l < "$readme")" ]; then
    echo "README.txt in $zip is not UTF-8 with a byte-order mark and CRLF line ends" >&2
    return 1
  fi
  echo "Portable zip: $zip ($(du -k "$zip" | cut -f1) KiB)"
}

main() {
  ensure_qt
  if [ "${1:-}" != --qt-only ]; then
    build_korvane
    pack_zip
  fi
}

# Read whole before it runs, so that editing this file meanwhile cannot change what runs.
main "$@"; exit
