#!/usr/bin/env bash
# The level editor in a real window on a virtual 800 x 600 screen with a window manager: a new
# level typed with the keys, saved through the real save dialog, the file checked byte for byte,
# then Escape ends the editor. Screenshots stay in SCREENSHOT_FOLDER.
# Usage: run_editor_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER EXPECTED_LEVEL
set -euo pipefail

readonly usage="usage: run_editor_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER EXPECTED_LEVEL"
readonly game_folder=${1:?$usage}
readonly shots=${2:?$usage}
readonly expected=${3:?$usage}

# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
require_tools
[ -x "$game_folder/quillmere-edit" ] || { echo "e2e FAIL: no $game_folder/quillmere-edit" >&2; exit 1; }

work=$(mktemp -d /tmp/quillmere-editor-e2e.XXXXXX)
mkdir -p "$shots"
rm -f "$shots"/*.png
trap cleanup EXIT
trap 'exit 1' INT TERM
size=800x600 sw=800 sh=600 window_manager=openbox label=editor

start_screen
mkdir -p "$work/run"
chmod 700 "$work/run"
(cd / && exec env GSETTINGS_BACKEND=memory XDG_RUNTIME_DIR="$work/run" \
  "$game_folder/quillmere-edit") >"$work/game.log" 2>&1 &
game_pid=$!
poll 10 game_window_up || fail "the editor's window did not cover the screen with the focus"

type_editor_test_level

press F2
poll 10 chooser_focused || fail "F2 did not open a focused save dialog"
sleep 0.5
take_shot save-dialog
xdo type --delay 15 "$work/made.lvl"
sleep 0.3
take_shot save-dialog-typed
press Return
poll 15 window_gone "$chooser" || fail "Enter did not accept the save dialog"
poll 15 game_window_up || fail "the editor did not get the keyboard back from the save dialog"
saved() { [ -f "$work/made.lvl" ]; }
poll 5 saved || fail "no file was saved"
cmp "$work/made.lvl" "$expected" || fail "the saved level differs from $expected"
echo "ok $label saved"

press Escape
ended() { ! kill -0 "$game_pid" 2>/dev/null; }
poll 5 ended || fail "Escape did not end the editor"
code=0
wait "$game_pid" || code=$?
game_pid=""
((code == 0)) || fail "the editor ended with exit code $code"
echo "ok $label escape"
