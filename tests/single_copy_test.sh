#!/usr/bin/env bash
# One copy of the game per user, tried with real processes. While a copy runs on the game's own
# snapshot, a second copy (the game or the headless driver) says that the game is running and
# ends without touching a file; a copy killed outright leaves nothing that blocks the next start;
# a headless run with a snapshot of its own takes no lock at all.
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
printf '5\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n' >"$XDG_RUNTIME_DIR/Kolbrin.tmp"
mkdir "$work/folder"
printf '3\r\n1\r\n0\r\n0\r\n0\r\n2 5 5\r\n' >"$work/folder/Level1.cam"
# New deletes the snapshot and closing deletes it again: a copy that ran would leave none.
printf 'key down\nkey enter\nclose\n' >"$work/new-and-close.script"

# Starts a headless copy on the game's own snapshot that holds the lock while it waits for its
# script on a pipe; the script is written to file descriptor 3.
start_holder() {
  rm -f "$work/pipe"
  mkfifo "$work/pipe"
  "$headless" --folder "$work/folder" - <"$work/pipe" >"$work/holder.out" &
  holder=$!
  exec 3>"$work/pipe"
  local tries=100
  while flock -n "$lock" true 2>/dev/null; do
    ((tries-- > 0)) || fail "the first copy did not take the lock"
    sleep 0.1
  done
}

files_now() {
  (cd "$work" && find folder run -type f ! -name Quillmere.lock -print0 | sort -z | xargs -0 md5sum)
}

# --- a second copy while the first runs ---
start_holder
before=$(files_now)

code=0
out=$("$headless" --folder "$work/folder" "$work/new-and-close.script") || code=$?
((code == 1)) || fail "a second headless copy ended with $code, not 1: $out"
[ "$out" = 'message "Quillmere" "Игра уже запущена."' ] || fail "a second headless copy said: $out"

mkdir "$work/game"
cp -a "$game/quillmere" "$work/game/"
game_before=$(ls -A "$work/game")
code=0
err=$(cd / && env -u DISPLAY -u WAYLAND_DISPLAY "$work/game/quillmere" 2>&1 >/dev/null) || code=$?
((code == 1)) || fail "a second copy of the game ended with $code, not 1: $err"
grep -q 'Quillmere: Игра уже запущена.' <<<"$err" || fail "a second copy of the game said: $err"
[ "$(ls -A "$work/game")" = "$game_before" ] || fail "a second copy of the game left files behind"

[ "$(files_now)" = "$before" ] || fail "a second copy touched a file: $(files_now)"

# A run with a snapshot of its own is no copy of the game being played.
out=$("$headless" --folder "$work/folder" --snapshot "$work/own.tmp" "$work/new-and-close.script") ||
  fail "a headless run with its own snapshot did not run: $out"
[ "$out" = closed ] || fail "a headless run with its own snapshot said: $out"

# The first copy goes on and ends normally.
printf 'dump\n' >&3
exec 3>&-
wait "$holder" || fail "the first copy ended with an error"
holder=""
grep -q '^file="Level1.cam"' "$work/holder.out" || fail "the first copy did not run: $(cat "$work/holder.out")"

# --- a copy killed outright leaves no lock behind ---
start_holder
kill -KILL "$holder"
wait "$holder" 2>/dev/null || true
holder=""
exec 3>&-
out=$("$headless" --folder "$work/folder" "$work/new-and-close.script") ||
  fail "the copy after a killed one did not run: $out"
[ "$out" = closed ] || fail "the copy after a killed one said: $out"
[ ! -e "$XDG_RUNTIME_DIR/Kolbrin.tmp" ] || fail "the copy after a killed one did not run its script"
echo "single copy passed"
