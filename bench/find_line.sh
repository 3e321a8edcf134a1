#!/usr/bin/env bash
# Asks every address of an 8-bit line (1 .. 255) for a module with vantorctl find at
# 115200 baud, one module (vantor-sim, address 16) on the line: the wall time of the
# whole search (goal: at most 45 s) and the time per address. A silent address costs
# one response time-out. Usage: bench/find_line.sh [BUILD_BIN_DIR]
set -euo pipefail
bin=${1:-"$(dirname "$0")/../build/default/bin"}
[ -x "$bin/vantorctl" ] && [ -x "$bin/vantor-sim" ] || { echo "build vantorctl and vantor-sim first" >&2; exit 1; }

work=$(mktemp -d)
sim_pid=""
trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

"$bin/vantor-sim" --model KQ-16 --pty --baud 115200 --link "$work/line" >"$work/sim.out" 2>&1 &
sim_pid=$!
for _ in $(seq 50); do [ -e "$work/line" ] && break; sleep 0.1; done

start=$(date +%s.%N)
XDG_CONFIG_HOME="$work/config" "$bin/vantorctl" find --port "$work/line" --baud 115200 --from 1 --to 255 >"$work/found"
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" -v found="$(cut -f1 "$work/found" | tr '\n' ' ')" \
  'BEGIN { printf "addresses 255  found %s wall %.1f s  per address %.0f ms\n", found, e - s, (e - s) * 1000 / 255 }'
