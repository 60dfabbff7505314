#!/usr/bin/env bash
# Animation load: the process's CPU time against the wall time of an animated
# deal, ten card flights, a drag and both won animations, taken from outside.
# The drag is 400 frames moved by the table's mouse handlers as fast as they
# go: its wall time over 400 is the time of one drag frame, which is never
# less than the window's time for one frame (an eighth of a millisecond: the
# window shows its frames at the screen's rate and sleeps the rest).
#
#   bash bench/animation_cpu.sh [DIST_DIR] [RUNS]
#
# The program (TARNWELL_BENCH_PROBE=animations) deals the preferences' game
# and prints a line as each animation begins and ends; at each line this
# script reads the process's user + system time from /proc/PID/stat and the
# wall clock. Prints, per animation, the median over RUNS (default 3) of the
# wall time and of CPU time / wall time. Uses $DISPLAY (an X server, e.g.
# Xvfb) or else the offscreen platform. The machine's load is printed with
# the figures: other work on the machine moves them.
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/program_copy.sh
dist=$(realpath "${1:-build/dist}")
runs=${2:-3}
[ -x "$dist/tarnwell" ] || { echo "no program in $dist (build it first)" >&2; exit 1; }
if [ -z "${DISPLAY:-}" ]; then export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}; fi
hz=$(getconf CLK_TCK)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpu_ms() {  # user + system time of the process, milliseconds
  local stat
  stat=$(cat "/proc/$1/stat") || return 1
  stat=${stat##*) }  # the fields after the command name
  set -- $stat
  echo $(( (${12} + ${13}) * 1000 / hz ))
}
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

results="$work/results"
: >"$results"
for run in $(seq 1 "$runs"); do
  dir="$work/run$run"
  copy_program "$dist" "$dir"
  coproc PROBE { TARNWELL_BENCH_PROBE=animations exec "$dir/tarnwell" 2>/dev/null; }
  pid=$PROBE_PID
  # A program stopped by a message box is not waited for. The watchdog
  # holds no output open and takes its sleep with it when it is ended.
  (
    trap 'kill "$nap" 2>/dev/null; exit 0' TERM
    sleep 300 &
    nap=$!
    wait "$nap"
    kill "$pid" 2>/dev/null
  ) >/dev/null 2>&1 &
  watchdog=$!
  declare -A t0=() c0=()
  while IFS= read -r line <&"${PROBE[0]}"; do
    t=$(now_ms); c=$(cpu_ms "$pid") || break
    case $line in
      "begin "*) t0[${line#begin }]=$t; c0[${line#begin }]=$c ;;
      "end "*)
        step=${line#end }
        printf '%s %d %d\n' "$step" $((t - t0[$step])) $((c - c0[$step])) >>"$results" ;;
    esac
  done
  wait "$pid" || true
  kill "$watchdog" 2>/dev/null || true
done

echo "machine load: $(uptime | sed 's/.*load average: //')"
printf '%-8s %10s %10s %8s\n' animation wall_ms cpu_ms cpu/wall
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] }'; }
for step in deal flight drag win1 win2; do
  grep -q "^$step " "$results" || continue
  wall=$(grep "^$step " "$results" | awk '{ print $2 }' | median)
  cpu=$(grep "^$step " "$results" | awk '{ print $3 }' | median)
  share=$(grep "^$step " "$results" | awk '{ printf "%.1f\n", ($2 > 0 ? 100 * $3 / $2 : 0) }' | median)
  printf '%-8s %10d %10d %7s%%\n' "$step" "$wall" "$cpu" "$share"
done
