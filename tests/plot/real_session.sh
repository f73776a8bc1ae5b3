#!/bin/sh
# Real sessions of option 2, then crout-plot on their reports, as a user runs them. The whole
# sweep's picture must be the one shown in doc/, a real renderer must draw it (rsvg-convert, to
# a PNG of the picture's size), and check_picture.py reads it as XML. So it does the picture
# of the sweep cut at its ninth pause, with the norms of order 20 made zero and those of order
# 10 below the lowest decade of the scale (1E-15).
# Usage: real_session.sh CROUT CROUT_PLOT COMMITTED_SVG
set -eu
crout=$1 plot=$2 committed=$3 here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# Option 2's line and its replies from the whole session, the ninth reply a copy, then option 3.
sed -n '/^2$/,/^3$/p' "$here/../support/whole_session.txt" | sed '10s/.*/cp resul3.doc cut.doc/' |
    "$crout" >/dev/null
"$plot"
cmp resul3.svg "$committed" ||
    { echo "the picture differs from $committed; make it again from this session"; exit 1; }
rsvg-convert resul3.svg -o resul3.png
file resul3.png | grep -q 'PNG image data, 760 x 470' || { file resul3.png; exit 1; }
python3 "$here/check_picture.py" resul3.doc resul3.svg

sed -i -e '/ norma(20.0)/{n;s/.*/   .0000000E+00\r/}' \
    -e '/ norma(10.0)/{n;s/.*/   .5000000E-15\r/}' cut.doc
status=0
"$plot" cut.doc -o cut.svg 2>/dev/null || status=$?
[ "$status" = 2 ] || { echo "status $status for a report cut short"; exit 1; }
python3 "$here/check_picture.py" cut.doc cut.svg
