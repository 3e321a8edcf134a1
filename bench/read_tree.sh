#!/usr/bin/env bash
# Reads the whole tree of the largest shipped model from vantor-sim over a
# pseudo-terminal with vantorctl and compares the time of the exchanges with the line
# time of the frames the module saw and sent (goal: exchanges / line <= 1.05); then the
# same without --wire-time, as the time per exchange. vantorctl's start-up (until the
# module hears the first request) is measured apart and shown beside the whole wall
# time: it is the program's, not the line's. Each row is the run with the median
# exchange time of RUNS runs (default 3), as other work on the machine disturbs single
# runs. Usage: [RUNS=n] bench/read_tree.sh [BUILD_BIN_DIR]
set -euo pipefail
bin=${1:-"$(dirname "$0")/../build/default/bin"}
[ -x "$bin/vantorctl" ] && [ -x "$bin/vantor-sim" ] || { echo "build vantorctl and vantor-sim first" >&2; exit 1; }
# The module's pause between a request's last character and its reply (vantor-sim's default).
turnaround_ms=1
bits_per_character=10  # start + 8 data + stop: the factory format
runs=${RUNS:-3}

# The model whose parameter tree has the most parameters ("P" lines of describe).
largest="" most=0
for model in $(seq 0 22); do
  count=$("$bin/vantorctl" describe --model "$model" --firmware 1.0 --format tsv 2>/dev/null | grep -c '^P' || true)
  if [ "$count" -gt "$most" ]; then most=$count largest=$model; fi
done
name=$("$bin/vantorctl" describe --model "$largest" --firmware 1.0 --format tsv | awk -F'\t' 'NR == 1 { print $3 }')

work=$(mktemp -d)
sim_pid=""
stop_simulator() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  sim_pid=""
}
trap 'stop_simulator; rm -rf "$work"' EXIT

# Seconds since the epoch of a frame log line's stamp (microseconds).
stamp_seconds() { date -d "$(cut -c1-26 <<<"$1")" +%s.%N; }

# One read of the tree at baud $1 (extra vantor-sim options after it); sets wall and
# startup (seconds: the whole run, and until the module heard the first request),
# frames (exchanges) and characters (both directions) from the frame log.
read_once() {
  local baud=$1 port log="$work/frames-$1-$#.log"
  shift
  rm -f "$work/out" "$log"
  mkfifo "$work/out"
  "$bin/vantor-sim" --model "$largest" --pty --baud "$baud" --log "$log" "$@" >"$work/out" &
  sim_pid=$!
  exec 3<"$work/out"
  read -r -t 10 -u 3 port || { echo "vantor-sim did not start" >&2; exit 1; }
  local start end
  start=$(date +%s.%N)
  "$bin/vantorctl" read --port "$port" --baud "$baud" --format tsv >"$work/tree.tsv"
  end=$(date +%s.%N)
  stop_simulator
  exec 3<&-
  wall=$(echo "$end - $start" | bc -l)
  startup=$(echo "$(stamp_seconds "$(grep -m1 ' < ' "$log")") - $start" | bc -l)
  frames=$(grep -c ' < ' "$log" || true)
  # The log shows bytes readable: \r, \n and \xNN each stand for one character.
  characters=$(grep -E ' [<>] ' "$log" | sed -E 's/^[^ ]+ [^ ]+ [<>] //; s/\\x[0-9A-F]{2}/./g; s/\\[rn]/./g' |
               awk '{ n += length($0) } END { print n + 0 }')
}

# RUNS reads at baud $1 (options after it); prints "wall startup frames characters" of
# the run with the median exchange time (wall - startup).
median_read() {
  local i
  for ((i = 0; i < runs; i++)); do
    read_once "$@"
    echo "$(echo "$wall - $startup" | bc -l) $wall $startup $frames $characters"
  done | sort -g | awk -v m=$(((runs + 1) / 2)) 'NR == m { print $2, $3, $4, $5 }'
}

echo "vantorctl read of $name ($most parameters) from vantor-sim on a pseudo-terminal, median of $runs runs"
echo
printf '%-8s %-10s %7s %6s %8s %9s %8s %8s %7s %7s\n' baud mode frames chars wall_s startup_s exch_s line_s ratio whole
for baud in 9600 115200; do
  read -r wall startup frames characters < <(median_read "$baud" --wire-time)
  line=$(echo "$characters * $bits_per_character / $baud + $frames * $turnaround_ms / 1000" | bc -l)
  exchanges=$(echo "$wall - $startup" | bc -l)
  printf '%-8s %-10s %7d %6d %8.3f %9.3f %8.3f %8.3f %7.3f %7.3f\n' "$baud" wire-time "$frames" "$characters" \
    "$wall" "$startup" "$exchanges" "$line" "$(echo "$exchanges / $line" | bc -l)" "$(echo "$wall / $line" | bc -l)"
done
echo
printf '%-8s %-10s %7s %8s %9s %15s\n' baud mode frames wall_s startup_s per_exchange_us
for baud in 9600 115200; do
  read -r wall startup frames characters < <(median_read "$baud")
  printf '%-8s %-10s %7d %8.3f %9.3f %15.1f\n' "$baud" no-wire "$frames" "$wall" "$startup" \
    "$(echo "($wall - $startup) * 1000000 / $frames" | bc -l)"
done
echo
echo "goal: ratio (exchanges / line) <= 1.05 with --wire-time; whole: wall / line, start-up included"
echo "(line time: characters x $bits_per_character bits / baud + ${turnaround_ms} ms turnaround per frame;"
echo " exchanges: from the first request the module heard to the end of vantorctl)"
