#!/bin/sh
# A real session of option 2, then crout-plot on its report, as a user runs them: the picture
# must be the one shown in doc/, and a real renderer must draw it (rsvg-convert, to a PNG of
# the picture's size).
# Usage: real_session.sh CROUT CROUT_PLOT COMMITTED_SVG
set -eu
crout=$1 plot=$2 committed=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
{ echo 2; printf '\n%.0s' $(seq 12); echo 3; } | "$crout" >/dev/null
"$plot"
cmp resul3.svg "$committed" ||
    { echo "the picture differs from $committed; make it again from this session"; exit 1; }
rsvg-convert resul3.svg -o resul3.png
file resul3.png | grep -q 'PNG image data, 760 x 470' || { file resul3.png; exit 1; }
