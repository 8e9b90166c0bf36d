#!/usr/bin/env bash
# Builds the Windows programs and their zip (scripts/build-windows.sh), runs the Qt-free test
# programs under Wine in a fresh Wine folder, and then, with the programs unpacked from the zip:
# 1. converts the same generated pictures (BMPs of 8, 24 and 32 bits and RGBA PNGs, named outside
#    ASCII in a folder named outside ASCII) with the Linux converter and quorvantile-convert.exe,
#    to BMP and to PNG, and fails unless every result and every backup has the same bytes;
# 2. gives both broken PNGs and fails unless they refuse them alike, changing no file;
# 3. smoke-runs the window: quorvantile.exe in Wine's virtual desktop, driven by keystrokes
#    (xdotool), converts a folder and restores its originals; every result must have the Linux
#    converter's bytes, every backup the original's, and after the restore every picture its
#    original bytes.
# Everything runs on one virtual X display (Xvfb): Wine starts its desktop process once for a
# session, with the display of the program that starts it, so every program must see the same.
# The Windows runs get their folders with a drive letter and backslashes. The Linux converter is
# build/window/quorvantile-convert when that exists (scripts/build.sh), else a Qt-free one built
# in build-windows/linux.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
start=$SECONDS

# Wine first: the cross build's configuration looks for it to run the test programs.
packages=(wine64 python3 xvfb xdotool imagemagick)
bash scripts/install-packages.sh "${packages[@]}"

bash scripts/build-windows.sh >/dev/null
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

build_dir=$repo/build-windows
export WINEPREFIX=$build_dir/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
mkdir -p "$build_dir/display"
display_file=$build_dir/display/number
exec {display_fd}>"$display_file"
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp >"$build_dir/display/xvfb.log" 2>&1 &
xvfb=$!
exec {display_fd}>&-
# shellcheck disable=SC2064 # the ids as they are now; each step may fail, under set -e too
trap "'$wineserver' -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true" EXIT
for ((i = 0; i < 40; i++)); do
  [[ -s $display_file ]] && break
  sleep 0.25
done
[[ -s $display_file ]] || { echo "Xvfb did not start: $(cat "$build_dir/display/xvfb.log")" >&2; exit 1; }
DISPLAY=:$(cat "$display_file")
export DISPLAY
"$wine" wineboot --init >/dev/null 2>&1
"$wineserver" -w

echo "Qt-free tests under Wine"
# A test program that fails is run once more: Wine's link to its server breaks now and then
# ("wine client error:0: recvmsg: Connection reset by peer") before the program has run at all.
# A real failure fails both times.
(cd "$build_dir" && ctest --output-on-failure -j2 --repeat until-pass:2)

linux_convert=$repo/build/window/quorvantile-convert
if [[ ! -x $linux_convert ]]; then
  cmake -S . -B "$build_dir/linux" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_WITHOUT_QT=ON \
    -DQV_BUILD_TESTS=OFF -DQV_WARNINGS_AS_ERRORS=ON >/dev/null
  cmake --build "$build_dir/linux" -j2 --target quorvantile-convert >/dev/null
  linux_convert=$build_dir/linux/window/quorvantile-convert
fi

# The programs as a user gets them: unpacked from the zip.
work=$build_dir/same-bytes
rm -rf "$work"
mkdir -p "$work/program"
python3 -m zipfile -e "$build_dir/quorvantile-windows.zip" "$work/program"
windows_convert=$work/program/quorvantile-convert.exe

pictures() { python3 scripts/make-test-pictures.py "$@"; }
windows_path() { printf 'Z:%s' "${1//\//\\}"; } # Wine's drive Z: is the Linux root
# Every file under a folder with its checksum, for "nothing changed".
listing() { (cd "$1" && find . -type f -print0 | sort -z | xargs -0 -r sha256sum); }
fail() {
  echo "$*" >&2
  exit 1
}

echo "The same pictures converted on Linux and under Wine"
folder="Спрайты ünï 日本"
mkdir -p "$work/pictures/$folder"
pictures "$work/pictures/$folder" bmp24:plain.bmp:64:64:1 bmp24:Ünïcödé.bmp:40:30:2 \
  "bmp32:спрайт wide.bmp:100:20:3" "bmp8:日本 tall.BMP:17:90:4" bmp24:tiny.bmp:1:1:5 \
  "png8:álpha ünï.png:33:21:6" "png16:глубина 16.png:12:40:7"
