#!/usr/bin/env bash
# What sound costs, measured on a virtual X screen (Xvfb + openbox, 800 x 600) from outside the
# game, with SDL's "disk" audio driver standing in for a sound card (it plays into /dev/null in
# real time, from a thread of SDL's, as a device would):
#   start-up until the menu's pixels are on the screen, the median of RUNS (11) runs taken in
#   turn with sound on, sound off (M's choice in settings.ini: the game then opens no audio
#   device) and sound on where no audio device can be opened;
#   CPU of the game idle in the menu and at rest in play with sound on and off;
#   peak resident memory with sound on and off.
# Usage: bench/measure_sound_figures.sh [BUILD_DIR]   (default build/; needs scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
game_src=$build/game
probe=$build/bench/quillmere-screen-probe
runs=${RUNS:-11}
cpu_seconds=${CPU_SECONDS:-10}
for f in "$game_src/quillmere" "$probe"; do
  [ -x "$f" ] || { echo "missing $f: build first" >&2; exit 1; }
done

. bench/figures_lib.sh
figures_work quillmere-sound-figures
mkdir -p "$work/on/quillmere" "$work/off/quillmere"
printf '[sound]\non=0\n' > "$work/off/quillmere/settings.ini"

screen 800x600

cp -r "$game_src" "$work/game"
rm -f "$work/game/Player.cfg"
# A level at rest: earth around the player.
{
  printf '%s\r\n' 30 20 15 10 0
  for ((y = 0; y < 20; y++)); do
    row=""
    for ((x = 0; x < 30; x++)); do
      if ((x == 15 && y == 10)); then row+="5 "; else row+="3 "; fi
    done
    printf '%s\r\n' "${row% }"
  done
} > "$work/game/Level1.cam"

# The environment of each way to run: sound on, sound off, no audio device at all.
with() {
  case $1 in
    on) echo SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null XDG_CONFIG_HOME=$work/on ;;
    off) echo SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null XDG_CONFIG_HOME=$work/off ;;
    none) echo SDL_AUDIODRIVER=none-here XDG_CONFIG_HOME=$work/on ;;
  esac
}
start_game() {  # $1: on, off or none; returns when the menu is on the screen
  local out
  # shellcheck disable=SC2046
  out=$("$probe" launch 396 296 8 8 -- env $(with "$1") "$work/game/quillmere")
  startup=${out% *} game=${out#* }
}
# Ends the game and waits until it is gone (it is no child of this shell).
stop_game() {
  local tries=100
  kill "$game" 2>/dev/null || true
  alive() { local state; state=$(ps -o stat= -p "$1" 2>/dev/null) && [[ $state != Z* ]]; }
  while alive "$game" && ((tries-- > 0)); do sleep 0.02; done
  game=""
  sleep 0.3
}
cpu_percent() {  # of process $1 over $cpu_seconds
  local hz a b
  hz=$(getconf CLK_TCK)
  a=$(awk '{print $14 + $15}' "/proc/$1/stat")
  sleep "$cpu_seconds"
  b=$(awk '{print $14 + $15}' "/proc/$1/stat")
  awk -v d=$((b - a)) -v hz="$hz" -v s="$cpu_seconds" 'BEGIN {printf "%.2f", 100 * d / hz / s}'
}

ways=(on off none)
echo "== start-up at 800x600 (ms until the menu is on the screen; $runs runs of each, in turn)"
for w in "${ways[@]}"; do : > "$work/startup_$w"; done
for ((i = 0; i < runs; i++)); do
  for w in "${ways[@]}"; do
    start_game "$w"
    echo "$startup" >> "$work/startup_$w"
    stop_game
  done
done
for w in "${ways[@]}"; do
  echo "sound $w: median $(median < "$work/startup_$w") ms ($(tr '\n' ' ' < "$work/startup_$w"))"
done

echo "== CPU of the game over $cpu_seconds s, and peak resident memory"
for w in "${ways[@]}"; do
  start_game "$w"
  sleep 1
  menu=$(cpu_percent "$game")
  xdotool key Return
  sleep 1
  rest=$(cpu_percent "$game")
  peak=$(awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$game/status")
  threads=$(awk '/Threads/ {print $2}' "/proc/$game/status")
  echo "sound $w: menu idle $menu %, play at rest $rest %, peak $peak MB, $threads threads"
  stop_game
done
