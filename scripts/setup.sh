#!/usr/bin/env bash
# Installs whatever the build, the tests and the art tool need and is missing.
set -euo pipefail

PACKAGES=(
  g++ cmake make pkg-config
  clang-14 libclang-rt-14-dev llvm-14
  libsdl2-dev libsdl2-ttf-dev libjpeg-dev libpng-dev libgtk-3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation2 fonts-freefont-ttf
  xvfb xauth openbox xdotool x11-utils imagemagick xfonts-base sox
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"

for p in "${missing[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    echo "setup: package $p did not install" >&2
    exit 1
  fi
done

# Font packages installed in the same run as fontconfig can leave its cache out of date; the next
# program that asks for fonts would rebuild it first (openbox then shows no window for a while,
# and the game's first dialog opens late). Only the stale folders are scanned again.
if command -v fc-cache >/dev/null; then
  $SUDO fc-cache
fi
