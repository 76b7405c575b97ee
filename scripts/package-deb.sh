#!/usr/bin/env bash
# Builds the Debian package quillmere_VERSION_amd64.deb in the project's folder from an installed
# build (build-deb/): the game and its level editor in /usr/games, their files in /usr/share/games/quillmere, the menu
# entries, the icons, the metainfo, the manuals, the copyright and the changelog; binaries stripped,
# dependencies computed from them. Installs what is missing first.
#   scripts/package-deb.sh          build the package and check it (lintian, the validators)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

PACKAGES=(dpkg-dev lintian desktop-file-utils appstream file fonts-dejavu-extra)
scripts/setup.sh
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

# --- the installed build, with Debian's hardening flags ---
build=build-deb
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_INSTALLED=ON \
  -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build "$build" -j2 --target player_programs
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
changelog_version=$(sed -n '1s/^quillmere (\([^)]*\)).*/\1/p' packaging/linux/changelog)
if [ "$changelog_version" != "$version" ]; then
  echo "package-deb: packaging/linux/changelog starts with $changelog_version, the project is $version" >&2
  exit 1
fi

stage=$build/stage
rm -rf "$stage"
DESTDIR=$PWD/$stage cmake --install "$build"
doc=$stage/usr/share/doc/quillmere
mkdir -p "$doc"

# Programs stripped of their symbols; the manual and the changelog compressed as Debian has them.
find "$stage/usr/games" -type f -exec strip --remove-section=.comment --remove-section=.note \
  --strip-unneeded {} +
gzip -9n "$stage/usr/share/man/man6/"*.6
gzip -9nc packaging/linux/changelog >"$doc/changelog.gz"
cp packaging/linux/copyright "$doc/copyright"
# The font comes from the system's own DejaVu package (fonts-dejavu-extra) rather than a copy.
font=/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf
assets=/usr/share/games/quillmere/assets
cmp -s "$font" "$stage$assets/DejaVuSansCondensed.ttf" ||
  { echo "package-deb: assets/DejaVuSansCondensed.ttf is not $font of fonts-dejavu-extra" >&2; exit 1; }
ln -sf "$(realpath -m --relative-to="$assets" "$font")" "$stage$assets/DejaVuSansCondensed.ttf"
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +
find "$stage/usr/games" -type f -exec chmod 755 {} +

# Dependencies from the libraries the programs link (dpkg-shlibdeps reads a control file).
shlibs=$build/shlibs
mkdir -p "$shlibs/debian"
printf 'Source: quillmere\n\nPackage: quillmere\nArchitecture: any\n' >"$shlibs/debian/control"
programs=("$root/$stage"/usr/games/*)
depends=$(cd "$shlibs" && dpkg-shlibdeps -O "${programs[@]}" 2>/dev/null |
  sed -n 's/^shlibs:Depends=//p')
depends="$depends, fonts-dejavu-extra"

mkdir -p "$stage/DEBIAN"
(cd "$stage" && find usr -type f -exec md5sum {} + | sort -k 2) >"$stage/DEBIAN/md5sums"
chmod 644 "$stage/DEBIAN/md5sums"
cat >"$stage/DEBIAN/control" <<EOF
Package: quillmere
Version: $version
Architecture: amd64
Maintainer: The Quillmere developers <quillmere@quillmere.org>
Installed-Size: $(du -sk --exclude=DEBIAN "$stage" | cut -f1)
Depends: $depends
Section: games
Priority: optional
Description: dig for rubies, push rocks and dodge what falls and crawls
 A full-screen, keyboard-only cave game: dig through earth, collect rubies,
 push rocks sideways, dodge falling rocks and the creatures that crawl along
 the walls, and leave by the exit once enough rubies are collected. Surplus
 rubies buy items in the shop between the levels of a campaign of fifteen
 levels; the best results go into a table.
 .
 The level editor quillmere-edit draws levels with the game's pictures, plays
 them with the game's rules and looks for a way to the exit.
 .
 The texts are in Russian.
EOF

deb=quillmere_${version}_amd64.deb
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "package-deb: $deb, $(du -k "$deb" | cut -f1) KB, Depends: $depends"

# --- the checks: the menu entry, the metainfo and lintian ---
desktop-file-validate "$stage"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$stage"/usr/share/metainfo/*.metainfo.xml
lintian_out=$build/lintian.txt
lintian --fail-on error "$deb" | tee "$lintian_out" || {
  echo "package-deb: lintian reports errors" >&2
  exit 1
}
echo "package-deb: lintian: $(grep -c '^E:' "$lintian_out" || true) errors, $(grep -c '^W:' "$lintian_out" || true) warnings"
