#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config git
  libboost-regex-dev libcurl4-openssl-dev libssl-dev zlib1g-dev libminizip-dev
  libcpp-httplib-dev libxlsxwriter-dev libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-webengine-dev xvfb xauth xdg-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
