#!/bin/sh
# Runs a Windows program of the build under Wine: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# PREFIX is the build's own Wine prefix, made on first use (wine-run.sh PREFIX only makes it).
# Wine's own chatter is silenced, and its session stays up for a minute after the last program
# so that the next one starts at once.
set -eu
prefix=$1
shift
WINEPREFIX=$prefix
WINEDEBUG=-all
# No .NET and no browser engine: Wine would offer to download them when it makes the prefix.
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
# Wine spells Windows file names in the locale's character set: without a UTF-8 locale a name
# with Cyrillic letters cannot be created.
if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
  export LC_ALL=C.UTF-8
fi

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

[ $# -gt 0 ] || exit 0
# The session (its server and Wine's own services and desktop) is started apart from the
# programs, so that none of it holds their output streams open after they end: a test runner
# would wait for the end of those streams as long as the session lives.
wineserver -p60 </dev/null >/dev/null 2>&1 || true
wine wineboot </dev/null >/dev/null 2>&1 || true
exec wine "$@"
