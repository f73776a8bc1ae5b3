#!/usr/bin/env bash
# Builds the fuzz targets (fuzz preset: clang, libFuzzer, address and undefined-behaviour
# sanitizers) and runs each for a while, 30 seconds or the seconds given, from its seed corpus.
# New inputs go to a temporary folder, never into the repository; an input that fails a check
# is kept in build/fuzz/artifacts/.
set -euo pipefail
seconds=${1:-30}
cd "$(dirname "$0")/.."
# clang and its run-time libraries, libFuzzer among them, when missing.
bash scripts/install_missing.sh clang libclang-rt-dev
source scripts/quiet_build.sh
quiet_build fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p build/fuzz/artifacts
for seeds in tests/fuzz/corpus/*/; do
    target=$(basename "$seeds")
    mkdir "$work/$target"
    if ! "build/fuzz/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/ "$work/$target" "$seeds" \
        >"$work/$target.log" 2>&1; then
        cat "$work/$target.log"
        exit 1
    fi
    echo "$target: $(grep -o 'number_of_executed_units: *[0-9]*' "$work/$target.log" | grep -o '[0-9]*$') runs in $seconds s"
done
