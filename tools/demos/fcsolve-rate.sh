#!/bin/sh
# The share of a game's deals that the free-cell solver (fc-solve, Debian
# package freecell-solver-bin) solves: a measuring tool for the chance words
# of data/games/README.md, never run by the build or the tests.
#
#   tools/demos/fcsolve-rate.sh GAME DEALS [fc-solve options...]
#
# The deals are the program's own, from deal 2026121000001 on (as
# demosearch --rate), written out by build/bin/fcboard
# (cmake --build build --target fcboard). A deal not solved within the
# iteration budget (FCS_ITERS, 2000000) counts as lost.
set -eu
game=$1 deals=$2
shift 2
here=$(dirname "$0")
bin=${FCBOARD:-$here/../../build/bin/fcboard}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$bin" --game "$game" --deals "$deals" --out "$dir"
solved=0
for board in "$dir"/*.board; do
  if fc-solve -mi "${FCS_ITERS:-2000000}" "$@" "$board" | grep -q '^This game is solveable'; then
    solved=$((solved + 1))
  fi
done
echo "game $game: $solved of $deals deals solved ($((100 * solved / deals))%), fc-solve $*"
