#!/usr/bin/env bash
# Plays the real game through its file dialogs on a virtual 800 x 600 screen with a window
# manager, as a player would: a single level chosen with Custom, then a whole campaign of two
# levels with a purchase, a save, the end of the campaign and the high-score board, and the saved
# campaign loaded again. The campaign is the one the headless scenario campaign_whole plays, so
# the real window must leave the same saved campaign and the same table behind, byte for byte.
# Screenshots stay in SCREENSHOT_FOLDER.
# Usage: run_campaign_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER CAMPAIGN_FOLDER EXPECTED_FOLDER SCORE_CODEC
#   CAMPAIGN_FOLDER  Level1.cam, Level2.cam, High.scr and Player.cfg of the campaign
#   EXPECTED_FOLDER  the saved campaign and High.scr as the campaign must leave them
#   SCORE_CODEC      quillmere-score-codec, to read back the table the game wrote
set -euo pipefail
# The table's names are counted in characters, not bytes.
export LC_ALL=C.UTF-8

readonly usage="usage: run_campaign_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER CAMPAIGN_FOLDER EXPECTED_FOLDER SCORE_CODEC"
readonly game_folder=${1:?$usage}
readonly shots=${2:?$usage}
readonly campaign=${3:?$usage}
readonly expected=${4:?$usage}
readonly codec=${5:?$usage}
readonly save_name=journey
readonly player_name=Испытатель

# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
require_tools
[ -x "$game_folder/quillmere" ] || { echo "e2e FAIL: no $game_folder/quillmere" >&2; exit 1; }
[ -x "$codec" ] || { echo "e2e FAIL: no $codec" >&2; exit 1; }
for file in Level1.cam Level2.cam High.scr Player.cfg; do
  [ -f "$campaign/$file" ] || { echo "e2e FAIL: no $campaign/$file" >&2; exit 1; }
done

