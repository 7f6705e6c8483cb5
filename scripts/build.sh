#!/usr/bin/env bash
# Configures and builds into build/ (or $VQ_BUILD_DIR) with two jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${VQ_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVQ_WERROR=ON "$@"
cmake --build "$build_dir" -j2
