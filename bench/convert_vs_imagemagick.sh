#!/usr/bin/env bash
# Wall time of quorvantile-convert against ImageMagick 6 on generated pictures, and the share of
# pixels on which both choose the same palette colour. Usage: bash bench/convert_vs_imagemagick.sh
#
# Two sets: 1000 sprites of 64 x 64 and 20 pictures of 512 x 512 of many colours, all 24-bit,
# mapped onto the WOLF3D palette without dithering. Each set is converted in one run by each
# tool; the fastest of several runs counts (other work on the machine only ever adds time),
# five of ours and three of ImageMagick's, which take far longer.
# ImageMagick runs as mogrify (one process for the whole set, its fastest way) and, for
# reference, as one convert process per picture.
set -euo pipefail
trap 'echo "$0: line $LINENO: a command failed" >&2' ERR

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BENCH_BUILD:-$root/build-cli-rel}
python=/usr/bin/python3 # the python3 with Pillow
convert=/usr/bin/convert # Debian's ImageMagick 6, not a stand-in elsewhere on PATH
mogrify=/usr/bin/mogrify
helper=$root/bench/bench_pictures.py

"$convert" -version | grep -q 'ImageMagick 6' || { echo "$convert is not ImageMagick 6" >&2; exit 1; }
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target quorvantile-convert -j2 >/dev/null
program=$build/window/quorvantile-convert

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
: >"$work/empty.ini" # first-start settings, whatever the build folder's settings file says
"$python" "$helper" palette "$root/resources/WOLF3D.pal" "$work/wolf3d.png"

now() { date +%s.%N; }
# "wall cpu" seconds of the fastest of `runs` runs of the command, each writing into a new
# folder (@out in the arguments): deleting the last run's files first would time the file
# system's search past freshly freed inodes instead. The first run's folder becomes `output`.
fastest_of() {
  local runs=$1 output=$2 best="" start end wall cpu run arg
  shift 2
  for run in $(seq "$runs"); do
    local args=()
    for arg in "$@"; do args+=("${arg//@out/$output.$run}"); done
    mkdir "$output.$run" && sync
    start=$(now)
    /usr/bin/time -f '%U %S' -o "$work/cpu" "${args[@]}" >/dev/null ||
      { echo "failed ($(head -1 "$work/cpu")): ${args[*]}" >&2; exit 1; }
    end=$(now)
    wall=$(echo "$end - $start" | bc -l)
    cpu=$(awk '{print $1 + $2}' "$work/cpu")
    if [ -z "$best" ] || [ "$(echo "$wall < ${best% *}" | bc -l)" = 1 ]; then
      best=$(printf '%.3f %.2f' "$wall" "$cpu")
    fi
  done
  mv "$output.1" "$output"
  echo "$best"
}
per_picture_imagemagick() {
  local input
  for input in "$1"/*.bmp; do
    "$convert" "$input" +dither -remap "$work/wolf3d.png" "BMP3:$2/$(basename "$input")"
  done
}
ratio() { if [ "$(echo "$2 > 0" | bc -l)" = 1 ]; then printf '%.1f' "$(echo "$1 / $2" | bc -l)"; else echo "–"; fi; }

run_set() { # name, size, count
  local name=$1 size=$2 count=$3 set=$work/$1
  mkdir -p "$set/in" "$set/im1"
  "$python" "$helper" "$name" "$set/in" "$count"
  local common=(--settings "$work/empty.ini" --palette WOLF3D --size "$size" --scale none
    --match pixel --quiet)
  local ours ours1 im im1 agree ours_exact im_exact ours_cpu ours1_cpu im_cpu
  read -r ours ours_cpu < <(fastest_of 5 "$set/ours" "$program" "${common[@]}" --output @out \
    "$set/in")
  read -r ours1 ours1_cpu < <(fastest_of 5 "$set/ours1" "$program" "${common[@]}" --jobs 1 \
    --output @out "$set/in")
  read -r im im_cpu < <(fastest_of 3 "$set/im" "$mogrify" -path @out +dither \
    -remap "$work/wolf3d.png" -format bmp -define bmp:format=bmp3 "$set/in"/*.bmp)
  local start end
  sync
  start=$(now)
  per_picture_imagemagick "$set/in" "$set/im1"
  end=$(now)
  im1=$(printf '%.3f' "$(echo "$end - $start" | bc -l)")
  read -r agree ours_exact im_exact < <("$python" "$helper" agree "$set/in" "$set/ours" "$set/im" \
    "$root/resources/WOLF3D.pal")
  cmp -s <(cd "$set/ours" && cat ./*.bmp) <(cd "$set/ours1" && cat ./*.bmp) ||
    { echo "$name: --jobs 1 and the default give different results" >&2; exit 1; }
  printf '| %s | %s s (%s) | %s s (%s) | %s s (%s) | %s s | %s× (%s×) | %s× | %s %% | %s %% / %s %% |\n' \
    "$count × $size × $size" "$ours" "$ours_cpu" "$ours1" "$ours1_cpu" "$im" "$im_cpu" "$im1" \
    "$(ratio "$im" "$ours")" "$(ratio "$im_cpu" "$ours_cpu")" "$(ratio "$im1" "$ours")" \
    "$agree" "$ours_exact" "$im_exact"
}

echo "$(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at the start."
echo "Wall time of the fastest run, CPU time (user + system) of that run in brackets;"
echo "quorvantile-convert with one worker per core (its default) and with --jobs 1."
echo
echo "| set | quorvantile-convert | --jobs 1 | ImageMagick mogrify | ImageMagick, a process per picture | faster than mogrify: wall (CPU) | than per picture | same colour as ImageMagick | exact nearest colour: ours / ImageMagick |"
echo "|---|---|---|---|---|---|---|---|---|"
run_set sprites 64 1000
run_set large 512 20
