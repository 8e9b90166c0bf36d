#!/usr/bin/env bash
# quorvantile-convert --output side by side with the I/O floor of a safe converter (io_floor.c)
# and Pillow's quantize onto WOLF3D without dithering, on 1000 sprites of 64 x 64 and 200
# pictures of 512 x 512 random noise, plus one small file per process; medians and ratios.
# Usage: bash bench/side_by_side.sh
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BENCH_BUILD:-$root/build-cli-rel}
python=/usr/bin/python3 # the python3 with Pillow

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target quorvantile-convert -j2 >/dev/null
cc -O2 -Wall -Wextra -Werror -o "$build/io_floor" "$root/bench/io_floor.c"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$python" "$root/bench/side_by_side.py" "$work" "$build/window/quorvantile-convert" \
  "$build/io_floor" "$root/resources/WOLF3D.pal"
