#!/usr/bin/env bash
# Runs Korvane as an ordinary user (nobody, with a fresh home) under a virtual X display with a
# window manager: opens a copy of the sample named on the command line, renames the second boot,
# saves, and checks the copy's new bytes, that the working files lay in the user's own cache folder
# and nowhere beside the program, and that the program ends when its window closes.
# Usage (as root): user_session.sh PROGRAM SAMPLE
set -u
program=$(realpath -s "$1")
sample=$2
steps=$(dirname "$(realpath "$0")")/user_steps.sh
. "$steps"
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
. "$STEPS"
work=$HOME/.cache/Korvane/temp
beside=$(dirname "$(readlink -f "$KORVANE")")/zlib/temp
openbox >/dev/null 2>&1 & sleep 1

cd "$HOME/games"
"$KORVANE" boots.bin >"$HOME/korvane.log" 2>&1 & app=$!
waitfor "wmctrl -l | grep -q \"Korvane version\"" || fail "the main window did not appear"
waitfor "[ -s $work/boots.bin.unzlib ]" || fail "the file named on the command line was not opened"
[ -n "$(find "$beside" -user nobody 2>/dev/null)" ] && fail "working files beside the program"
echo "the file named on the command line opened, its working files in $work"

rename_and_save "$work"
keys_after_message
close_and_end $app "$work"
'
runuser -u nobody -- env -i HOME="$home" XDG_RUNTIME_DIR="$home/runtime" PATH="$PATH" \
  LANG=C.UTF-8 KORVANE="$program" STEPS="$steps" \
  ASAN_OPTIONS=detect_leaks=0 xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$session" || exit 1

# The saved copy, unpacked by the program's own tool, differs from the sample only in the second
# boot's name.
zlibtool=$(dirname "$(readlink -f "$program")")/zlib/zlibtool
cp "$sample" "$home/before"
cp "$home/games/boots.bin" "$home/after"
"$zlibtool" "$home/before" -d && "$zlibtool" "$home/after" -d || { echo "FAIL: cannot unpack"; exit 1; }
renamed_only "$home/before.unzlib" "$home/after.unzlib"
