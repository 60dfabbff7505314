#!/usr/bin/env bash
# Start-up timing: starts the built program several times in a fresh program
# directory and prints the milliseconds from the process start to the first
# dealt table on the screen, with the deal animation off and with it on. The
# timing run deals the preferences' game without the open-game dialog.
#
#   bash bench/startup_time.sh [DIST_DIR] [RUNS]
#
# DIST_DIR defaults to build/dist. Without a display the offscreen platform
# is used.
set -euo pipefail
cd "$(dirname "$0")/.."
dist=$(realpath "${1:-build/dist}")
runs=${2:-5}
[ -x "$dist/tarnwell" ] || { echo "no program in $dist (build it first)" >&2; exit 1; }
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The executable finds its files beside itself: copy it, link the rest.
cp "$dist/tarnwell" "$work/"
for f in "$dist"/*; do
  name=$(basename "$f")
  [ "$name" = tarnwell ] || [ "$name" = DATA ] || ln -s "$f" "$work/$name"
done

measure() {
  local animation=$1 total=0 best=999999
  for ((i = 1; i <= runs; i++)); do
    rm -rf "$work/DATA"
    mkdir -p "$work/DATA"
    printf '[Preference]\r\nDeal_Animation=%s\r\n' "$animation" \
      > "$work/DATA/CFG.DAT"
    ms=$(TARNWELL_STARTUP_PROBE=1 "$work/tarnwell" 2>/dev/null |
      sed -n 's/^first table after \([0-9]*\) ms$/\1/p')
    [ -n "$ms" ] || { echo "run $i printed no timing" >&2; exit 1; }
    total=$((total + ms))
    ((ms < best)) && best=$ms
  done
  echo "deal animation $animation: best $best ms, mean $((total / runs)) ms over $runs runs"
}

measure N
measure Y
