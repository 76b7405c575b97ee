#!/usr/bin/env bash
# Start-up of the Windows game under Wine beside a bare Win32 window's (bare_window_win32.cpp):
# milliseconds from launch until the first frame is on a virtual X screen of 800 x 600, each the
# median of several runs, with Wine's session kept up between them (a warm start).
# Usage: bench/measure_wine_startup.sh [WINDOWS_BUILD_DIR] [BUILD_DIR]
#   (defaults build-windows/ and build/: scripts/build-windows.sh and scripts/build.sh first;
#   the screen probe comes from the Linux build). RUNS=N changes the number of runs.
set -euo pipefail
cd "$(dirname "$0")/.."
win=$PWD/${1:-build-windows}
probe=$PWD/${2:-build}/bench/quillmere-screen-probe
runs=${RUNS:-5}
for f in "$win/game/Quillmere.exe" "$win/bench/quillmere-bare-window.exe" "$probe"; do
  [ -x "$f" ] || [ -f "$f" ] || { echo "missing $f: build first" >&2; exit 1; }
done
export WINEPREFIX=$win/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

work=$(mktemp -d /tmp/quillmere-wine-startup.XXXXXX)
server=""
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -z "$server" ] || kill "$server" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

. bench/figures_lib.sh

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
server=$!
until [ -s "$work/display" ]; do sleep 0.05; done
export DISPLAY=:$(head -n 1 "$work/display")
wineserver -k 2>/dev/null || true
wineserver -p
cp -r "$win/game" "$work/game"
cp "$win/bench/quillmere-bare-window.exe" "$work/bare.exe"

once() {  # prints the milliseconds until the first frame of wine "$@"
  local out
  out=$("$probe" launch 396 296 8 8 -- wine "$@")
  echo "${out% *}"
  kill "${out#* }" 2>/dev/null || true
  sleep 1
}
: > "$work/game_ms"; : > "$work/bare_ms"
once "$work/bare.exe" > /dev/null  # Wine's own first start
for ((i = 0; i < runs; i++)); do
  (cd "$work/game" && once ./Quillmere.exe) >> "$work/game_ms"
  once "$work/bare.exe" >> "$work/bare_ms"
done
game=$(median < "$work/game_ms")
bare=$(median < "$work/bare_ms")
echo "game under Wine median: $game ms ($(tr '\n' ' ' < "$work/game_ms"))"
echo "bare Win32 window under Wine median: $bare ms ($(tr '\n' ' ' < "$work/bare_ms")); game / bare $(awk -v g="$game" -v b="$bare" 'BEGIN {printf "%.2f", g / b}')"
