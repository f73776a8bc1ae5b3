#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
set -euo pipefail
bash "$(dirname "$0")/install_missing.sh" cmake ninja-build g++ pkg-config libgtest-dev \
    libgmock-dev libmpfr-dev libgmp-dev libbenchmark-dev libopenblas-dev valgrind util-linux \
    dpkg-dev file man-db librsvg2-bin python3 lintian
