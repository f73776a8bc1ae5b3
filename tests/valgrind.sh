#!/bin/sh
# valgrind.sh PROGRAM STATUS INPUT: runs PROGRAM under memcheck in a temporary folder, with the
# file INPUT on standard input, and passes when it ends with STATUS and memcheck found no error
# and no leak.
set -u
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1
valgrind -q --error-exitcode=99 --leak-check=full \
    --errors-for-leak-kinds=definite,possible "$1" <"$3" >/dev/null
status=$?
[ "$status" -eq "$2" ] || { echo "status $status, expected $2"; exit 1; }
