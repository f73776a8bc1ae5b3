#!/usr/bin/env bash
# Builds and checks the Debian package, then builds with warnings as errors and runs the whole
# suite, then again under the sanitizers, then builds crout.exe and runs its tests under Wine,
# then runs each fuzz target for 30 seconds.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
cd "$here"
source scripts/quiet_build.sh
echo "== package"
bash scripts/package_check.sh
for preset in ci asan; do
    echo "== $preset"
    quiet_build "$preset"
    ctest --preset "$preset"
done
echo "== windows"
bash scripts/windows.sh
echo "== fuzz"
bash scripts/fuzz.sh
