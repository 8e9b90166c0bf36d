#!/usr/bin/env bash
# Cross-compiles the converter for 64-bit Windows with mingw-w64 into build-windows/ (the Qt-free
# libraries, quorvantile-convert.exe and the Qt-free test programs) and packs
# build-windows/quorvantile-convert-windows.zip: the .exe alone, as it needs no DLL beside it.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build ccache g++-mingw-w64-x86-64-posix libgtest-dev zip)
bash scripts/install-packages.sh "${packages[@]}"

build_dir=build-windows
# -O2 as the Linux build; g++ 12 at -O3 warns falsely about overlapping copies in std::string.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
  -DQV_WITHOUT_QT=ON -DQV_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$build_dir" -j2

exe=$build_dir/window/quorvantile-convert.exe
# Self-contained: only DLLs that every Windows has.
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
for dll in $dlls; do
  case $dll in
    kernel32.dll | user32.dll | shell32.dll | msvcrt.dll | advapi32.dll) ;;
    *) echo "quorvantile-convert.exe needs $dll, which is not part of Windows" >&2; exit 1 ;;
  esac
done

stage=$build_dir/zip
rm -rf "$stage" "$build_dir/quorvantile-convert-windows.zip"
mkdir -p "$stage"
x86_64-w64-mingw32-strip -o "$stage/quorvantile-convert.exe" "$exe"
(cd "$stage" && zip -q -X ../quorvantile-convert-windows.zip quorvantile-convert.exe)
echo "$build_dir/quorvantile-convert-windows.zip"
