#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and
# runs each for FUZZ_SECONDS (default 60), starting from the conformance pictures and the built-in
# palettes kept in the repository and a few seeds made here. Prints how many inputs each target ran; fails if any target found a
# crash, a hang or a broken property. Findings are kept in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

seconds=${FUZZ_SECONDS:-60}
build_dir=build-fuzz
findings=$repo/$build_dir/findings

scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQV_WARNINGS_AS_ERRORS=ON -DQV_WITHOUT_QT=ON -DQV_BUILD_TESTS=OFF -DQV_FUZZ=ON >/dev/null
cmake --build "$build_dir" --target fuzz_bmp fuzz_png fuzz_pcx fuzz_palette fuzz_ini -j2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$findings" "$work"/{bmp,png,pcx,palette,ini}

# Seeds: the sample pictures (good, questionable and bad ones), inputs that once failed, the
# palettes; then one file of each fixed-size palette format and a small settings file.
cp tests/data/bmpsuite/{g,q,b}/*.bmp "$work/bmp/"
cp tests/data/fuzz-regressions/bmp-* "$work/bmp/" 2>/dev/null || true
cp tests/data/png/*.png "$work/png/"
cp resources/*.pal "$work/palette/"
python3 - "$work" <<'EOF'
import struct, sys
work = sys.argv[1]
# ACT: 256 x (red, green, blue), nothing else.
act = bytes((i * 3 + c) * 7 & 255 for i in range(256) for c in range(3))
# GAMEPAL.OBJ: an object file (header record first, data record at 113) with 6-bit components
# from offset 119 in a file of 893 bytes.
obj = (b"\x80" + bytes(112) + b"\xa0" + bytes(5)
       + bytes((i + c * 21) % 64 for i in range(256) for c in range(3)) + bytes(6))
# Text palettes and the game archives, a few colours each.
gpl = b"GIMP Palette\nName: seed\n#\n  0   0   0\tBlack\n255 128 7\tOrange\n"
hexes = b"000000\n#ff8007\n"
paint_net = b"; paint.net Palette File\nFF000000\nFFFF8007\n"
playpal = bytes((i * 5 + c) & 255 for i in range(256) for c in range(3))
wad = (b"PWAD" + struct.pack("<ii", 1, 12 + 768) + playpal
       + struct.pack("<ii", 12, 768) + b"PLAYPAL\0")
pak = (b"PACK" + struct.pack("<ii", 12 + 768, 64) + playpal
       + b"gfx/palette.lmp".ljust(56, b"\0") + struct.pack("<ii", 12, 768))
aco = struct.pack(">HH", 1, 2) + struct.pack(">5H", 0, 65535, 0, 257, 0) + struct.pack(">5H", 0, 0, 0, 0, 0)
ase = (b"ASEF" + struct.pack(">HHI", 1, 0, 1) + struct.pack(">HI", 1, 24)
       + struct.pack(">H", 2) + "c\0".encode("utf-16-be") + b"RGB " + struct.pack(">fffH", 1, 0.5, 0, 2))
# RIFF palette: 24-byte header, 256 x (red, green, blue, flags), 4 bytes more.
riff = (b"RIFF" + struct.pack("<I", 1044) + b"PAL data" + struct.pack("<IHH", 1028, 0x300, 256)
        + b"".join(bytes((i, 255 - i, i // 2, 0)) for i in range(256)) + bytes(4))
# PCX: an 8-bit picture of 3 x 2 with runs and its table, and a 24-bit one of 2 x 1.
pcx8 = (bytes((0x0A, 5, 1, 8, 0, 0, 0, 0, 2, 0, 1, 0)) + bytes(53) + bytes((1, 4, 0, 1, 0))
        + bytes(58) + bytes((0xC3, 7, 0, 0xC1, 0xC5, 0xC2, 1, 0, 0x0C)) + bytes(range(256)) * 3)
pcx24 = (bytes((0x0A, 5, 1, 8, 0, 0, 0, 0, 1, 0, 0, 0)) + bytes(53) + bytes((3, 2, 0, 1, 0))
         + bytes(58) + bytes((0xC2, 9, 1, 2, 0xC2, 3)))
ini = (b"[General]\r\nPath=C:\\Pics\r\nSize=64\r\n; a comment\r\nPreview=-1\r\n\r\n"
       b"[Colors]\r\nSkip0=0\r\nSkip10=1\r\n10=&H1F\r\n2=2.5\r\n9= -7xyz\r\n")
for name, data, size in (("pcx/seed8.pcx", pcx8, 905), ("pcx/seed24.pcx", pcx24, 134),
                         ("palette/seed.act", act, 768), ("palette/gamepal.obj", obj, 893),
                         ("palette/seed-riff.pal", riff, 1052), ("palette/seed.gpl", gpl, None),
                         ("palette/seed.hex", hexes, None), ("palette/seed.txt", paint_net, None),
                         ("palette/seed.wad", wad, None), ("palette/seed.pak", pak, None),
                         ("palette/seed.aco", aco, None), ("palette/seed.ase", ase, None),
                         ("ini/settings.ini", ini, None)):
    assert size is None or len(data) == size, name
    with open(f"{work}/{name}", "wb") as out:
        out.write(data)
EOF

failed=()
run_target() {
  local target=$1 seeds=$2 max_len=$3
  local log=$work/$target.log corpus=$work/$target-corpus
  mkdir -p "$corpus"
  echo "== $target: $seconds s"
  local status=0
  "$build_dir/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -max_len="$max_len" -artifact_prefix="$findings/$target-" "$corpus" "$seeds" >"$log" 2>&1 \
    || status=$?
  local runs
  runs=$(sed -n 's/^Done \([0-9]*\) runs in .*/\1/p' "$log" | tail -1)
  if ((status != 0)) || [[ -z $runs ]]; then
    echo "$target FAILED (exit $status); the end of its log:"
    tail -n 60 "$log"
    failed+=("$target")
  else
    # The last status line: edges covered, features, corpus size.
    local reached
    reached=$(grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+' "$log" | tail -1)
    echo "$target: $runs executions in $seconds s ($reached), nothing found"
  fi
}

run_target fuzz_bmp "$work/bmp" 300000
run_target fuzz_png "$work/png" 65536
run_target fuzz_pcx "$work/pcx" 65536
run_target fuzz_palette "$work/palette" 4096
run_target fuzz_ini "$work/ini" 8192

if ((${#failed[@]})); then
  echo "Fuzzing found problems in: ${failed[*]}; inputs in $findings"
  exit 1
fi
echo "Fuzzing: 4 targets, no findings."
