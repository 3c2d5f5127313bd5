#!/bin/sh
# debian_changelog.sh CHANGELOG PACKAGE MAINTAINER OUT: writes the Markdown changelog CHANGELOG in
# Debian's changelog format into OUT, compressed as Debian's policy asks (gzip -9n). Each dated
# version ("## [1.1.0] - 2026-12-08") becomes an entry; its "### Added" (Changed, Fixed) lists
# become starred groups of items, rewrapped to fit Debian's 80 columns. Undated sections
# ("## [Unreleased]") are left out. Entries carry noon of their day less a minute for each newer
# entry, so that releases of one day still come one after another, as Debian asks.
set -eu
awk -v package="$2" -v maintainer="$3" '
function wrap(text,   words, n, i, line) {
  n = split(text, words, " ")
  line = "    -"
  for (i = 1; i <= n; ++i) {
    if (length(line) + 1 + length(words[i]) > 78) { print line; line = "     " }
    line = line " " words[i]
  }
  print line
}
function end_item() { if (item != "") wrap(item); item = "" }
function end_entry(   stamp, command) {
  end_item()
  if (version == "") return
  command = "date -u -R -d \"" date " 12:00 UTC " (entries - 1) " minutes ago\""
  if ((command | getline stamp) <= 0) { print "bad date: " date > "/dev/stderr"; exit 1 }
  close(command)
  printf "\n -- %s  %s\n", maintainer, stamp
  version = ""
}
/^## \[[0-9][0-9.]*\] - [0-9]+-[0-9]+-[0-9]+ *$/ {
  end_entry()
  if (entries++) print ""
  version = $2; gsub(/[][]/, "", version); date = $4
  printf "%s (%s) unstable; urgency=medium\n\n", package, version
  next
}
/^## / { end_entry(); next }
version == "" { next }
/^### / { end_item(); printf "  * %s:\n", substr($0, 5); next }
/^- / { end_item(); item = substr($0, 3); next }
/^ +[^ ]/ && item != "" { sub(/^ +/, ""); item = item " " $0; next }
/^ *$/ { end_item(); next }
END { end_entry() }
' "$1" | gzip -9n > "$4"
