#!/usr/bin/env bash
# Builds the release build and starts crout in the current directory.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
(cd "$here" && cmake --preset release >/dev/null && cmake --build --preset release >/dev/null)
exec "$here/build/release/experiments/crout"
