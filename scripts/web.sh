#!/usr/bin/env bash
# The exercise in a browser: installs emscripten, node, npm and Chromium when missing, and the
# page's terminal widget and the test's browser driver (npm ci in web/); builds the web preset
# (build/web/site/, build/web/crout-<version>-web.zip, build/web/crout.mjs), then serves the
# site at http://127.0.0.1:8000/ until Ctrl-C. With --test it runs the web preset's tests
# instead, which compare with the ci preset's programs: build that first (scripts/test.sh does).
set -euo pipefail
cd "$(dirname "$0")/.."
# node and npm may come from elsewhere than Debian (a nodejs package that bundles npm, which
# Debian's npm conflicts with): Debian's are installed only when there is no npm at all.
command -v npm >/dev/null || bash scripts/install_missing.sh nodejs npm
bash scripts/install_missing.sh --no-install-recommends emscripten chromium python3
[ -d web/node_modules ] || (cd web && npm ci --no-audit --no-fund --loglevel=error)
# emscripten's own JavaScript steps find their modules there.
export NODE_PATH=/usr/share/nodejs
source scripts/quiet_build.sh
quiet_build web
if [ "${1:-}" = --test ]; then
    ctest --preset web
    exit
fi
echo "crout in a browser: http://127.0.0.1:8000/ (Ctrl-C ends)"
exec python3 -m http.server 8000 --bind 127.0.0.1 --directory build/web/site
