#!/usr/bin/env bash
# The game's message boxes in the real window, on a virtual 800 x 600 screen with a window
# manager: a second copy of the game started beside the first says that the game is running, in
# a box the player closes, and ends without touching a file while the first plays on, and so
# does a replay of the headless driver on the game's snapshot; the "Game Over" box is wide
# enough for the window manager to show its whole caption; a game killed outright does not keep
# the next one from starting; an error box after the Open dialog shows no image of the closed
# dialog; a picture missing from the game's folder ends it with a box.
# Screenshots stay in SCREENSHOT_FOLDER.
# Usage: run_boxes_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER
set -euo pipefail

readonly game_folder=${1:?usage: run_boxes_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER}
readonly shots=${2:?usage: run_boxes_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER}

# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
require_tools
[ -x "$game_folder/quillmere" ] || { echo "e2e FAIL: no $game_folder/quillmere" >&2; exit 1; }

work=$(mktemp -d /tmp/quillmere-boxes-e2e.XXXXXX)
mkdir -p "$shots"
rm -f "$shots"/*.png
second_pid=""
trap 'stop "$second_pid"; cleanup' EXIT
trap 'exit 1' INT TERM

# A folder named with Cyrillic letters and blanks, as players' folders are: there a closed Open
# dialog was seen to leave its image behind the error box that followed it.
readonly game="$work/Папка с пробелом"
size=800x600 sw=800 sh=600 window_manager=openbox label=boxes

# The window manager's title bar shows a caption whole only when the box is wide enough for the
# caption in its title face and for the icon and three buttons beside it. openbox's default
# theme: 8 pt bold Sans, icon, iconify, maximize and close; measured, it shows "Game Over"
# (67 pixels of ink) whole from a frame 180 pixels wide and cuts it at 170.
readonly title_bar_room=110
caption_fits() {
  local id=$1 caption=$2 width extents text
  width=$(xwininfo -id "$id" | awk '/Width:/ { print $2 }')
  extents=$(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  read -r left right _ _ <<<"$extents"
  text=$(convert -density 96 -font /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf \
    -pointsize 8 label:"$caption" -trim -format '%w' info:)
  ((left + width + right >= text + title_bar_room)) ||
    fail "the box '$caption' is $((left + width + right)) pixels wide; its caption needs $((text + title_bar_room))"
}

# The one visible box named $1 other than the game's window; its id in `box`.
box=""
box_shown() {
  local id
  box=""
  for id in $(visible_windows_named "$1"); do
    xdo getwindowgeometry --shell "$id" | grep -qx "WIDTH=$sw" || box=$id
  done
  [ -n "$box" ] && [ "$(xdo getwindowfocus 2>/dev/null)" = "$box" ]
}

files_now() {
  (cd "$work" && find "Папка с пробелом" run -type f -print0 | sort -z | xargs -0 md5sum)
}

start_screen
cp -a "$game_folder" "$game"
rm -f "$game/Player.cfg"
# A creature beside an empty cell next to the player: the first tick catches him.
printf '%s\r\n' 3 1 0 0 0 '2 5 10' >"$game/Level1.cam"
launch_game "$game"
poll 10 game_window_up || fail "the game window did not cover the screen with the focus"
expect menu menu_on 1 2

label='second-copy'
before=$(files_now)
(cd / && exec env GSETTINGS_BACKEND=memory XDG_RUNTIME_DIR="$work/run" "$game/quillmere") \
  >"$work/second.log" 2>&1 &
second_pid=$!
poll 10 box_shown Quillmere || fail "the second copy showed no focused box"
take_shot box
grep -q 'Игра уже запущена.' "$work/second.log" || fail "the second copy did not say that the game runs"
caption_fits "$box" Quillmere
press Return
ended() { ! kill -0 "$second_pid" 2>/dev/null; }
poll 5 ended || fail "Return did not end the second copy"
code=0
wait "$second_pid" || code=$?
second_pid=""
((code == 1)) || fail "the second copy ended with exit code $code"
code=0
replay=$(printf 'key down\nkey enter\nclose\n' |
  XDG_RUNTIME_DIR="$work/run" "$game/quillmere-headless" --folder "$game" -) || code=$?
if ((code != 1)) || [ "$replay" != 'message "Quillmere" "Игра уже запущена."' ]; then
  fail "a replay on the game's snapshot beside the game ended with $code: $replay"
fi
[ "$(files_now)" = "$before" ] || fail "the second copy or the replay touched a file"
poll 5 game_window_up || fail "the first copy did not get the keyboard back"
expect menu-again menu_on 1 2
echo "ok $label"

label='game-over'
press Return
poll 10 box_shown 'Game Over' || fail "no focused Game Over box"
take_shot box
caption_fits "$box" 'Game Over'
echo "ok $label"

label='after-kill'
kill -KILL "$game_pid"
wait "$game_pid" 2>/dev/null || true
launch_game "$game"
poll 10 game_window_up || fail "the game did not start after the last one was killed"
expect menu menu_on 1 2
echo "ok $label"

# An error box right after the Open dialog stands over the game's window as it was, not over a
# frozen image of the dialog: the window is drawn again where the dialog lay before the box
# appears. The window manager's frames make the dialog's leaving take a moment.
label='dialog-gone'
printf '%s\r\n' 200 1 0 0 0 2 >"$game/Wide.lvl"
press Down
press Down
press Down
expect menu-custom menu_on 4 1
before_dialog=$shot
press Return
poll 10 chooser_focused || fail "Custom did not open a focused file dialog"
sleep 0.5
eval "$(xdo getwindowgeometry --shell "$chooser")"
dialog_x=$X dialog_y=$Y dialog_w=$WIDTH dialog_h=$HEIGHT
xdo type --delay 15 "$game/Wide.lvl"
sleep 0.3
press Return
poll 10 box_shown Quillmere || fail "the level 200 cells wide showed no focused box"
take_shot box
# The dialog's corners lie outside the box in the middle of the screen: there the screen must
# show the menu as it was before the dialog.
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }
for corner in "$((dialog_x + 8)) $((dialog_y + 8))" "$((dialog_x + dialog_w - 9)) $((dialog_y + 8))" \
  "$((dialog_x + 8)) $((dialog_y + dialog_h - 9))" \
  "$((dialog_x + dialog_w - 9)) $((dialog_y + dialog_h - 9))"; do
  read -r x y <<<"$corner"
  [ "$(pixel "$shot" "$x" "$y")" = "$(pixel "$before_dialog" "$x" "$y")" ] ||
    fail "where the dialog was ($x, $y) the screen shows $(pixel "$shot" "$x" "$y"), not the menu"
done
press Return
poll 5 game_window_up || fail "the game did not get the keyboard back from the box"
echo "ok $label"

# The pictures are decoded while the window opens; one that cannot be read still ends the game
# with its box before the menu.
label='missing-picture'
stop "$game_pid"
game_pid=""
rm "$game/assets/ImShot2.jpg"
launch_game "$game"
poll 10 box_shown Quillmere || fail "a missing picture showed no focused box"
take_shot box
grep -q "ImShot2.jpg" "$work/game.log" || fail "the game did not name the missing picture"
press Return
ended() { ! kill -0 "$game_pid" 2>/dev/null; }
poll 5 ended || fail "Return did not end the game without its picture"
code=0
wait "$game_pid" || code=$?
game_pid=""
((code == 1)) || fail "the game without its picture ended with exit code $code"
echo "ok $label"
stop_screen
echo "e2e message boxes passed; screenshots in $shots"
