#!/usr/bin/env bash
# Installs what the build needs, builds, and runs every test except the slow
# label (fuzzing, soak); scripts/test.sh slow runs those too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
cd "${VQ_BUILD_DIR:-build}"
if [[ "${1:-}" == "slow" ]]; then
  ctest --output-on-failure -j2
else
  ctest --output-on-failure -j2 -LE slow
fi
