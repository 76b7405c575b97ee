#!/usr/bin/env bash
# Builds the Windows game (scripts/build-windows.sh) and runs all its tests under Wine: the unit
# tests, every scenario through quillmere-headless.exe, the Win32 back end's tests on a virtual
# screen, and the game played in a real window; then the installer (scripts/package-windows.sh)
# installed, played and uninstalled under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh
build=$PWD/build-windows

export WINEPREFIX=$build/wine WINEDEBUG=-all

work=$(mktemp -d /tmp/quillmere-wine-tests.XXXXXX)
xvfb_pid=""
finish() {
  WINEPREFIX=$build/wine wineserver -k 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT

# One virtual screen for the tests that open windows; the Wine session lives on it.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do grep -qs . "$work/display" && break; sleep 0.1; done
grep -qs . "$work/display" || { echo "test-windows: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$work/display")

# A session started elsewhere (the build lists no tests, but a user may have run one) belongs
# to another screen; this one stays up between the tests, each of which would otherwise start
# and stop Wine's services (≈ 3 s a test).
wineserver -k 2>/dev/null || true
cmake/wine-run.sh "$WINEPREFIX"
wineserver -p </dev/null >/dev/null 2>&1
ctest --test-dir "$build" --output-on-failure -j2

# The installer: made from an installed build, then run under Wine in a prefix of its own.
scripts/package-windows.sh
codec=build/tests/quillmere-score-codec
[ -x "$codec" ] || codec=""
bash tests/win32/run_installer_test.sh build-windows-installed/Quillmere-*-setup.exe \
  build-windows-installed/stage build-windows-installed/installer-screenshots cmake/wine-run.sh \
  build-windows-installed/wine $codec
