#!/bin/sh
# wine-run.sh PREFIX PROGRAM [ARG...]: runs a Windows program under Wine, quietly, in the Wine
# prefix PREFIX. The first run creates the prefix: do that once (`wine-run.sh PREFIX wineboot -i`)
# before running programs in parallel.
WINEPREFIX=$(realpath -m "$1") WINEDEBUG=-all
export WINEPREFIX WINEDEBUG
shift
exec /usr/lib/wine/wine64 "$@"