: >"$work/empty.ini"
cp -r "$work/pictures" "$work/linux"
cp -r "$work/pictures" "$work/windows"

# Three runs on each side: in place (with backups; a PNG's result goes beside it) at the smallest
# square that holds them all, then into output folders with other options, as BMP and as PNG.
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
  "$wine" "$windows_convert" --settings "$(windows_path "$work/empty.ini")" \
    --quiet "${args_windows[@]}" || status_windows=$?
  if [[ $status_linux -ne 0 || $status_windows -ne 0 ]]; then
    fail "exit status: Linux $status_linux, Windows $status_windows (both should be 0)"
  fi
}
run_both --palette DOOM --find-minimum "$work/@SIDE@/$folder"
run_both --palette WOLF3D --size 128 --halign right --valign bottom --brightness 120,100,80 \
  --match row --output "$work/@SIDE@/выход" "$work/pictures/$folder"
run_both --palette SPEAR --size 128 --alpha --format png --output "$work/@SIDE@/png" \
  "$work/pictures/$folder"

# Every picture converted, backed up or given its result beside it, on both sides, with the same
# bytes.
bmps=$(find "$work/pictures/$folder" -type f -iname '*.bmp' | wc -l)
pngs=$(find "$work/pictures/$folder" -type f -iname '*.png' | wc -l)
count=$(find "$work/linux" -type f | wc -l)
expected=$((2 * bmps + 2 * pngs + 2 * (bmps + pngs)))
if [[ $count -ne $expected ]]; then
  fail "expected $bmps bitmaps converted in place and backed up, $pngs PNGs with their results" \
    "beside them and $((2 * (bmps + pngs))) outputs, found $count files"
fi
if ! diff -r "$work/linux" "$work/windows"; then
  fail "the Windows converter's output differs from the Linux one's"
