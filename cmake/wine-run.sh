#!/bin/sh
# wine-run.sh PREFIX PROGRAM [ARG...]: runs a Windows program under Wine, quietly, in the Wine
# prefix PREFIX. The first run creates the prefix: do that once (`wine-run.sh PREFIX wineboot -i`)
# before running programs in parallel. Wine's server stays up for a minute after the last
# program, so that a series of runs does not pay its start-up each time.
WINEPREFIX=$(realpath -m "$1")
WINEDEBUG=-all
export WINEPREFIX WINEDEBUG
shift
[ -d "$WINEPREFIX" ] && /usr/lib/wine/wineserver -p60 2>/dev/null
exec /usr/lib/wine/wine64 "$@"
