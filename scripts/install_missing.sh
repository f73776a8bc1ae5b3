#!/usr/bin/env bash
# Installs those of the named Debian packages that are missing. Options for apt-get install
# (such as --no-install-recommends) may come before the names.
#
#   bash scripts/install_missing.sh [APT-OPTION...] PACKAGE...
set -euo pipefail
options=()
while [[ "${1:-}" == -* ]]; do
    options+=("$1")
    shift
done
missing=()
for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${options[@]}" "${missing[@]}" >/dev/null
fi
