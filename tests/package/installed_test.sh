#!/usr/bin/env bash
# Checks the Debian package DEB with lintian (any error fails), installs it in place of any korvane
# package installed before, checks its layout, runs the installed program as an ordinary user
# (user_session.sh), and removes the package again whatever the outcome.
# Usage (as root): installed_test.sh DEB
set -u
deb=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
export DEBIAN_FRONTEND=noninteractive
apt_get() { apt-get -y -qq -o DPkg::Lock::Timeout=300 "$@"; }

lintian --pedantic --display-info --fail-on error "$deb" 2>&1 |
  grep -v "running with root privileges"
[ "${PIPESTATUS[0]}" -eq 0 ] || { echo "FAIL: lintian reports an error"; exit 1; }
echo "lintian: no error"

if dpkg-query -W -f='${Status}' korvane 2>/dev/null | grep -q "install ok installed"; then
  echo "removing the korvane package installed before"
  apt_get purge korvane >/dev/null || { echo "FAIL: the installed package cannot be removed"; exit 1; }
fi
trap 'apt_get purge korvane >/dev/null' EXIT
apt_get install "$deb" >/dev/null || { echo "FAIL: the package did not install"; exit 1; }

[ "$(readlink /usr/bin/korvane)" = ../lib/korvane/korvane ] ||
  { echo "FAIL: /usr/bin/korvane is not a relative link to the program"; exit 1; }
[ -x /usr/lib/korvane/zlib/zlibtool ] || { echo "FAIL: no tool beside the program"; exit 1; }
grep -qx "Exec=korvane %f" /usr/share/applications/korvane.desktop ||
  { echo "FAIL: the desktop entry does not pass the file on"; exit 1; }
for page in korvane korvane-table; do
  [ -f /usr/share/man/man1/$page.1.gz ] || { echo "FAIL: no manual page for $page"; exit 1; }
done
[ "$(/usr/bin/korvane --version)" = "Korvane $(dpkg-deb -f "$deb" Version)" ] ||
  { echo "FAIL: korvane --version is not the package's version"; exit 1; }
echo "installed: /usr/bin/korvane -> ../lib/korvane/korvane, its tool, the desktop entry, the" \
  "manual pages; korvane --version gives the package's version"

bash "$here/user_session.sh" /usr/bin/korvane /usr/share/korvane/boots.bin
