#!/usr/bin/env bash
# Installs whatever is missing, builds Chromivo (x86_64 with its tests, and the i686 program) and
# runs every test under Wine on a private X display. Arguments go to ctest, e.g. -L unit,
# -L inprocess, -L e2e or -R <name>. The exit status is ctest's.
set -uo pipefail
source "$(dirname "$0")/common.sh"
trap stop_started EXIT
trap 'exit 130' INT TERM

ensure_packages
build_preset x86_64 "$BUILD_DIR"
build_preset i686 "$CHROMIVO_ROOT/build-i686" --target Chromivo

# One test run per build tree at a time: the runs would share the Wine prefix.
exec 9>"$BUILD_DIR/.test-lock"
flock -w 600 9 || fail "another test run holds $BUILD_DIR/.test-lock"

# Wine's services outlive the programs that start them; they must not inherit the lock.
start_test_display 1920x1080 9>&-
prepare_wine_prefix "$BUILD_DIR/wine-tests" 1920x1080 9>&-
prepare_display_configs 1920x1080 9>&-
ctest --test-dir "$BUILD_DIR" --output-on-failure "$@" 9>&-
