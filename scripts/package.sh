#!/usr/bin/env bash
# Builds the Debian package build-package/quorvantile_<version>_<arch>.deb with `cpack -G DEB`:
# the programs built for the /usr prefix without the test suite, optimised as in build/ (so the
# compiler cache serves both) and stripped.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build_dir=build-package
rm -f "$build_dir"/quorvantile_*.deb
BUILD_DIR=$build_dir scripts/build.sh -DCMAKE_INSTALL_PREFIX=/usr -DQV_BUILD_TESTS=OFF
if ! (cd "$build_dir" && cpack -G DEB >cpack.log 2>&1); then
  cat "$build_dir/cpack.log"
  exit 1
fi
package=$(ls "$build_dir"/quorvantile_*.deb)
echo "Package: $package"
dpkg-deb --field "$package" Version Architecture Depends
