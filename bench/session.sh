#!/usr/bin/env bash
# The cost of a whole scripted session of crout (options 1, 2 and 3, every pause answered with
# an empty line, the screen sent to /dev/null, in a temporary folder) and of a menu-only run
# (option 3 at once), beside the process floor: a C hello world (puts), built with the same
# compiler and flags. A C++ iostream hello world is shown for reference. Each program runs 100
# times, taking turns with the others; the medians of the kernel's accounting of each run (CPU
# time, user + system; wall time; peak resident size) are printed, with the quartiles of the CPU
# time, and the ratios to the floor. A second crout (an earlier build, say) is measured beside
# the first, taking turns with it.
#
#   bash bench/session.sh [path/to/crout [path/to/earlier/crout]]
#                                             (default: the release build, built if missing)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
crout=${1:-$here/build/release/program/crout}
if [ ! -x "$crout" ]; then
    (cd "$here" && cmake --preset release >/dev/null && cmake --build --preset release >/dev/null)
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/tests/support/whole_session.txt" "$work/session"
printf '3\n' >"$work/menu"
printf '#include <stdio.h>\nint main(void) { puts("hello"); }\n' >"$work/hello.c"
printf '#include <iostream>\nint main() { std::cout << "hello\\n"; }\n' >"$work/hello.cpp"
flags=$(sed -n 's/^CMAKE_CXX_FLAGS_RELEASE:STRING=//p' "$here/build/release/CMakeCache.txt" 2>/dev/null || true)
cc ${flags:--O3 -DNDEBUG} -o "$work/hello_c" "$work/hello.c"
c++ -std=c++20 ${flags:--O3 -DNDEBUG} -o "$work/hello_cpp" "$work/hello.cpp"
cc -O2 -o "$work/run_stats" "$here/bench/run_stats.c"
cp "$crout" "$work/crout"
baseline=()
if [ -n "${2:-}" ]; then
    cp "$2" "$work/earlier"
    baseline=(earlier_session=./earlier:session earlier_menu=./earlier:menu)
fi

cd "$work"
./run_stats 100 session=./crout:session menu=./crout:menu "${baseline[@]}" \
    hello_c=./hello_c:menu hello_cpp=./hello_cpp:menu | python3 -c '
import sys
rows = {}
for line in sys.stdin:
    name, cpu, q1, q3, wall, rss = line.split()
    rows[name] = (float(cpu), float(q1), float(q3), float(wall), int(rss))
floor = rows["hello_c"]
print("%-26s %7s %14s %8s %9s   CPU/floor  peak/floor" % ("", "CPU ms", "(quartiles)", "wall ms", "peak KiB"))
labels = {"session": "crout, options 1, 2, 3", "menu": "crout, option 3 at once",
          "earlier_session": "earlier, options 1, 2, 3", "earlier_menu": "earlier, option 3",
          "hello_c": "C hello (puts), the floor", "hello_cpp": "C++ hello (iostream)"}
for name in [n for n in labels if n in rows]:
    cpu, q1, q3, wall, rss = rows[name]
    print(f"{labels[name]:26} {cpu:7.3f} {q1:6.3f}-{q3:6.3f}  {wall:8.3f} {rss:9d}   "
          f"{cpu / floor[0]:9.2f}  {rss / floor[4]:10.2f}")
print("goal: a session at most 1.5 times the floor in CPU time and in peak resident size")
'
