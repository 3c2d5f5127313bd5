#!/usr/bin/env bash
# Runs Korvane as an ordinary user (nobody, with a fresh home) under a virtual X display with a
# window manager: opens a copy of the sample named on the command line, renames the second boot,
# saves, and checks the copy's new bytes, that the working files lay in the user's own cache folder
# and nowhere beside the program, and that the program ends when its window closes.
# Usage (as root): user_session.sh PROGRAM SAMPLE
set -u
program=$(realpath -s "$1")
sample=$2
[ "$(id -u)" -eq 0 ] || { echo "skipped: needs root to run as another user"; exit 77; }
for tool in runuser xvfb-run openbox wmctrl xdotool cmp; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool missing"; exit 77; }
done

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir "$home/games" "$home/runtime"
chmod 700 "$home/runtime"
cp "$sample" "$home/games/boots.bin"
chown -R nobody: "$home"

session='
set -u
fail() { echo "FAIL: $*"; cat "$HOME/korvane.log"; kill $app 2>/dev/null; exit 1; }
waitfor() { for _ in $(seq 150); do eval "$1" && return 0; sleep 0.1; done; return 1; }
work=$HOME/.cache/Korvane/temp
beside=$(dirname "$(readlink -f "$KORVANE")")/zlib/temp
openbox >/dev/null 2>&1 & sleep 1

cd "$HOME/games"
"$KORVANE" boots.bin >"$HOME/korvane.log" 2>&1 & app=$!
waitfor "wmctrl -l | grep -q \"Korvane version\"" || fail "the main window did not appear"
waitfor "[ -s $work/boots.bin.unzlib ]" || fail "the file named on the command line was not opened"
[ -n "$(find "$beside" -user nobody 2>/dev/null)" ] && fail "working files beside the program"
echo "the file named on the command line opened, its working files in $work"

main=$(xdotool search --name "Korvane version" | head -1)
xdotool windowactivate --sync "$main"
# The list, the second boot, then through the picture, ID and Group to the Name box.
xdotool key --delay 150 Tab Down Down Tab Tab Tab Tab ctrl+a
xdotool type --delay 50 "Zmieniony"
xdotool key --delay 150 ctrl+s
waitfor "wmctrl -l | grep -v \"Korvane version\" | grep -q Korvane" || fail "no message after save"
xdotool key --delay 150 Return
waitfor "[ -z \"\$(ls -A $work)\" ]" || fail "the working folder was not emptied by the save"

wmctrl -c "Korvane version"
waitfor "! kill -0 $app 2>/dev/null" || fail "closing the window left the program running"
[ -e "$work.lock" ] && fail "the working folder is still claimed after the program ended"
echo "saved, and the program ended when its window closed"
'
runuser -u nobody -- env -i HOME="$home" XDG_RUNTIME_DIR="$home/runtime" PATH="$PATH" \
  LANG=C.UTF-8 KORVANE="$program" \
  ASAN_OPTIONS=detect_leaks=0 xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$session" || exit 1

# The saved copy, unpacked by the program's own tool, differs from the sample only in the second
# boot's name.
zlibtool=$(dirname "$(readlink -f "$program")")/zlib/zlibtool
cp "$sample" "$home/before"
cp "$home/games/boots.bin" "$home/after"
"$zlibtool" "$home/before" -d && "$zlibtool" "$home/after" -d || { echo "FAIL: cannot unpack"; exit 1; }
record=$((32 + 76))
name=$(dd if="$home/after.unzlib" bs=1 skip=$record count=64 2>/dev/null | tr -d '\0')
[ "$name" = Zmieniony ] || { echo "FAIL: the second boot is named \"$name\""; exit 1; }
outside=$(cmp -l "$home/before.unzlib" "$home/after.unzlib" |
  awk -v from=$record -v to=$((record + 64)) '$1 - 1 < from || $1 - 1 >= to' | wc -l)
[ "$outside" -eq 0 ] || { echo "FAIL: $outside bytes changed outside the renamed boot's name"; exit 1; }
[ "$(stat -c %s "$home/before.unzlib")" -eq "$(stat -c %s "$home/after.unzlib")" ] ||
  { echo "FAIL: the table changed its length"; exit 1; }
echo "the saved file holds the new name and nothing else changed"
