#!/usr/bin/env bash
# Shows the View menu on a 24-bit sprite: starts the main window under Xvfb with Freedoom's
# palette and COLORMAP (Debian's freedoom package), saves a picture of the window with the
# original, the preview, the preview beside the original and the difference picture, then the
# preview at light levels 0, 16 and 28, then in an enlarged window side by side at 4x with the
# readout under the mouse and the difference at 4x, printing the line under the frame of each.
#
#   scripts/view-screens.sh [build folder] [output folder]
#
# The build folder defaults to build (scripts/build.sh), the output folder to
# <build folder>/view-screens.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-$build/view-screens}")
wad=/usr/share/games/doom/freedoom2.wad
[ -f "$wad" ] || { echo "$wad is missing: install Debian's freedoom package" >&2; exit 1; }
. scripts/screens/screens.sh
screens_prepare view_screens

# A 64 x 64 24-bit sprite: a lit ball with a band of saturated hues, on cyan (0, 255, 255).
PYTHONPATH=scripts/screens python3 - "$work/pictures/sprite.bmp" << 'PY'
import math, sys
import bmp24


def color_at(x, y):
    dx, dy = (x - 31.5) / 26, (y - 31.5) / 26
    d = dx * dx + dy * dy
    if d > 1:
        return 0, 255, 255
    light = max(0.0, (-dx - dy + 1.2 * math.sqrt(1 - d)) / 1.9)
    hue = (math.atan2(dy, dx) / (2 * math.pi) + 1) % 1
    return (255 * light * (0.6 + 0.4 * math.cos(2 * math.pi * hue)),
            200 * light * (0.6 + 0.4 * math.cos(2 * math.pi * (hue - 1 / 3))),
            160 * light * (0.6 + 0.4 * math.cos(2 * math.pi * (hue - 2 / 3))))


bmp24.write(sys.argv[1], 64, color_at)
PY

screens_run 96 "$build/tests/window/view_screens" \
    "$work/pictures" "$work/settings" "$out" "$wad" "$wad"
