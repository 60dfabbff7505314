#!/usr/bin/env bash
# Configures and builds the fuzz targets with clang into build-fuzz/ (when
# clang is installed); extra arguments go to the build.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null; then
  echo "clang++ is not installed: no fuzz targets" >&2
  exit 1
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -G Ninja -DTW_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j "${TW_BUILD_JOBS:-$(nproc)}" "$@"
