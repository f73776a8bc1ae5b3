#!/usr/bin/env bash
# Counts the non-blank, non-comment lines of C++ in the tests (tests/, fuzz targets included)
# and in the rest of the code, and prints their ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { xargs -r cat | sed 's/^[[:space:]]*//' | grep -v -e '^$' -e '^//' | wc -l; }
tests=$(git ls-files -co --exclude-standard -- '*.cpp' '*.hpp' | grep '^tests/' | count)
code=$(git ls-files -co --exclude-standard -- '*.cpp' '*.hpp' | grep -v '^tests/' | count)
echo "tests $tests, code $code, ratio $((100 * tests / code))%"
