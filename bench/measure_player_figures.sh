#!/usr/bin/env bash
# The figures a player feels, measured on a virtual X screen (Xvfb + openbox) from outside the
# game, each the median of several runs:
#   start-up until the menu's pixels are on the screen, beside a bare SDL window's first frame;
#   a key press until its frame is on the screen (menu and play);
#   CPU use idle in the menu, at rest in play, with a few creatures walking and on a busy
#   level, at 800 x 600 and 1920 x 1080;
#   peak resident memory with a 101 x 101 level, and how much of it is the game's own.
# Usage: bench/measure_player_figures.sh [BUILD_DIR]   (default build/; needs scripts/build.sh)
# The game draws with SDL's software renderer where there is no graphics device (as under
# Xvfb); SDL_RENDER_DRIVER=opengl in the environment measures its OpenGL renderer instead.
# The per-tick figures come from Google Benchmark: BUILD_DIR/bench/quillmere-bench.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
game_src=$build/game
probe=$build/bench/quillmere-screen-probe
bare=$build/bench/quillmere-bare-window
runs=${RUNS:-5}
cpu_seconds=${CPU_SECONDS:-10}
for f in "$game_src/quillmere" "$game_src/quillmere-headless" "$probe" "$bare"; do
  [ -x "$f" ] || { echo "missing $f: build first" >&2; exit 1; }
done

. bench/figures_lib.sh
figures_work quillmere-figures

# A copy of the program's folder whose first level is "$1" (level text on stdin).
folder() {
  rm -rf "$work/game"
  cp -r "$game_src" "$work/game"
  cat > "$work/game/Level1.cam"
}

level() {  # W H PX PY then a function name that prints the code of cell x y
  local w=$1 h=$2 x y row
  printf '%s\r\n' "$1" "$2" "$3" "$4" 0
  for ((y = 0; y < h; y++)); do
    row=""
    for ((x = 0; x < w; x++)); do row+="$($5 "$x" "$y" "$3" "$4") "; done
    printf '%s\r\n' "${row% }"
  done
}
earth() { if [ "$1" = "$3" ] && [ "$2" = "$4" ]; then echo 5; else echo 3; fi; }
walkers() {  # earth, and an open room with four creatures walking its walls
  if (($1 >= 2 && $1 < 10 && $2 >= 2 && $2 < 10)); then
    if (($1 == 2 && $2 % 2 == 0)); then echo 8; else echo 5; fi
  else earth "$@"; fi
}
busy() {  # creatures in open space, slime, rocks over empty cells; the player walled in
  local dx=$(($1 - $3)) dy=$(($2 - $4))
  if ((dx == 0 && dy == 0)); then echo 5
  elif ((dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2)); then echo 13
  elif (($1 % 4 == 0 && $2 % 4 == 0)); then echo $((8 + ($1 + $2) % 4))
  elif (($1 % 9 == 1 && $2 % 7 == 3)); then echo 12
  elif (($2 % 5 == 0)); then echo 4
  else echo 5; fi
}

