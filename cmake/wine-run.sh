#!/bin/sh
# wine-run.sh PREFIX PROGRAM [ARG...]: runs a Windows program under Wine, quietly, in the Wine
# prefix PREFIX. The first run creates the prefix: do that once (`wine-run.sh PREFIX wineboot -i`)
# before running programs in parallel. `wine-run.sh PREFIX wineserver ARG...` runs Wine's server
# for that prefix instead (`wineserver -w` waits until its programs have ended).
WINEPREFIX=$(realpath -m "$1") WINEDEBUG=-all
export WINEPREFIX WINEDEBUG
shift
# Wine's programs on the PATH, else where Debian's wine64 package keeps them.
find_wine() {
  for name in "$@"; do
    command -v "$name" && return
    [ -x "/usr/lib/wine/$name" ] && echo "/usr/lib/wine/$name" && return
  done
  echo "wine-run.sh: none of $* found" >&2
  return 1
}
if [ "$1" = wineserver ]; then
  shift
  server=$(find_wine wineserver) || exit 127
  exec "$server" "$@"
fi
wine=$(find_wine wine64 wine) || exit 127
exec "$wine" "$@"
