#!/usr/bin/env bash
# Shows the View menu on a 24-bit sprite: starts the main window under Xvfb with Freedoom's
# palette and COLORMAP (Debian's freedoom package), saves a picture of the window with the
# original, the preview, the preview beside the original and the difference picture, then the
# preview at light levels 0, 16 and 28, printing the report line of each.
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
for tool in Xvfb python3; do
    command -v "$tool" > /dev/null || { echo "$tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done
[ -f "$wad" ] || { echo "$wad is missing: install Debian's freedoom package" >&2; exit 1; }
cmake --build "$build" -j2 --target view_screens
work=$(mktemp -d)
xvfb=""
trap '[ -z "$xvfb" ] || kill "$xvfb" 2> /dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$out" "$work/pictures" "$work/settings"

# A 64 x 64 24-bit sprite: a lit ball with a band of saturated hues, on cyan (0, 255, 255).
python3 - "$work/pictures/sprite.bmp" << 'PY'
import math, struct, sys
size = 64
rows = []
for y in range(size):
    row = bytearray()
    for x in range(size):
        dx, dy = (x - 31.5) / 26, (y - 31.5) / 26
        d = dx * dx + dy * dy
        if d > 1:
            r, g, b = 0, 255, 255
        else:
            light = max(0.0, (-dx - dy + 1.2 * math.sqrt(1 - d)) / 1.9)
            hue = (math.atan2(dy, dx) / (2 * math.pi) + 1) % 1
            r = 255 * light * (0.6 + 0.4 * math.cos(2 * math.pi * hue))
            g = 200 * light * (0.6 + 0.4 * math.cos(2 * math.pi * (hue - 1 / 3)))
            b = 160 * light * (0.6 + 0.4 * math.cos(2 * math.pi * (hue - 2 / 3)))
        row += bytes(max(0, min(255, int(round(c)))) for c in (b, g, r))
    rows.append(row)
data = b"".join(reversed(rows))
header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(data), 2835, 2835, 0, 0)
open(sys.argv[1], "wb").write(header + info + data)
PY

Xvfb :96 -screen 0 1280x900x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
sleep 1
DISPLAY=:96 QT_QPA_PLATFORM=xcb "$build/tests/window/view_screens" \
    "$work/pictures" "$work/settings" "$out" "$wad" "$wad"
echo "Screenshots in $out"
