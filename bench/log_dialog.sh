#!/usr/bin/env bash
# Log statistics with a long game log: the milliseconds from the command to
# the dialog's grid drawn, and from a change of either list to the grid
# drawn again, for logs of 1,000, 10,000 and 100,000 finished deals.
#
#   bash bench/log_dialog.sh [DIST_DIR] [RUNS]
#
# The program (TARNWELL_BENCH_PROBE=log) deals the preferences' game, opens
# the log dialog and changes the player and game lists twice each, printing
# a line at each step; this script stamps the lines with the wall clock as
# they arrive and prints the medians over RUNS (default 3). Uses $DISPLAY (an
# X server, e.g. Xvfb) or else the offscreen platform. The machine's load is
# printed with the figures.
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/program_copy.sh
dist=$(realpath "${1:-build/dist}")
runs=${2:-3}
[ -x "$dist/tarnwell" ] || { echo "no program in $dist (build it first)" >&2; exit 1; }
if [ -z "${DISPLAY:-}" ]; then export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}; fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] }'; }

# A game log of n lines: four players, FreeCell and Klondike, won and lost.
write_log() {
  python3 - "$1" "$2" <<'PY'
import sys
n, path = int(sys.argv[1]), sys.argv[2]
games = ["FreeCell", "Klondike"]
players = ["Player 1", "Player 2", "Player 3", "Ann"]
with open(path, "w", newline="") as f:
    for i in range(n):
        game = games[i % 2]
        line = "%08d %-8s %06d %04d %-50s %-30s %s %-2s %-6s %-15s 0360" % (
            20260101 + i % 28, "12:%02d:00" % (i % 60), 30 + i % 5000, 1 + i % 2, game,
            players[i % 4], "Won  " if i % 3 else "Lost ", "01", str(i % 9999),
            "%013d" % (i * 7919))
        f.write(line + "\r\n")
PY
}

printf 'machine load: %s\n' "$(uptime | sed 's/.*load average: //')"
printf '%-8s %10s %12s\n' deals drawn_ms filter_ms
for n in 1000 10000 100000; do
  drawn_all="" filter_all=""
  for run in $(seq 1 "$runs"); do
    dir="$work/n$n-$run"
    copy_program "$dist" "$dir"
    mkdir -p "$dir/DATA"
    write_log "$n" "$dir/DATA/STAT_LOG.DAT"
    begin=0 filter_begin=0 worst=0
    while IFS= read -r line; do
      t=$(now_ms)
      case $line in
        "begin log") begin=$t ;;
        "log drawn") drawn_all="$drawn_all $((t - begin))" ;;
        "begin filter") filter_begin=$t ;;
        "end filter") worst=$(( t - filter_begin > worst ? t - filter_begin : worst )) ;;
      esac
    done < <(TARNWELL_BENCH_PROBE=log "$dir/tarnwell" 2>/dev/null)
    filter_all="$filter_all $worst"
  done
  printf '%-8s %10s %12s\n' "$n" "$(printf '%s\n' $drawn_all | median)" \
    "$(printf '%s\n' $filter_all | median)"
done
