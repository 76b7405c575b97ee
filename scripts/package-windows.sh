#!/usr/bin/env bash
# Builds the Windows installer build-windows-installed/Quillmere-VERSION-setup.exe with NSIS from
# an installed build of the Windows game (cross-built into build-windows-installed/): the game
# and its level editor in Program Files, their Start-menu entries, an uninstaller listed among
# the system's programs that removes exactly what was installed. Installs what is missing
# (scripts/build-windows.sh --install, and nsis).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh --install
if ! dpkg-query -W -f='${Status}' nsis 2>/dev/null | grep -q "ok installed"; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends nsis
fi

build=$PWD/build-windows-installed
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DQUILLMERE_INSTALLED=ON >/dev/null
cmake --build "$build" -j2 --target player_programs
stage=$build/stage
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null

# What to install, folder by folder, and what to remove again: the files, then the folders,
# the deepest first.
lists=$build/installer
windows() { tr / '\\' <<<"$1"; }
{
  while IFS= read -r dir; do
    echo "SetOutPath \"\$INSTDIR$(windows "${dir#.}")\""
    find "$stage/$dir" -maxdepth 1 -type f | sort | while IFS= read -r file; do
      echo "File \"$file\""
    done
  done < <(cd "$stage" && find . -type d | sort)
} >"$lists/files.nsh"
{
  (cd "$stage" && find . -type f | sort) | while IFS= read -r file; do
    echo "Delete \"\$INSTDIR$(windows "${file#.}")\""
  done
  (cd "$stage" && find . -mindepth 1 -type d | sort -r) | while IFS= read -r dir; do
    echo "RMDir \"\$INSTDIR$(windows "${dir#.}")\""
  done
} >"$lists/unfiles.nsh"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
setup=$build/Quillmere-$version-setup.exe
makensis -V2 -DSOURCE="$PWD" -DSTAGE="$stage" -DLISTS="$lists" -DOUTFILE="$setup" \
  packaging/windows/installer.nsi
echo "package-windows: $(du -k "$setup" | cut -f1) KB $setup"
