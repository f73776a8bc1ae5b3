#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
set -euo pipefail
needed=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libmpfr-dev libgmp-dev
        libbenchmark-dev libopenblas-dev valgrind util-linux dpkg-dev file man-db
        librsvg2-bin python3)
missing=()
for p in "${needed[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}" >/dev/null
fi
