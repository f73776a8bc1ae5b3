#!/usr/bin/env bash
# The power against MPFR at scale: builds the bench preset's power_check and runs it on PAIRS
# pairs (default 10^8), half in each of two processes with their own seeds, then sums.
#
#   bash bench/power_check.sh [PAIRS]
set -euo pipefail
cd "$(dirname "$0")/.."
pairs=${1:-100000000}
bash scripts/setup.sh
source scripts/quiet_build.sh
quiet_build bench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for seed in 1 2; do
    build/bench/bench/power_check $((pairs / 2)) $seed >"$work/$seed" || touch "$work/failed" &
done
wait
[ -f "$work/failed" ] && status=1
cat "$work/1" "$work/2" | awk '/^differs/ { print; next }
    { name = $0; sub(/ +[0-9]+ pairs.*/, "", name); n[name] += $(NF-3); d[name] += $(NF-1) }
    END { for (k in n) { printf "%-66s %11d pairs, %d differ\n", k, n[k], d[k]; tn += n[k]; td += d[k] }
          printf "all: %d pairs, %d differ\n", tn, td }'
exit $status
