#!/usr/bin/env bash
# Shows what each Quality choice does to a photo-like picture: starts the main window under Xvfb
# on a 512 x 512 24-bit picture of smooth gradients (a sky, a lit sphere, hills), clicks through
# every distance and dithering item and saves a picture of the window after each click, printing the
# report line under the picture frame and each click's latency, then each dithering again with
# Keep Exact Colors. The picture has a black frame and a white square, colours the palettes hold.
#
#   scripts/quality-screens.sh [build folder] [output folder]
#
# The build folder defaults to build (scripts/build.sh), the output folder to
# <build folder>/quality-screens.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-$build/quality-screens}")
. scripts/screens/screens.sh
screens_prepare quality_screens

# A 512 x 512 24-bit BMP.
PYTHONPATH=scripts/screens python3 - "$work/pictures/photo.bmp" << 'EOF'
import math, sys
import bmp24

size = 512


def color_at(px, py):
    x, y = px * 256 / size, py * 256 / size  # the scene is drawn on 256 x 256 units
    t = y / 255
    # sky: deep blue at the top to warm orange at the horizon
    r, g, b = 40 + 200 * t, 80 + 110 * t, 170 - 60 * t
    # a soft sun glow
    d = math.hypot(x - 190, y - 60)
    glow = max(0.0, 1 - d / 90) ** 2
    r, g, b = r + 120 * glow, g + 100 * glow, b + 40 * glow
    # a lit sphere
    dx, dy = (x - 90) / 60, (y - 120) / 60
    if dx * dx + dy * dy <= 1:
        dz = math.sqrt(max(0.0, 1 - dx * dx - dy * dy))
        light = max(0.0, -0.5 * dx - 0.6 * dy + 0.62 * dz)
        r, g, b = 30 + 200 * light, 20 + 90 * light, 60 + 60 * light
    # rolling hills in front
    hill = 200 + 18 * math.sin(x / 23) + 9 * math.sin(x / 7 + 1)
    if y > hill:
        shade = (y - hill) / (size - hill)
        r, g, b = 50 + 60 * (1 - shade), 110 + 80 * (1 - shade), 40 + 20 * shade
    # pixel-art lines in colours every built-in palette holds: a black frame, a white square
    if min(px, py, size - 1 - px, size - 1 - py) < 4:
        r, g, b = 0, 0, 0
    if 40 <= px <= 120 and 40 <= py <= 120 and min(abs(px - 40), abs(px - 120), abs(py - 40), abs(py - 120)) < 2:
        r, g, b = 255, 255, 255
    return r, g, b


bmp24.write(sys.argv[1], size, color_at)
EOF

screens_run 97 "$build/tests/window/quality_screens" "$work/pictures" "$work/settings" "$out"
