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
#   Then gives the prefix the fonts the program names (horo_wine_fonts).
#
# horo_wine_fonts
#   Once per prefix: Wine's Marlett font for the caption buttons, and Wine's
#   font replacements for the faces the program
#   asks for, from Debian's fonts: IPA Gothic for "ＭＳ ゴシック" and the
#   other Japanese faces, Liberation Serif for "Times New Roman" (also asked
#   for as "Times New Roman Bold"), Liberation Mono for "Courier New".

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
  # No downloads of the .NET and HTML engines at the first start; no menu
  # entries of this machine's desktop for the Start-menu entries that the
  # installer test creates.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  export TZ=Asia/Tokyo
  local stamp=$WINEPREFIX/.horomira-ready
  if [ ! -e "$stamp" ]; then
    horo_wine_create_prefix "$unmanaged" || return 1
    touch "$stamp"
  fi
  horo_wine_fonts
}

horo_wine_create_prefix() {
  local unmanaged=$1
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
}

horo_wine_fonts() {
  local stamp=$WINEPREFIX/.horomira-fonts-1 reg face
  [ -e "$stamp" ] && return 0
  # This Wine does not find the fonts of its own data folder: Marlett, which
  # draws the caption buttons, is put where every Wine looks.
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null \
    || echo "wine: no marlett.ttf (fonts-wine): caption buttons show letters"
  reg=$WINEPREFIX/horomira-fonts.reg
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for face in "ＭＳ ゴシック" "MS Gothic" "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic"; do
      printf '"%s"="IPAGothic"\r\n' "$face"
    done
    printf '"Times New Roman"="Liberation Serif"\r\n'
    printf '"Times New Roman Bold"="Liberation Serif"\r\n'
    printf '"Courier New"="Liberation Mono"\r\n'
  } | iconv -f UTF-8 -t UTF-16 >"$reg"
  if timeout -k 5 60 "$HORO_WINE" regedit /S "$reg" >/dev/null 2>&1; then
    timeout -k 5 60 "$HORO_WINESERVER" -w || true
    touch "$stamp"
  else
    echo "wine: the font replacements could not be set"
  fi
}
