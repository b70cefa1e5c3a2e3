# Shared by scripts/run.sh and scripts/test.sh: packages, build, a private X display and a
# private Wine prefix. Every process started here is recorded and stopped by pid on exit.

CHROMIVO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR="$CHROMIVO_ROOT/build"
WINE64=/usr/lib/wine/wine64
STARTED_PIDS=()
STARTED_PREFIXES=()

PACKAGES=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb xauth x11-utils x11-xkb-utils x11-xserver-utils xdotool xclip
  osslsigncode openssl python3 python3-yaml
  imagemagick icoutils
  googletest cmake ninja-build clang-format binutils
)

fail() {
  echo "chromivo: $*" >&2
  exit 1
}

# Installs whatever of PACKAGES is missing; costs one dpkg query when nothing is.
ensure_packages() {
  local missing=() pkg
  for pkg in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  [ "$(id -u)" -eq 0 ] || fail "packages missing (${missing[*]}); run as root to install them"
  echo "chromivo: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq >/dev/null 2>&1 || fail "apt-get update failed; cannot install ${missing[*]}"
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null 2>&1 && return 0
  for pkg in "${missing[@]}"; do
    apt-get install -y -qq --no-install-recommends "$pkg" >/dev/null 2>&1 \
      || fail "package $pkg could not be installed (apt-get install $pkg)"
  done
}

# Whether this machine runs 32-bit x86 programs at all: a kernel without IA-32 emulation (or with
# it switched off) refuses them, whatever its version says. The probe is the smallest such
# program, which only exits, assembled and run here. CHROMIVO_NO_32BIT=1 makes it fail, to show
# what a machine without 32-bit support does.
can_run_32bit_programs() {
  local probe status
  [ "${CHROMIVO_NO_32BIT:-}" = 1 ] && return 1
  probe=$(mktemp -d) || return 1
  printf '.globl _start\n_start:\n  movl $1, %%eax\n  xorl %%ebx, %%ebx\n  int $0x80\n' >"$probe/exit.s"
  as --32 -o "$probe/exit.o" "$probe/exit.s" 2>/dev/null &&
    ld -m elf_i386 -o "$probe/exit" "$probe/exit.o" 2>/dev/null &&
    "$probe/exit" 2>/dev/null
  status=$?
  rm -rf "$probe"
  return $status
}

# Wine's 32-bit half, which runs 32-bit Windows programs in a 64-bit prefix as 64-bit Windows does.
ensure_wine32() {
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed' && return 0
  [ "$(id -u)" -eq 0 ] || fail "wine32:i386 missing; run as root to install it"
  echo "chromivo: installing wine32:i386" >&2
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ||
    fail "dpkg cannot add the i386 architecture"
  apt-get update -qq >/dev/null 2>&1 || fail "apt-get update failed; cannot install wine32:i386"
  apt-get install -y -qq --no-install-recommends wine32:i386 >/dev/null 2>&1 ||
    fail "package wine32:i386 could not be installed (apt-get install wine32:i386)"
}

# Configures once, then builds incrementally. Extra arguments are passed to cmake --build.
build_preset() {
  local preset=$1 dir=$2
  shift 2
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake --preset "$preset" -S "$CHROMIVO_ROOT" >/dev/null || fail "cmake could not configure preset $preset"
  fi
  cmake --build "$dir" "$@" || fail "build of preset $preset failed"
}

stop_started() {
  local pid prefix
  for prefix in "${STARTED_PREFIXES[@]}"; do
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  done
  for pid in "${STARTED_PIDS[@]}"; do
    kill "$pid" >/dev/null 2>&1 || true
  done
  for pid in "${STARTED_PIDS[@]}"; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" >/dev/null 2>&1 || true
  done
  STARTED_PIDS=()
STARTED_PREFIXES=()
}

# Starts Xvfb on the first free display number and exports DISPLAY.
start_virtual_display() {
  local size=${1:-1920x1080} n
  for n in $(seq 90 189); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    STARTED_PIDS+=($!)
    for _ in $(seq 100); do
      if [ -e "/tmp/.X11-unix/X$n" ] && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "${STARTED_PIDS[-1]}" 2>/dev/null || break
      sleep 0.05
    done
    fail "Xvfb could not start on display :$n"
  done
  fail "Xvfb could not start: no free display number between :90 and :189"
}

