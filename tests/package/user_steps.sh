# Shell functions of the user's runs of the program (sourced by user_session.sh and
# windows_user_run.sh). The session functions run under X with a window manager and call the
# caller's `fail MESSAGE`.

# Waits up to 30 s for the shell condition $1; false when it never holds.
waitfor() { for _ in $(seq 300); do eval "$1" && return 0; sleep 0.1; done; return 1; }

# In the open main window, renames the second boot to "Zmieniony" with key events, saves with
# Ctrl+S, answers the message, and waits until the working folder $1 is empty.
rename_and_save() {
  xdotool windowactivate --sync "$(xdotool search --name "Korvane version" | head -1)"
  # The list, the second boot, then through the picture, ID and Group to the Name box.
  xdotool key --delay 150 Tab Down Down Tab Tab Tab Tab ctrl+a
  xdotool type --delay 50 "Zmieniony"
  xdotool key --delay 150 ctrl+s
  waitfor "wmctrl -l | grep -v \"Korvane version\" | grep -q Korvane" || fail "no message after save"
  xdotool key --delay 150 Return
  waitfor "[ -z \"\$(ls -A \"$1\")\" ]" || fail "the working folder was not emptied by the save"
}

# Once a message is answered the keyboard is the main window's again: Ctrl+T opens the table
# window at once; it is closed again.
keys_after_message() {
  xdotool key --delay 150 ctrl+t
  waitfor "wmctrl -l | grep -q \"Tabela butów\"" || fail "keys went nowhere after the message"
  wmctrl -c "Tabela butów"
  waitfor "! wmctrl -l | grep -q \"Tabela butów\"" || fail "the table window did not close"
}

# Closes the main window; the program, process $1, must end and leave its working folder $2
# unclaimed.
close_and_end() {
  wmctrl -c "Korvane version"
  waitfor "! kill -0 $1 2>/dev/null" || fail "closing the window left the program running"
  [ -e "$2.lock" ] && fail "the working folder is still claimed after the program ended"
  echo "saved, and the program ended when its window closed"
}

# Checks that the unpacked table $2 differs from the unpacked table $1 only in the second boot's
# name, now "Zmieniony"; prints what differs and returns false otherwise.
renamed_only() {
  local record=$((32 + 76)) name outside
  name=$(dd if="$2" bs=1 skip=$record count=64 2>/dev/null | tr -d '\0')
  [ "$name" = Zmieniony ] || { echo "FAIL: the second boot is named \"$name\""; return 1; }
  outside=$(cmp -l "$1" "$2" | awk -v from=$record -v to=$((record + 64)) \
    '$1 - 1 < from || $1 - 1 >= to' | wc -l)
  [ "$outside" -eq 0 ] ||
    { echo "FAIL: $outside bytes changed outside the renamed boot's name"; return 1; }
  [ "$(stat -c %s "$1")" -eq "$(stat -c %s "$2")" ] ||
    { echo "FAIL: the table changed its length"; return 1; }
  echo "the saved file holds the new name and nothing else changed"
}
