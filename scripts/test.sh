#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Real game data no one here wrote, for the palette tests: freedoom's WADs. Their test skips,
# saying so, where the package cannot be installed.
bash scripts/install-packages.sh freedoom || echo "freedoom not installed: its WAD tests skip"
scripts/check-layers.sh
scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
