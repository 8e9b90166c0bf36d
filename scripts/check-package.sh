#!/usr/bin/env bash
# Installs build-package/quorvantile_*.deb on this machine with apt-get (as root, or through sudo)
# and checks the installed programs with a fresh home folder: the window starts on the offscreen
# platform and writes its settings and samples into the user's configuration folder (for root,
# who could write into /usr/bin, as for an ordinary user); the converter converts a sample with
# those settings into the same bytes as the build's converter. Removes the package afterwards
# unless KEEP_INSTALLED=1.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi

packages=(build-package/quorvantile_*.deb)
if [[ ${#packages[@]} -ne 1 || ! -f ${packages[0]} ]]; then
  echo "expected one package in build-package/ (bash scripts/package.sh): ${packages[*]}"
  exit 1
fi
echo "== apt-get install ./${packages[0]##*/}"
if ! (cd build-package && DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" \
  apt-get install -y -qq "./${packages[0]##*/}" >apt.log 2>&1); then
  cat build-package/apt.log
  exit 1
fi

work=$(mktemp -d)
chmod 755 "$work"
window_pid=
cleanup() {
  if [[ -n $window_pid ]]; then kill "$window_pid" 2>/dev/null || true; fi
  rm -rf "$work"
  if [[ ${KEEP_INSTALLED:-0} != 1 ]]; then
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get remove -y -qq quorvantile >/dev/null 2>&1
  fi
}
trap cleanup EXIT

fail() {
  echo "package check FAILED: $*"
  exit 1
}

echo "== what the package declares and installs"
depends=$(dpkg-query -W -f='${Depends}' quorvantile)
[[ $depends == *libqt6widgets6* ]] || fail "Depends lacks libqt6widgets6: $depends"
for file in /usr/bin/quorvantile /usr/bin/quorvantile-convert \
  /usr/share/applications/quorvantile.desktop /usr/share/icons/hicolor/256x256/apps/quorvantile.png \
  /usr/share/metainfo/org.quorvantile.Quorvantile.metainfo.xml \
  /usr/share/man/man1/quorvantile-convert.1.gz; do
  [[ -f $file ]] || fail "$file is not installed"
done
grep -qx 'Categories=Graphics;.*' /usr/share/applications/quorvantile.desktop \
  || fail "the desktop entry is not in the Graphics menu"
desktop-file-validate /usr/share/applications/quorvantile.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.quorvantile.Quorvantile.metainfo.xml >/dev/null \
  || fail "the AppStream metainfo does not validate"
zcat /usr/share/man/man1/quorvantile-convert.1.gz | grep -q '^\.TH QUORVANTILE-CONVERT' \
  || fail "the manual page has no title line"

# Starts the installed window as user (root or nobody) with the given environment, waits until
# its settings file appears in config (at most 30 s) while the window keeps running, then closes
# it.
start_window() {
  local user=$1 config=$2
  shift 2
  local as=()
  if [[ $user != root ]]; then
    as=(setpriv --reuid="$(id -u "$user")" --regid="$(id -g "$user")" --clear-groups)
  fi
  env -i PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen "$@" "${as[@]}" quorvantile \
    >"$work/window.log" 2>&1 &
  window_pid=$!
  for _ in $(seq 300); do
    [[ -s $config/quorvantile.ini ]] && break
    kill -0 "$window_pid" 2>/dev/null || { cat "$work/window.log"; fail "the window ended early"; }
    sleep 0.1
  done
  [[ -s $config/quorvantile.ini ]] || fail "no settings file in $config after 30 s"
  sleep 1
  kill -0 "$window_pid" 2>/dev/null || fail "the window did not keep running"
  kill "$window_pid"
  wait "$window_pid" 2>/dev/null || true
  window_pid=
  grep -q '^Skip255=1' "$config/quorvantile.ini" || fail "unexpected settings in $config"
  for sample in barrel.bmp knight.bmp torch.bmp; do
    [[ -f $config/$sample ]] || fail "no sample $sample in $config"
  done
  [[ ! -e /usr/bin/quorvantile.ini ]] || fail "settings written into /usr/bin"
  echo "window as $user: settings and samples in ${config#"$work"/}"
}

echo "== the installed window"
mkdir -p "$work/root-home" "$work/user"
start_window root "$work/root-home/.config/quorvantile" HOME="$work/root-home"
chown nobody "$work/user"
start_window nobody "$work/user/config/quorvantile" HOME=/nonexistent XDG_CONFIG_HOME="$work/user/config"

echo "== the installed converter"
config=$work/root-home/.config/quorvantile
env -i PATH=/usr/bin:/bin HOME="$work/root-home" \
  quorvantile-convert --quiet --output "$work/installed" "$config/knight.bmp" \
  || fail "the installed converter did not convert the sample"
"$repo/build-package/window/quorvantile-convert" --quiet --settings "$config/quorvantile.ini" \
  --output "$work/built" "$config/knight.bmp"
cmp "$work/installed/knight.bmp" "$work/built/knight.bmp" \
  || fail "the installed converter wrote other bytes than the build's"
python3 - "$work/installed/knight.bmp" <<'EOF' || fail "the result is not an 8-bit BMP"
import struct, sys
data = open(sys.argv[1], "rb").read()
assert data[:2] == b"BM" and struct.unpack("<H", data[28:30])[0] == 8
EOF
echo "converter: knight.bmp converted, the same bytes as the build's"
echo "Package check: passed."
