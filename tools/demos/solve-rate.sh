#!/bin/sh
# The share of a game's deals that a solver solves: a measuring tool for the
# chance words of data/games/README.md, never run by the build or the tests.
#
#   tools/demos/solve-rate.sh GAME DEALS fc-solve|stacksolve [options...]
#
# fc-solve is the free-cell solver of the Debian package freecell-solver-bin
# (its build holds at most ten stacks); stacksolve (build/bin) searches the
# open games of more stacks that move single cards without free cells. The
# deals are the program's own, from deal 2026121000001 on (as demosearch
# --rate), written out by build/bin/fcboard. Build both first:
#   cmake --build build --target fcboard stacksolve
# A deal not solved within the budget (SOLVE_BUDGET, 2000000 iterations or
# positions) counts as lost.
set -eu
game=$1 deals=$2 solver=$3
shift 3
bin=$(dirname "$0")/../../build/bin
budget=${SOLVE_BUDGET:-2000000}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$bin/fcboard" --game "$game" --deals "$deals" --out "$dir"
ulimit -s unlimited  # stacksolve searches depth first by recursion
solved=0
for board in "$dir"/*.board; do
  case $solver in
    fc-solve) fc-solve -mi "$budget" "$@" "$board" | grep -q '^This game is solveable' && solved=$((solved + 1)) ;;
    stacksolve) [ "$("$bin/stacksolve" --nodes "$budget" "$@" "$board")" = solved ] && solved=$((solved + 1)) ;;
    *) echo "unknown solver $solver" >&2; exit 2 ;;
  esac
done
echo "game $game: $solved of $deals deals solved ($((100 * solved / deals))%), $solver $*"
