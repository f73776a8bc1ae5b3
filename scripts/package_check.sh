#!/usr/bin/env bash
# Builds the Debian package from the release build, installs it, runs the installed
# /usr/bin/crout on a session of options 1, 2 and 3 beside the build tree's program, and
# /usr/bin/crout-plot on the report beside the build tree's, checks that `man` finds both
# pages, and removes the package again.
# A machine where crout is installed already, or where /usr/bin/crout exists, is left as it is:
# the package is then only built and checked by lintian, not installed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
source scripts/quiet_build.sh
quiet_build release
rm -f build/release/crout_*.deb
(cd build/release && cpack -G DEB >cpack.log 2>&1) || { cat build/release/cpack.log; exit 1; }
deb=$(echo "$here"/build/release/crout_*.deb)
echo "built $(basename "$deb") ($(stat -c %s "$deb") bytes)"
for page in build/release/doc/crout.1 build/release/doc/crout-plot.1; do
    man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null | grep . &&
        { echo "the manual page $page has formatting errors"; exit 1; }
done
# Debian's own checks of the package (scripts/setup.sh installs lintian): an error fails.
lintian --fail-on error "$deb"

if [ "$(id -u)" != 0 ] || [ -e /usr/bin/crout ] || [ -e /usr/bin/crout-plot ] ||
   [ -e /usr/share/man/man1/crout.1.gz ] ||
   dpkg-query -W -f='${Status}' crout 2>/dev/null | grep -q 'ok installed'; then
    echo "package install check skipped: not root, or crout is installed on this machine already"
    exit 0
fi

work=$(mktemp -d)
cleanup() {
    apt-get remove -y -qq crout >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; exit 1; }

# One line for the option, one line for each pause (4 for option 1, 12 for option 2), then 3.
{ printf '1\n\n\n\n\n2\n'; printf '\n%.0s' $(seq 12); printf '3\n'; } >"$work/session"
mkdir "$work/installed" "$work/built"
(cd "$work/installed" && /usr/bin/crout <"$work/session" >/dev/null)
(cd "$work/built" && "$here/build/release/program/crout" <"$work/session" >/dev/null)
cmp "$work/installed/resul3.doc" "$work/built/resul3.doc"
(cd "$work/installed" && /usr/bin/crout-plot)
(cd "$work/built" && "$here/build/release/tools/plot/crout-plot")
cmp "$work/installed/resul3.svg" "$work/built/resul3.svg"
for page in crout crout-plot; do
    man -aw "$page" | grep -qx "/usr/share/man/man1/$page.1.gz" ||
        { echo "man does not find the installed page of $page"; exit 1; }
done

apt-get remove -y -qq crout >/dev/null
for file in /usr/bin/crout /usr/bin/crout-plot /usr/share/man/man1/crout.1.gz \
            /usr/share/man/man1/crout-plot.1.gz; do
    [ ! -e "$file" ] || { echo "the package's $file outlived its removal"; exit 1; }
done
echo "package installed, run, found by man and removed"
