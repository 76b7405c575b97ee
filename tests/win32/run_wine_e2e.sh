#!/usr/bin/env bash
# Plays the Windows game (Quillmere.exe) under Wine on a virtual X screen, as a player would, and
# checks the screen's pixels: the menu, New, a few moves, Escape, Custom with a path typed into
# the system's open dialog, a run-time error box from Load, and Exit. Wine runs without a window
# manager, in its own prefix, so that its session lives on this test's screen. Screenshots stay in
# SCREENSHOT_FOLDER.
# Usage: run_wine_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER WINE_RUN WINE_PREFIX
set -euo pipefail

readonly usage="usage: run_wine_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER WINE_RUN WINE_PREFIX"
readonly game_folder=${1:?$usage}
readonly shots=${2:?$usage}
readonly wine_run=${3:?$usage}
readonly wine_prefix=${4:?$usage}
# The single level opened with Custom: the test level with the player elsewhere.
readonly single_x=10 single_y=8

# shellcheck source=../e2e/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/e2e_lib.sh"
# shellcheck source=wine_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_lib.sh"
require_tools
[ -f "$game_folder/Quillmere.exe" ] || { echo "e2e FAIL: no $game_folder/Quillmere.exe" >&2; exit 1; }

work=$(mktemp -d /tmp/quillmere-wine-e2e.XXXXXX)
mkdir -p "$shots"
rm -f "$shots"/*.png

trap 'end_wine "$wine_prefix"; cleanup' EXIT
trap 'exit 1' INT TERM

# A copy of the program's folder with the test levels and a saved campaign that cannot be read.
prepare_game() {
  cp -a "$game_folder" "$work/game"
  rm -f "$work/game/Player.cfg"
  write_test_level "$work/game/Level1.cam"
  write_test_level "$work/game/levels/Single.lvl" $single_x $single_y
  printf '2\r\nlots\r\n' >"$work/game/broken.ksv"
}

launch_windows_game() {
  (cd / && exec "$wine_run" "$wine_prefix" "$work/game/Quillmere.exe") >"$work/game.log" 2>&1 &
  game_pid=$!
}

# The path is typed into the dialog's name box. Without a window manager the X focus may stay on
# the game's window; Wine still hands the keys to the dialog, whose box has the Windows focus.
open_in_dialog() {
  if ! poll 10 dialog_shown; then
    take_shot "$1-no-dialog"
    fail "no file dialog"
  fi
  take_shot "$1-dialog"
  echo "ok $label $1-dialog"
  xdo type --delay 20 "$2"
  press Return
  if ! poll 5 window_gone "$chooser"; then
    take_shot "$1-dialog-stays"
    fail "the file dialog did not close"
  fi
}

# The game's window alone, or with a box of its own (which carries the game's title).
one_window() { (($(visible_windows_named Quillmere | wc -l) == 1)); }
two_windows() { (($(visible_windows_named Quillmere | wc -l) == 2)); }

size=800x600 window_manager=bare label=wine-800x600
sw=800 sh=600
start_screen
prepare_game
"$wine_run" "$wine_prefix"  # a prefix made before the clock of the first check starts
launch_windows_game
poll 30 game_window_up ||
  fail "the game window did not cover the screen; windows: $(xwininfo -root -tree | grep -v 'has no name')"
no_other_boxes

expect menu menu_on 1 2
press Down
expect menu-new menu_on 2 1
press Return
expect new in_play $player_x $player_y earth
press Right
expect right in_play $((player_x + 1)) $player_y black
press Left
expect left in_play $player_x $player_y earth
press Escape
expect menu-again menu_on 1 2
no_other_boxes

press Down
press Down
press Down
expect menu-custom menu_on 4 1
press Return
open_in_dialog custom 'levels\Single.lvl'
expect single in_play $single_x $single_y earth
press Escape
expect menu-after-single menu_on 1 4

# Up from the first entry goes round to Exit, then to Load.
press Up
press Up
expect menu-load menu_on 5 1
press Return
open_in_dialog load 'broken.ksv'
poll 10 two_windows || fail "no error box for the broken saved campaign"
take_shot error-box
echo "ok $label error-box"
press Return
poll 5 one_window || fail "Return did not close the error box"
expect menu-after-box menu_on 5 1

press Down
expect menu-exit menu_on 6 5
press Return
expect_game_end "Enter on Exit"
echo "ok $label exit"
stop_screen
echo "wine e2e passed; screenshots in $shots"