fi
# ...and each of them is a conversion, a bitmap's backup its original, a PNG left as it was.
for original in "$work/pictures/$folder"/*; do
  name=$(basename "$original")
  case ${name,,} in
    *.png)
      if ! cmp -s "$original" "$work/linux/$folder/$name" \
        || [[ ! -f "$work/linux/$folder/${name%.*}.bmp" ]]; then
        fail "$name: not left as it was with its result beside it"
      fi
      ;;
    *)
      if cmp -s "$original" "$work/linux/$folder/$name" \
        || ! cmp -s "$original" "$work/linux/$folder/Quorvantile Backup/$name"; then
        fail "$name: not converted in place with its original kept"
      fi
      ;;
  esac
done
echo "$count files, the same bytes on Linux and Windows"

echo "Broken PNGs refused alike on Linux and under Wine"
broken=$work/broken
mkdir -p "$broken"
pictures "$broken" "png-crc:prüfsumme.png:20:20:1" "png-cut:обрезан.png:20:20:2" \
  png-fake:fake.png:8:8:3 png8:wide.png:600:2:4
before=$(listing "$broken")
for name in prüfsumme.png обрезан.png fake.png wide.png; do
  status_linux=0 status_windows=0
  out_linux=$(cd "$broken" && "$linux_convert" --settings "$work/empty.ini" "$name" 2>&1) \
    || status_linux=$?
  out_windows=$(cd "$broken" && "$wine" "$windows_convert" \
    --settings "$(windows_path "$work/empty.ini")" "$name" 2>&1) || status_windows=$?
  out_windows=${out_windows//$'\r'/}
  if [[ $status_linux -eq 0 || $status_linux -ne $status_windows || $out_linux != "$out_windows" ]]; then
    printf 'Linux (%s):\n%s\nWindows (%s):\n%s\n' "$status_linux" "$out_linux" \
      "$status_windows" "$out_windows" >&2
    fail "$name: not refused alike"
  fi
done
[[ $(listing "$broken") == "$before" ]] || fail "a refused PNG changed a file"
echo "4 broken PNGs refused with the same messages, no file changed"

# The smoke run: a folder the window converts with its first-start options, all pictures within
# its 64 x 64 square.
echo "Smoke run"
smoke=$build_dir/smoke
rm -rf "$smoke"
smoke_folder="Проба ünï 日本"
mkdir -p "$smoke/pictures/$smoke_folder" "$smoke/program"
pictures "$smoke/pictures/$smoke_folder" "bmp8:восемь ünï.bmp:31:17:1" bmp24:vingt-quatre.bmp:64:40:2 \
  "bmp32:三十二.BMP:9:64:3" "png8:альфа.png:24:24:4" "png16:tiefe ä.png:13:7:5"
cp -r "$smoke/pictures" "$smoke/linux"
cp -r "$smoke/pictures" "$smoke/windows"
target=$smoke/windows/$smoke_folder
# The programs in a folder of their own, which keeps their settings, opening on the target.
cp "$work/program/"* "$smoke/program/"
printf '[General]\r\nPath=%s\r\n' "$(windows_path "$target")" >"$smoke/program/quorvantile.ini"
cp "$smoke/program/quorvantile.ini" "$smoke/settings.ini"
# What the window's Convert must give: the Linux converter with the same settings file.
"$linux_convert" --settings "$smoke/settings.ini" --size 64 --quiet "$smoke/linux/$smoke_folder"
bitmaps=()
for original in "$smoke/pictures/$smoke_folder"/*; do
  case ${original,,} in *.bmp) bitmaps+=("$(basename "$original")") ;; esac
done

# Polls until the named check passes, for at most the seconds given.
wait_for() {
  local seconds=$1
  shift
  for ((i = 0; i < seconds * 4; i++)); do
    if "$@"; then return 0; fi
    sleep 0.25
  done
  return 1
}
converted() { [[ $(find "$target/Quorvantile Backup" -type f 2>/dev/null | wc -l) -eq ${#bitmaps[@]} ]] \
  && diff -rq "$smoke/linux" "$smoke/windows" >/dev/null; }
restored() {
  local name
  for name in "${bitmaps[@]}"; do
    cmp -s "$smoke/pictures/$smoke_folder/$name" "$target/$name" || return 1
  done
}

backups_are_originals() {
  local name
  for name in "${bitmaps[@]}"; do
    cmp -s "$smoke/pictures/$smoke_folder/$name" "$target/Quorvantile Backup/$name" \
      || fail "$name: its backup is not the original"
  done
}

# The window in Wine's virtual desktop inside Xvfb, driven by keystrokes. Nothing shows which
# dialog is up, so each step waits for its effect on the files, and every key pressed is checked
# afterwards by what the folder holds once the window is closed.
smoke_window() {
  local window
  # The window alone in a session of its own.
  "$wineserver" -k 2>/dev/null || true
  "$wine" explorer /desktop=quorvantile,1024x768 "$(windows_path "$smoke/program/quorvantile.exe")" \
    >"$smoke/wine.log" 2>&1 &
  window=$!
  desktop() { xdotool search --name "Wine desktop" 2>/dev/null | head -1; }
  desktop_open() { [[ -n $(desktop) ]]; }
  wait_for 30 desktop_open || fail "Wine's virtual desktop did not open"
  screenshot() { import -window root "$smoke/$1.png" 2>/dev/null || true; }
  keys() {
    xdotool windowfocus --sync "$(desktop)"
    xdotool key --delay 150 "$@"
  }
  sleep 5 # the window opens, shows its first picture and gives Convert the focus
  screenshot started
  # From Convert: Tab, Tab to the file list (the Original/Preview pair takes one stop), every
  # entry selected, back to Convert and press it.
  keys Tab Tab Home shift+End shift+Tab shift+Tab space
  wait_for 60 converted || {
    screenshot not-converted
    fail "the window did not convert the folder as the Linux converter does (see $smoke)"
  }
  sleep 1
  screenshot converted # "Converted N file(s)."
  keys Return
  backups_are_originals
  # File > Restore Originals…, confirmed with Yes (No is the default button).
  keys alt+f r
  sleep 1
  screenshot confirm
  keys y
  wait_for 30 restored || {
    screenshot not-restored
    fail "the window did not restore the originals (see $smoke)"
  }
  sleep 1
  screenshot no-backup # the PNGs, left as they were: "No backup was found for these file(s), ..."
  keys Return
  sleep 1
  screenshot restored # "Restored N file(s)."
  keys Return alt+f x # File > Exit
  window_closed() { ! kill -0 "$window" 2>/dev/null; }
  wait_for 10 window_closed || {
    screenshot not-closed
    fail "the window did not close after File > Exit (see $smoke)"
  }
}

smoke_window
restored || fail "the originals were not restored"
for original in "$smoke/pictures/$smoke_folder"/*.png; do
  cmp -s "$original" "$target/$(basename "$original")" || fail "$original: changed"
done
echo "Smoke run: converted as on Linux, backups the originals, originals restored"
echo "Windows build and checks: $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s"
