# Sourced by tests/wine/run.sh and tools/run.sh: how Windows programs run on
# this machine.
#
# horo_wine_choose ROOT
#   Picks the Wine mode.  Mode win32 runs the i686 programs of build/win32,
#   the ones that ship, with 32-bit Wine: natively where the kernel executes
#   32-bit x86 code, elsewhere emulated by qemu-i386 through the binfmt_misc
#   entry of tools/i386_route.sh (the i386 route: horo_i386_route).  Where
#   neither can run, mode win64 runs the same sources built for x86-64
#   (build/win64) with 64-bit Wine.  HORO_WINE_MODE=win64 (or win32) set
#   beforehand forces a mode.  Sets HORO_WINE_MODE, HORO_WINE (the loader),
#   HORO_WINESERVER, HORO_WIN_TREE (absolute build tree), WINEARCH and
#   HORO_WINE_HOW (one line: what runs and why).  Returns 1 when no Wine can
#   run here (or not the forced one).
#
# horo_wine_use MODE ROOT
#   The environment of one mode, chosen before by horo_wine_choose (the
#   cross-check of tests/wine/run.sh runs one test in the other mode).
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
HORO_I386_ENTRY=/proc/sys/fs/binfmt_misc/horomira-i386

# True when 32-bit Wine runs here without emulation.
horo_wine32_native() {
  [ -x "$HORO_WINE32" ] && env -u HORO_I386_EMULATION -u HORO_I386_PRELOAD \
    timeout -k 2 20 "$HORO_WINE32" --version >/dev/null 2>&1
}

# horo_i386_route ROOT: true when 32-bit Wine runs under qemu-i386; exports
# what the emulated programs need.  HORO_I386_EMULATION=1 opens the binfmt
# entry (without it, 32-bit programs are refused as the kernel refuses
# them); HORO_I386_PRELOAD is the trap-number fix (tools/i386_trapno.c),
# built here into build/i386, without which Wine misreports processor
# faults under qemu.  HORO_WINE_WHY says why not, when not.
horo_i386_route() {
  local root=$1 src=$1/tools/i386_trapno.c so=$1/build/i386/trapno.so
  if [ "$(head -n 1 "$HORO_I386_ENTRY" 2>/dev/null)" != enabled ]; then
    HORO_WINE_WHY="32-bit code cannot execute here, and no binfmt_misc entry hands it to qemu-i386 (tools/i386_route.sh, run as root by make test, sets one up)"
    return 1
  fi
  if [ ! -x "$HORO_WINE32" ]; then
    HORO_WINE_WHY="32-bit Wine (wine32:i386) is not installed"
    return 1
  fi
  if [ ! -e "$so" ] || [ "$src" -nt "$so" ]; then
    mkdir -p "$(dirname "$so")"
    # No stack protector: the handler may run while Windows code owns %gs.
    if ! i686-linux-gnu-gcc -shared -fPIC -O2 -fno-stack-protector -Wall -Wextra -Werror \
         -o "$so" "$src" 2>/dev/null; then
      HORO_WINE_WHY="the trap-number fix could not be built (gcc-i686-linux-gnu)"
      return 1
    fi
  fi
  export HORO_I386_EMULATION=1 HORO_I386_PRELOAD=$so
  # The first start of the emulated loader may be slow on a busy machine.
  if ! timeout -k 2 60 "$HORO_WINE32" --version >/dev/null 2>&1; then
    unset HORO_I386_EMULATION HORO_I386_PRELOAD
    HORO_WINE_WHY="32-bit Wine does not start under qemu-i386"
    return 1
  fi
}

horo_wine_choose() {
  local root=$1 forced=${HORO_WINE_MODE:-}
  HORO_WINE_MODE= HORO_WINE_WHY="32-bit code cannot execute here"
  unset HORO_I386_EMULATION HORO_I386_PRELOAD
  case $forced in
    ''|win32|win64) ;;
    *) echo "HORO_WINE_MODE must be win32 or win64, not $forced" >&2; return 1 ;;
  esac
  if [ "$forced" != win64 ]; then
    if horo_wine32_native; then
      horo_wine_use win32 "$root"
      HORO_WINE_HOW="mode win32 (i686 programs of build/win32, 32-bit Wine)"
    elif horo_i386_route "$root"; then
      horo_wine_use win32 "$root"
      HORO_WINE_HOW="mode win32 (i686 programs of build/win32, 32-bit Wine emulated by qemu-i386)"
    fi
  fi
  if [ -z "$HORO_WINE_MODE" ] && [ "$forced" != win32 ] && [ -x "$HORO_WINE64" ] &&
     timeout -k 2 20 "$HORO_WINE64" --version >/dev/null 2>&1; then
    horo_wine_use win64 "$root"
    [ "$forced" = win64 ] && HORO_WINE_WHY="HORO_WINE_MODE=win64"
    HORO_WINE_HOW="mode win64 (x86-64 programs of build/win64, 64-bit Wine): $HORO_WINE_WHY"
  fi
  if [ -z "$HORO_WINE_MODE" ]; then
    [ "$forced" = win32 ] && echo "HORO_WINE_MODE=win32, but $HORO_WINE_WHY" >&2
    return 1
  fi
}

horo_wine_use() {
  local mode=$1 root=$2
  HORO_WINESERVER=/usr/lib/wine/wineserver
  HORO_WINE_MODE=$mode
  HORO_WIN_TREE=$root/build/$mode
  if [ "$mode" = win32 ]; then
    HORO_WINE=$HORO_WINE32
  else
    HORO_WINE=$HORO_WINE64
    # 64-bit Wine starts 32-bit helpers in a new prefix; they stay refused
    # as on any machine without 32-bit support, not emulated.
    unset HORO_I386_EMULATION HORO_I386_PRELOAD
  fi
  export WINEARCH=$mode
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
  # A prefix made for the other architecture (by an earlier run in the
  # other mode) cannot serve this one: it is made again.
  if [ -e "$stamp" ] && [ -n "${WINEARCH:-}" ] && ! grep -qx "#arch=$WINEARCH" "$WINEPREFIX/system.reg" 2>/dev/null; then
    rm -f "$stamp"
  fi
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
