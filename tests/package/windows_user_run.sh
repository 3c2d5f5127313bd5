#!/usr/bin/env bash
# A user's run of the Windows program under Wine, in a Wine prefix of its own, under a virtual X
# display with a window manager. The Windows build in BUILD is installed as a portable folder;
# korvane.exe there opens a copy of the sample as "Łódź mody\boots.bin" named on the command
# line; the second boot is renamed with real key events, Ctrl+S saves, the window is closed. Then
# the saved bytes, the backup and the emptied working folder are checked. `korvane.exe --version`
# answers in a message box. Before that, korvane.exe is checked to carry its manifest and every
# size of its icon.
# Usage: windows_user_run.sh BUILD SAMPLE
set -u
export LANG=C.UTF-8 # how Wine reads the Polish letters of the command line
build=$(realpath "$1")
sample=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
wine_run=$here/../../cmake/wine-run.sh
steps=$here/user_steps.sh
. "$steps"
for tool in xvfb-run openbox wmctrl xdotool cmp wrestool icotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool missing"; exit 77; }
done

# A prefix of its own: Wine draws every window of a prefix on the display its first program had,
# and the other Windows tests run without one.
prefix=$build/wine-user
if [ ! -e "$prefix/.korvane-ready" ]; then
  rm -rf "$prefix"
  env -u DISPLAY "$wine_run" "$prefix" wineboot -i >/dev/null 2>&1
  WINEPREFIX=$prefix /usr/lib/wine/wineserver -w
  touch "$prefix/.korvane-ready"
fi

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cmake --install "$build" --prefix "$dir/Korvane" >/dev/null ||
  { echo "FAIL: cannot install"; exit 1; }
# The program file's manifest (resource type 24) and icon group (14), as Explorer reads them.
exe=$dir/Korvane/korvane.exe
manifest=$(wrestool -x --raw -t 24 "$exe")
for want in 'level="asInvoker"' PerMonitorV2 '<longPathAware' '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a'; do
  grep -qF -- "$want" <<<"$manifest" || { echo "FAIL: korvane.exe's manifest lacks $want"; exit 1; }
done
wrestool -x -t 14 "$exe" > "$dir/icon.ico"
for size in 16 32 48 64 128 256; do
  icotool -l "$dir/icon.ico" | grep -q -- "--width=$size --height=$size" ||
    { echo "FAIL: korvane.exe's icon has no $size x $size image"; exit 1; }
done
echo "korvane.exe carries its manifest and icons of 16 to 256 pixels"

games="$dir/Łódź mody"
mkdir "$games"
cp "$sample" "$games/boots.bin"

session='
set -u
fail() { echo "FAIL: $*"; cat "$DIR/korvane.log"; kill $app 2>/dev/null; exit 1; }
. "$STEPS"
window() { wmctrl -l | grep -q -- "$1"; }
work=$DIR/Korvane/zlib/temp
openbox >/dev/null 2>&1 & sleep 1

"$WINE_RUN" "$PREFIX" "$DIR/Korvane/korvane.exe" --version >"$DIR/korvane.log" 2>&1 & app=$!
waitfor "window Korvane" || fail "--version showed no message box"
xdotool windowactivate --sync "$(xdotool search --name Korvane | head -1)"
xdotool key --delay 150 Return
waitfor "! kill -0 $app 2>/dev/null" || fail "--version did not end with its message box"
wait $app || fail "--version ended with code $?"
echo "--version answered in a message box"

"$WINE_RUN" "$PREFIX" "$DIR/Korvane/korvane.exe" "$FILE" >"$DIR/korvane.log" 2>&1 &
app=$!
waitfor "window \"Korvane version\"" || fail "the main window did not appear"
waitfor "[ -s $work/boots.bin.unzlib ]" || fail "the file named on the command line was not opened"
echo "the file named on the command line opened"

rename_and_save "$work"
# Not keys_after_message: under Wine with this window manager a tool window (the main window is
# one) gets no keyboard back when a message box over it closes, whatever the program asks for;
# with a normal frame it does, and so do tool windows on Windows itself.
close_and_end $app "$work"
'
# The file as Windows names it, on Wine's drive for the whole file system.
file=Z:$(printf '%s' "$games/boots.bin" | tr / '\\')
DIR=$dir FILE=$file WINE_RUN=$wine_run PREFIX=$prefix STEPS=$steps \
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$session" || exit 1

# The saved file, unpacked by the program's own tool, differs from the sample only in the second
# boot's name; the backup is the sample as it was.
cmp "$sample" "$games/boots.bin.bak" ||
  { echo "FAIL: the backup is not the original file"; exit 1; }
cp "$sample" "$dir/before"
cp "$games/boots.bin" "$dir/after"
for file in before after; do
  "$wine_run" "$prefix" "$dir/Korvane/zlib/zlibtool.exe" "Z:$dir/$file" -d ||
    { echo "FAIL: cannot unpack $file"; exit 1; }
done
[ -z "$(ls -A "$dir/Korvane/zlib/temp")" ] ||
  { echo "FAIL: files left in the working folder"; exit 1; }
renamed_only "$dir/before.unzlib" "$dir/after.unzlib"
