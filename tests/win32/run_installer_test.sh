#!/usr/bin/env bash
# The Windows installer under Wine, in a Wine prefix of its own on a virtual screen: /S installs
# exactly the installed build's files into Program Files with a Start-menu entry and an entry
# among the system's programs; the installed game makes the player's folder in %APPDATA% with a
# copy of the table, reads a name file written in UTF-8 there, and a saved campaign whose next
# level does not exist writes its result into that table; the uninstaller removes all it
# installed and leaves the player's files. The installed editor opens a shipped level and F2
# saves it into %APPDATA%\Quillmere. Quillmere.exe and QuillmereEdit.exe carry their icon,
# version and manifest.
# Usage: run_installer_test.sh SETUP STAGE SCREENSHOT_FOLDER WINE_RUN WINE_PREFIX [SCORE_CODEC]
#   SETUP  the installer; STAGE  the installed build it was made from
set -euo pipefail
export LC_ALL=C.UTF-8

readonly usage="usage: run_installer_test.sh SETUP STAGE SCREENSHOT_FOLDER WINE_RUN WINE_PREFIX [SCORE_CODEC]"
readonly setup=${1:?$usage}
readonly stage=${2:?$usage}
readonly shots=${3:?$usage}
readonly wine_run=${4:?$usage}
prefix=$(realpath -m "${5:?$usage}")  # Wine wants a full path
readonly prefix
readonly codec=${6:-}
readonly player_name=Игрок money=250

# shellcheck source=../e2e/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/e2e_lib.sh"
# shellcheck source=wine_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_lib.sh"
require_tools
work=$(mktemp -d /tmp/quillmere-installer-test.XXXXXX)
mkdir -p "$shots"
rm -f "$shots"/*.png
export WINEPREFIX=$prefix WINEDEBUG=-all
trap 'end_wine "$prefix"; cleanup' EXIT
trap 'exit 1' INT TERM

size=800x600 sw=800 sh=600 window_manager=bare label=installer
start_screen
rm -rf "$prefix"
"$wine_run" "$prefix"
readonly installed="$prefix/drive_c/Program Files/Quillmere"
readonly appdata="$prefix/drive_c/users/$(id -un)/AppData/Roaming/Quillmere"
readonly start_menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillmere"
readonly key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmere'
version=$(strings -el "$stage/Quillmere.exe" | sed -n '/^ProductVersion$/{n;p;q}')

# --- the programs: the icon (group icon 14), the version (16), the manifest (24) ---
[ -n "$version" ] || fail "Quillmere.exe carries no product version"
for program in Quillmere.exe QuillmereEdit.exe; do
  types=$(x86_64-w64-mingw32-objdump -p "$stage/$program" |
    sed -n '/The .rsrc Resource Directory/,$p' | sed -n 's/^[0-9a-f]\{3\}   Entry: ID: 0x0000\(..\),.*/\1/p')
  for type in 0e 10 18; do
    grep -qx "$type" <<<"$types" || fail "$program has no resource of type 0x$type: $types"
  done
  [ "$(strings -el "$stage/$program" | sed -n '/^ProductVersion$/{n;p;q}')" = "$version" ] ||
    fail "$program does not carry the version $version"
done
echo "ok $label resources icon version $version manifest"

# --- installing ---
wine "$setup" /S
wineserver -w
want=$( (cd "$stage" && find . -type f | sort; echo ./uninst.exe) | sort)
[ -d "$installed" ] && got=$(cd "$installed" && find . -type f | sort) ||
  fail "nothing installed in Program Files"
[ "$got" = "$want" ] || fail "installed files differ: $(diff <(echo "$want") <(echo "$got"))"
for entry in Quillmere "Quillmere Level Editor"; do
  [ -f "$start_menu/$entry.lnk" ] || fail "no Start-menu entry $entry"
done
wine reg query "$key" /v DisplayVersion | grep -q "$version" || fail "not listed among the programs"
echo "ok $label installed"

# --- the installed game: its table in %APPDATA%\Quillmere ---
mkdir -p "$appdata"
printf '%s\r\n' "$player_name" >"$appdata/Player.cfg"
printf '99\r\n%s\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n' "$money" >"$appdata/last.ksv"
(cd / && exec wine 'C:\Program Files\Quillmere\Quillmere.exe') >"$work/game.log" 2>&1 &
game_pid=$!
poll 30 game_window_up || fail "the installed game's window did not cover the screen"
expect menu menu_on 1 2
cmp -s "$stage/High.scr" "$appdata/High.scr" || fail "the table was not copied into %APPDATA%"
press Down; press Down; press Down; press Down
expect menu-load menu_on 5 1
press Return
poll 10 dialog_shown || fail "Load did not open a file dialog"
take_shot load-dialog
xdo type --delay 20 'last.ksv'
press Return
poll 5 window_gone "$chooser" || fail "the file dialog did not close"
sleep 0.5
press Return
table_grown() { (($(wc -l <"$appdata/High.scr") == $(wc -l <"$stage/High.scr") + 1)); }
poll 10 table_grown || fail "the campaign's end did not enter the result into %APPDATA%"
take_shot score-board
if [ -n "$codec" ]; then
  grep -qx "$player_name | $money" <("$codec" decode <"$appdata/High.scr") ||
    fail "the table holds no line '$player_name | $money'"
fi
press space
expect menu-after-table menu_on 1 2
press Down; press Down; press Down; press Down; press Down
expect menu-exit menu_on 6 5
press Return
expect_game_end "Enter on Exit"
echo "ok $label table-in-appdata"

# --- the installed editor: a shipped level is saved into %APPDATA%\Quillmere ---
(cd / && exec wine 'C:\Program Files\Quillmere\QuillmereEdit.exe' \
  'C:\Program Files\Quillmere\levels\Sample.lvl') >"$work/editor.log" 2>&1 &
game_pid=$!
poll 30 game_window_up || fail "the installed editor's window did not cover the screen"
take_shot editor
press F2
poll 10 dialog_shown || fail "F2 on a shipped level did not open a save dialog"
take_shot editor-save-dialog
press Return
poll 5 window_gone "$chooser" || fail "the save dialog did not close"
saved() { cmp -s "$installed/levels/Sample.lvl" "$appdata/Sample.lvl"; }
poll 5 saved || fail "the shipped level was not saved into %APPDATA%"
press Escape
expect_game_end "Escape in the editor"
echo "ok $label editor-saves-in-appdata"

# --- uninstalling: what was installed goes, the player's files stay ---
wine "$installed/uninst.exe" /S '_?=C:\Program Files\Quillmere'
wineserver -w
left=$( [ -d "$installed" ] && cd "$installed" && find . -type f | grep -vx './uninst.exe' || true)
[ -z "$left" ] || fail "the uninstaller left: $left"
[ ! -e "$start_menu" ] || fail "the uninstaller left the Start-menu entries"
! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left its entry among the programs"
[ -f "$appdata/High.scr" ] || fail "the uninstaller removed the player's table"
echo "ok $label uninstalled"
stop_screen
