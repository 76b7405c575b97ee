#!/usr/bin/env bash
# The game's sounds as a player hears them, through SDL's "disk" audio driver, which plays into
# a file in real time: a menu move sounds, M silences the game at once and for the rest of the
# run, the choice holds when the game is started again (it then does not even open the audio
# device), and M there brings the sound back. Runs on a virtual 800 x 600 screen without a
# window manager. Screenshots stay in SCREENSHOT_FOLDER.
# Usage: run_sound_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER
set -euo pipefail

readonly game_folder=${1:?usage: run_sound_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER}
readonly shots=${2:?usage: run_sound_e2e.sh GAME_FOLDER SCREENSHOT_FOLDER}

# shellcheck source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
require_tools
command -v sox >/dev/null || { echo "e2e FAIL: sox is missing (scripts/setup.sh)" >&2; exit 1; }
[ -x "$game_folder/quillmere" ] || { echo "e2e FAIL: no $game_folder/quillmere" >&2; exit 1; }

work=$(mktemp -d /tmp/quillmere-sound-e2e.XXXXXX)
mkdir -p "$shots"
rm -f "$shots"/*.png
trap cleanup EXIT
trap 'exit 1' INT TERM

size=800x600 sw=800 sh=600 window_manager=bare label=sound
readonly audio="$work/audio.raw"
# What the game plays: 16-bit mono samples at 22050 Hz, 44100 bytes a second. The driver
# writes through a buffer of its own, so the file's size runs up to 4 KB behind the sound.
readonly bytes_per_second=44100 lag=4096
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$audio" XDG_CONFIG_HOME="$work/config"

# The loudest sample between the bytes $1 and $2 of the file, 0 (silence) to 1.
loudest() {
  sox -t raw -r 22050 -e signed -b 16 -c 1 "$audio" -n trim "$(($1 / 2))s" "$((($2 - $1) / 2))s" \
    stat 2>&1 | awk '/Maximum amplitude/ { print $3 }'
}
played() { stat -c %s "$audio" 2>/dev/null || echo 0; }
# From the menu's entry $1 up to Exit, and Enter.
quit_from_entry() {
  local up
  for ((up = $1; up > 0; up--)); do press Up; done
  expect menu-exit menu_on 6 1
  press Return
  expect_game_end "Enter on Exit"
}
device_plays() { (($(played) > 2 * lag)); }

start_screen
cp -a "$game_folder" "$work/game"
launch_game "$work/game"
poll 10 game_window_up || fail "the game window did not cover the screen"
expect menu menu_on 1 2
poll 10 device_plays || fail "the game played nothing into $audio: $(cat "$work/game.log")"

from=$(played)
press Down
expect menu-move menu_on 2 1
sleep 0.5
press m
until_m=$(played)
# The fade of what plays and the driver's own buffers: 100 ms, plus the file's lag.
silent_from=$((until_m + lag + bytes_per_second / 10))
press Up
press Down
expect muted-moves menu_on 2 1
sleep 1
to=$(played)
above "$(loudest "$from" "$until_m")" 0.02 || fail "no sound after Down in the menu"
echo "ok $label menu-move heard"
((to > silent_from + bytes_per_second / 2)) || fail "too little played after M to judge"
[ "$(loudest "$silent_from" "$to")" = 0.000000 ] || fail "sound after M: $(loudest "$silent_from" "$to")"
echo "ok $label silent after M"
grep -qx 'on=0' "$work/config/quillmere/settings.ini" || fail "M was not kept in settings.ini"
quit_from_entry 2

label=sound-again
rm -f "$audio"
launch_game "$work/game"
poll 20 game_window_up || fail "the game window did not come back"
expect menu menu_on 1 2
press Down
expect menu-move menu_on 2 1
sleep 0.5
[ ! -e "$audio" ] || fail "the game opened the audio device with sound off"
echo "ok $label still silent"
press m
poll 10 device_plays || fail "M did not open the audio device: $(cat "$work/game.log")"
from=$(played)
press Up
expect menu-move-again menu_on 1 2
sleep 0.5
above "$(loudest "$from" "$(played)")" 0.02 || fail "no sound after M turned it on again"
echo "ok $label heard again"
quit_from_entry 1
