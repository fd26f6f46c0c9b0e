#!/usr/bin/env bash
# Cross-builds pagerbench.exe and pagerbench-cli.exe for 64-bit Windows into
# build-win64, with the Qt that scripts/windows-qt.sh builds once, then makes
# from them a portable folder, its zip and an NSIS installer, all in build-win64,
# and SHA256SUMS of the zip and the installer. Two builds of one commit give
# the same bytes, wherever the checkout is. With PAGERBENCH_SIGN_PFX set, the
# programs, the module and the installer are signed (scripts/windows-sign.sh).
# Runs as root, or through sudo (for apt-get).
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=$here/build-win64

bash "$here/scripts/ensure-packages.sh" nsis binutils-mingw-w64-x86-64 zip

# Whatever the build stamps with a time takes the commit's: the linker's and
# strip's PE header, rcc's resources, the zip's entries.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$here" log -1 --format=%ct 2>/dev/null || date +%s)
fi
export SOURCE_DATE_EPOCH QT_RCC_SOURCE_DATE_OVERRIDE=$SOURCE_DATE_EPOCH
qt=$(bash "$here/scripts/windows-qt.sh" | tail -n1)

# The build talks only when it fails.
mkdir -p "$build"
build_log=$build/windows-build.log
export PAGERBENCH_WIN_QT=$qt
if ! { cmake -S "$here" -B "$build" -G Ninja \
         -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
         -DCMAKE_BUILD_TYPE=Release \
         -DCMAKE_PREFIX_PATH="$qt" \
         -DQT_HOST_PATH=/usr \
         -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
         -DPAGERBENCH_TESTS=OFF \
         -DPAGERBENCH_DEVELOPMENT=OFF \
         -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$here=." \
         -DCMAKE_EXE_LINKER_FLAGS=-Wl,--no-insert-timestamp \
         -DCMAKE_MODULE_LINKER_FLAGS=-Wl,--no-insert-timestamp &&
       cmake --build "$build" --parallel "${PAGERBENCH_JOBS:-2}" --target pagerbench pagerbench-cli pagerbench-tcp
     } >"$build_log" 2>&1; then
  tail -n 40 "$build_log" >&2
  echo "windows.sh: the build failed; all of it is in $build_log" >&2
  exit 1
fi
# The Windows build keeps to -Wall -Wextra as the Linux one does.
if grep -q 'warning:' "$build_log"; then
  grep -A3 'warning:' "$build_log" >&2
  echo "windows.sh: the build gave warnings; all of it is in $build_log" >&2
  exit 1
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "windows.sh: no CMAKE_PROJECT_VERSION in $build/CMakeCache.txt" >&2; exit 1; }
name=Pagerbench-$version-win64
portable=$build/$name
zip=$build/$name.zip
setup=$build/$name-setup.exe

# Made anew each time, so nothing of an earlier layout lingers.
rm -rf "$portable" "$zip" "$setup" "$build/SHA256SUMS"
mkdir -p "$portable/licenses"

# The programs look for the network module in their own folder (and in
# ../lib/pagerbench, which a folder of its own has not): it goes beside them.
cp "$build/pagerbench.exe" "$build/pagerbench-cli.exe" "$build/modules/pagerbench-tcp.dll" "$portable/"

# Plugins the window needs: the platform, the native style, and JPEG for
# its pictures; and the platform pagerbench-cli report lays its text out on
# without a display. Qt finds them in these subfolders of the program's folder.
for plugin in platforms/qwindows.dll platforms/qminimal.dll styles/qwindowsvistastyle.dll imageformats/qjpeg.dll; do
  if [ -f "$qt/plugins/$plugin" ]; then
    mkdir -p "$portable/$(dirname "$plugin")"
    cp "$qt/plugins/$plugin" "$portable/$plugin"
  elif [ "$plugin" != styles/qwindowsvistastyle.dll ]; then
    echo "windows.sh: $qt/plugins/$plugin is missing" >&2
    exit 1
  fi
done

