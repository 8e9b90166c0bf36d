#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need, when missing.
set -euo pipefail

packages=(
  cmake g++ ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libbenchmark-dev libspng-dev zlib1g-dev
  xvfb xauth x11-apps imagemagick python3-pil fonts-dejavu-core
  clang libclang-rt-14-dev llvm
  help2man appstream desktop-file-utils dpkg-dev file
)

bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"
