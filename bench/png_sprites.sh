#!/usr/bin/env bash
# Wall time of quorvantile-convert --output over 1000 RGBA PNG sprites of 64 x 64 (a disc on a
# see-through background, made with Pillow), with Use Alpha on, to BMP and to indexed PNG.
# The fastest of five runs counts (other work on the machine only ever adds time).
# Usage: bash bench/png_sprites.sh
set -euo pipefail
trap 'echo "$0: line $LINENO: a command failed" >&2' ERR

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BENCH_BUILD:-$root/build-cli-rel}
python=/usr/bin/python3 # the python3 with Pillow
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target quorvantile-convert -j2 >/dev/null
program=$build/window/quorvantile-convert

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
: >"$work/empty.ini"
mkdir "$work/sprites"
"$python" - "$work/sprites" <<'PY'
import sys
from PIL import Image, ImageDraw
for n in range(1000):
    im = Image.new("RGBA", (64, 64), (255, 0, 255, 0))
    d = ImageDraw.Draw(im)
    d.ellipse((4, 4, 59, 59), fill=((n * 37) % 256, (n * 91) % 256, (n * 13) % 256, 255))
    d.line((8, 32, 56, 32), fill=(20, 200, 40, 128), width=5)
    im.save(f"{sys.argv[1]}/sprite{n:04d}.png")
PY

for format in bmp png; do
  best=
  for run in 1 2 3 4 5; do
    rm -rf "$work/out"
    start=$EPOCHREALTIME
    "$program" --settings "$work/empty.ini" --alpha --format "$format" --quiet \
      --output "$work/out" "$work/sprites"
    end=$EPOCHREALTIME
    best=$(awk -v s="$start" -v e="$end" -v b="$best" 'BEGIN { t = e - s; print (b == "" || t < b) ? t : b }')
  done
  printf '1000 RGBA PNG sprites of 64 x 64 to %s: %.3f s (fastest of 5)\n' "$format" "$best"
done
