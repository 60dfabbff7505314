#!/usr/bin/env bash
# The short fuzz run of the test command: builds the fuzz targets (clang,
# build-fuzz/) and runs each over its corpus in fuzz/corpus/ plus a fixed
# number of new inputs from a fixed seed, so an input that failed once and
# was added to the corpus keeps being checked. Skipped without clang.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is not installed; the fuzz targets are skipped"
  exit 0
fi
bash scripts/build_fuzz.sh >/dev/null
runs=${TW_FUZZ_RUNS:-1500}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
check() {
  local name=$1
  mkdir -p "$scratch/$name"
  if "build-fuzz/bin/fuzz_$name" -runs="$runs" -seed=1 -timeout=30 -rss_limit_mb=2048 \
       -artifact_prefix="$scratch/$name/" "$scratch/$name" "fuzz/corpus/$name" \
       >"$scratch/$name.log" 2>&1; then
    echo "fuzz_$name: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$scratch/$name.log")"
  else
    tail -40 "$scratch/$name.log"
    echo "fuzz_$name FAILED"
    return 1
  fi
}
export -f check
export runs scratch
ls fuzz/corpus | xargs -P "${TW_FUZZ_JOBS:-3}" -I{} bash -c 'check {}'
