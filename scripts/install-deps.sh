#!/usr/bin/env bash
# Installs, through apt-get and without questions, whatever the build and the
# tests need and this machine lacks. Runs as root, or through sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev qt6-qpa-plugins libgl-dev
  libgtest-dev
  xvfb xauth
  ser2net  # the device-server tests: raw TCP and RFC 2217 in front of a pseudo-terminal
  xdotool openbox  # the desktop tests: real clicks, with and without a window manager
  clang libclang-rt-dev  # fuzz targets: libFuzzer and the sanitizer runtimes
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "Need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
