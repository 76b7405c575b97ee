#!/usr/bin/env bash
# Builds the Debian package (scripts/package-deb.sh, which runs lintian and the validators) and
# checks what it installs: unpacked into a scratch root beside the font it links to (its one file
# from another package), the game is started from there in a temporary HOME on a virtual screen,
# makes the player's data folder, and writes a finished campaign's result into it; the installed
# editor saves a shipped level there (tests/e2e/run_installed_e2e.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/package-deb.sh
cmake --build build-deb --target quillmere-score-codec -j2 >/dev/null

work=$(mktemp -d /tmp/quillmere-package-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
deb=$(ls quillmere_*_amd64.deb)
dpkg -x "$deb" "$work/root"
[ -z "$(dpkg -c "$deb" | grep -E 'headless|solve|quillmere-art')" ] ||
  { echo "test-package: a developers' program is in the package" >&2; exit 1; }
font=/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf
mkdir -p "$work/root$(dirname "$font")"
cp "$font" "$work/root$font"
mkdir -p "$work/home"
env -u XDG_DATA_HOME HOME="$work/home" bash tests/e2e/run_installed_e2e.sh \
  "$work/root/usr/games/quillmere" "$work/root/usr/share/games/quillmere" \
  build-deb/installed-screenshots build-deb/tests/quillmere-score-codec
echo "test-package: ok"
