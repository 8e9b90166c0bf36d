#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Real game data and a real reader no one here wrote: freedoom's WADs for the palette tests,
# deutex for the Doom pictures and flats. Their tests skip, saying so, where a package cannot be
# installed.
bash scripts/install-packages.sh freedoom || echo "freedoom not installed: its WAD tests skip"
bash scripts/install-packages.sh deutex || echo "deutex not installed: its tests skip"
scripts/check-layers.sh
scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
