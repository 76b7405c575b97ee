# shellcheck shell=bash disable=SC2034,SC2154,SC2317  # globals of the sourcing script; functions run by poll
# Shared by the tests that play the real game on a virtual X screen: starting the screen, pressing
# keys, taking screenshots and reading their pixels. Sourced, not run.
#
# The sourcing script sets `work` (a private temporary folder) and `shots` (where screenshots
# go) before it starts, and installs `trap cleanup EXIT`. The helpers keep their state in these
# globals: server_pid, wm_pid, game_pid (the processes to end), size ("WxH"), sw and sh (its
# numbers), label (names the screenshots of one pass), window_manager ("openbox" or "bare"),
# shot (the last screenshot).

server_pid="" wm_pid="" game_pid="" size="" label="" window_manager="" shot=""
readonly tile=36

# xdotool matches window names with the locale's regular expressions, which in the C locale do
# not match Cyrillic titles: it always runs in a UTF-8 locale, whatever the caller's.
xdo() { LC_ALL=C.UTF-8 xdotool "$@"; }

require_tools() {
  local tool
  for tool in Xvfb openbox xdotool xprop xwininfo xmessage import convert compare; do
    command -v "$tool" >/dev/null || { echo "e2e FAIL: $tool is missing (scripts/setup.sh)" >&2; exit 1; }
  done
}

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

# Takes screenshots until "$@" holds (10 s at most, for a busy machine); the last one is kept
# under $1's name.
expect() {
  local name=$1
  shift
  check_once() {
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended before '$name'"
    take_shot "$name"
    "$@"
  }
  poll 10 check_once "$@" || fail "the screen does not show '$name' ($*)"
  echo "ok $label $name"
}

press() {
  xdo key "$1"
}

# --- the test level ---

# The test level: earth everywhere, the player in the middle with an empty cell to its right,
# larger than both screens so that the board scrolls.
readonly board_w=40 board_h=30 player_x=20 player_y=15

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

# Writes the test level to the file $1, the player at the cell $2 $3 (default: the middle).
write_test_level() {
  local x y row px=${2:-$player_x} py=${3:-$player_y}
  {
    printf '%s\r\n' $board_w $board_h "$px" "$py" 5
    for ((y = 0; y < board_h; y++)); do
      row=""
      for ((x = 0; x < board_w; x++)); do
        if ((y == py && x == px)); then
          row+="2 "
        elif ((y == py && x == px + 1)); then
          row+="5 "
        else
          row+="3 "
        fi
      done
      printf '%s\r\n' "${row% }"
    done
  } >"$1"
}

# --- the editor's test level ---

# The editor's status line at the bottom is drawn: light letters on dark grey.
status_line_drawn() { above "$(share 0 560 800 40 'r>0.6 && g>0.6 && b>0.6')" 0.02; }
# The yellow cursor frame around cell (x, y) of a board drawn at (0, 0).
cursor_at() { above "$(share $(($1 * tile)) $(($2 * tile)) $tile 2 "$yellow")" 0.8; }

# In a freshly started editor, F4 makes a level of 7 x 6 and the keys put a ruby, a wall and a
# closed exit on it, one ruby required; the cursor ends on (5, 4).
type_editor_test_level() {
  expect new-level status_line_drawn
  expect cursor-on-start cursor_at 1 1
  local key
  for key in F4 7 Return 6 Return Right Right g Down Down w Right Right Down x plus; do
    press "$key"
  done
  expect cursor-moved cursor_at 5 4
}

# --- windows ---

start_screen() {
  local number="$work/display-$label"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$number" >"$work/xvfb.log" 2>&1 &
  server_pid=$!
  poll 10 grep -qs . "$number" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  DISPLAY=:$(head -n 1 "$number")
  export DISPLAY
  # Two servers started at the same moment (tests run in parallel) may both try one display
  # number, and the winner can refuse clients for a moment after it reported the number.
  server_answers() { xprop -root >/dev/null 2>&1; }
  poll 10 server_answers || fail "Xvfb on $DISPLAY does not answer"
  # Once seen to answer and then to refuse the game a moment later: it must answer twice, a
  # moment apart, and still be ours.
  sleep 0.3
  poll 10 server_answers || fail "Xvfb on $DISPLAY stopped answering"
  kill -0 "$server_pid" 2>/dev/null || fail "Xvfb on $DISPLAY ended: $(cat "$work/xvfb.log")"
  if [ "$window_manager" = deaf ]; then
    # Like openbox, it may meet a display that is not ready yet: it is started again.
    for _ in 1 2 3; do
      "$deaf_window_manager" >"$work/deaf.log" 2>&1 &
      wm_pid=$!
      deaf_ready_or_gone() { grep -qs ready "$work/deaf.log" || ! kill -0 "$wm_pid" 2>/dev/null; }
      poll 10 deaf_ready_or_gone
      grep -qs ready "$work/deaf.log" && return 0
      stop "$wm_pid"
      wm_pid=""
    done
    fail "the deaf window manager did not start: $(cat "$work/deaf.log")"
  fi
  [ "$window_manager" = openbox ] || return 0
  # For the same reason openbox may find no display and give up: it is started again.
  for _ in 1 2 3; do
    openbox >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
    wm_ready_or_gone() { wm_ready || ! kill -0 "$wm_pid" 2>/dev/null; }
    poll 10 wm_ready_or_gone || fail "openbox did not start: $(cat "$work/openbox.log")"
    if wm_ready; then
      wm_maps_windows || fail "openbox does not show new windows: $(cat "$work/openbox.log")"
      return 0
    fi
    wait "$wm_pid" 2>/dev/null || true
    wm_pid=""
  done
  fail "openbox did not start: $(cat "$work/openbox.log")"
}

