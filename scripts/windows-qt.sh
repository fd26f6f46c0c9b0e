#!/usr/bin/env bash
# Builds Qt's base module for 64-bit Windows once, from Debian's own source
# package, with the MinGW-w64 cross compiler. The installed Qt lands in a cache
# folder outside the checkout, named after this recipe and the compiler's
# version; when that folder is there, this does nothing. Prints its path last.
# Runs as root, or through sudo (for apt-get).
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
cache=${PAGERBENCH_CACHE:-$HOME/.cache/pagerbench}
toolchain=$here/cmake/mingw-w64-x86_64.cmake

if [ "$(id -u)" -eq 0 ]; then as_root=(); else as_root=(sudo); fi
export DEBIAN_FRONTEND=noninteractive

packages=(g++-mingw-w64-x86-64-posix cmake ninja-build perl python3 dpkg-dev
          qt6-base-dev qt6-base-dev-tools)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}" >&2
  "${as_root[@]}" apt-get update -q
  "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Everything that changes the result goes into the folder's name; the
# checkout's own path does not, so every clone shares one Qt.
configure_args=(
  -release -shared
  -nomake examples -nomake tests
  -opengl no -no-feature-vulkan
  -no-feature-direct2d -no-feature-directwrite3  # without Direct2D, qwindows needs DirectWrite 3 off too
  -no-feature-tabletevent                        # Debian's source has no wintab
  -no-feature-sql -no-feature-printsupport -no-feature-dbus
  -qt-libjpeg -qt-libpng -qt-zlib -qt-pcre -qt-harfbuzz -qt-doubleconversion
  -xplatform win32-g++
  -qt-host-path /usr
)
cmake_args=(
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DBUILD_WITH_PCH=OFF
)
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
qt_version=${qt_version%%[-+]*}
compiler=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
recipe_hash=$( { echo "$qt_version $compiler"; printf '%s\n' "${configure_args[@]}" "${cmake_args[@]}";
                 cat "$toolchain" "$0"; } | sha256sum | cut -c1-12)
prefix=$cache/qt-$qt_version-$recipe_hash
# Qt's installed CMake files name the toolchain file they were built with:
# a copy inside the installation outlives the checkout.
prefix_toolchain=$prefix/lib/cmake/pagerbench-mingw-w64-x86_64.cmake

if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

# Debian's sources for the same release, as deb-src entries.
if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
  echo "Adding deb-src entries" >&2
  for f in /etc/apt/sources.list.d/*.sources; do
    grep -q '^Types:.*deb-src' "$f" 2>/dev/null && continue
    grep -q '^Types: deb$' "$f" 2>/dev/null || continue
    sed 's/^Types: deb$/Types: deb-src/' "$f" | "${as_root[@]}" tee "${f%.sources}-src.sources" >/dev/null
  done
  if [ -f /etc/apt/sources.list ]; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
      | "${as_root[@]}" tee /etc/apt/sources.list.d/pagerbench-src.list >/dev/null
  fi
  "${as_root[@]}" apt-get update -q
fi

work=$cache/qt-work-$recipe_hash
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
cd "$work"
apt-get source --download-only qt6-base >&2
tarball=$(ls qt6-base_*.orig.tar.* | head -n1)
mkdir src build
tar -xf "$tarball" -C src --strip-components=1

cd build
rm -rf "$prefix"
trap 'rm -rf "$work"; [ -f "$prefix/.complete" ] || rm -rf "$prefix"' EXIT
install -D -m 644 "$toolchain" "$prefix_toolchain"
nice -n 10 ../src/configure -prefix "$prefix" "${configure_args[@]}" -- \
  -DCMAKE_TOOLCHAIN_FILE="$prefix_toolchain" "${cmake_args[@]}" >&2
nice -n 10 cmake --build . --parallel "${PAGERBENCH_JOBS:-2}" >&2
cmake --install . >&2
# Keep the runtime small: no debug sections in the DLLs.
find "$prefix" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} + >&2
touch "$prefix/.complete"
echo "$prefix"
