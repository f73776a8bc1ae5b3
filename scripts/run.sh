#!/usr/bin/env bash
# Builds the release build and starts crout in the current directory. The build is quiet when
# it succeeds; when it fails, its whole output is shown.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! (cd "$here" && cmake --preset release && cmake --build --preset release) >"$log" 2>&1; then
    cat "$log" >&2
    echo "run.sh: the build failed; see above" >&2
    exit 1
fi
rm -f "$log"
trap - EXIT
exec "$here/build/release/program/crout"
