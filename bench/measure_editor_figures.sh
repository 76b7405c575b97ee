#!/usr/bin/env bash
# The level editor's figures, measured from outside:
#   start-up until the level's pixels are on a virtual X screen (Xvfb + openbox), beside the
#   game's start-up until its menu is there, each the median of several runs;
#   the check (F9) on every shipped level: its answer, states, seconds and memory, one process
#   per level.
# Usage: bench/measure_editor_figures.sh [BUILD_DIR]   (default build/; needs scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
game_src=$build/game
probe=$build/bench/quillmere-screen-probe
check=$build/bench/quillmere-check-figures
runs=${RUNS:-5}
for f in "$game_src/quillmere" "$game_src/quillmere-edit" "$probe" "$check"; do
  [ -x "$f" ] || { echo "missing $f: build first" >&2; exit 1; }
done

. bench/figures_lib.sh
figures_work quillmere-editor-figures
end_program() {
  local tries=100
  kill "$1" 2>/dev/null || true
  alive() { local state; state=$(ps -o stat= -p "$1" 2>/dev/null) && [[ $state != Z* ]]; }
  while alive "$1" && ((tries-- > 0)); do sleep 0.02; done
  sleep 0.3
}

screen 800x600

echo "== start-up at 800x600 (ms until the first pixels are on the screen; $runs runs)"
: > "$work/game_ms"
: > "$work/edit_ms"
for ((i = 0; i < runs; i++)); do
  out=$("$probe" launch 396 296 8 8 -- "$game_src/quillmere")
  echo "${out% *}" >> "$work/game_ms"
  end_program "${out#* }"
  # The editor opens the first campaign level: the player's cell (1, 1) is drawn at (36, 36).
  out=$("$probe" launch 40 40 8 8 -- "$game_src/quillmere-edit" "$game_src/Level1.cam")
  echo "${out% *}" >> "$work/edit_ms"
  end_program "${out#* }"
done
echo "game (menu) median: $(median < "$work/game_ms") ms ($(tr '\n' ' ' < "$work/game_ms"))"
echo "editor (Level1.cam) median: $(median < "$work/edit_ms") ms ($(tr '\n' ' ' < "$work/edit_ms"))"

echo "== the check (F9) on the shipped levels"
for level in levels/campaign/Level{1..15}.cam levels/single/*.lvl; do
  "$check" "$level"
done
