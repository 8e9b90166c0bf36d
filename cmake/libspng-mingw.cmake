# libspng for the Windows cross build, so that Windows reads and writes PNG with the very library
# Linux uses: Debian's own source package of it (unpacked by scripts/build-windows.sh into
# QV_SPNG_SOURCE_DIR), built static by its own CMake with this build's mingw-w64 toolchain and
# linked with Debian's zlib for mingw-w64 (libz-mingw-w64-dev). As Debian's build, without the
# SIMD filter code (enable_opt=false there, ENABLE_OPT=OFF here) and at -O2.
# Gives the target qv_spng (header, SPNG_STATIC and zlib included).
include(ExternalProject)

set(QV_SPNG_SOURCE_DIR "" CACHE PATH "Debian's libspng source package, unpacked")
if(NOT EXISTS "${QV_SPNG_SOURCE_DIR}/spng/spng.h" OR NOT EXISTS "${QV_SPNG_SOURCE_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "QV_SPNG_SOURCE_DIR (\"${QV_SPNG_SOURCE_DIR}\") holds no libspng source: "
    "scripts/build-windows.sh fetches Debian's and passes it")
endif()

# The static zlib: beside it lies libz.dll.a, which would make the programs need zlib1.dll.
find_library(QV_ZLIB_STATIC NAMES libz.a REQUIRED)
find_path(QV_ZLIB_INCLUDE zlib.h REQUIRED)

get_filename_component(toolchain "${CMAKE_TOOLCHAIN_FILE}" ABSOLUTE BASE_DIR "${PROJECT_SOURCE_DIR}")
set(spng_binary ${CMAKE_BINARY_DIR}/libspng)
set(spng_library ${spng_binary}/${CMAKE_STATIC_LIBRARY_PREFIX}spng_static${CMAKE_STATIC_LIBRARY_SUFFIX})
set(launcher "")
if(CCACHE_PROGRAM)
  set(launcher -DCMAKE_C_COMPILER_LAUNCHER=${CCACHE_PROGRAM})
endif()
# Its CMakeLists adds the shared library's include folder from the static one's branch, so both
# stay switched on; only the static library is built.
ExternalProject_Add(libspng_build
  SOURCE_DIR ${QV_SPNG_SOURCE_DIR}
  BINARY_DIR ${spng_binary}
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${toolchain} -DCMAKE_BUILD_TYPE=Release
             "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG" ${launcher}
             -DENABLE_OPT=OFF -DBUILD_EXAMPLES=OFF -DSPNG_SHARED=ON -DSPNG_STATIC=ON
             -DZLIB_LIBRARY=${QV_ZLIB_STATIC} -DZLIB_INCLUDE_DIR=${QV_ZLIB_INCLUDE}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target spng_static
  BUILD_BYPRODUCTS ${spng_library}
  INSTALL_COMMAND ""
  UPDATE_COMMAND ""
  DOWNLOAD_COMMAND "")

add_library(qv_spng STATIC IMPORTED GLOBAL)
set_target_properties(qv_spng PROPERTIES
  IMPORTED_LOCATION ${spng_library}
  INTERFACE_INCLUDE_DIRECTORIES "${QV_SPNG_SOURCE_DIR}/spng;${QV_ZLIB_INCLUDE}"
  INTERFACE_COMPILE_DEFINITIONS SPNG_STATIC
  INTERFACE_LINK_LIBRARIES ${QV_ZLIB_STATIC})
add_dependencies(qv_spng libspng_build)
