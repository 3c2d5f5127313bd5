#!/usr/bin/env bash
# Installs the Debian package DEB, checks its layout, runs the installed program as an ordinary
# user (user_session.sh), and removes the package again whatever the outcome.
# Usage (as root): installed_test.sh DEB
set -u
deb=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
export DEBIAN_FRONTEND=noninteractive
apt_get() { apt-get -y -qq -o DPkg::Lock::Timeout=300 "$@"; }

if dpkg-query -W -f='${Status}' korvane 2>/dev/null | grep -q "install ok installed"; then
  echo "skipped: a korvane package is installed already, and stays untouched"
  exit 0
fi
trap 'apt_get purge korvane >/dev/null' EXIT
apt_get install "$deb" >/dev/null || { echo "FAIL: the package did not install"; exit 1; }

[ "$(readlink /usr/bin/korvane)" = ../lib/korvane/korvane ] ||
  { echo "FAIL: /usr/bin/korvane is not a relative link to the program"; exit 1; }
[ -x /usr/lib/korvane/zlib/zlibtool ] || { echo "FAIL: no tool beside the program"; exit 1; }
grep -qx "Exec=korvane %f" /usr/share/applications/korvane.desktop ||
  { echo "FAIL: the desktop entry does not pass the file on"; exit 1; }
/usr/bin/korvane --version | grep -q "^Korvane " || { echo "FAIL: korvane --version"; exit 1; }
echo "installed: /usr/bin/korvane -> ../lib/korvane/korvane, its tool, the desktop entry"

bash "$here/user_session.sh" /usr/bin/korvane /usr/share/korvane/boots.bin
