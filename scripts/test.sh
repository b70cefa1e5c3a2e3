#!/usr/bin/env bash
# Installs whatever is missing, builds Chromivo (x86_64 with its tests; the i686 program with the
# 32-bit stand-ins its tests plant) and runs every test under Wine on a private X display, the
# x86 runs (label x86: the end-to-end suite and the resources against the 32-bit program) where
# the machine runs 32-bit programs. Arguments go to ctest, e.g. -L unit, -L inprocess, -L e2e,
# -L x86 or -R <name>. The exit status is ctest's.
set -uo pipefail
source "$(dirname "$0")/common.sh"
trap stop_started EXIT
trap 'exit 130' INT TERM

ensure_packages
skip_x86=()
if can_run_32bit_programs; then
  ensure_wine32
else
  echo "chromivo: 32-bit Windows programs cannot run on this machine: the x86 build is compiled, not run" >&2
  skip_x86=(-LE x86)
fi
build_preset x86_64 "$BUILD_DIR"
build_preset i686 "$CHROMIVO_ROOT/build-i686" --target Chromivo planted_dwmapi planted_comdlg32 planted_shell32 \
  planted_oleacc

# One test run per build tree at a time: the runs would share the Wine prefix.
exec 9>"$BUILD_DIR/.test-lock"
flock -w 600 9 || fail "another test run holds $BUILD_DIR/.test-lock"

# Wine's services outlive the programs that start them; they must not inherit the lock.
start_test_display 1920x1080 9>&-
prepare_wine_prefix "$BUILD_DIR/wine-tests" 1920x1080 9>&-
prepare_display_configs 1920x1080 9>&-
ctest --test-dir "$BUILD_DIR" --output-on-failure "${skip_x86[@]}" "$@" 9>&-
