#!/bin/sh
# Runs a Windows program of the build under Wine: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# PREFIX is the build's own Wine prefix, made on first use. Wine's own chatter is silenced, and a
# wine server stays up for a minute after the last program so that the next one starts at once.
set -eu
prefix=$1
shift
WINEPREFIX=$prefix
WINEDEBUG=-all
# No .NET and no browser engine: Wine would offer to download them when it makes the prefix.
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/.quillmere-ready" ]; then
    rm -rf "$prefix"
    wineboot -i >/dev/null 2>&1
    # Without a window manager Wine would wait about 2 s on every window that closes.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    # A crashing test program ends with a report on standard error instead of a dialog that waits.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.quillmere-ready"
  fi
) 9>"$prefix.lock"

# Started apart from the programs so that it holds none of their output streams open.
wineserver -p60 </dev/null >/dev/null 2>&1 || true
exec wine "$@"
