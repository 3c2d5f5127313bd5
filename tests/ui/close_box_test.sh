#!/usr/bin/env bash
# Closes the real program's windows with the window manager's close button under a virtual X
# display: closing the main window ends the program, unless the help window is still open; then
# closing that ends it. Minimising a window does not end it, nor does closing the table window,
# which asks nothing, unsaved edits or not. The program ignores SIGXFSZ.
set -u
korvane=$1
for tool in xvfb-run openbox wmctrl xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool missing"; exit 77; }
done

work=$(mktemp -d)
# The program's recovery files: none before, and the one its kill leaves is removed after.
recovery=$(dirname "$korvane")/zlib/recovery
rm -rf "$recovery"
trap 'rm -rf "$work" "$recovery"' EXIT
cp "$(dirname "$korvane")/boots.bin" "$work/boots.bin"
export KORVANE=$korvane BOOTS=$work/boots.bin RECOVERY=$recovery
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
set -u
fail() { echo "FAIL: $*"; kill $app 2>/dev/null; exit 1; }
waitfor() { for _ in $(seq 100); do eval "$1" && return 0; sleep 0.1; done; return 1; }
window() { wmctrl -l | grep -q -- "$1"; }
start() {
  "$KORVANE" "$@" >/dev/null 2>&1 & app=$!
  waitfor "window \"Korvane version\"" || fail "the main window did not appear"
}
openbox >/dev/null 2>&1 & sleep 1

start "$BOOTS"
# SIGXFSZ is signal 25: its bit in the mask of ignored signals.
ignored=$(sed -n "s/^SigIgn:\s*//p" /proc/$app/status)
(( (16#$ignored >> 24) & 1 )) || fail "the program does not ignore SIGXFSZ"
main=$(xdotool search --name "Korvane version" | head -1)
for edits in none one; do
  if [ $edits = one ]; then # the first boot renamed: list, then the name box, three tabs on
    xdotool windowactivate --sync "$main" key Tab Down Tab Tab Tab Tab type x
    waitfor "wmctrl -l | grep -q \"boots.bin[*] \"" || fail "the edit did not show"
  fi
  xdotool windowactivate --sync "$main" key ctrl+t
  waitfor "window \"Tabela butów\"" || fail "Ctrl+T did not open the table window"
  wmctrl -c "Tabela butów"
  waitfor "! window \"Tabela butów\"" || fail "the table window did not close"
  sleep 0.5
  kill -0 $app 2>/dev/null || fail "closing the table window ($edits unsaved) ended the program"
  [ "$(wmctrl -l | grep -c "Korvane")" = 1 ] || fail "closing the table window asked something"
done
kill $app
wait $app 2>/dev/null
rm -rf "$RECOVERY" # the edits it kept, which the next start would offer back
echo "closing the table window leaves the program running and asks nothing"

start
xdotool windowminimize "$(xdotool search --name "Korvane version" | head -1)"
sleep 0.5
kill -0 $app 2>/dev/null || fail "minimising the main window ended the program"
wmctrl -c "Korvane version"
waitfor "! kill -0 $app 2>/dev/null" || fail "closing the main window left the program running"
echo "closing the main window ends the program"

start
main=$(xdotool search --name "Korvane version" | head -1)
xdotool mousemove --window "$main" 86 10 click 1 # Help, after File and Edit
waitfor "window Help" || fail "Help did not open the help window"
wmctrl -c "Korvane version"
waitfor "! window \"Korvane version\"" || fail "the main window did not close"
sleep 0.5
kill -0 $app 2>/dev/null || fail "closing the main window ended the program while help was open"
wmctrl -c Help
waitfor "! kill -0 $app 2>/dev/null" || fail "closing the help window last left the program running"
echo "with help open, the program ends when the help window closes too"
'
