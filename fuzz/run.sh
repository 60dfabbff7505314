#!/usr/bin/env bash
# Runs one fuzz target for as long as asked:  fuzz/run.sh TARGET SECONDS [libFuzzer options]
# (TARGET: gamesdat, gamcust, cfg, textfile, results, savegame, reslib, pictures, help).
# New inputs go to build-fuzz/corpus/TARGET; crashes to build-fuzz/crashes/TARGET.
# Copy a crash into fuzz/corpus/TARGET once it is fixed, so the test run keeps it fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 2 ]; then
  echo "usage: fuzz/run.sh TARGET SECONDS [libFuzzer options]" >&2
  exit 2
fi
target=$1 seconds=$2
shift 2
bash scripts/build_fuzz.sh --target "fuzz_$target"
work=build-fuzz/corpus/$target crashes=build-fuzz/crashes/$target
mkdir -p "$work" "$crashes"
exec "build-fuzz/bin/fuzz_$target" -max_total_time="$seconds" -artifact_prefix="$crashes/" \
  -print_final_stats=1 "$@" "$work" "fuzz/corpus/$target"
