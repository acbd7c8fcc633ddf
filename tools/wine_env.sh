# Sourced by tests/wine/run.sh and tools/run.sh: how Windows programs run on
# this machine.
#
# horo_wine_choose ROOT
#   Picks the Wine mode.  Where the kernel executes 32-bit x86 code and
#   32-bit Wine is installed, the i686 programs of build/win32 run with it
#   (mode win32); elsewhere the same sources built for x86-64 (build/win64)
#   run with 64-bit Wine (mode win64).  Sets HORO_WINE_MODE, HORO_WINE (the
#   loader), HORO_WINESERVER and HORO_WIN_TREE (absolute build tree).
#   Returns 1 when no Wine can run here.
#
# horo_wine_prefix NAME [unmanaged]
#   Exports the environment of every Wine run (WINEPREFIX NAME inside the
#   build tree's wine/ folder, quiet, Japanese locale, JST) and creates the
#   prefix once.  "unmanaged" makes Wine draw the window frames and captions
#   itself, as needed on a virtual display without a window manager.

HORO_WINE32=/usr/lib/wine/wine
HORO_WINE64=/usr/lib/wine/wine64

horo_wine_choose() {
  local root=$1
  HORO_WINESERVER=/usr/lib/wine/wineserver
  # A kernel without 32-bit support answers "Exec format error"; an emulator
  # registered for i386 binaries may hang instead, hence the time limit.
  if [ -x "$HORO_WINE32" ] && timeout -k 2 20 "$HORO_WINE32" --version >/dev/null 2>&1; then
    HORO_WINE_MODE=win32
    HORO_WINE=$HORO_WINE32
    unset WINEARCH
  elif [ -x "$HORO_WINE64" ] && timeout -k 2 20 "$HORO_WINE64" --version >/dev/null 2>&1; then
    HORO_WINE_MODE=win64
    HORO_WINE=$HORO_WINE64
    export WINEARCH=win64
  else
    return 1
  fi
  HORO_WIN_TREE=$root/build/$HORO_WINE_MODE
}

horo_wine_prefix() {
  local name=$1 unmanaged=${2:-}
  export WINEPREFIX=$HORO_WIN_TREE/wine/$name
  export WINEDEBUG=-all
  # No downloads of the .NET and HTML engines at the first start.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  export TZ=Asia/Tokyo
  local stamp=$WINEPREFIX/.horomira-ready
  [ -e "$stamp" ] && return 0
  echo "wine: creating the prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  timeout -k 5 300 "$HORO_WINE" wineboot -i >/dev/null 2>&1 || true
  timeout -k 5 120 "$HORO_WINESERVER" -w || true
  if [ ! -e "$WINEPREFIX/system.reg" ]; then
    echo "wine: the prefix could not be created" >&2
    return 1
  fi
  if [ "$unmanaged" = unmanaged ]; then
    timeout -k 5 60 "$HORO_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 \
      || echo "wine: window frames are left to the window manager"
    timeout -k 5 60 "$HORO_WINESERVER" -w || true
  fi
  touch "$stamp"
}
