#!/usr/bin/env bash
# Builds the Windows converter (scripts/build-windows.sh), runs its Qt-free test programs under
# Wine in a fresh Wine folder, then converts the same generated pictures with the Linux and the
# Windows program and fails unless every converted picture and every backup has the same bytes.
# The Windows run gets its folder with a drive letter and backslashes, and the pictures (and their
# folder) have names outside ASCII. The Linux converter is build/window/quorvantile-convert when
# that exists (scripts/build.sh), else a Qt-free one built in build-windows/linux.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
start=$SECONDS

# Wine first: the cross build's configuration looks for it to run the test programs.
packages=(wine64 python3)
bash scripts/install-packages.sh "${packages[@]}"

bash scripts/build-windows.sh >/dev/null
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)

build_dir=$repo/build-windows
export WINEPREFIX=$build_dir/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
"$wine" wineboot --init >/dev/null 2>&1

echo "Qt-free tests under Wine"
(cd "$build_dir" && ctest --output-on-failure -j2)

linux_convert=$repo/build/window/quorvantile-convert
if [[ ! -x $linux_convert ]]; then
  cmake -S . -B "$build_dir/linux" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_WITHOUT_QT=ON \
    -DQV_BUILD_TESTS=OFF -DQV_WARNINGS_AS_ERRORS=ON >/dev/null
  cmake --build "$build_dir/linux" -j2 --target quorvantile-convert >/dev/null
  linux_convert=$build_dir/linux/window/quorvantile-convert
fi

echo "The same pictures converted on Linux and under Wine"
work=$build_dir/same-bytes
rm -rf "$work"
folder="Спрайты ünï 日本"
mkdir -p "$work/pictures/$folder"
python3 - "$work/pictures/$folder" <<'PY'
import struct, sys

folder = sys.argv[1]

def bmp(name, width, height, bits, seed):
    """A bottom-up BMP of generated pixels: 24 or 32 bits, or 8 bits with a generated palette."""
    pixel = bits // 8
    stride = (width * pixel + 3) & ~3
    rows = bytearray()
    for y in range(height):
        row = bytearray()
        for x in range(width):
            if bits == 8:
                row.append((x * 5 + y * 3 + seed) % 256)
            else:
                row += bytes(((x * 7 + y * 13 + seed) % 256, (x * 3 + seed * 5) % 256,
                              (y * 11 + x * seed) % 256))
                if bits == 32:
                    row.append(255)
        rows += row.ljust(stride, b"\0")
    table = b""
    if bits == 8:
        table = b"".join(bytes(((i * 3 + seed) % 256, (i * 7) % 256, (255 - i), 0)) for i in range(256))
    offset = 54 + len(table)
    header = b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(rows), 2835, 2835,
                       256 if bits == 8 else 0, 0)
    with open(f"{folder}/{name}", "wb") as out:
        out.write(header + info + table + rows)

bmp("plain.bmp", 64, 64, 24, 1)
bmp("Ünïcödé.bmp", 40, 30, 24, 2)
bmp("спрайт wide.bmp", 100, 20, 32, 3)
bmp("日本 tall.BMP", 17, 90, 8, 4)
bmp("tiny.bmp", 1, 1, 24, 5)
PY
: >"$work/empty.ini"
cp -r "$work/pictures" "$work/linux"
cp -r "$work/pictures" "$work/windows"

# Two runs on each side: in place (with backups) at the smallest square that holds them all, then
# into an output folder with other options.
windows_path() { printf 'Z:%s' "${1//\//\\}"; } # Wine's drive Z: is the Linux root
run_both() {
  local status_linux=0 status_windows=0 args_linux=() args_windows=() arg
  for arg in "$@"; do
    args_linux+=("${arg//@SIDE@/linux}")
    case $arg in
      /*) args_windows+=("$(windows_path "${arg//@SIDE@/windows}")") ;;
      *) args_windows+=("$arg") ;;
    esac
  done
  "$linux_convert" --settings "$work/empty.ini" --quiet "${args_linux[@]}" || status_linux=$?
  "$wine" "$build_dir/zip/quorvantile-convert.exe" --settings "$(windows_path "$work/empty.ini")" \
    --quiet "${args_windows[@]}" || status_windows=$?
  if [[ $status_linux -ne 0 || $status_windows -ne 0 ]]; then
    echo "exit status: Linux $status_linux, Windows $status_windows (both should be 0)" >&2
    exit 1
  fi
}
run_both --palette DOOM --find-minimum "$work/@SIDE@/$folder"
run_both --palette WOLF3D --size 128 --halign right --valign bottom --brightness 120,100,80 \
  --match row --output "$work/@SIDE@/выход" "$work/pictures/$folder"

# Every picture converted and backed up, on both sides, with the same bytes.
count=$(find "$work/linux" -type f | wc -l)
if [[ $count -ne 15 ]]; then
  echo "expected 5 pictures converted in place, 5 backups and 5 outputs, found $count files" >&2
  exit 1
fi
if ! diff -r "$work/linux" "$work/windows"; then
  echo "the Windows converter's output differs from the Linux one's" >&2
  exit 1
fi
# ...and each of them is a conversion, its backup the original.
for original in "$work/pictures/$folder"/*; do
  name=$(basename "$original")
  if cmp -s "$original" "$work/linux/$folder/$name" \
    || ! cmp -s "$original" "$work/linux/$folder/Quorvantile Backup/$name"; then
    echo "$name: not converted in place with its original kept" >&2
    exit 1
  fi
done
echo "$count files, the same bytes on Linux and Windows"
echo "Windows build and checks: $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s"
