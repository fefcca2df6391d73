#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Trotix
# need. Only missing packages are installed, so running it again is cheap.
#   install-deps.sh            the Linux program and its tests
#   install-deps.sh windows    also the Windows build: the cross compiler,
#                              Wine to test it, zip to package it
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libwxgtk3.2-dev libglu1-mesa-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev libyaml-cpp-dev libmujoco-dev libmujoco-samples
  # check_urdf, which the tests run on the exported URDF
  liburdfdom-tools
  # the physics run's video and window: OpenGL without a display (Mesa's EGL
  # and software renderer), GLFW, and ffmpeg to encode the frames
  libegl-dev libgl1-mesa-dri libglfw3-dev ffmpeg
  # trotix-drive's gamepad input (SDL2's game controller API)
  libsdl2-dev
  clang libclang-rt-14-dev
  # the Python module, its tests (Hypothesis for the property tests), its Dask
  # executor and the tuning example
  pybind11-dev python3-dev python3-numpy python3-pytest python3-distributed
  python3-cmaes python3-matplotlib python3-hypothesis
  libx11-dev xvfb xauth xdotool imagemagick x11-utils libxml2-utils
)
windows_packages=(
  # cross compiler, GoogleTest's sources, Wine to test it, zip to package it
  g++-mingw-w64-x86-64-posix googletest wine64 zip
)

case "${1:-linux}" in
  linux) ;;
  windows) packages+=("${windows_packages[@]}") ;;
  *)
    echo "usage: $0 [linux|windows]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run as root, or: sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
