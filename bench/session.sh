#!/usr/bin/env bash
# Times a whole scripted session of crout (options 1, 2 and 3, every pause answered with an
# empty line, the screen sent to /dev/null, in a temporary folder) beside a hello-world C++
# program built with the same compiler and flags and started the same way. Prints both means,
# their ratio, and both peak resident sizes.
#
#   bash bench/session.sh [path/to/crout]     (default: the release build, built if missing)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
crout=${1:-$here/build/release/experiments/crout}
if [ ! -x "$crout" ]; then
    (cd "$here" && cmake --preset release >/dev/null && cmake --build --preset release >/dev/null)
fi
command -v hyperfine >/dev/null || { echo "session.sh needs hyperfine (apt-get install hyperfine)"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{ printf '1\n\n\n\n\n2\n'; printf '\n%.0s' $(seq 12); printf '3\n'; } >"$work/session"
cat >"$work/hello.cpp" <<'CPP'
#include <iostream>
int main() { std::cout << "hello\n"; }
CPP
flags=$(sed -n 's/^CMAKE_CXX_FLAGS_RELEASE:STRING=//p' "$here/build/release/CMakeCache.txt" 2>/dev/null || true)
c++ -std=c++20 ${flags:--O3 -DNDEBUG} -ffp-contract=off -o "$work/hello" "$work/hello.cpp"

cd "$work"
# Both start through the shell with the same redirections; hyperfine takes off the shell's own
# start-up time.
hyperfine --warmup 20 --runs 200 --export-json "$work/t.json" \
    -n crout "$crout <session >/dev/null" -n hello "./hello <session >/dev/null" >/dev/null 2>&1
peak() { /usr/bin/time -f %M "$@" <"$work/session" 2>&1 >/dev/null | tail -n 1; }
python3 - "$work/t.json" "$(peak "$crout")" "$(peak "$work/hello")" <<'PY'
import json, sys
runs = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
c, h = runs["crout"]["mean"], runs["hello"]["mean"]
mc, mh = int(sys.argv[2]), int(sys.argv[3])
print(f"time   crout {c*1e3:.2f} ms  hello {h*1e3:.2f} ms  ratio {c/h:.2f} (goal 1.5)")
print(f"memory crout {mc} KiB  hello {mh} KiB  ratio {mc/mh:.2f} (goal 1.5)")
PY
