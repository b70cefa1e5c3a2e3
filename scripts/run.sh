#!/usr/bin/env bash
# Installs whatever is missing, builds Chromivo and starts it under Wine. On the user's X display
# it runs until closed; without one, it runs on a private virtual display, leaves a screenshot of
# its window and prints the screenshot's path. CHROMIVO_DPI (120 for 125 %, 144 for 150 %, 192 for
# 200 %) and CHROMIVO_CAPTION_TWIPS (-330: the caption bar of Windows 10 and 11) show it as on
# such a screen.
set -uo pipefail
source "$(dirname "$0")/common.sh"
trap stop_started EXIT
trap 'exit 130' INT TERM

SCREENSHOT=${CHROMIVO_SCREENSHOT:-$BUILD_DIR/chromivo-window.png}

ensure_packages
build_preset x86_64 "$BUILD_DIR" --target Chromivo
exe="$BUILD_DIR/bin/Chromivo.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  prepare_wine_prefix "$BUILD_DIR/wine-run" "" "${CHROMIVO_DPI:-96}" "${CHROMIVO_CAPTION_TWIPS:--}"
  "$WINE64" "$exe"
  exit 0
fi

start_virtual_display 1920x1080
prepare_wine_prefix "$BUILD_DIR/wine-run" 1920x1080 "${CHROMIVO_DPI:-96}" "${CHROMIVO_CAPTION_TWIPS:--}"
"$WINE64" "$exe" >/dev/null 2>&1 &
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Chromivo$' 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "Chromivo's window did not appear on the virtual display $DISPLAY"
# Wait until the window has taken its final size and painted (a first start in a new prefix is
# slow while Wine builds its font cache).
previous=""
for _ in $(seq 60); do
  geometry=$(xwininfo -id "$window" 2>/dev/null | grep -E 'Width|Height' | tr -d ' \n')
  [ -n "$geometry" ] && [ "$geometry" = "$previous" ] && break
  previous=$geometry
  sleep 0.5
done
import -window "$window" "$SCREENSHOT" || fail "could not take a screenshot of display $DISPLAY"
echo "chromivo: screenshot of the window: $SCREENSHOT"
