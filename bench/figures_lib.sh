# Shared by the bench/measure_*.sh scripts (sourced, never run): a scratch folder removed on
# exit with the programs started in it, the median of numbers, and a fresh virtual X screen.

# figures_work NAME: $work becomes /tmp/NAME.XXXXXX with a private runtime folder; on exit the
# programs in $game, $wm and $server are ended and $work is removed.
figures_work() {
  work=$(mktemp -d "/tmp/$1.XXXXXX")
  server="" wm="" game=""
  trap 'for p in $game $wm $server; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
  export GSETTINGS_BACKEND=memory XDG_RUNTIME_DIR=$work/run
  mkdir -m 700 "$work/run"
}

# The median of the numbers on standard input, one a line.
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

# screen WxH: a fresh X server (ending the previous one) with a window manager; sets DISPLAY,
# $sw and $sh.
screen() {
  for p in $wm $server; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  : > "$work/display"
  Xvfb -displayfd 3 -screen 0 "${1}x24" -br -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  server=$!
  until [ -s "$work/display" ]; do sleep 0.05; done
  export DISPLAY=:$(head -n 1 "$work/display")
  openbox >/dev/null 2>&1 &
  wm=$!
  sleep 1
  sw=${1%x*} sh=${1#*x}
}
