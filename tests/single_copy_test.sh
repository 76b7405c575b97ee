#!/usr/bin/env bash
# One copy of the game per user, tried with real processes and no display. While the headless
# driver replays on the game's own snapshot, other such replays run beside it, but the game
# says that it is running and ends without touching a file; while the game holds its lock (here
# `flock` holds it in the game's place), a replay on the game's snapshot is refused the same way;
# a holder killed outright leaves nothing behind; a replay with a snapshot of its own takes no
# lock at all. The real window's side: tests/e2e/run_boxes_e2e.sh.
# Usage: single_copy_test.sh GAME_FOLDER
set -euo pipefail

readonly game=${1:?usage: single_copy_test.sh GAME_FOLDER}
readonly headless=$game/quillmere-headless
work=$(mktemp -d /tmp/quillmere-single-copy.XXXXXX)
holder=""
cleanup() {
  [ -z "$holder" ] || kill -KILL "$holder" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "single copy FAIL: $*" >&2
  exit 1
}

# The game's private runtime folder, with the snapshot of the copy that runs.
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
readonly lock=$XDG_RUNTIME_DIR/Quillmere.lock
readonly snapshot=$XDG_RUNTIME_DIR/Kolbrin.tmp
printf '5\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n' >"$snapshot"
mkdir "$work/folder" "$work/game"
printf '3\r\n1\r\n0\r\n0\r\n0\r\n2 5 5\r\n' >"$work/folder/Level1.cam"
cp -a "$game/quillmere" "$work/game/"
printf 'dump\n' >"$work/dump.script"
# New deletes the snapshot and closing deletes it again: a copy that ran leaves none.
printf 'key down\nkey enter\nclose\n' >"$work/new-and-close.script"

files_now() {
  (cd "$work" && find folder run game -type f ! -name Quillmere.lock -print0 | sort -z |
    xargs -0 md5sum)
}
# Whether a copy holds the lock, read from the kernel's list of locks: trying to take the lock
# here would, for a moment, keep a copy that starts meanwhile from taking it.
held() {
  [ -e "$lock" ] || return 1
  grep -q ":$(stat -c %i "$lock") " /proc/locks
}
wait_until_held() {
  local tries=100
  until held; do
    ((tries-- > 0)) || fail "$1 did not take the lock"
    sleep 0.1
  done
}
# The game started beside another copy must say so and end, without a display to show a box.
game_is_refused() {
  local code=0 err
  err=$(cd / && env -u DISPLAY -u WAYLAND_DISPLAY "$work/game/quillmere" 2>&1 >/dev/null) || code=$?
  ((code == 1)) || fail "the game ended with $code, not 1: $err"
  grep -q 'Quillmere: Игра уже запущена.' <<<"$err" || fail "the game said: $err"
}
replay_is_refused() {
  local code=0 out
  out=$("$headless" --folder "$work/folder" "$work/new-and-close.script") || code=$?
  ((code == 1)) || fail "a replay on the game's snapshot ended with $code, not 1: $out"
  [ "$out" = 'message "Quillmere" "Игра уже запущена."' ] || fail "a replay said: $out"
}

# --- a replay on the game's snapshot runs; the game does not start beside it ---
rm -f "$work/pipe"
mkfifo "$work/pipe"
"$headless" --folder "$work/folder" - <"$work/pipe" >"$work/holder.out" &
holder=$!
exec 3>"$work/pipe"
wait_until_held "a replay waiting for its script"
before=$(files_now)
out=$("$headless" --folder "$work/folder" "$work/dump.script") || fail "a second replay did not run"
grep -q '^file="Level1.cam"' <<<"$out" || fail "a second replay said: $out"
game_is_refused
[ "$(files_now)" = "$before" ] || fail "the refused game touched a file: $(files_now)"
printf 'dump\n' >&3
exec 3>&-
wait "$holder" || fail "the replay holding the lock ended with an error"
holder=""
grep -q '^file="Level1.cam"' "$work/holder.out" || fail "the first replay said: $(cat "$work/holder.out")"

# --- while the game holds its lock, a replay on its snapshot is refused ---
(
  exec 9<"$lock"
  flock -x 9
  exec sleep 60
) &
holder=$!
wait_until_held "flock in the game's place"
before=$(files_now)
replay_is_refused
game_is_refused
[ "$(files_now)" = "$before" ] || fail "a refused copy touched a file: $(files_now)"
out=$("$headless" --folder "$work/folder" --snapshot "$work/own.tmp" "$work/new-and-close.script") ||
  fail "a replay with its own snapshot did not run: $out"
[ "$out" = closed ] || fail "a replay with its own snapshot said: $out"

# --- a holder killed outright leaves no lock behind ---
kill -KILL "$holder"
wait "$holder" 2>/dev/null || true
holder=""
out=$("$headless" --folder "$work/folder" "$work/new-and-close.script") ||
  fail "the replay after a killed holder did not run: $out"
[ "$out" = closed ] || fail "the replay after a killed holder said: $out"
[ ! -e "$snapshot" ] || fail "the replay after a killed holder left the snapshot"
echo "single copy passed"
