#!/usr/bin/env bash
# Runs one Windows program under Wine for CTest. The test command (scripts/test.sh) provides
# DISPLAY and WINEPREFIX; run on its own, this refuses rather than touching the user's ~/.wine.
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "wine-launch: DISPLAY and WINEPREFIX are not set; run the tests with scripts/test.sh" >&2
  exit 2
fi
# A test that CTest runs in one of the display configurations (tests/display-configs.txt) gets
# that configuration's X display and Wine session, which the test command has prepared.
if [ -n "${CHROMIVO_DISPLAY_CONFIG:-}" ]; then
  display_var="CHROMIVO_DISPLAY_$CHROMIVO_DISPLAY_CONFIG"
  if [ -z "${!display_var:-}" ]; then
    echo "wine-launch: display configuration $CHROMIVO_DISPLAY_CONFIG is not prepared; run the tests with scripts/test.sh" >&2
    exit 2
  fi
  export DISPLAY=${!display_var} WINEPREFIX="$WINEPREFIX-$CHROMIVO_DISPLAY_CONFIG"
fi
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
exec "$wine" "$@"
