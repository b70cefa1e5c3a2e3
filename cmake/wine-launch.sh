#!/usr/bin/env bash
# Runs one Windows program under Wine for CTest. The test command (scripts/test.sh) provides
# DISPLAY and WINEPREFIX; run on its own, this refuses rather than touching the user's ~/.wine.
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "wine-launch: DISPLAY and WINEPREFIX are not set; run the tests with scripts/test.sh" >&2
  exit 2
fi
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
exec "$wine" "$@"