work=$(mktemp -d /tmp/quillmere-campaign-e2e.XXXXXX)
mkdir -p "$shots"
rm -f "$shots"/*.png
trap cleanup EXIT
trap 'exit 1' INT TERM

readonly game="$work/game"
readonly snapshot="$work/run/Kolbrin.tmp"
size=800x600 sw=800 sh=600 window_manager=openbox

# --- the program's folder with our campaign ---

# A single level: the player with a ruby to the left and the closed exit behind it, and earth
# above, so that two steps to the left finish it.
write_single_level() {
  printf '%s\r\n' 6 4 3 2 1 \
    '13 13 13 13 13 13' \
    '13 3 3 3 3 13' \
    '13 6 1 2 3 13' \
    '13 13 13 13 13 13' >"$1"
}

prepare_folder() {
  cp -a "$game_folder" "$game"
  rm -f "$game"/Level*.cam "$game"/High.scr "$game"/Player.cfg "$game"/*.ksv
  cp "$campaign"/Level1.cam "$campaign"/Level2.cam "$campaign"/High.scr "$campaign"/Player.cfg "$game"
  write_single_level "$game/levels/Single.lvl"
  # The money digits as the game draws them: digit d of the list, its corner colour see-through.
  local d key
  for d in 0 1 2 3 4 5 6 7 8 9; do
    key=$(convert "$game/assets/ImageList2.bmp" -format "%[pixel:p{$((26 * d)),38}]" info:)
    convert "$game/assets/ImageList2.bmp" -crop "26x39+$((26 * d))+0" +repage -alpha set \
      -transparent "$key" -transparent white "$work/digit-$d.png"
  done
}

# --- the board: every board here is smaller than the screen, so it lies at the origin ---

# Cell x y of the board shows exactly the cell picture of tile code $3.
cell_shows() {
  local differing
  differing=$(convert "$shot" -crop "${tile}x${tile}+$(($1 * tile))+$(($2 * tile))" +repage \
    "$game/assets/Im$3.bmp" -metric AE -compare -format '%[distortion]' info:)
  [ "$differing" = 0 ]
}
# Each argument is "x y code"; the screen right of and below the board (w x h cells) is black.
board_shows() {
  local w=$1 h=$2 cell
  shift 2
  ! above "$(pills_blue)" 0.05 && status_box_shown || return 1
  ! above "$(brightness $((w * tile)) 30 $((sw - w * tile)) $((sh - 30)))" 0 || return 1
  ! above "$(brightness 0 $((h * tile)) "$sw" $((sh - h * tile)))" 0 || return 1
  for cell in "$@"; do
    # shellcheck disable=SC2086
    cell_shows $cell || return 1
  done
}

# --- the shop ---

readonly panel_left=$((sw / 2 - 220 / 2)) panel_top=$((sh / 2 - 320 / 2))
readonly frame_dx=(0 17 16 16 16 21 120) frame_dy=(0 25 72 118 163 210 210)
readonly place_dx=(0 92 120 147 175) place_dy=(0 269 265 267 264)
readonly green='g>0.35 && g>r+0.1 && g>b+0.1'

# The panel lies centred: black all round it (the boards end above and left of it), painted
# inside, green in its upper part.
panel_centred() {
  local l=$panel_left t=$panel_top
  ! above "$(brightness $((l - 6)) "$t" 6 320)" 0 && ! above "$(brightness $((l + 220)) "$t" 6 320)" 0 &&
    ! above "$(brightness "$l" $((t - 6)) 220 6)" 0 && ! above "$(brightness "$l" $((t + 320)) 220 6)" 0 &&
    above "$(share "$l" "$t" 220 4 'r+g+b>0.3')" 0.95 && above "$(share "$l" $((t + 316)) 220 4 'r+g+b>0.3')" 0.95 &&
    above "$(share "$l" "$t" 220 260 "$green")" 0.2
}
# The red frame of shop entry $1 stands at its place and no other entry has one.
shop_frame_on() {
  local entry redness
  for entry in 1 2 3 4 5 6; do
    redness=$(share $((panel_left + frame_dx[entry])) $((panel_top + frame_dy[entry])) 3 40 "$red")
    if ((entry == $1)); then
      above "$redness" 0.4 || return 1
    else
      ! above "$redness" 0.05 || return 1
    fi
  done
}
# Money digit place $1 shows exactly digit $2 of the digit list.
place_shows() {
  local differing
  differing=$(convert "$shot" -crop "26x39+$((panel_left + place_dx[$1]))+$((panel_top + place_dy[$1]))" \
    +repage \( +clone "$work/digit-$2.png" -composite \) -metric AE -compare -format '%[distortion]' info:)
  [ "$differing" = 0 ]
}
counter_reads() {
  local i
  for i in 1 2 3 4; do place_shows "$i" "${1:i-1:1}" || return 1; done
}
# What the money counter shows, for messages: a "?" for a place that shows no digit.
counter_seen() {
  local i d seen=""
  for i in 1 2 3 4; do
    for d in 0 1 2 3 4 5 6 7 8 9 '?'; do
      [ "$d" = '?' ] && break
      place_shows "$i" "$d" && break
    done
    seen+=$d
  done
  echo "$seen"
}
# The shop with entry $1 selected and the counter reading $2.
shop_shows() {
  ! above "$(pills_blue)" 0.05 && panel_centred && shop_frame_on "$1" && counter_reads "$2"
}
# Like expect, for the shop: a failure tells what the counter showed.
expect_shop() {
  local name=$1
  shift
  shop_once() {
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended before '$name'"
    take_shot "$name"
    shop_shows "$@"
  }
  poll 5 shop_once "$@" ||
    fail "the screen does not show '$name' (shop_shows $*; the counter reads $(counter_seen))"
  echo "ok $label $name"
}

# --- the score board ---

readonly golden='abs(r-0.6)<0.02 && abs(g-0.4)<0.02 && b<0.02'
readonly name_cells=22 score_cells=4

# Which glyph cells of the ten table lines hold ink: one line of 0 and 1 per table line, for the
# name cells from x 67 on and, after a blank, the score cells ending at x 749. Ink is whatever
# differs from the board's ground colour.
ink_cells() {
  local crop=$1 cells=$2
  convert "$shot" -crop "$crop" +repage -fill black -opaque 'rgb(153,102,0)' -fill white +opaque black \
    -colorspace Gray -scale "${cells}x10!" -depth 8 txt:- |
    awk -F'[(,:]+' 'NR > 1 { ink[$1 "," $2] = ($4 + 0 > 0) }
      END { for (y = 0; y < 10; y++) { s = ""; for (x = 0; x < '"$cells"'; x++) s = s ink[x "," y]; print s } }'
}
seen_table() {
  paste -d ' ' <(ink_cells "$((name_cells * 17))x350+67+135" $name_cells) \
    <(ink_cells "$((score_cells * 17))x350+$((750 - score_cells * 17))+135" $score_cells)
}
# The cells a decoded table line must ink: the name left-aligned one glyph a cell, the score
# right-aligned; a blank has no glyph.
expected_cells() {
  local name=${1%%|*} score=${1##*|} cells="" i
  for ((i = 0; i < name_cells; i++)); do
    if ((i < ${#name})) && [ "${name:i:1}" != " " ]; then cells+=1; else cells+=0; fi
  done
  cells+=" "
  for ((i = score_cells; i >= 1; i--)); do
    if ((i <= ${#score})) && [ "${score:${#score}-i:1}" != " " ]; then cells+=1; else cells+=0; fi
  done
  echo "$cells"
}
score_board_shows() {
  ! above "$(pills_blue)" 0.05 && ! above "$(share "$panel_left" "$panel_top" 220 260 "$green")" 0.01 &&
    above "$(share 0 0 "$sw" "$sh" "$golden")" 0.6 &&
    above "$(share 450 135 230 350 "$golden")" 0.999 &&
    above "$(share 176 44 446 33 'r>0.7 && g>0.7 && b>0.7')" 0.05 &&
    [ "$(seen_table)" = "$want_table" ]
}

score_board_now() {
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended before the score board"
  take_shot score-board
  score_board_shows
}

# --- the file dialogs ---

# Answers the file dialog that $1 opened by typing $2 into it: a path starting with "/" opens
# the chooser's location entry, a bare name goes to the save dialog's name entry.
answer_dialog() {
  poll 10 chooser_focused || fail "$1 did not open a focused file dialog"
  # The chooser fills its list and grabs the keyboard after it is mapped.
  sleep 0.5
  take_shot "$1-dialog"
  xdo type --delay 15 "$2"
  sleep 0.3
  take_shot "$1-dialog-typed"
  press Return
  poll 15 window_gone "$chooser" || fail "Enter did not accept the file dialog of $1"
  poll 15 game_window_up || fail "the game did not get the keyboard back from the dialog of $1"
  [ "$(readlink "/proc/$game_pid/cwd")" = "$game" ] ||
    fail "the game does not work in its own folder after the dialog of $1"
  echo "ok $label $1-dialog"
}

# The game runs without a locale. (The level has a Latin name: xdotool drops Cyrillic letters
# now and then when it types them on a busy machine.)
start_game() {
  launch_game "$game" C
  poll 10 game_window_up || fail "the game window did not cover the screen with the focus"
  no_other_boxes
  expect menu menu_on 1 2
}

# --- a single level ---

play_single_level() {
  label=single
  start_game
  press Down
  press Down
  press Down
  expect menu-custom menu_on 4 3
  press Return
  answer_dialog custom "$game/levels/Single.lvl"
  expect play board_shows 6 4 "0 0 13" "3 2 2" "2 2 1" "1 2 6" "1 1 3" "5 3 13"
  press Left
  expect exit-open board_shows 6 4 "2 2 2" "3 2 5" "1 2 7"
  press Left
  expect_game_end "walking into the exit of a single level"
  echo "ok $label exit"
}

# --- the campaign ---

check_saved_campaign() {
  local file="$game/$save_name.ksv" lines
  # The game writes after the dialog has gone, through a work file renamed at the end.
  poll 5 test -f "$file" || fail "the shop's Save wrote no $save_name.ksv: $(ls "$game")"
  lines=$(grep -c $'\r$' "$file" || true)
  if ((lines != 11)) || [ "$(wc -l <"$file")" != 11 ]; then
    fail "$save_name.ksv has not eleven CR LF lines: $(od -c "$file")"
  fi
  [ "$(head -n 1 "$file")" = $'2\r' ] || fail "$save_name.ksv does not name level 2: $(head -n 1 "$file")"
  cmp -s "$file" "$expected/$save_name.ksv" ||
    fail "$save_name.ksv is not the campaign the headless game saves: $(od -c "$file")"
  echo "ok $label saved-campaign"
}

check_score_table() {
  local decoded
  cmp -s "$game/High.scr" "$expected/High.scr" ||
    fail "High.scr is not the table the headless game writes: $("$codec" decode <"$game/High.scr")"
  decoded=$("$codec" decode <"$game/High.scr")
  [ "$(wc -l <<<"$decoded")" = 11 ] || fail "High.scr has not eleven entries: $decoded"
  grep -qx "$player_name | 10" <<<"$decoded" || fail "High.scr holds no entry of $player_name: $decoded"
  want_table=""
  local line
  while IFS= read -r line; do
    want_table+=$(expected_cells "$line")$'\n'
  done < <(head -n 10 <<<"$decoded")
  want_table=${want_table%$'\n'}
  echo "ok $label score-table-file"
}

play_campaign() {
  label=campaign
  start_game
  press Down
  expect menu-new menu_on 2 1
  press Return
  expect level1 board_shows 13 3 "0 1 13" "1 1 2" "2 1 1" "10 1 1" "11 1 13" "12 2 13"
  press Right
  expect level1-exit-open board_shows 13 3 "1 1 5" "2 1 2" "3 1 1" "11 1 7"
    for _ in 1 2 3 4 5 6 7 8 9; do press Right; done
  expect_shop shop-after-level1 6 0008
  press Up
  press Up
  press Up
  expect_shop shop-on-ground 3 0008
  press Return
  expect_shop shop-bought-ground 3 0003
  press Down
  press Down
  expect_shop shop-on-save 5 0003
  local before_dialog=$shot
  press Return
  answer_dialog save "$save_name"
  check_saved_campaign
  # The dialog lay over the shop and the board beside it: the screen must be as it was.
  expect_shop shop-after-save 5 0003
  screen_as_before() {
    take_shot shop-after-save-whole
    [ "$(compare -metric AE "$before_dialog" "$shot" null: 2>&1)" = 0 ]
  }
  poll 5 screen_as_before || fail "the screen after the save dialog differs from the one before it"
  echo "ok $label screen-after-save-dialog"
  press Down
  expect_shop shop-on-play 6 0003
  press Return
  expect level2 board_shows 7 4 "0 0 13" "1 1 2" "2 1 1" "4 1 1" "5 1 13" "1 2 3" "6 3 13"
  [ "$(cat "$snapshot" 2>/dev/null)" = $'3\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r' ] ||
    fail "the shop's Play did not leave the snapshot of 3 money and one Ground: $(od -c "$snapshot" 2>&1)"
  for _ in 1 2 3 4; do press Right; done
  expect_shop shop-after-level2 6 0005
  # There is no third level: Play ends the campaign.
  press Return
  poll 5 cmp -s "$game/High.scr" "$expected/High.scr" || true
  check_score_table
  if ! poll 5 score_board_now; then
    fail "the screen does not show the score board; glyph cells seen:
$(seen_table)
and expected:
$want_table"
  fi
  echo "ok $label score-board"
  press space
  expect menu-after-score-board menu_on 1 2
  press Down
  press Down
  press Down
  press Down
  expect menu-load menu_on 5 4
  press Return
  answer_dialog load "$game/$save_name.ksv"
  expect_shop shop-loaded 6 0003
  press Return
  expect level2-again board_shows 7 4 "1 1 2" "2 1 1" "4 1 1" "5 1 13"
  press Escape
  expect menu-from-play menu_on 1 2
  press Up
  expect menu-exit menu_on 6 1
  press Return
  expect_game_end "Enter on Exit"
  [ ! -e "$snapshot" ] || fail "the snapshot is still there after Exit"
  echo "ok $label exit"
}

label=start
start_screen
prepare_folder
play_single_level
play_campaign
stop_screen
echo "e2e campaign passed; screenshots in $shots"
