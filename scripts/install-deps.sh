#!/usr/bin/env bash
# Installs, through apt-get and without questions, whatever the build and the
# tests need and this machine lacks. Runs as root, or through sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev qt6-qpa-plugins libgl-dev
  libgtest-dev
  poppler-utils fonts-liberation  # the report tests read the PDF's text; Arial's metric twin
  xvfb xauth
  ser2net  # the device-server tests: raw TCP and RFC 2217 in front of a pseudo-terminal
  xdotool openbox  # the desktop tests: real clicks, with and without a window manager
  clang libclang-rt-dev  # fuzz targets: libFuzzer and the sanitizer runtimes
)

exec bash "$(dirname "$0")/ensure-packages.sh" "${packages[@]}"