# The DLLs all of these load, found by following their imports; whatever
# is in none of these folders belongs to Windows.
runtime_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
dll_dirs=("$qt/bin" "$runtime_dir" /usr/x86_64-w64-mingw32/lib)
find_dll() {
  local dir found
  for dir in "${dll_dirs[@]}"; do
    found=$(find "$dir" -maxdepth 1 -iname "$1" -print -quit 2>/dev/null)
    [ -n "$found" ] && { echo "$found"; return 0; }
  done
  return 1
}
queue=("$portable"/*.exe "$portable"/*.dll "$portable"/*/*.dll)
while [ ${#queue[@]} -gt 0 ]; do
  file=${queue[0]}
  queue=("${queue[@]:1}")
  while read -r dll; do
    [ -e "$portable/$dll" ] && continue
    if source=$(find_dll "$dll"); then
      cp "$source" "$portable/$dll"
      queue+=("$portable/$dll")
    elif [[ $dll == Qt6* || $dll == lib* ]]; then
      echo "windows.sh: $(basename "$file") needs $dll, which is in none of ${dll_dirs[*]}" >&2
      exit 1
    fi
  done < <(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
done
find "$portable" \( -iname '*.dll' -o -iname '*.exe' \) -exec x86_64-w64-mingw32-strip {} +
bash "$here/scripts/windows-sign.sh" "$portable/pagerbench.exe" "$portable/pagerbench-cli.exe" \
  "$portable/pagerbench-tcp.dll"

# Texts for a Windows reader, with CR LF line ends.
crlf() { sed 's/\r$//; s/$/\r/' "$1" >"$2"; }
crlf "$here/README.md" "$portable/README.md"
for own in LICENSE LICENSE.md LICENSE.txt COPYING; do
  [ -f "$here/$own" ] && crlf "$here/$own" "$portable/licenses/Pagerbench-$own.txt"
done
crlf /usr/share/common-licenses/LGPL-3 "$portable/licenses/Qt-LGPL-3.txt"
crlf /usr/share/common-licenses/GPL-3 "$portable/licenses/GPL-3.txt"
# libgcc_s and libstdc++: GPL 3 with the runtime library exception;
# libwinpthread: the MinGW-w64 project's own terms.
gcc_notes=/usr/share/doc/gcc-mingw-w64-base/copyright
if [ -f "$gcc_notes" ]; then
  crlf "$gcc_notes" "$portable/licenses/MinGW-GCC-runtime.txt"
  exception=$(sed -n '/^GCC RUNTIME LIBRARY EXCEPTION$/,/^requirements of the license of GCC\.$/p' "$gcc_notes")
  [ -n "$exception" ] && crlf <(echo "$exception") "$portable/licenses/GCC-runtime-library-exception.txt"
fi
[ -f /usr/share/doc/mingw-w64-common/copyright ] &&
  crlf /usr/share/doc/mingw-w64-common/copyright "$portable/licenses/MinGW-w64-runtime.txt"

# The zip's entries in one order, each with the commit's time and no extra
# fields (which would hold the files' access times).
find "$portable" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$build" && find "$name" -type f | LC_ALL=C sort | TZ=UTC zip -X -D -q -9 "$zip" -@)

# The uninstaller removes exactly the files the installer put there.
file_list=$build/$name-files.nsh
(
  cd "$portable"
  find . -type f | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|' | LC_ALL=C sort
  find . -mindepth 1 -type d | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|' | LC_ALL=C sort -r
) >"$file_list"
nsis_log=$build/$name-setup.log
if ! makensis -V2 -WX -NOCD \
       -DVERSION="$version" \
       -DSOURCE_DIR="$portable" \
       -DFILE_LIST="$file_list" \
       -DOUT_FILE="$setup" \
       -DSIZE_KB="$(du -s --apparent-size --block-size=1K "$portable" | cut -f1)" \
       -DICON="$here/packaging/pagerbench.ico" \
       "$here/packaging/windows/pagerbench.nsi" >"$nsis_log" 2>&1; then
  cat "$nsis_log" >&2
  echo "windows.sh: makensis failed" >&2
  exit 1
fi

bash "$here/scripts/windows-sign.sh" "$setup"
(cd "$build" && sha256sum "$(basename "$zip")" "$(basename "$setup")" >SHA256SUMS)

echo "$portable"
echo "$zip"
echo "$setup"
