#!/usr/bin/env bash
# The Windows level editor (QuillmereEdit.exe) under Wine on a virtual X screen: a new level typed
# with the keys, saved through the system's save dialog, the file checked byte for byte, then
# Escape ends the editor. Wine runs without a window manager, in its own prefix. Screenshots
# stay in SCREENSHOT_FOLDER.
# Usage: run_wine_editor_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER WINE_RUN WINE_PREFIX EXPECTED_LEVEL
set -euo pipefail

readonly usage="usage: run_wine_editor_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER WINE_RUN WINE_PREFIX EXPECTED_LEVEL"
readonly game_folder=${1:?$usage}
readonly shots=${2:?$usage}
readonly wine_run=${3:?$usage}
readonly wine_prefix=${4:?$usage}
readonly expected=${5:?$usage}

# shellcheck source=../e2e/e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/e2e_lib.sh"
# shellcheck source=wine_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_lib.sh"
require_tools
[ -f "$game_folder/QuillmereEdit.exe" ] || { echo "e2e FAIL: no $game_folder/QuillmereEdit.exe" >&2; exit 1; }

work=$(mktemp -d /tmp/quillmere-wine-editor-e2e.XXXXXX)
mkdir -p "$shots"
rm -f "$shots"/*.png

trap 'end_wine "$wine_prefix"; cleanup' EXIT
trap 'exit 1' INT TERM


size=800x600 window_manager=bare label=wine-editor
sw=800 sh=600
start_screen
cp -a "$game_folder" "$work/game"
"$wine_run" "$wine_prefix"  # a prefix made before the clock of the first check starts
(cd / && exec "$wine_run" "$wine_prefix" "$work/game/QuillmereEdit.exe") >"$work/game.log" 2>&1 &
game_pid=$!
poll 30 game_window_up ||
  fail "the editor's window did not cover the screen; windows: $(xwininfo -root -tree | grep -v 'has no name')"

type_editor_test_level

press F2
if ! poll 10 dialog_shown; then
  take_shot save-no-dialog
  fail "F2 opened no save dialog"
fi
take_shot save-dialog
xdo type --delay 20 'made.lvl'
press Return
poll 5 window_gone "$chooser" || { take_shot save-dialog-stays; fail "the save dialog did not close"; }
saved() { [ -f "$work/game/made.lvl" ]; }
poll 5 saved || { take_shot not-saved; fail "no file was saved in the program's folder"; }
cmp "$work/game/made.lvl" "$expected" || fail "the saved level differs from $expected"
echo "ok $label saved"

press Escape
ended() { ! kill -0 "$game_pid" 2>/dev/null; }
poll 10 ended || { take_shot escape; fail "Escape did not end the editor"; }
code=0
wait "$game_pid" || code=$?
game_pid=""
((code == 0)) || fail "the editor ended with exit code $code"
echo "ok $label escape"
