#!/usr/bin/env bash
# Plays the real game on a virtual X screen with a window manager: presses keys as a player
# would and checks the pixels of the screen. Runs at 800 x 600 and at 1024 x 768, where the
# start-up warning comes first, and once more at 800 x 600 without a window manager, where nobody
# but the game moves the keyboard focus. Screenshots stay in SCREENSHOT_FOLDER.
# Usage: run_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER
set -euo pipefail

readonly game_folder=${1:?usage: run_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER}
readonly shots=${2:?usage: run_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER}
readonly tile=36
# The test level: earth everywhere, the player in the middle with an empty cell to its right,
# larger than both screens so that the board scrolls.
readonly board_w=40 board_h=30 player_x=20 player_y=15

for tool in Xvfb openbox xdotool xprop import convert; do
  command -v "$tool" >/dev/null || { echo "e2e FAIL: $tool is missing (scripts/setup.sh)" >&2; exit 1; }
done
[ -x "$game_folder/quillmere" ] || { echo "e2e FAIL: no $game_folder/quillmere" >&2; exit 1; }

work=$(mktemp -d /tmp/quillmere-e2e.XXXXXX)
server_pid="" wm_pid="" game_pid="" size="" label="" window_manager="" shot=""
mkdir -p "$shots"
rm -f "$shots"/*.png

# Ends a process of ours; a game stuck in a modal box does not answer SIGTERM.
stop() {
  [ -n "$1" ] || return 0
  kill "$1" 2>/dev/null || true
  local tries=30
  while kill -0 "$1" 2>/dev/null && ((tries-- > 0)); do sleep 0.1; done
  kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
cleanup() {
  stop "$game_pid"
  stop "$wm_pid"
  stop "$server_pid"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
  echo "e2e FAIL at ${label:-start-up}: $*" >&2
  [ -n "$shot" ] && echo "  last screenshot: $shot" >&2
  [ -s "$work/game.log" ] && sed 's/^/  game: /' "$work/game.log" >&2
  exit 1
}

# Runs "$@" every 0.1 s until it succeeds; fails after $1 seconds.
poll() {
  local tries=$(($1 * 10))
  shift
  until "$@"; do
    tries=$((tries - 1))
    ((tries > 0)) || return 1
    sleep 0.1
  done
}

# --- geometry of the game (design pixels scaled to the screen, integer arithmetic) ---

scale_x() { echo $((sw * $1 / 800)); }
scale_y() { echo $((sh * $1 / 600)); }
view_center() { echo $(($1 / 2 / tile * tile)); }
# The board's origin on one axis: view centre, player cell, board cells, screen size.
origin() {
  local d=$(($1 - $2 * tile)) board=$(($3 * tile)) screen=$4
  if ((d > 0 || screen > board)); then
    echo 0
  elif ((screen > d + board)); then
    echo $((screen - board))
  else
    echo "$d"
  fi
}
frame_top() {
  local tops=(0 189 229 272 317 361 424)
  scale_y "${tops[$1]}"
}

# --- pixels ---

take_shot() {
  shot="$shots/${label}-$1.png"
  import -window root "$shot"
}
# Share of the pixels of a rectangle (x y w h) of the screenshot that satisfy an fx condition.
share() {
  convert "$shot" -crop "${3}x${4}+${1}+${2}" +repage -fx "$5 ? 1 : 0" -format '%[fx:mean]' info:
}
brightness() {
  convert "$shot" -crop "${3}x${4}+${1}+${2}" +repage -colorspace Gray -format '%[fx:mean]' info:
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

readonly red='r>0.55 && r>g+0.25 && r>b+0.15'
readonly blue='b>0.4 && b>r+0.15'
readonly yellow='r>0.6 && g>0.5 && b<0.45'
readonly light_grey='r>0.75 && r<0.9 && g>0.75 && g<0.9 && b>0.72 && b<0.88'

# The red outline of the selection frame in the margin left of entry $1's pill.
frame_red() {
  local left top height pill_left
  left=$(scale_x 521)
  pill_left=$(scale_x 525)
  top=$(frame_top "$1")
  height=$(scale_y 41)
  share "$left" $((top + height / 4)) $((pill_left - left)) $((height / 2)) "$red"
}
pills_blue() {
  share "$(scale_x 525)" "$(scale_y 194)" "$(scale_x 150)" "$(scale_y 30)" "$blue"
}

# --- checks, each on a fresh screenshot ---

menu_on() {
  local entry=$1 other=$2
  above "$(frame_red "$entry")" 0.25 && ! above "$(frame_red "$other")" 0.1 &&
    above "$(pills_blue)" 0.3
}
status_box_shown() {
  local left=$((sw / 2 - 68))
  above "$(share $((left + 2)) 2 133 17 "$light_grey")" 0.5 &&
    ! above "$(share $((left - 6)) 2 4 17 "$light_grey")" 0.2
}
player_at() {  # the player's board cell x y, and how the cell left of it looks: earth or black
  local ox oy px py left
  ox=$(origin "$(view_center "$sw")" "$1" $board_w "$sw")
  oy=$(origin "$(view_center "$sh")" "$2" $board_h "$sh")
  px=$((ox + $1 * tile))
  py=$((oy + $2 * tile))
  above "$(share "$px" "$py" $tile $tile "$yellow")" 0.05 || return 1
  left=$(brightness $((px - tile)) "$py" $tile $tile)
  case $3 in
    earth) above "$left" 0.08 ;;
    black) ! above "$left" 0.02 ;;
  esac
}
in_play() {
  ! above "$(pills_blue)" 0.05 && player_at "$@" && status_box_shown
}

# Takes screenshots until "$@" holds (5 s at most); the last one is kept under $1's name.
expect() {
  local name=$1
  shift
  check_once() {
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended before '$name'"
    take_shot "$name"
    "$@"
  }
  poll 5 check_once "$@" || fail "the screen does not show '$name' ($*)"
  echo "ok $label $name"
}

press() {
  xdotool key "$1"
}

# --- windows ---

start_screen() {
  local number="$work/display-$label"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$number" >"$work/xvfb.log" 2>&1 &
  server_pid=$!
  poll 10 grep -qs . "$number" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  DISPLAY=:$(head -n 1 "$number")
  export DISPLAY
  [ "$window_manager" = openbox ] || return 0
  openbox >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  poll 10 wm_ready || fail "openbox did not start"
}

stop_screen() {
  stop "$wm_pid"
  stop "$server_pid"
  wm_pid="" server_pid=""
}

write_test_level() {
  local x y row
  {
    printf '%s\r\n' $board_w $board_h $player_x $player_y 5
    for ((y = 0; y < board_h; y++)); do
      row=""
      for ((x = 0; x < board_w; x++)); do
        if ((y == player_y && x == player_x)); then
          row+="2 "
        elif ((y == player_y && x == player_x + 1)); then
          row+="5 "
        else
          row+="3 "
        fi
      done
      printf '%s\r\n' "${row% }"
    done
  } >"$1"
}

# A copy of the program's folder, so that the test leaves the build as it was; started from
# another folder, as the game must find its files wherever it is started from.
start_game() {
  rm -rf "$work/game"
  cp -a "$game_folder" "$work/game"
  rm -f "$work/game/Player.cfg"
  write_test_level "$work/game/Level1.cam"
  # The game's snapshot lives in the runtime folder: give it a private one, so that Exit here
  # never removes the snapshot of whoever runs the test.
  mkdir -p -m 700 "$work/run"
  (cd / && exec env GSETTINGS_BACKEND=memory XDG_RUNTIME_DIR="$work/run" "$work/game/quillmere") \
    >"$work/game.log" 2>&1 &
  game_pid=$!
}

visible_windows_named() {
  xdotool search --onlyvisible --name "$1" 2>/dev/null || true
}
focused_window_is() {
  [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "$1" ]
}
# The game's window covers the screen with the focus; an error box would carry the same title.
# Without a window manager the focus falls back to the root window when a dialog closes, and
# the keys then go to the window under the pointer: the game's, which covers the screen.
game_window_up() {
  local id geometry
  for id in $(visible_windows_named '^Quillmere$'); do
    geometry=$(xdotool getwindowgeometry --shell "$id")
    if grep -qx "WIDTH=$sw" <<<"$geometry" && grep -qx "HEIGHT=$sh" <<<"$geometry"; then
      [ "$window_manager" != openbox ] || [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ]
      return
    fi
  done
  return 1
}
window_gone() {
  [ "$(xwininfo -id "$1" 2>/dev/null | awk '/Map State/ { print $3 }')" != IsViewable ]
}
no_other_boxes() {
  local count
  count=$(visible_windows_named '^Quillmere$' | wc -l)
  ((count == 1)) || fail "a message box is open beside the game window"
  [ -z "$(visible_windows_named '^Предупреждение$')" ] || fail "the warning is still open"
}

answer_warning() {
  warning_focused() { [ -n "$(visible_windows_named '^Предупреждение$')" ] && focused_window_is Предупреждение; }
  poll 10 warning_focused || fail "no focused start-up warning"
  take_shot warning
  echo "ok $label warning"
  press Return
  warning_gone() { [ -z "$(visible_windows_named '^Предупреждение$')" ]; }
  poll 5 warning_gone || fail "Return did not close the warning"
}

# Custom opens the file chooser over the game; Escape cancels it and must not reach the game.
cancel_file_dialog() {
  press Down
  press Down
  press Down
  expect menu-custom menu_on 4 1
  press Return
  local chooser=""
  chooser_focused() {
    local focused
    focused=$(xdotool getwindowfocus getwindowname 2>/dev/null) || return 1
    [ -n "$focused" ] && [ "$focused" != Quillmere ] && chooser=$(xdotool getwindowfocus)
  }
  poll 10 chooser_focused || fail "Custom did not open a focused file dialog"
  take_shot file-dialog
  echo "ok $label file-dialog"
  press Escape
  poll 5 window_gone "$chooser" || fail "Escape did not close the file dialog"
  poll 5 game_window_up || fail "the game did not get the keyboard back from the file dialog"
  expect menu-after-dialog menu_on 4 1
  no_other_boxes
  [ "$(readlink "/proc/$game_pid/cwd")" = "$work/game" ] ||
    fail "the game does not work in its own folder after the dialog"
}

quit_from_menu() {
  press Down
  press Down
  expect menu-exit menu_on 6 4
  press Return
  ended() { ! kill -0 "$game_pid" 2>/dev/null; }
  poll 5 ended || fail "Enter on Exit did not end the game"
  local code=0
  wait "$game_pid" || code=$?
  game_pid=""
  ((code == 0)) || fail "the game ended with exit code $code"
  echo "ok $label exit"
}

play_at() {
  size=$1
  window_manager=$2
  label=$size-$window_manager
  sw=${size%x*}
  sh=${size#*x}
  start_screen
  start_game
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

play_at 800x600 openbox
play_at 1024x768 openbox
play_at 800x600 bare
echo "e2e passed; screenshots in $shots"
