#!/usr/bin/env bash
# Builds the release build and starts crout in the current directory. The build is quiet when
# it succeeds; when it fails, its whole output is shown.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
source "$here/scripts/quiet_build.sh"
quiet_build release
exec "$here/build/release/program/crout"
