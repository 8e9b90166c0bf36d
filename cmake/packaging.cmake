# The Debian package, made by `cpack -G DEB` from what `cmake --install` puts on the system (see
# scripts/package.sh). The libraries it needs are found by dpkg-shlibdeps from the programs
# themselves, so the declared dependencies follow what is actually linked.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvantile)
set(CPACK_PACKAGE_VENDOR "Quorvantile")
set(CPACK_PACKAGE_CONTACT "Quorvantile developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "convert pictures into square 8-bit BMPs for a game's fixed palette")
set(CPACK_PACKAGE_DESCRIPTION
  "Quorvantile turns bitmap pictures into square, palette-indexed 8-bit BMPs for games that draw
with one fixed 256-colour palette and reserve one palette index for transparency. It comes with
seven built-in game palettes and reads palette files. The window converts a folder of pictures
in place with a preview and keeps every original in a backup folder; quorvantile-convert does
the same from build scripts.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # quorvantile_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The desktop integration reads the icon theme; a desktop without one still runs the programs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme")
include(CPack)
