#!/usr/bin/env bash
# Cross-compiles the programs for 64-bit Windows with mingw-w64 into build-windows/ (the Qt-free
# libraries, the window quorvantile.exe, the converter quorvantile-convert.exe and the Qt-free
# test programs), with PNG through Debian's own libspng source built for mingw-w64, and
# packs the portable build-windows/quorvantile-windows.zip: the programs and README.txt, no DLL.
# The programs must import only DLLs that every Windows has.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build ccache g++-mingw-w64-x86-64-posix libgtest-dev zip python3
  libz-mingw-w64-dev libspng-dev dpkg-dev)
bash scripts/install-packages.sh "${packages[@]}"

build_dir=build-windows
mkdir -p "$build_dir"

# Debian's libspng source, the same version as the Linux build's libspng-dev, fetched once into
# build-windows/libspng-source and kept there: a rebuild does not fetch it again.
spng_version=$(dpkg-query -W -f='${Version}' libspng-dev)
spng_source=$PWD/$build_dir/libspng-source/$spng_version
if [[ ! -f $spng_source/spng/spng.h ]]; then
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  if ! apt-cache showsrc "libspng=$spng_version" 2>/dev/null | grep -q '^Package: libspng'; then
    # apt-get source needs deb-src lines; Debian's images come without them. They get the
    # archives and suites of the binary packages (Debian's debian.sources), else the release's.
    if ! grep -rqs '^\s*\(Types:.*deb-src\|deb-src\)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
      if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
        sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources
      else
        # shellcheck disable=SC1091
        codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
        printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' "Suites: $codename" \
          'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg'
      fi | "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    fi
    "${sudo_cmd[@]}" apt-get update -qq
  fi
  fetch=$build_dir/libspng-source/fetch
  rm -rf "$fetch" "$spng_source"
  mkdir -p "$fetch"
  # apt checks the files against the signed archive's checksums; dpkg-source unpacks them and
  # applies Debian's changes, if any (it cannot check the uploader's signature without
  # debian-keyring, and need not).
  if ! log=$(cd "$fetch" && apt-get source --download-only "libspng=$spng_version" 2>&1); then
    echo "$log" >&2
    echo "Debian's libspng $spng_version source package could not be fetched" >&2
    exit 1
  fi
  dpkg-source -x "$fetch"/libspng_*.dsc "$spng_source" >/dev/null 2>&1
  rm -rf "$fetch" "$build_dir"/libspng-source/*.tar.*
fi

# -O2 as the Linux build; g++ 12 at -O3 warns falsely about overlapping copies in std::string.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
  -DQV_WITHOUT_QT=ON -DQV_WARNINGS_AS_ERRORS=ON "-DQV_SPNG_SOURCE_DIR=$spng_source" >/dev/null
cmake --build "$build_dir" -j2

# The file a target builds, from Ninja's graph; empty when there is no such target.
target_file() {
  local graph
  graph=$(ninja -C "$build_dir" -t query "$1" 2>/dev/null) || return 0
  sed -n '/^  input: phony/{n;s/^ *//p;q}' <<<"$graph"
}

# Self-contained: only DLLs that every Windows has (the C runtime msvcrt and the system's own).
check_imports() {
  local dll dlls
  dlls=$(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort -u)
  for dll in $dlls; do
    case $dll in
      kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | comdlg32.dll | shell32.dll \
        | shlwapi.dll | ole32.dll | oleaut32.dll | advapi32.dll | uxtheme.dll | msvcrt.dll \
        | msimg32.dll | version.dll | imm32.dll | winmm.dll | dwmapi.dll | shcore.dll) ;;
      *)
        echo "$(basename "$1") needs $dll, which is not part of Windows" >&2
        exit 1
        ;;
    esac
  done
}

stage=$build_dir/zip
zip_file=$build_dir/quorvantile-windows.zip
rm -rf "$stage" "$zip_file"
mkdir -p "$stage"
programs=(quorvantile.exe quorvantile-convert.exe)
for program in "${programs[@]}"; do
  exe=$(target_file "${program%.exe}")
  if [[ -z $exe ]]; then
    echo "the build has no target for $program" >&2
    exit 1
  fi
  check_imports "$build_dir/$exe"
  x86_64-w64-mingw32-strip -o "$stage/$program" "$build_dir/$exe"
done
# Windows' own line ends, for Notepad.
sed 's/$/\r/' packaging/windows/README.txt >"$stage/README.txt"
(cd "$stage" && zip -q -X ../quorvantile-windows.zip "${programs[@]}" README.txt)
echo "$zip_file"
