#!/usr/bin/env bash
# Plays an installed game as its player would, on a virtual 800 x 600 screen with a window
# manager, in the HOME it is given: the first start makes the player's data folder with a copy
# of the shipped table; a name file written in UTF-8 and a saved campaign whose next level does
# not exist are put there; Load, the shop's Play, and the campaign's end writes the result into
# the player's table, under the name as the game reads it. The installed editor (GAME-edit)
# opens a shipped level and F2 saves it through the save dialog into the player's folder; the
# shipped files stay as they were.
# Usage: run_installed_e2e.sh GAME SHIPPED_FOLDER SCREENSHOT_FOLDER [SCORE_CODEC]
#   GAME            the installed game, a path or a name found on the PATH
#   SHIPPED_FOLDER  the files it ships (…/share/games/quillmere)
#   SCORE_CODEC     quillmere-score-codec, to read the table back; without it only the table's
#                   growth by one line is checked
set -euo pipefail
export LC_ALL=C.UTF-8

readonly usage="usage: run_installed_e2e.sh GAME SHIPPED_FOLDER SCREENSHOT_FOLDER [SCORE_CODEC]"
readonly game_program=${1:?$usage}
readonly shipped=${2:?$usage}
readonly shots=${3:?$usage}
readonly codec=${4:-}
readonly editor_program=$game_program-edit
readonly player_name=Игрок money=250

# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
require_tools
for program in "$game_program" "$editor_program"; do
  command -v "$program" >/dev/null || { echo "e2e FAIL: no $program" >&2; exit 1; }
done
[ -f "$shipped/High.scr" ] || { echo "e2e FAIL: no $shipped/High.scr" >&2; exit 1; }

work=$(mktemp -d /tmp/quillmere-installed-e2e.XXXXXX)
mkdir -p "$shots"
rm -f "$shots"/*.png
trap cleanup EXIT
trap 'exit 1' INT TERM

readonly data=${XDG_DATA_HOME:-$HOME/.local/share}/quillmere
size=800x600 sw=800 sh=600 window_manager=openbox
[ ! -e "$data" ] || { echo "e2e FAIL: $data is there before the first start" >&2; exit 1; }
shipped_sum=$(cd "$shipped" && find . -type f -print0 | sort -z | xargs -0 md5sum | md5sum)

# Starts PROGRAM with ARGUMENTS from the root folder; its window covers the screen.
launch() {
  mkdir -p "$work/run"
  chmod 700 "$work/run"
  (cd / && exec env GSETTINGS_BACKEND=memory XDG_RUNTIME_DIR="$work/run" "$@") \
    >"$work/game.log" 2>&1 &
  game_pid=$!
  poll 10 game_window_up || fail "$1's window did not cover the screen with the focus"
}

start_game() {
  launch "$game_program"
  no_other_boxes
  expect menu menu_on 1 2
}

quit() {
  local i
  for i in 1 2 3 4 5; do press Down; done
  expect menu-exit menu_on 6 5
  press Return
  expect_game_end "Enter on Exit"
}

start_screen

label=first-start
start_game
[ -d "$data" ] || fail "the first start did not make $data"
cmp -s "$shipped/High.scr" "$data/High.scr" || fail "$data/High.scr is not the shipped table"
quit
echo "ok $label player-folder"

label=campaign-end
printf '%s\r\nsecond line\r\n' "$player_name" >"$data/Player.cfg"
printf '99\r\n%s\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n' "$money" >"$data/last.ksv"
start_game
press Down; press Down; press Down; press Down
expect menu-load menu_on 5 1
press Return
poll 10 chooser_focused || fail "Load did not open a focused file dialog"
sleep 0.5
take_shot load-dialog
xdo type --delay 15 "$data/last.ksv"
sleep 0.3
press Return
poll 15 window_gone "$chooser" || fail "Enter did not accept the file dialog"
poll 15 game_window_up || fail "the game did not get the keyboard back from the dialog"
sleep 0.5
take_shot shop
# The shop comes up on Play, whose level 99 does not exist: the campaign ends.
press Return
table_grown() { (($(wc -l <"$data/High.scr") == $(wc -l <"$shipped/High.scr") + 1)); }
poll 10 table_grown || fail "the campaign's end did not enter the result into $data/High.scr"
take_shot score-board
if [ -n "$codec" ]; then
  grep -qx "$player_name | $money" <("$codec" decode <"$data/High.scr") ||
    fail "the table holds no line '$player_name | $money': $("$codec" decode <"$data/High.scr")"
fi
press space
expect menu-after-table menu_on 1 2
quit
echo "ok $label table-in-player-folder"

label=editor
launch "$editor_program" "$shipped/levels/Sample.lvl"
take_shot level
# F2 on a shipped level asks for a name; the dialog proposes the same name in the player's folder.
press F2
poll 10 chooser_focused || fail "F2 on a shipped level did not open a focused save dialog"
sleep 0.5
take_shot save-dialog
press Return
poll 15 window_gone "$chooser" || fail "Enter did not accept the save dialog"
saved() { cmp -s "$shipped/levels/Sample.lvl" "$data/Sample.lvl"; }
poll 5 saved || fail "the shipped level was not saved as $data/Sample.lvl"
poll 15 game_window_up || fail "the editor did not get the keyboard back from the save dialog"
press Escape
expect_game_end "Escape in the editor"
[ "$(cd "$shipped" && find . -type f -print0 | sort -z | xargs -0 md5sum | md5sum)" = "$shipped_sum" ] ||
  fail "the shipped files changed"
echo "ok $label shipped-level-saved-in-player-folder"
