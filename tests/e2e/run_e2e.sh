#!/usr/bin/env bash
# Plays the real game on a virtual X screen with a window manager: presses keys as a player
# would and checks the pixels of the screen. Runs at 800 x 600 and at 1024 x 768, where the
# start-up warning comes first, and once more at 800 x 600 without a window manager, where nobody
# but the game moves the keyboard focus. Screenshots stay in SCREENSHOT_FOLDER.
# The first pass runs the game in a UTF-8 locale, the others without one. Last, a
# window manager that never shows a window: the game must say so and end instead of hanging.
# Usage: run_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER DEAF_WINDOW_MANAGER
set -euo pipefail

readonly usage="usage: run_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER DEAF_WINDOW_MANAGER"
readonly game_folder=${1:?$usage}
readonly shots=${2:?$usage}
readonly deaf_window_manager=${3:?$usage}

# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
require_tools
[ -x "$game_folder/quillmere" ] || { echo "e2e FAIL: no $game_folder/quillmere" >&2; exit 1; }

work=$(mktemp -d /tmp/quillmere-e2e.XXXXXX)
mkdir -p "$shots"
rm -f "$shots"/*.png

trap cleanup EXIT
trap 'exit 1' INT TERM

# A copy of the program's folder, so that the test leaves the build as it was.
start_game() {
  rm -rf "$work/game"
  cp -a "$game_folder" "$work/game"
  rm -f "$work/game/Player.cfg"
  write_test_level "$work/game/Level1.cam"
  launch_game "$work/game" "$1"
}

answer_warning() {
  warning_focused() { [ -n "$(visible_windows_named Предупреждение)" ] && focused_window_is Предупреждение; }
  poll 10 warning_focused || fail "no focused start-up warning"
  take_shot warning
  echo "ok $label warning"
  press Return
  warning_gone() { [ -z "$(visible_windows_named Предупреждение)" ]; }
  poll 5 warning_gone || fail "Return did not close the warning"
}

# Custom opens the file chooser over the game; Escape cancels it and must not reach the game.
cancel_file_dialog() {
  press Down
  press Down
  press Down
  expect menu-custom menu_on 4 1
  press Return
  poll 10 chooser_focused || fail "Custom did not open a focused file dialog"
  take_shot file-dialog
  echo "ok $label file-dialog"
  press Escape
  poll 15 window_gone "$chooser" || fail "Escape did not close the file dialog"
  poll 15 game_window_up || fail "the game did not get the keyboard back from the file dialog"
  expect menu-after-dialog menu_on 4 1
  no_other_boxes
  [ "$(readlink "/proc/$game_pid/cwd")" = "$work/game" ] ||
    fail "the game does not work in its own folder after the dialog"
}

play_at() {
  size=$1
  window_manager=$2
  label=$size-$window_manager
  sw=${size%x*}
  sh=${size#*x}
  start_screen
  start_game "${3:-}"
  if ((sw != 800 && sh != 600)); then answer_warning; fi
  poll 10 game_window_up || fail "the game window did not cover the screen with the focus"
  no_other_boxes

  expect menu menu_on 1 2
  status_box_shown || fail "no status box at the top centre over the menu"
  press Down
  expect menu-down menu_on 2 1
  press Up
  expect menu-up menu_on 1 2
  press Return
  expect play in_play $player_x $player_y earth
  press Right
  expect play-right in_play $((player_x + 1)) $player_y black
  press Escape
  expect menu-again menu_on 1 2
  no_other_boxes
  cancel_file_dialog
  quit_from_menu
  stop_screen
}

# The game gives up on a window that never appears: a message on standard error, exit code 1.
gives_up_without_window() {
  size=800x600 window_manager=deaf label=deaf-window-manager
  start_screen
  start_game C
  ended() { ! kill -0 "$game_pid" 2>/dev/null; }
  poll 30 ended || fail "the game still waits for its window after 30 s"
  local code=0
  wait "$game_pid" || code=$?
  game_pid=""
  ((code == 1)) || fail "the game ended with exit code $code instead of 1"
  grep -q "has not appeared after 5 s" "$work/game.log" || fail "no warning that the window is late"
  grep -q "has not shown the game's window within 15 s; giving up" "$work/game.log" ||
    fail "no message that the game gives up"
  echo "ok $label gives up"
  stop_screen
}

play_at 800x600 openbox UTF-8
play_at 1024x768 openbox C
play_at 800x600 bare C
gives_up_without_window
echo "e2e passed; screenshots in $shots"
