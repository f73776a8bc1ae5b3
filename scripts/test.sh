#!/usr/bin/env bash
# Builds and checks the Debian package, then builds with warnings as errors and runs the whole
# suite, then again under the sanitizers, then the tests labelled checked with the arithmetic
# checking itself instead of trapping (the checked preset), then builds crout.exe and runs the
# tests labelled windows under Wine, then the 64-bit ARM programs, the tests labelled arm64
# under qemu and their package (scripts/arm64.sh), then the browser's build and the tests
# labelled web under node and headless Chromium (scripts/web.sh), then runs each fuzz target
# for 30 seconds. Each build registers the tests of its own step (tests/CMakeLists.txt).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
cd "$here"
source scripts/quiet_build.sh
echo "== package"
bash scripts/package_check.sh
for preset in ci asan checked; do
    echo "== $preset"
    quiet_build "$preset"
    ctest --preset "$preset"
done
echo "== windows"
bash scripts/windows.sh
echo "== arm64"
bash scripts/arm64.sh
echo "== web"
bash scripts/web.sh --test
echo "== fuzz"
bash scripts/fuzz.sh
