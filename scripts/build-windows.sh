#!/usr/bin/env bash
# Cross-builds the Windows game with mingw-w64 into build-windows/ and packs the portable folder
# as build-windows/Quillmere-windows.zip. Installs what is missing: the cross compiler, the
# GoogleTest sources, and Wine with what the Windows tests need beside it (scripts/test-windows.sh).
#   scripts/build-windows.sh            build and pack
#   scripts/build-windows.sh --install  only install what is missing
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  g++-mingw-w64-x86-64-posix wine64 wine fonts-wine fonts-liberation2 googletest
  cmake make xvfb xauth xfonts-base openbox xdotool x11-utils imagemagick
)

install_missing() {
  local missing=() p
  for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
  for p in "${missing[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
      echo "build-windows: package $p did not install" >&2
      exit 1
    fi
  done
}

install_missing
[ "${1:-}" = --install ] && exit 0

build=build-windows
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j2
cmake --build "$build" --target windows_zip
echo "build-windows: $(du -h "$build/Quillmere-windows.zip" | cut -f1) $build/Quillmere-windows.zip"
