#!/usr/bin/env bash
# The main job: builds everything, starts the bundled stand-in marketplace on
# fixed loopback ports and runs a collection and a package against it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
build_dir=${VQ_BUILD_DIR:-build}
"$build_dir/src/cli/vendquill-cli" --help
