#!/usr/bin/env bash
# The package as a player meets it, on a fresh Debian 12, run as root from the project's folder
# (scripts/check-installed.sh; on a scratch machine:
# `fresh-machine-check . scripts/check-installed.sh`). It changes the machine: it installs the
# build's packages and the package itself, adds the user `player`, and removes the package at
# the end.
#   1. scripts/package-deb.sh builds quillmere_VERSION_amd64.deb (lintian must find no error);
#   2. apt-get installs it with its dependencies;
#   3. a user made with `useradd -m` starts `quillmere` from the PATH of a login shell on a
#      virtual screen, sees the menu (its pixels checked on a screenshot), plays a loaded
#      campaign whose next level does not exist to its end, so that the result goes into the
#      table in ~/.local/share/quillmere, and starts `quillmere-edit`, which saves a shipped
#      level there (tests/e2e/run_installed_e2e.sh);
#   4. `apt-get remove quillmere` leaves nothing of it under /usr;
#   5. lintian's report and the package's size and dependencies are printed.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "check-installed: run as root" >&2; exit 1; }
step() { echo "check-installed: $*"; }
fail() { echo "check-installed FAIL: $*" >&2; exit 1; }

scripts/package-deb.sh
cmake --build build-deb --target quillmere-score-codec -j2 >/dev/null
deb=$(ls quillmere_*_amd64.deb)
step "built $deb"

DEBIAN_FRONTEND=noninteractive apt-get install -y "./$deb"
dpkg-query -W -f='${Status}\n' quillmere | grep -q "install ok installed" || fail "not installed"
step "installed $deb"

# The player's side runs from a folder the user can read (the project may be under /root).
user=player
id "$user" >/dev/null 2>&1 || useradd -m "$user"
home=$(getent passwd "$user" | cut -d: -f6)
[ ! -e "$home/.local/share/quillmere" ] || fail "$home/.local/share/quillmere is there already"
kit=$(mktemp -d /tmp/quillmere-check.XXXXXX)
trap 'rm -rf "$kit"' EXIT
cp -r tests/e2e "$kit/e2e"
cp build-deb/tests/quillmere-score-codec "$kit/"
chmod -R a+rX "$kit"
chown "$user" "$kit"
su - "$user" -c "command -v quillmere && command -v quillmere-edit &&
  bash $kit/e2e/run_installed_e2e.sh quillmere /usr/share/games/quillmere $kit/shots \
    $kit/quillmere-score-codec" || fail "the installed game did not play as $user"
table=$home/.local/share/quillmere/High.scr
[ -f "$table" ] && [ "$(stat -c %U "$table")" = "$user" ] || fail "no table of $user's in $table"
step "the menu's first entry chosen: its frame (523,200) $(convert \
  "$kit/shots/first-start-menu.png" -format '%[pixel:p{523,200}], its pill (525,205) %[pixel:p{525,205}]' info:)"
step "$user's table: $(wc -l <"$table") lines, $("$kit/quillmere-score-codec" decode <"$table" |
  grep -c 'Игрок') of them the campaign just finished"

installed=$(dpkg -L quillmere)
DEBIAN_FRONTEND=noninteractive apt-get remove -y quillmere
left=$(find /usr -iname '*quillmere*'
  while IFS= read -r path; do
    if [ -e "$path" ] && [ ! -d "$path" ]; then echo "$path"; fi
  done <<<"$installed")
[ -z "$left" ] || fail "apt-get remove left under /usr: $left"
step "removed: nothing of quillmere is left under /usr"

step "lintian:"
lintian --fail-on error --info "$deb" || fail "lintian reports errors"
step "$deb: $(du -k "$deb" | cut -f1) KB, installed $(dpkg-deb -f "$deb" Installed-Size) KB"
step "Depends: $(dpkg-deb -f "$deb" Depends)"
step "ok"