# openbox announces itself before it has loaded its theme. Where the fonts were installed after
# the font cache was last built (a fresh machine), loading the theme rebuilds the cache for a
# second or two, and a window that asks to be shown meanwhile is never shown. So the screen is
# ready only once a probe window of our own has become viewable; a probe that was lost is
# replaced by another.
wm_maps_windows() {
  local probe_pid id attempt
  probe_viewable() {
    id=$(xwininfo -root -tree 2>/dev/null | awk '/"quillmere-probe"/ { print $1; exit }')
    [ -n "$id" ] && [ "$(xwininfo -id "$id" 2>/dev/null | awk '/Map State/ { print $3 }')" = IsViewable ]
  }
  for attempt in 1 2 3 4 5 6; do
    xmessage -name quillmere-probe -title quillmere-probe probe >/dev/null 2>&1 &
    probe_pid=$!
    if poll 5 probe_viewable; then
      stop "$probe_pid"
      probe_gone() { ! xwininfo -root -tree 2>/dev/null | grep -q '"quillmere-probe"'; }
      poll 5 probe_gone || return 1
      ((attempt == 1)) || echo "note: openbox showed windows only from probe $attempt on" >&2
      return 0
    fi
    stop "$probe_pid"
  done
  return 1
}

stop_screen() {
  stop "$wm_pid"
  stop "$server_pid"
  wm_pid="" server_pid=""
}

# Starts the game of the folder $1 from another folder, as the game must find its files wherever
# it is started from. The game's snapshot lives in the runtime folder: it gets a private one, so
# that the test never touches the snapshot of whoever runs it. $2 chooses the game's locale:
# C runs it without one (LANG and LC_ALL unset), as on many machines; UTF-8 in C.UTF-8.
launch_game() {
  mkdir -p "$work/run"
  chmod 700 "$work/run"
  local locale=(-u LANG -u LC_ALL -u LANGUAGE -u LC_CTYPE -u LC_MESSAGES) try
  [ "${2:-}" != UTF-8 ] || locale+=(LANG=C.UTF-8)
  # A server that has just answered twice still refused a game now and then while other tests
  # started theirs (the game then says it found no display): such a game is started again.
  for try in 1 2 3; do
    (cd / && exec env "${locale[@]}" GSETTINGS_BACKEND=memory XDG_RUNTIME_DIR="$work/run" \
      "$1/quillmere") >"$work/game.log" 2>&1 &
    game_pid=$!
    for _ in 1 2 3 4 5 6 7 8 9 10; do
      grep -qs "no display found" "$work/game.log" && break
      sleep 0.1
    done
    grep -qs "no display found" "$work/game.log" || return 0
    stop "$game_pid"
    sleep 0.5
  done
}

visible_windows_named() {
  local id
  for id in $(xdo search --onlyvisible --class '' 2>/dev/null); do
    [ "$(xdo getwindowname "$id" 2>/dev/null)" != "$1" ] || echo "$id"
  done
}
focused_window_is() {
  [ "$(xdo getwindowfocus getwindowname 2>/dev/null)" = "$1" ]
}
# The game's window covers the screen with the focus; an error box would carry the same title.
# Without a window manager the focus falls back to the root window when a dialog closes, and
# the keys then go to the window under the pointer: the game's, which covers the screen.
game_window_up() {
  local id geometry
  for id in $(visible_windows_named Quillmere); do
    geometry=$(xdo getwindowgeometry --shell "$id")
    if grep -qx "WIDTH=$sw" <<<"$geometry" && grep -qx "HEIGHT=$sh" <<<"$geometry"; then
      [ "$window_manager" != openbox ] || [ "$(xdo getwindowfocus 2>/dev/null)" = "$id" ]
      return
    fi
  done
  return 1
}
window_gone() {
  [ "$(xwininfo -id "$1" 2>/dev/null | awk '/Map State/ { print $3 }')" != IsViewable ]
}
windows_described() {
  local id
  for id in $(visible_windows_named "$1"); do
    printf '%s (pid %s) ' "$id" "$(xdo getwindowpid "$id" 2>/dev/null)"
  done
}
# Windows come and go while the list is read (xdotool then lists none): the count is read again.
no_other_boxes() {
  one_game_window() { (($(visible_windows_named Quillmere | wc -l) == 1)); }
  poll 3 one_game_window ||
    fail "a message box is open beside the game window: $(windows_described Quillmere)"
  [ -z "$(visible_windows_named Предупреждение)" ] || fail "the warning is still open"
}

# A file dialog of the game has the keyboard: the focused window is another than the game's.
# Its window id is left in `chooser`.
chooser=""
chooser_focused() {
  local focused
  focused=$(xdo getwindowfocus getwindowname 2>/dev/null) || return 1
  [ -n "$focused" ] && [ "$focused" != Quillmere ] && chooser=$(xdo getwindowfocus)
}

# Waits for the game to end by itself and fails unless it ended with exit code 0.
expect_game_end() {
  ended() { ! kill -0 "$game_pid" 2>/dev/null; }
  poll 5 ended || fail "$1 did not end the game"
  local code=0
  wait "$game_pid" || code=$?
  game_pid=""
  ((code == 0)) || fail "the game ended with exit code $code"
}

quit_from_menu() {
  press Down
  press Down
  expect menu-exit menu_on 6 4
  press Return
  expect_game_end "Enter on Exit"
  echo "ok $label exit"
}