start_game() {  # starts the game, returns when the menu is on the screen; sets $game, $startup
  local out
  out=$("$probe" launch $((sw / 2 - 4)) $((sh / 2 - 4)) 8 8 -- "$work/game/quillmere")
  startup=${out% *} game=${out#* }
  if [ "$sw" != 800 ] && [ "$sh" != 600 ]; then  # the start-up warning about the screen size
    sleep 1
    xdotool key Return
  fi
  sleep 0.5
}
# Ends a program the probe started and waits until it is gone: it is no child of this shell, so
# `wait` returns at once, and a window still closing would be taken for the next one's frame.
end_program() {
  local tries=100
  kill "$1" 2>/dev/null || true
  alive() { local state; state=$(ps -o stat= -p "$1" 2>/dev/null) && [[ $state != Z* ]]; }
  while alive "$1" && ((tries-- > 0)); do sleep 0.02; done
  sleep 0.3
}
stop_game() { end_program "$game"; game=""; }

cpu_percent() {  # of process $1 over $cpu_seconds
  local hz a b
  hz=$(getconf CLK_TCK)
  a=$(awk '{print $14 + $15}' "/proc/$1/stat")
  sleep "$cpu_seconds"
  b=$(awk '{print $14 + $15}' "/proc/$1/stat")
  awk -v d=$((b - a)) -v hz="$hz" -v s="$cpu_seconds" 'BEGIN {printf "%.1f", 100 * d / hz / s}'
}

echo "== start-up at 800x600 (ms until the first frame is on the screen; $runs runs)"
screen 800x600
level 30 20 15 10 earth | folder
first=""
: > "$work/game_ms"
# The bare window as the game used to open its window, two ways that wait less, and SDL's
# software renderer (bare_window.cpp).
variants=(plain opengl hidden software)
for v in "${variants[@]}"; do : > "$work/bare_$v"; done
for ((i = 0; i < runs; i++)); do
  start_game
  [ -n "$first" ] || first=$startup
  echo "$startup" >> "$work/game_ms"
  stop_game
  for v in "${variants[@]}"; do
    out=$("$probe" launch 396 296 8 8 -- "$bare" "$v")
    echo "${out% *}" >> "$work/bare_$v"
    end_program "${out#* }"
  done
done
game_median=$(median < "$work/game_ms")
echo "first start in a fresh X server: $first ms"
echo "game median: $game_median ms ($(tr '\n' ' ' < "$work/game_ms"))"
for v in "${variants[@]}"; do
  m=$(median < "$work/bare_$v")
  echo "bare SDL window ($v) median: $m ms ($(tr '\n' ' ' < "$work/bare_$v")); game / bare $(awk -v g="$game_median" -v b="$m" 'BEGIN {printf "%.2f", g / b}')"
done

echo "== key press to presented frame at 800x600 (ms; $runs presses each)"
start_game
: > "$work/menu_key"; : > "$work/play_key"
for ((i = 0; i < runs; i++)); do
  "$probe" key Down $((521 * sw / 800)) $((229 * sh / 600)) $((162 * sw / 800)) $((41 * sh / 600)) >> "$work/menu_key"
  sleep 0.3
  "$probe" key Up $((521 * sw / 800)) $((189 * sh / 600)) $((162 * sw / 800)) $((41 * sh / 600)) > /dev/null
  sleep 0.3
done
xdotool key Return; sleep 0.5
for ((i = 0; i < runs; i++)); do
  key=Right; ((i % 2 == 0)) || key=Left
  "$probe" key $key $((sw / 2 - 32)) $((sh / 2 - 32)) 64 64 >> "$work/play_key"
  sleep 0.3
done
stop_game
echo "menu (Down): median $(median < "$work/menu_key") ms ($(tr '\n' ' ' < "$work/menu_key"))"
echo "play (arrow): median $(median < "$work/play_key") ms ($(tr '\n' ' ' < "$work/play_key"))"

echo "== CPU use of the game (and of the X server) over $cpu_seconds s"
for size in 800x600 1920x1080; do
  screen "$size"
  for kind in earth walkers busy; do
    level 60 40 30 20 "$kind" | folder
    start_game
    if [ "$kind" = earth ]; then
      echo "$size menu idle: game $(cpu_percent "$game") %, X server $(cpu_percent "$server") %"
    fi
    xdotool key Return; sleep 1
    case $kind in
      earth) what="play at rest" ;;
      walkers) what="play, four creatures walking" ;;
      busy) what="busy level" ;;
    esac
    echo "$size $what: game $(cpu_percent "$game") %, X server $(cpu_percent "$server") %"
    stop_game
  done
done

echo "== resident memory with a 101 x 101 level"
big() { if (($1 == $3 && $2 == $4)); then echo 5; else echo $((($1 * 7 + $2 * 3) % 14 == 2 ? 3 : ($1 * 7 + $2 * 3) % 14)); fi; }
level 101 101 50 50 big > "$work/big.cam"
for size in 800x600 1920x1080; do
  screen "$size"
  folder < "$work/big.cam"
  start_game
  menu_kb=$(awk '/VmRSS/ {print $2}' "/proc/$game/status")
  xdotool key Return; sleep 2
  awk -v s="$size" -v m="$menu_kb" '/VmHWM/ {printf "%s game peak %.0f MB (at the menu %.0f MB)\n", s, $2 / 1024, m / 1024}' "/proc/$game/status"
  # Where the resident pages are now: the game's own heap and code, the GL and X libraries.
  awk '/^[0-9a-f]+-/ {name = $6} /^Rss:/ {
         if (name ~ /dri|gallium|LLVM|libGL|mesa|glapi/) gl += $2
         else if (name ~ /quillmere/) own += $2
         else if (name == "" || name ~ /^\[/) anon += $2
         else libs += $2 }
       END {printf "  now: anonymous (heap, pictures, textures) %.0f MB, GL/driver code %.0f MB, other libraries %.0f MB, game code %.0f MB\n", anon/1024, gl/1024, libs/1024, own/1024}' "/proc/$game/smaps"
  stop_game
  for v in plain software; do
    out=$("$probe" launch $((sw / 2 - 4)) $((sh / 2 - 4)) 8 8 -- "$bare" "$v")
    sleep 1
    awk -v s="$size" -v v="$v" '/VmHWM/ {printf "%s bare SDL window (%s) peak %.0f MB\n", s, v, $2 / 1024}' "/proc/${out#* }/status"
    end_program "${out#* }"
  done
done
printf 'key enter\ntick\ntick\n' > "$work/big.script"
rm -rf "$work/game"; mkdir "$work/game"; cp "$work/big.cam" "$work/game/Level1.cam"
/usr/bin/time -f '%M' -o "$work/headless_kb" "$game_src/quillmere-headless" --screen 1920x1080 \
  --folder "$work/game" "$work/big.script" > /dev/null
awk '{printf "headless driver (the game without a window, every picture) at 1920x1080: peak %.0f MB\n", $1 / 1024}' "$work/headless_kb"
