#!/usr/bin/env bash
# Sets up, builds and runs every test, then the fuzz targets briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$(nproc)"
# Every loader's fuzz target over its corpus and a short run of new inputs.
bash fuzz/check.sh