# The tests press keys with SendInput, which the X server never sees. Whenever a Wine window gains
# the pointer or the focus, Wine's X11 driver matches its keyboard state to the X server's, and
# would let go of a Ctrl, Shift or Alt a test holds: Ctrl + keypad minus would arrive as a plain
# keypad minus. Nobody types on a test display, so its X keyboard has no modifier keys for Wine to
# match. (The benchmark and run.sh keep theirs: xdotool presses Ctrl through the X server.)
start_test_display() {
  start_virtual_display "$1"
  remove_modifier_keys || fail "could not set the keyboard of display $DISPLAY"
}

# A bare X display of several monitors: "WxH+X+Y" each, comma-separated, the primary marked with a
# leading "*". The X screen is their bounding box and each becomes a RandR monitor, which Wine
# reads through Xinerama (see set_wine_monitor_source): Wine's virtual desktop shows one monitor.
start_monitors_display() {
  local monitors=(${1//,/ }) monitor geometry w h x y width=0 height=0 index name output
  for monitor in "${monitors[@]}"; do
    read -r w h x y <<<"$(monitor_geometry "$monitor")"
    width=$((x + w > width ? x + w : width))
    height=$((y + h > height ? y + h : height))
  done
  start_test_display "${width}x${height}"
  for index in "${!monitors[@]}"; do
    monitor=${monitors[$index]}
    read -r w h x y <<<"$(monitor_geometry "$monitor")"
    name="monitor$index"
    [ "${monitor:0:1}" = "*" ] && name="*$name"
    # The first takes the screen's own output, so that the X server's monitor of the whole
    # screen goes.
    output=none
    [ "$index" -eq 0 ] && output=screen
    xrandr --setmonitor "$name" "$w/$((w * 254 / 960))x$h/$((h * 254 / 960))+$x+$y" "$output" \
      >/dev/null 2>&1 || fail "could not lay out monitor $monitor on display $DISPLAY"
  done
}

# "WxH+X+Y" (with or without the primary's "*") as "W H X Y".
monitor_geometry() {
  local geometry=${1#\*}
  echo "${geometry%%x*} $(echo "${geometry#*x}" | tr '+' ' ')"
}

remove_modifier_keys() {
  local keymap status
  keymap=$(mktemp) || return 1
  xkbcomp -xkb "$DISPLAY" "$keymap" 2>/dev/null &&
    sed -i -E '/^xkb_symbols/,$ s/\b(Control|Shift|Alt|Meta)_[LR]\b/VoidSymbol/g' "$keymap" &&
    xkbcomp "$keymap" "$DISPLAY" >/dev/null 2>&1
  status=$?
  rm -f "$keymap"
  return $status
}

# Creates the Wine prefix on first use; with a desktop size, Wine shows every window inside one
# virtual desktop of that size (as on Windows: Wine draws the frames and gets every key). A DPI
# and a caption height (see set_wine_display) make the session show the screen that way, and the
# Windows version (win10 unless given; Wine's own default is win7) is the one it reports.
prepare_wine_prefix() {
  local prefix=$1 desktop=${2:-} dpi=${3:-96} caption=${4:--} windows=${5:-win10} monitors=${6:-randr}
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  STARTED_PREFIXES+=("$prefix")
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE64" wineboot -i >/dev/null 2>&1 && wineserver -w >/dev/null 2>&1 \
      && [ -f "$WINEPREFIX/system.reg" ] || { rm -rf "$WINEPREFIX"; fail "Wine could not create its prefix in $WINEPREFIX"; }
  fi
  # A prefix made before Wine's 32-bit half was installed lacks the 32-bit system folder.
  if [ -x /usr/lib/wine/wine ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    "$WINE64" wineboot -u >/dev/null 2>&1 && wineserver -w >/dev/null 2>&1 ||
      fail "Wine could not add its 32-bit half to $WINEPREFIX"
  fi
  # Windows keeps its fonts in C:\Windows\Fonts; Debian's Wine does not find its own (MS Sans
  # Serif, Marlett for the caption buttons) until they are there.
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
  set_wine_desktop "$desktop"
  set_wine_display "$dpi" "$caption"
  set_wine_version "$windows"
  set_wine_monitor_source "$monitors"
  start_wineserver
  # The first program of a server session starts Wine's services and the desktop, which keep the
  # program's output open: start them here, away from the output CTest waits on.
  "$WINE64" reg query 'HKCU\Software\Wine\Explorer' >/dev/null 2>&1
}

# Any Wine program, reg.exe included, starts the prefix's desktop as the registry says at that
# moment; so after a change the wineserver is ended and the next program starts it anew.
# Without a size, windows are plain X windows (for the user's own display).
set_wine_desktop() {
  local desktop=$1 user="$WINEPREFIX/user.reg"
  if [ -n "$desktop" ]; then
    grep -q '^"Desktop"="Default"' "$user" && grep -q "^\"Default\"=\"$desktop\"" "$user" && return 0
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
      "$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f >/dev/null 2>&1 ||
      fail "Wine could not set its virtual desktop in $WINEPREFIX"
  else
    grep -q '^"Desktop"=' "$user" || return 0
    "$WINE64" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1
  fi
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
}

# The settings below are changed only where the prefix's stamp for them says otherwise (a missing
# stamp counts as the default given); after a change the wineserver is ended, so that the next
# program starts a session that reads it.
setting_is() {
  local name=$1 value=$2 default=${3:-}
  [ "$(cat "$WINEPREFIX/.chromivo-$name" 2>/dev/null || echo "$default")" = "$value" ]
}
setting_changed() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  echo "$2" >"$WINEPREFIX/.chromivo-$1"
}

# The screen's DPI (LogPixels) and the caption bar's height (WindowMetrics CaptionHeight, in
# negative twips as Windows writes it; - for Wine's own), which Wine reads when its session starts.
set_wine_display() {
  local dpi=$1 caption=$2
  setting_is display "$dpi $caption" && return 0
  "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
    fail "Wine could not set its DPI in $WINEPREFIX"
  if [ "$caption" = - ]; then
    "$WINE64" reg delete 'HKCU\Control Panel\Desktop\WindowMetrics' /v CaptionHeight /f >/dev/null 2>&1
  else
    "$WINE64" reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v CaptionHeight /d "$caption" /f >/dev/null 2>&1 ||
      fail "Wine could not set its caption height in $WINEPREFIX"
  fi
  setting_changed display "$dpi $caption"
}

# The Windows version the prefix reports (win10, win7, ...), as winecfg sets it: with win10 Wine's
# desktop compositor calls say the compositor is on, as on Windows 10 and 11.
set_wine_version() {
  local windows=$1
  setting_is windows "$windows" && return 0
  "$WINE64" winecfg /v "$windows" >/dev/null 2>&1 || fail "Wine could not report $windows in $WINEPREFIX"
  setting_changed windows "$windows"
}

# Where Wine's X11 driver learns the monitors: from RandR's outputs (randr, its default), or from
# Xinerama (xinerama), which an X server answers from its RandR monitors, the only kind Xvfb can
# have several of.
set_wine_monitor_source() {
  local source=$1
  setting_is monitors "$source" randr && return 0
  if [ "$source" = xinerama ]; then
    "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
  else
    "$WINE64" reg delete 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /f >/dev/null 2>&1
  fi || fail "Wine could not take its monitors from $source in $WINEPREFIX"
  setting_changed monitors "$source"
}

# A prefix is mostly Wine's own DLLs (some 700 MB), which no session writes: the copy links them
# and copies only the registry, which each session keeps to itself.
copy_wine_prefix() {
  local from=$1 to=$2 hive
  rm -rf "$to"
  cp -al "$from" "$to" || return 1
  for hive in "$from"/*.reg; do
    cp --remove-destination "$hive" "$to/" || return 1
  done
  # The stamps say what the copy's own registry holds: linked, writing one would change both.
  rm -f "$to"/.chromivo-*
}

# The display configurations of tests/display-configs.txt, for the tests that also run in them:
# each gets an X display of its own and a Wine prefix copied from the current one, and CTest's
# launcher finds the display in CHROMIVO_DISPLAY_<name>. The current display and prefix stay.
prepare_display_configs() {
  local desktop=$1 base_display=$DISPLAY base_prefix=$WINEPREFIX name dpi caption windows screen
  while read -r name dpi caption _ windows _ screen _; do
    case "$name" in '' | '#'*) continue ;; esac
    [ -f "$base_prefix-$name/system.reg" ] || copy_wine_prefix "$base_prefix" "$base_prefix-$name" ||
      fail "could not copy the Wine prefix for the display configuration $name"
    if [ "$screen" = desktop ]; then
      start_test_display "$desktop"
      prepare_wine_prefix "$base_prefix-$name" "$desktop" "$dpi" "$caption" "$windows"
    else
      start_monitors_display "$screen"
      prepare_wine_prefix "$base_prefix-$name" "" "$dpi" "$caption" "$windows" xinerama
    fi
    export "CHROMIVO_DISPLAY_$name=$DISPLAY"
  done <"$CHROMIVO_ROOT/tests/display-configs.txt"
  export DISPLAY=$base_display WINEPREFIX=$base_prefix
}

# A persistent wineserver keeps every Wine start in this run warm.
start_wineserver() {
  wineserver -f -p >/dev/null 2>&1 &
  STARTED_PIDS+=($!)
}
