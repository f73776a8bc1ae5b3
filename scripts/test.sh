#!/usr/bin/env bash
# Builds with warnings as errors and runs the whole suite, then again under the sanitizers.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
cd "$here"
for preset in ci asan; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
